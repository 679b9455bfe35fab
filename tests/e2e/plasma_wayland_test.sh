#!/usr/bin/env bash
# KDE Plasma on Wayland (KWin on a virtual output, plasmashell, the program
# on Qt's wayland platform): the icon shows in the System Tray; a left press
# with KWin's test pointer opens Plasma's menu with the program's entries
# (Plasma asks Activate first and draws the menu only when that fails), and
# so does a right press; an item chosen there with the keyboard starts; a
# middle press reaches the program as SecondaryActivate.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
source "$here/plasma_session.sh"
e2e_begin plasma_wayland
e2e_require convert dbus-monitor

e2e_make_recorder "$work"
mkdir -p "$prog/shortcuts"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n' "$work/record-args" \
  > "$prog/shortcuts/shortcuts.txt"

plasma_start_wayland
plasma_watch_calls
"$prog/orbel" > "$out/orbel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
e2e_sni wait-item 30 > /dev/null || fail "the item was not registered with Plasma's watcher; $(plasma_control)"
[ "$(e2e_sni prop ItemIsMenu)" = "True" ] || fail "on Wayland the item must be a menu"
e2e_wait_for 30 plasma_icon_in_panel "$work/shot.png" || fail "the icon is not in the System Tray; $(plasma_control)"
pos=$(plasma_icon_in_panel "$out/tray.png")

# Left press: Activate, answered with an error, and Plasma's menu.
# shellcheck disable=SC2086
plasma_activate_at $pos || fail "the left press did not reach the program; $(plasma_control)"
e2e_wait_for 15 plasma_menu_open "$out/left-plasma-menu.png" ||
  fail "the left press reached the program (Activate) but opened no menu"
plasma_keys Down Return
e2e_wait_for 15 test -s "$work/args.txt" || fail "choosing in Plasma's menu did not start the item"
printf 'one\ntwo words\nthree\n' > "$work/expected.txt"
diff -u "$work/expected.txt" "$work/args.txt" || fail "the item got other parameters"
rm "$work/args.txt"

# Right press: Plasma draws the menu without asking the program.
# shellcheck disable=SC2086
plasma_click $pos 3
e2e_wait_for 15 plasma_menu_open "$out/right-plasma-menu.png" || fail "the right press opened no menu"
plasma_keys Down Return
e2e_wait_for 15 test -s "$work/args.txt" || fail "choosing in the right press's menu did not start the item"
diff -u "$work/expected.txt" "$work/args.txt" || fail "the item got other parameters from the right press's menu"

# Middle press: SecondaryActivate.
before=$(plasma_calls_to SecondaryActivate)
# shellcheck disable=SC2086
plasma_click $pos 2
e2e_wait_for 15 plasma_called_more_than SecondaryActivate "$before" || fail "the middle press did not reach the program"

e2e_sni click Close
e2e_wait_gone "$pid" || fail "Close from the exported menu did not end the program"
echo "screenshots in $out"
