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

# The window in front, with whatever frame it has.
shoot() {
  e2e_focus "$1" || true
  import -frame -window "$1" "$out/$2.png" 2>/dev/null || import -window root "$out/$2.png"
}

# What the window manager is told of the (possibly new) item manager window.
manager_state() {
  local id
  id=$(e2e_window_named "Manage Items") || return 1
  xprop -id "$id" _NET_WM_STATE _MOTIF_WM_HINTS _NET_FRAME_EXTENTS
}
manager_skips_taskbar() { manager_state | grep -q _NET_WM_STATE_SKIP_TASKBAR; }
manager_frameless() { manager_state | grep -q '_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0'; }
ini_has() { tr -d '\r' < "$prog/orbel.ini" | grep -qx "$1"; }

e2e_start_desktop
e2e_run_program

e2e_open_kit_entry 1
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open"
e2e_open_tray_menu 1 || fail "the tray menu did not open over the item manager"
import -window root "$out/tray-menu-before.png"
e2e_close_menus || fail "the tray menu did not close"
shoot "$manager" manager-before
xprop -id "$manager" _NET_WM_STATE _MOTIF_WM_HINTS _NET_FRAME_EXTENTS > "$out/manager-state-before.txt" 2>&1 || true
grep -q SKIP_TASKBAR "$out/manager-state-before.txt" && fail "the item manager skipped the taskbar from the start"
grep -q '_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0' "$out/manager-state-before.txt" && fail "the item manager started without the window manager's frame"

# Preferences: focus starts on the autostart box. On, taskbar off, Apply.
e2e_open_kit_entry 2
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not open"
shoot "$prefs" preferences-before
xdotool key space Tab space Tab Tab space
e2e_wait_for 15 test -f "$entry" || fail "autostart on made no entry"
grep -q "^Exec=.*$prog/orbel" "$entry" || fail "the entry does not start the program: $(cat "$entry")"
e2e_wait_for 15 ini_has 'TaskBar=0' || fail "TaskBar=0 not stored"
tr -d '\r' < "$prog/orbel.ini" > "$out/orbel-1.ini"
grep -qx 'WindowsDraw=1' "$out/orbel-1.ini" || fail "WindowsDraw=1 not stored"

e2e_wait_for 15 manager_skips_taskbar || fail "taskbar off left a taskbar button: $(manager_state 2>&1)"
manager_state > "$out/manager-state-apply.txt" 2>&1 || true

# Visuals: the drawing box has the focus; unchecked means our own drawing.
# Then past the two font boxes and Default to Apply.
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not come back after Apply"
e2e_focus "$prefs" || fail "the preferences did not take the keyboard"
xdotool key ctrl+Tab space Tab Tab Tab Tab Tab space
e2e_wait_for 15 ini_has 'WindowsDraw=0' || fail "WindowsDraw=0 not stored"
tr -d '\r' < "$prog/orbel.ini" > "$out/orbel-2.ini"
# The manager's window is now frameless: the window manager draws no title.
e2e_wait_for 15 manager_frameless || fail "the item manager kept the window manager's frame: $(manager_state 2>&1)"
manager_state > "$out/manager-hints-after.txt" 2>&1 || true
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not come back after the drawing switch"
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not come back after the drawing switch"
shoot "$manager" manager-after
shoot "$prefs" preferences-after
import -window root "$out/desktop-after.png"
e2e_open_tray_menu 1 || fail "the tray menu did not open after the drawing switch"
import -window root "$out/tray-menu-after.png"
e2e_close_menus || fail "the tray menu did not close"

# Back to Control (focus on the autostart box): off, then Apply.
e2e_focus "$prefs" || fail "the preferences did not take the keyboard"
xdotool key ctrl+Tab space Tab Tab Tab space
e2e_wait_for 15 test ! -e "$entry" || fail "autostart off left the entry"

kill -0 "$pid" 2>/dev/null || fail "the program ended"
kill "$pid"
echo "screenshots in $out"
