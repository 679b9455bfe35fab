#!/usr/bin/env bash
# The icon comes back when the tray host restarts, and still opens the menu.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin tray_host_restart

mkdir -p "$prog/shortcuts"
printf '^SpeSep|Still here\r\n' > "$prog/shortcuts/shortcuts.txt"
e2e_start_desktop
e2e_run_program

# Restart the tray host (icewm is window manager and tray at once).
kill "$icewm_pid"; wait "$icewm_pid" 2>/dev/null || true
tray_gone() { ! e2e_xembed_tray_ready && ! e2e_in_xembed_tray; }
e2e_wait_for 15 tray_gone || fail "the tray host did not go away"
e2e_start_icewm
e2e_wait_tray_icon || fail "the icon did not come back after the tray host restarted"
kill -0 "$pid" 2>/dev/null || fail "the program ended with the tray host"
e2e_open_tray_menu 1 || fail "the menu did not open after the restart"
import -window root "$out/menu-after-restart.png"
xdotool key Escape
echo "screenshot in $out"
