#!/usr/bin/env bash
# The menu shortcut on X11: a stored key opens the menu at the pointer from
# anywhere; one another program holds, or one that names no key, is
# written to the error log and said in the preferences; set and cleared
# there, the key is taken and let go at once.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin menu_shortcut
e2e_require xdotool import xwininfo /usr/bin/python3
holder=${ORBEL_KEY_HOLDER:?the key holder was not built}

e2e_make_recorder "$work"
mkdir -p "$prog/shortcuts"
printf '^ExeLnk|%s|by key|record-args.bmp|Record arguments\r\n' "$work/record-args" > "$prog/shortcuts/shortcuts.txt"
ini() { printf '[General Settings]\r\nTaskBar=1\r\nMenuHotkey=%s\r\n' "$1" > "$prog/orbel.ini"; }
ini_has() { tr -d '\r' < "$prog/orbel.ini" | grep -qx "$1"; }
# X's masks: Control 4, Mod1 (Alt) 8; the keysyms of j and o (Ctrl+Alt with
# a function key switches consoles in X's keymaps).
ctrl_alt=12 key_j=0x6a key_o=0x6f
# Holds the key for as long as it runs; fails when someone else has it.
hold() {
  coproc HOLDER { "$holder" "$1" "$2" 2>&1; }
  E2E_PIDS+=("$HOLDER_PID")
  local line=""
  read -r -t 15 line <&"${HOLDER[0]}" || true
  [ "$line" = held ]
}
start_program() {
  "$prog/orbel" > "$out/orbel.log" 2>&1 &
  pid=$!
  E2E_PIDS+=("$pid")
}
# The box that names the error log, answered.
close_log_notice() {
  local box
  box=$(e2e_visible_window '^Tandrel Orbel$') || fail "no box named the error log"
  e2e_focus "$box" || fail "the error log's box did not take the keyboard"
  xdotool key Return
  e2e_wait_for 15 e2e_no_window_named '^Tandrel Orbel$' || fail "the error log's box did not close"
}
note() { /usr/bin/python3 "$here/a11y.py" labels "Tandrel Orbel - Preferences" | tr '\n' ' '; }
note_says() { note | grep -q "$1"; }

e2e_start_session_bus
e2e_start_a11y
e2e_start_desktop

# Text that names no key: logged, and the program starts as without one.
ini 'Ctrl+Alt+Nonsense'
start_program
close_log_notice
e2e_wait_tray_icon || fail "no tray icon appeared"
grep -q 'Ctrl+Alt+Nonsense' "$prog/errorlog.txt" || fail "the unusable shortcut was not logged"
kill "$pid"
e2e_wait_gone "$pid" || fail "the program did not end"
rm -f "$prog/errorlog.txt"

# Keys another program holds: logged, and the preferences say so.
hold $key_j $ctrl_alt || fail "the key holder could not take Ctrl+Alt+J"
ini 'Ctrl+Alt+J'
start_program
close_log_notice
e2e_wait_tray_icon || fail "no tray icon appeared"
grep -q 'Ctrl+Alt+J.*held by another program' "$prog/errorlog.txt" || fail "the held key was not logged"
e2e_open_kit_entry 2
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not open"
e2e_wait_for 15 note_says 'held by another program' || fail "the preferences do not say the key is held: $(note)"
import -window "$prefs" "$out/preferences-held.png"

# Other keys chosen in the box (Alt+M), then Apply (Tab, Tab): taken at once.
e2e_focus "$prefs" || fail "the preferences did not take the keyboard"
xdotool key alt+m ctrl+alt+o Tab Tab space
e2e_wait_for 15 ini_has 'MenuHotkey=Ctrl+Alt+O' || fail "the new shortcut was not stored: $(tr -d '\r' < "$prog/orbel.ini")"
e2e_wait_for 15 note_says 'opens the menu from anywhere' || fail "the preferences do not say the key works: $(note)"
import -window "$prefs" "$out/preferences-taken.png"
! hold $key_o $ctrl_alt || fail "another program could still take Ctrl+Alt+O"
xdotool key Escape
e2e_wait_for 15 e2e_no_window_named "Preferences" || fail "the preferences did not close"

# The key from anywhere: the menu at the pointer, where typing finds and Return starts.
e2e_pointer_to 420 330
e2e_and_wait_window xdotool key ctrl+alt+o || fail "Ctrl+Alt+O opened no menu"
import -window root "$out/menu-by-key.png"
xdotool type --delay 50 record
xdotool key Return
e2e_wait_for 15 test -s "$work/args.txt" || fail "the item chosen in the menu did not start"
[ "$(paste -sd' ' "$work/args.txt")" = "by key" ] || fail "the item started with: $(cat "$work/args.txt")"

# Cleared: nothing stored, and the key is free for others.
e2e_open_kit_entry 2
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not open again"
e2e_focus "$prefs" || fail "the preferences did not take the keyboard"
xdotool key alt+m BackSpace Tab Tab space
e2e_wait_for 15 note_says 'No shortcut' || fail "the preferences do not say there is no shortcut: $(note)"
ini_has 'MenuHotkey=.*' && fail "a cleared shortcut stayed stored"
hold $key_o $ctrl_alt || fail "the cleared shortcut's keys were not let go"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
echo "screenshots in $out"
