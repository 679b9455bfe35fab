#!/usr/bin/env bash
# The command a desktop binds to a key: help and mistakes answered without
# a display, requests taken by the running program on the session bus and
# through its socket, and a request that starts the program when none runs.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin command_line
e2e_require dbus-daemon dbus-send /usr/bin/python3

mkdir -p "$prog/shortcuts"
e2e_make_recorder "$work"
printf '^UnkLnk|%s|txt|A document\r\n^ExeLnk|%s|one "two words"|record-args.bmp|Record arguments\r\n' \
  "$work/doc.txt" "$work/record-args" > "$prog/shortcuts/shortcuts.txt"

# Help, and a mistake, with no display at all.
(unset DISPLAY WAYLAND_DISPLAY; "$prog/orbel" --help > "$out/help.txt" 2> "$out/help-err.txt") ||
  fail "orbel --help did not end with 0"
for option in --menu '--find \[TEXT\]' --manager --help; do
  grep -q -- "$option" "$out/help.txt" || fail "the help does not list $option"
done
[ ! -s "$out/help-err.txt" ] || fail "orbel --help wrote to standard error"

# A bad option: 2, and one line on standard error naming it (again below
# with a program running).
bad_option() {
  local rc=0
  "$prog/orbel" --no-such-option > "$out/bad.txt" 2> "$out/bad-err.txt" || rc=$?
  [ "$rc" -eq 2 ] || fail "a bad option ended with $rc, not 2"
  [ "$(wc -l < "$out/bad-err.txt")" -eq 1 ] || fail "a bad option wrote $(wc -l < "$out/bad-err.txt") lines to standard error"
  grep -q -- '--no-such-option' "$out/bad-err.txt" || fail "the error does not name the option"
  [ ! -s "$out/bad.txt" ] || fail "a bad option wrote to standard output"
}
(unset DISPLAY WAYLAND_DISPLAY; bad_option)

e2e_start_session_bus
# The find window is read below as a screen reader reads it.
e2e_start_a11y
e2e_start_desktop
on_bus() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.tandrel.Orbel | grep -q 'boolean true'
}
e2e_run_program
e2e_wait_for 30 on_bus || fail "the program took no name on the session bus"
[ -S "$XDG_RUNTIME_DIR/{EC026F81-E509-4559-8445-CD9A237072F0}.socket" ] ||
  fail "no socket beside the lock in $XDG_RUNTIME_DIR"

# A bad option leaves the running program as it was.
before=$(e2e_window_count)
bad_option
kill -0 "$pid" 2>/dev/null || fail "the program ended after a bad option"
[ "$(e2e_window_count)" -eq "$before" ] || fail "a bad option changed what the program shows"

# A plain second start still ends silently.
"$prog/orbel" > "$out/second.log" 2>&1 || fail "the second instance failed"
[ ! -s "$out/second.log" ] || fail "the second instance said something"
[ "$(e2e_window_count)" -eq "$before" ] || fail "the second instance changed what the program shows"

# A window of the program whose top left corner is at X,Y: the menu opened
# at the pointer.
window_at() {
  local id
  for id in $(xdotool search --onlyvisible --class '^tandrel-orbel$' 2>/dev/null); do
    xdotool getwindowgeometry "$id" | grep -q "Position: $1,$2 " && return 0
  done
  return 1
}

# --menu through the socket (no session bus for this start): the menu opens
# at the pointer.
e2e_pointer_to 400 300
e2e_and_wait_window env DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" "$prog/orbel" --menu 2> "$out/menu-socket.log" ||
  fail "orbel --menu opened no menu"
import -window root "$out/menu.png"
window_at 400 300 || fail "the menu did not open at the pointer"
e2e_close_menus || fail "the menu opened by the command did not close with Esc"

# The same on the session bus, as a desktop's shortcut may call it.
e2e_pointer_to 300 200
e2e_and_wait_window dbus-send --session --print-reply --dest=org.tandrel.Orbel /org/tandrel/Orbel \
  org.tandrel.Orbel.Menu || fail "the Menu method opened no menu"
import -window root "$out/menu-bus.png"
window_at 300 200 || fail "the menu did not open at the pointer"
e2e_close_menus || fail "the menu opened on the bus did not close with Esc"

# --manager (on the session bus, where the program is): the item manager.
"$prog/orbel" --manager > "$out/manager.log" 2>&1 || fail "orbel --manager failed: $(cat "$out/manager.log")"
e2e_visible_window "Tandrel Orbel - Manage Items" > /dev/null || fail "orbel --manager opened no item manager"
import -window root "$out/manager.png"
# --find with words: the find window with them typed in, the keyboard
# there, and Return starts the best match with its parameters.
"$prog/orbel" --find "record arg" > "$out/find.log" 2>&1 || fail "orbel --find failed: $(cat "$out/find.log")"
find_window=$(e2e_visible_window "Tandrel Orbel - Find") || fail "orbel --find opened no find window"
e2e_focus "$find_window" || fail "the find window did not take the keyboard"
# On the accessibility bus: the words in its text box, and one row in the
# list "Results", named with the item's caption first.
find_results() { /usr/bin/python3 "$here/a11y.py" results "Tandrel Orbel - Find"; }
one_result() { [ "$(find_results | wc -l)" -eq 1 ] && find_results | grep -q '^Record arguments'; }
e2e_wait_for 15 one_result || fail "the find window's results are: $(find_results 2>&1 | paste -sd '|' -)"
[ "$(/usr/bin/python3 "$here/a11y.py" text "Tandrel Orbel - Find" Find)" = "record arg" ] ||
  fail "the find window's text box does not hold the words"
import -window root "$out/find.png"
xdotool key Return
e2e_wait_for 15 test -s "$work/args.txt" || fail "Return in the find window started nothing"
printf 'one\ntwo words\n' | diff -u - "$work/args.txt" || fail "the found item got other parameters"
e2e_wait_for 15 e2e_no_window_named "Tandrel Orbel - Find" || fail "the find window stayed after the launch"
kill -0 "$pid" 2>/dev/null || fail "the program ended"

# With no program running the command starts it and does what it asks.
kill "$pid"
e2e_wait_gone "$pid" || fail "the program did not end"
e2e_wait_for 15 e2e_no_window_named "Tandrel Orbel - Manage Items" || fail "the item manager stayed"
"$prog/orbel" --manager > "$out/started.log" 2>&1 &
started=$!
E2E_PIDS+=("$started")
e2e_visible_window "Tandrel Orbel - Manage Items" > /dev/null || fail "orbel --manager did not start the program with its manager"
e2e_wait_tray_icon || fail "the program started by the command has no tray icon"
import -window root "$out/started-manager.png"
kill -0 "$started" 2>/dev/null || fail "the program started by the command ended"
# It holds the lock as any start does.
"$prog/orbel" > "$out/second-again.log" 2>&1 || fail "a second instance failed"
[ ! -s "$out/second-again.log" ] || fail "the second instance said something"
kill -0 "$started" 2>/dev/null || fail "the program started by the command ended"
echo "screenshots in $out"
