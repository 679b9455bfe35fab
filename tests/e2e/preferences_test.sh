#!/usr/bin/env bash
# The preferences as a person uses them with the keyboard: autostart on makes
# the session entry and off removes it; taskbar off takes the item manager
# out of the taskbar; switching the drawing mode with Apply while the item
# manager is open gives it the program's own title bar. Screenshots before
# and after are kept.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin preferences


# The program's session entry goes to a directory of this test only.
export XDG_CONFIG_HOME="$work/config"
entry="$XDG_CONFIG_HOME/autostart/Tandrel-Orbel.desktop"

# Up twice from the top of the tray menu is "Orbel Kit"; its entries are
# Help File, Manage Items.., Preferences.., ...
open_kit_entry() {
  local downs=$1
  e2e_click_tray 1
  sleep 0.8
  xdotool key Up Up Right
  sleep 0.3
  for _ in $(seq 1 "$downs"); do xdotool key Down; done
  xdotool key Return
  sleep 0.8
}

# The window in front, with whatever frame it has.
shoot() {
  xdotool windowactivate --sync "$1" 2>/dev/null || true
  sleep 0.4
  import -frame -window "$1" "$out/$2.png" 2>/dev/null || import -window root "$out/$2.png"
}

e2e_start_desktop
e2e_run_program

open_kit_entry 1
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open"
e2e_click_tray 1
sleep 0.8
import -window root "$out/tray-menu-before.png"
xdotool key Escape
sleep 0.3
shoot "$manager" manager-before
xprop -id "$manager" _NET_WM_STATE _MOTIF_WM_HINTS _NET_FRAME_EXTENTS > "$out/manager-state-before.txt" 2>&1 || true
grep -q SKIP_TASKBAR "$out/manager-state-before.txt" && fail "the item manager skipped the taskbar from the start"
grep -q '_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0' "$out/manager-state-before.txt" && fail "the item manager started without the window manager's frame"

# Preferences: focus starts on the autostart box. On, taskbar off, Apply.
open_kit_entry 2
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not open"
shoot "$prefs" preferences-before
xdotool key space Tab space Tab Tab space
sleep 1.5
[ -f "$entry" ] || fail "autostart on made no entry"
grep -q "^Exec=.*$prog/orbel" "$entry" || fail "the entry does not start the program: $(cat "$entry")"
tr -d '\r' < "$prog/orbel.ini" > "$out/orbel-1.ini"
grep -qx 'TaskBar=0' "$out/orbel-1.ini" || fail "TaskBar=0 not stored"
grep -qx 'WindowsDraw=1' "$out/orbel-1.ini" || fail "WindowsDraw=1 not stored"

manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not come back after Apply"
xprop -id "$manager" _NET_WM_STATE > "$out/manager-state-apply.txt" 2>&1 || true
grep -q _NET_WM_STATE_SKIP_TASKBAR "$out/manager-state-apply.txt" || fail "taskbar off left a taskbar button: $(cat "$out/manager-state-apply.txt")"

# Visuals: the drawing box has the focus; unchecked means our own drawing.
# Then past the two font boxes and Default to Apply.
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not come back after Apply"
xdotool windowactivate --sync "$prefs" 2>/dev/null || true
sleep 0.3
xdotool key ctrl+Tab
sleep 0.3
xdotool key space Tab Tab Tab Tab Tab space
sleep 1.5
tr -d '\r' < "$prog/orbel.ini" > "$out/orbel-2.ini"
grep -qx 'WindowsDraw=0' "$out/orbel-2.ini" || fail "WindowsDraw=0 not stored"
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not come back after the drawing switch"
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not come back after the drawing switch"
xprop -id "$manager" _MOTIF_WM_HINTS _NET_FRAME_EXTENTS > "$out/manager-hints-after.txt" 2>&1 || true
shoot "$manager" manager-after
shoot "$prefs" preferences-after
import -window root "$out/desktop-after.png"
e2e_click_tray 1
sleep 0.8
import -window root "$out/tray-menu-after.png"
xdotool key Escape
sleep 0.3
# The manager's window is now frameless: the window manager draws no title.
grep -q '_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0' "$out/manager-hints-after.txt" || fail "the item manager kept the window manager's frame: $(cat "$out/manager-hints-after.txt")"

# Back to Control (focus on the autostart box): off, then Apply.
xdotool windowactivate --sync "$prefs" 2>/dev/null || true
xdotool key ctrl+Tab
sleep 0.3
xdotool key space Tab Tab Tab space
sleep 1.5
[ -e "$entry" ] && fail "autostart off left the entry"

kill -0 "$pid" 2>/dev/null || fail "the program ended"
kill "$pid"
echo "screenshots in $out"
