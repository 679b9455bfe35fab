#!/usr/bin/env bash
# Dragging in the item manager as a person does it with the mouse: move a
# node after another one inside the tree, hold one over a closed folder
# until it opens and drop it inside, then drag two files from another
# program onto the tree. Save, close, and find the new order and the two new
# items in the store and in the tray menu. Screenshots of every step are kept.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin manager_drag_drop
e2e_require xdotool /usr/bin/python3 dbus-daemon /usr/libexec/at-spi-bus-launcher

[ -x "${ORBEL_DRAG_SOURCE:-}" ] || fail "ORBEL_DRAG_SOURCE does not name the drag-source program"

mkdir -p "$prog/shortcuts/Box"
touch "$work/alpha.txt" "$work/beta.txt" "$work/gamma.txt" "$work/first drop.txt" "$work/second.dat"
printf '^UnkLnk|%s|txt|Alpha\r\n^UnkLnk|%s|txt|Beta\r\n^Folder|Box\r\n' \
  "$work/alpha.txt" "$work/beta.txt" > "$prog/shortcuts/shortcuts.txt"
printf '^UnkLnk|%s|txt|Gamma\r\n' "$work/gamma.txt" > "$prog/shortcuts/Box/shortcuts.txt"

# Drags with the left button the way XDND sees a person do it: press, hold
# past the manager's 150 ms, then several small moves before the release.
# The pauses are the person's pace, which XDND needs, not waits for a result.
drag_moves() {
  local x0=$1 y0=$2 x1=$3 y1=$4 i steps=$5
  for i in $(seq 1 "$steps"); do
    e2e_pointer_to $(( x0 + (x1 - x0) * i / steps )) $(( y0 + (y1 - y0) * i / steps ))
    sleep 0.15
  done
}
drag_to() {
  e2e_pointer_to "$1" "$2"
  xdotool mousedown 1
  sleep 0.35
  drag_moves "$1" "$2" "$3" "$4" 8
}
drop() {
  sleep 0.3
  xdotool mouseup 1
}
drag() { drag_to "$@"; drop; }

# The selected row and the properties panel's name box show the same node.
panel_shows_selected() {
  local shown
  shown=$(/usr/bin/python3 "$here/a11y.py" shown) || return 1
  [ "${shown%%$'\t'*}" = "$1" ] && [ "${shown#*$'\t'}" = "$1" ]
}

e2e_start_display
e2e_start_session_bus
e2e_start_a11y
e2e_start_icewm
e2e_run_program

e2e_open_tray_menu 1 || fail "the tray menu did not open"
height_before=$(e2e_menu_extent Height)
import -window root "$out/tray-menu-before.png"
[ "$height_before" -gt 30 ] || fail "the tray menu is $height_before pixels high"
e2e_close_menus || fail "the tray menu did not close"
e2e_open_kit_entry 1
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open"
# The rows as the tree itself reports them.
e2e_wait_for 15 e2e_tree_texts_start ",Alpha,Beta,Box," || fail "the tree shows: $(e2e_tree_texts)"
import -window root "$out/manager-opened.png"
read -r ax ay <<< "$(e2e_tree_row Alpha)"
read -r bx by <<< "$(e2e_tree_row Beta)"

# Alpha dropped on Beta goes after Beta.
drag "$ax" "$ay" "$bx" "$by"
e2e_wait_for 15 e2e_tree_texts_start ",Beta,Alpha,Box," || fail "the drag left the tree as: $(e2e_tree_texts)"
import -window root "$out/manager-after-drag.png"

