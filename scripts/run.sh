#!/usr/bin/env bash
# Builds the program and starts it. Without a display (a server, CI) it starts
# a virtual display with a tray host, opens the tray menu once, saves a
# screenshot, prints its path and keeps running until interrupted.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
build=${ORBEL_BUILD_DIR:-$here/build}
exe="$build/program/orbel"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$exe"
fi

# shellcheck source=tests/e2e/lib.sh
source "$here/tests/e2e/lib.sh"
artifacts="$build/run-artifacts"
mkdir -p "$artifacts"
e2e_start_desktop
trap 'e2e_stop_all' EXIT INT TERM
"$exe" > "$artifacts/orbel.log" 2>&1 &
prog=$!
E2E_PIDS+=("$prog")
e2e_wait_tray_icon || { echo "the tray icon did not appear" >&2; exit 1; }
e2e_click_tray 1
sleep 1
shot="$artifacts/tray-menu.png"
import -window root "$shot"
echo "Screenshot of the open tray menu: $shot"
xdotool key Escape
echo "Tandrel Orbel runs on virtual display $DISPLAY (pid $prog); press Ctrl+C to stop."
wait "$prog"
