#!/usr/bin/env bash
# KDE Plasma on Wayland (KWin on a virtual output, plasmashell, the program
# on Qt's wayland platform): the icon shows in the System Tray; a left press
# with KWin's test pointer opens Plasma's menu with the program's entries
# (Plasma asks Activate first and draws the menu only when that fails), and
# so does a right press; an item chosen there with the keyboard starts; a
# middle press reaches the program as SecondaryActivate; the menu shortcut,
# registered with Plasma, opens the find window.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
source "$here/plasma_session.sh"
e2e_begin plasma_wayland
e2e_require convert dbus-monitor

plasma_make_store
printf '[General Settings]\r\nMenuHotkey=Ctrl+Alt+O\r\n' > "$prog/orbel.ini"
plasma_start_wayland
e2e_start_a11y
plasma_run_program True

# Left press: Activate, answered with an error, and Plasma's menu.
# shellcheck disable=SC2086
plasma_activate_at $pos || fail "the left press did not reach the program; $(plasma_control)"
e2e_wait_for 15 plasma_menu_open "$out/left-plasma-menu.png" ||
  fail "the left press reached the program (Activate) but opened no menu"
plasma_keys Down Return
plasma_launched "choosing in Plasma's menu"

# Right press: Plasma draws the menu without asking the program.
# shellcheck disable=SC2086
plasma_click $pos 3
e2e_wait_for 15 plasma_menu_open "$out/right-plasma-menu.png" || fail "the right press opened no menu"
plasma_keys Down Return
plasma_launched "choosing in the right press's menu"

plasma_shortcut find
plasma_middle_then_close