# Alpha held over the closed Box until it opens (which selects Box), then
# dropped on Box's top line: first inside Box. The panel shows the selected
# Box, not Alpha, so typing there would rename what the tree highlights.
read -r ax ay <<< "$(e2e_tree_row Alpha)"
read -r fx fy <<< "$(e2e_tree_row Box)"
drag_to "$ax" "$ay" "$fx" "$fy"
e2e_wait_for 15 e2e_tree_texts_start ",Beta,Alpha,Box,,Gamma," || fail "Box did not open: $(e2e_tree_texts)"
read -r tx ty <<< "$(e2e_tree_rows | awk -F '\t' 'last == "Box" { print $1; exit } { last = $2 }')"
drag_moves "$fx" "$fy" "$tx" "$ty" 3
drop
e2e_wait_for 15 e2e_tree_texts_start ",Beta,Box,,Alpha,Gamma," || fail "the drop left the tree as: $(e2e_tree_texts)"
import -window root "$out/manager-after-drop-into-folder.png"
e2e_wait_for 15 panel_shows_selected Box ||
  fail "selected row and name box: $(/usr/bin/python3 "$here/a11y.py" shown)"

# Two files dragged from another program onto Box: both after Box, in the
# order the program gave them.
"$ORBEL_DRAG_SOURCE" "$work/first drop.txt" "$work/second.dat" > "$out/drag_source.log" 2>&1 &
E2E_PIDS+=($!)
source_win=$(e2e_visible_window "orbel-drag-source") || fail "the drag source did not open"
# Keep the manager's tree clear of the source window.
eval "$(xdotool getwindowgeometry --shell "$manager")"
xdotool windowmove --sync "$source_win" $(( X + 560 )) $(( Y + 40 ))
eval "$(xdotool getwindowgeometry --shell "$source_win" | sed 's/^/S_/')"
read -r fx fy <<< "$(e2e_tree_row Box)"
drag $(( S_X + S_WIDTH / 2 )) $(( S_Y + S_HEIGHT / 2 )) "$fx" "$fy"
e2e_wait_for 15 e2e_tree_row "first drop" || fail "the dropped files are not in the tree: $(e2e_tree_texts)"
import -window root "$out/manager-after-file-drop.png"

e2e_focus "$manager" || fail "the item manager did not take the keyboard back"
xdotool key alt+a
e2e_wait_file_has "$prog/shortcuts/shortcuts.txt" second || fail "Save wrote no store"
import -window root "$out/manager-saved.png"
printf '^UnkLnk|%s|txt|Beta\r\n^Folder|Box\r\n^UnkLnk|%s|txt|first drop\r\n^UnkLnk|%s|dat|second\r\n' \
  "$work/beta.txt" "$work/first drop.txt" "$work/second.dat" > "$work/expected.txt"
cmp -s "$work/expected.txt" "$prog/shortcuts/shortcuts.txt" ||
  fail "the store holds: $(cat -A "$prog/shortcuts/shortcuts.txt")"
cmp -s <(printf '^UnkLnk|%s|txt|Alpha\r\n^UnkLnk|%s|txt|Gamma\r\n' "$work/alpha.txt" "$work/gamma.txt") \
  "$prog/shortcuts/Box/shortcuts.txt" || fail "the folder's own index holds: $(cat -A "$prog/shortcuts/Box/shortcuts.txt")"

xdotool key Escape
e2e_wait_for 15 e2e_no_window_named "Manage Items" || fail "Close left the manager open"
kill -0 "$pid" 2>/dev/null || fail "the program ended"

# The reloaded menu holds one entry more (two files in, Alpha into Box).
e2e_wait_tray_icon || fail "the tray icon did not come back after the reload"
e2e_open_tray_menu 1 || fail "the tray menu did not open after the reload"
import -window root "$out/tray-menu-after.png"
height_after=$(e2e_menu_extent Height)
echo "menu height before $height_before, after $height_after"
[ "$height_after" -gt "$height_before" ] || fail "the tray menu did not take the dropped items ($height_before -> $height_after)"
xdotool key Escape
kill -0 "$pid" 2>/dev/null || fail "the program ended"
cp "$prog/errorlog.txt" "$out/" 2>/dev/null || true
echo "screenshots in $out"
