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
wm=${E2E_PIDS[1]}
kill "$wm"; wait "$wm" 2>/dev/null || true
sleep 1
icewm >/dev/null 2>&1 &
E2E_PIDS+=($!)
sleep 2
e2e_wait_tray_icon || fail "the icon did not come back after the tray host restarted"
kill -0 "$pid" 2>/dev/null || fail "the program ended with the tray host"
e2e_click_tray 1
sleep 1
import -window root "$out/menu-after-restart.png"
n=$(xdotool search --onlyvisible --class orbel 2>/dev/null | wc -l)
[ "$n" -ge 2 ] || fail "the menu did not open after the restart"
xdotool key Escape
echo "screenshot in $out"
