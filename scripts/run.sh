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

if [ -n "${WAYLAND_DISPLAY:-}" ] || { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
  exec "$exe"
fi

# shellcheck source=tests/e2e/lib.sh
source "$here/tests/e2e/lib.sh"
# The desktop's helpers keep their logs in $out.
out="$build/run-artifacts"
mkdir -p "$out"
# Ctrl+C reaches the script; what it started (in the background, so not
# interrupted itself) ends with it.
trap 'exit 130' INT TERM
trap 'e2e_stop_all' EXIT
# A session bus of its own, or the first D-Bus client would start one that
# outlives the script.
e2e_start_session_bus
e2e_start_desktop
"$exe" > "$out/orbel.log" 2>&1 &
prog=$!
E2E_PIDS+=("$prog")
e2e_wait_tray_icon || fail "the tray icon did not appear"
e2e_open_tray_menu 1 || fail "the tray menu did not open"
shot="$out/tray-menu.png"
import -window root "$shot"
echo "Screenshot of the open tray menu: $shot"
xdotool key Escape
echo "Tandrel Orbel runs on virtual display $DISPLAY (pid $prog); press Ctrl+C to stop."
wait "$prog"
