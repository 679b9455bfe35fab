#!/usr/bin/env bash
# No tray at start, then trays arriving late, in both orders: the program
# says once that there is no notification area and keeps waiting; its icon
# goes to the first tray that comes (the box closes), moves to the D-Bus
# host when one is there, falls back to the XEmbed tray when that host
# goes, and is never in both at once.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin tray_late_host
e2e_require lxqt-panel icewm dbus-daemon xdotool /usr/bin/python3
mkdir -p "$prog/shortcuts"
printf '^SpeSep|Still here\r\n' > "$prog/shortcuts/shortcuts.txt"

notice_shown() { xdotool search --onlyvisible --name '^Tandrel Orbel$' >/dev/null 2>&1; }
notice_gone() { ! notice_shown; }
out_of_xembed_tray() { ! e2e_in_xembed_tray; }
# Exactly one item: Qt's own D-Bus tray never shows a second icon.
in_sni_host() { [ "$(e2e_sni count 2>/dev/null)" = 1 ]; }
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }
start_program() {
  "$prog/orbel" >> "$out/orbel.log" 2>&1 &
  pid=$!
  E2E_PIDS+=("$pid")
  e2e_wait_for 30 notice_shown || fail "$1: no box said that there is no notification area"
  import -window root "$out/$1-no-tray.png"
  kill -0 "$pid" 2>/dev/null || fail "$1: the program ended without a tray"
}

e2e_start_display
e2e_start_session_bus

# 1. The D-Bus host comes first, the XEmbed tray after it.
start_program sni-first
e2e_start_sni_panel
e2e_wait_for 30 in_sni_host || fail "the icon did not go to the late D-Bus host"
e2e_wait_for 15 notice_gone ||
  fail "the box stayed open after the tray arrived"
e2e_start_icewm
# The program looks for the tray every second: watched over its next two
# looks, the icon must not show up there.
e2e_wait_for 3 e2e_in_xembed_tray && fail "the icon is in both trays"
import -window root "$out/sni-first-both.png"
stop "$panel_pid"
e2e_wait_for 30 e2e_in_xembed_tray || fail "the icon did not move to the XEmbed tray when the D-Bus host went"
e2e_open_tray_menu 1 || fail "the moved icon opened no menu"
import -window root "$out/sni-first-xembed-menu.png"
xdotool key Escape
e2e_start_sni_panel
e2e_wait_for 30 in_sni_host || fail "the icon did not come back to the restarted D-Bus host"
e2e_wait_for 15 out_of_xembed_tray ||
  fail "the icon stayed in the XEmbed tray as well"
stop "$pid"
stop "$panel_pid"
stop "$icewm_pid"

# 2. The XEmbed tray comes first, the D-Bus host after it.
start_program xembed-first
e2e_start_icewm
e2e_wait_for 30 e2e_in_xembed_tray || fail "the icon did not go to the late XEmbed tray"
e2e_wait_for 15 notice_gone ||
  fail "the box stayed open after the XEmbed tray arrived"
import -window root "$out/xembed-first.png"
e2e_start_sni_panel
e2e_wait_for 30 in_sni_host || fail "the icon did not move to the D-Bus host that came later"
e2e_wait_for 15 out_of_xembed_tray ||
  fail "the icon stayed in the XEmbed tray as well"
import -window root "$out/xembed-first-then-sni.png"
[ "$(e2e_sni count)" = 1 ] || fail "the host shows $(e2e_sni count) items of the program"
echo "screenshots in $out"
