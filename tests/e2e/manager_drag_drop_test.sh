#!/usr/bin/env bash
# Dragging in the item manager as a person does it with the mouse: move a
# node after another one inside the tree, then drag two files from another
# program onto the tree. Save, close, and find the new order and the two new
# items in the store and in the tray menu. Screenshots of every step are kept.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin manager_drag_drop


[ -x "${ORBEL_DRAG_SOURCE:-}" ] || fail "ORBEL_DRAG_SOURCE does not name the drag-source program"

mkdir -p "$prog/shortcuts/Box"
touch "$work/alpha.txt" "$work/beta.txt" "$work/gamma.txt" "$work/first drop.txt" "$work/second.dat"
# Rows of the tree: 0 top marker, 1 Alpha, 2 Beta, 3 Box, 4 --Sysmenu--,
# 5 Orbel Kit, 6 Close.
printf '^UnkLnk|%s|txt|Alpha\r\n^UnkLnk|%s|txt|Beta\r\n^Folder|Box\r\n' \
  "$work/alpha.txt" "$work/beta.txt" > "$prog/shortcuts/shortcuts.txt"
printf '^UnkLnk|%s|txt|Gamma\r\n' "$work/gamma.txt" > "$prog/shortcuts/Box/shortcuts.txt"

# Drags with the left button the way XDND sees a person do it: press, hold
# past the manager's 150 ms, then several small moves before the release.
drag() {
  local x0=$1 y0=$2 x1=$3 y1=$4 i steps=8
  xdotool mousemove "$x0" "$y0"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.35
  for i in $(seq 1 $steps); do
    xdotool mousemove $(( x0 + (x1 - x0) * i / steps )) $(( y0 + (y1 - y0) * i / steps ))
    sleep 0.15
  done
  sleep 0.3
  xdotool mouseup 1
  sleep 0.5
}

e2e_start_desktop
e2e_run_program

e2e_click_tray 1 || fail "no tray icon to click"
sleep 0.8
height_before=$(e2e_menu_extent Height)
import -window root "$out/tray-menu-before.png"
[ "$height_before" -gt 30 ] || fail "the tray menu did not open"
# Up twice from the top is "Orbel Kit"; its second entry is "Manage Items..".
xdotool key Up Up Right
sleep 0.3
xdotool key Down Return
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open"
sleep 0.8
import -window root "$out/manager-opened.png"

# The tree's rows: the manager's client area starts at the window's origin,
# the tree 4 pixels in, rows $row_h apart.
eval "$(xdotool getwindowgeometry --shell "$manager")"
row_h=${ORBEL_E2E_ROW_HEIGHT:-20}
tree_x=$(( X + 40 ))
row_y() { echo $(( Y + 4 + 2 + row_h * $1 + row_h / 2 )); }

# Alpha (row 1) dropped on Beta (row 2) goes after Beta.
drag "$tree_x" "$(row_y 1)" "$tree_x" "$(row_y 2)"
import -window root "$out/manager-after-drag.png"

# Two files dragged from another program onto Box (row 3): both after Box,
# the first one given last.
"$ORBEL_DRAG_SOURCE" "$work/first drop.txt" "$work/second.dat" > "$out/drag_source.log" 2>&1 &
E2E_PIDS+=($!)
source_win=$(e2e_visible_window "orbel-drag-source") || fail "the drag source did not open"
# Keep the manager's tree clear of the source window.
xdotool windowmove "$source_win" $(( X + 560 )) $(( Y + 40 ))
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$source_win" | sed 's/^/S_/')"
drag $(( S_X + S_WIDTH / 2 )) $(( S_Y + S_HEIGHT / 2 )) "$tree_x" "$(row_y 3)"
import -window root "$out/manager-after-file-drop.png"

xdotool windowactivate --sync "$manager" 2>/dev/null || true
sleep 0.3
xdotool key alt+a
for _ in $(seq 1 50); do grep -q "second" "$prog/shortcuts/shortcuts.txt" 2>/dev/null && break; sleep 0.1; done
sleep 0.3
import -window root "$out/manager-saved.png"
printf '^UnkLnk|%s|txt|Beta\r\n^UnkLnk|%s|txt|Alpha\r\n^Folder|Box\r\n^UnkLnk|%s|dat|second\r\n^UnkLnk|%s|txt|first drop\r\n' \
  "$work/beta.txt" "$work/alpha.txt" "$work/second.dat" "$work/first drop.txt" > "$work/expected.txt"
cmp -s "$work/expected.txt" "$prog/shortcuts/shortcuts.txt" ||
  fail "the store holds: $(cat -A "$prog/shortcuts/shortcuts.txt")"
cmp -s <(printf '^UnkLnk|%s|txt|Gamma\r\n' "$work/gamma.txt") "$prog/shortcuts/Box/shortcuts.txt" ||
  fail "the folder's own index changed: $(cat -A "$prog/shortcuts/Box/shortcuts.txt")"

xdotool key Escape
for _ in $(seq 1 50); do xdotool search --onlyvisible --name "Manage Items" >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --onlyvisible --name "Manage Items" >/dev/null 2>&1 && fail "Close left the manager open"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
sleep 0.5

# The reloaded menu holds two entries more.
e2e_wait_tray_icon || fail "the tray icon did not come back after the reload"
e2e_click_tray 1 || fail "no tray icon to click after the reload"
sleep 0.8
import -window root "$out/tray-menu-after.png"
height_after=$(e2e_menu_extent Height)
echo "menu height before $height_before, after $height_after"
[ "$height_after" -gt "$height_before" ] || fail "the tray menu did not take the dropped items ($height_before -> $height_after)"
xdotool key Escape
kill -0 "$pid" 2>/dev/null || fail "the program ended"
cp "$prog/errorlog.txt" "$out/" 2>/dev/null || true
echo "screenshots in $out"
