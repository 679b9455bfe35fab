#!/usr/bin/env bash
# KDE Plasma on X11 (KWin, plasmashell with its default panel): the icon
# shows in the System Tray; a left press with the real pointer opens the
# program's own popup at the pointer, in its own drawing, and an item chosen
# there starts; a right press opens Plasma's menu with the same entries and
# choosing there starts the item too; a middle press reaches the program as
# SecondaryActivate; "Close" from the exported menu ends it.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
source "$here/plasma_session.sh"
e2e_begin plasma_x11
e2e_require convert dbus-monitor

e2e_make_recorder "$work"
mkdir -p "$prog/shortcuts"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n' "$work/record-args" \
  > "$prog/shortcuts/shortcuts.txt"
# The program's own drawing, so its popup is told from Plasma's menu.
printf '[Font Settings]\r\nWindowsDraw=0\r\n' > "$prog/orbel.ini"
printf 'one\ntwo words\nthree\n' > "$work/expected.txt"

plasma_start_x11
plasma_watch_calls
"$prog/orbel" > "$out/orbel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
e2e_sni wait-item 30 > /dev/null || fail "the item was not registered with Plasma's watcher; $(plasma_control)"
[ "$(e2e_sni prop ItemIsMenu)" = "False" ] || fail "on X11 the item must ask the program on a left press"
e2e_wait_for 30 plasma_icon_in_panel "$work/shot.png" || fail "the icon is not in the System Tray; $(plasma_control)"
pos=$(plasma_icon_in_panel "$out/tray.png")

launched() {
  e2e_wait_for 15 test -s "$work/args.txt" || fail "$1 did not start the item"
  diff -u "$work/expected.txt" "$work/args.txt" || fail "$1 started the item with other parameters"
  rm -f "$work/args.txt"
}

# Left press: Plasma asks the program (Activate), which opens its own popup
# at the pointer; its dark blue highlight shows it is the program's drawing.
windows=$(e2e_window_count)
# shellcheck disable=SC2086
plasma_activate_at $pos || fail "the left press did not reach the program; $(plasma_control)"
e2e_wait_for 15 e2e_shows_more_than "$windows" || fail "the left press opened no popup"
xdotool key Down
own_highlight() { import -window root "$out/left-own-popup.png" && e2e_find_colour "$out/left-own-popup.png" 1024x768+0+0 0 0 128 8; }
e2e_wait_for 15 own_highlight || fail "the left press's popup is not the program's own drawing"
xdotool key Return
launched "choosing in the program's popup"

# Right press: Plasma draws the exported menu itself.
# shellcheck disable=SC2086
plasma_click $pos 3
e2e_wait_for 15 plasma_menu_open "$out/right-plasma-menu.png" || fail "the right press opened no menu in Plasma"
xdotool key Down Return
launched "choosing in Plasma's menu"

# Middle press: SecondaryActivate, which opens nothing.
before=$(plasma_calls_to SecondaryActivate)
# shellcheck disable=SC2086
plasma_click $pos 2
e2e_wait_for 15 plasma_called_more_than SecondaryActivate "$before" || fail "the middle press did not reach the program"

e2e_sni click Close
e2e_wait_gone "$pid" || fail "Close from the exported menu did not end the program"
echo "screenshots in $out"
