#!/usr/bin/env bash
# KDE Plasma on X11 (KWin, plasmashell with its default panel): the icon
# shows in the System Tray; a left press with the real pointer opens the
# program's own popup at the pointer, in its own drawing, and an item chosen
# there starts; a right press opens Plasma's menu with the same entries and
# choosing there starts the item too; a middle press reaches the program as
# SecondaryActivate; the menu shortcut, registered with Plasma, opens the
# popup; "Close" from the exported menu ends it.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
source "$here/plasma_session.sh"
e2e_begin plasma_x11
e2e_require convert dbus-monitor

plasma_make_store
# The program's own drawing, so its popup is told from Plasma's menu.
printf '[General Settings]\r\nMenuHotkey=Ctrl+Alt+O\r\n[Font Settings]\r\nWindowsDraw=0\r\n' > "$prog/orbel.ini"
plasma_start_x11
plasma_run_program False

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
plasma_launched "choosing in the program's popup"

# Right press: Plasma draws the exported menu itself.
# shellcheck disable=SC2086
plasma_click $pos 3
e2e_wait_for 15 plasma_menu_open "$out/right-plasma-menu.png" || fail "the right press opened no menu in Plasma"
xdotool key Down Return
plasma_launched "choosing in Plasma's menu"

plasma_shortcut popup
plasma_middle_then_close
