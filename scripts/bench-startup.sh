#!/usr/bin/env bash
# The whole program on the generated 10,000-item store: time from exec to the
# tray icon answering (the first press that opens the menu), and resident
# memory at rest. Runs under a virtual display with a tray host.
#   scripts/bench-startup.sh [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBEL_BUILD_DIR:-$here/build}
runs=${1:-5}
source "$here/tests/e2e/lib.sh"
work=$(mktemp -d)
trap 'e2e_stop_all; rm -rf "$work"' EXIT
e2e_make_program_dir "$build/program/orbel" "$build/program" "$work/prog"
"$build/bench/startup_bench" --write-store "$work/prog"
e2e_start_desktop

menu_visible() {
  # The popup is a visible top-level window of the program besides its tray icon.
  [ "$(xdotool search --onlyvisible --class orbel 2>/dev/null | wc -l)" -gt "$1" ]
}

for run in $(seq 1 "$runs"); do
  t0=$(date +%s%N)
  "$work/prog/orbel" >/dev/null 2>&1 &
  pid=$!
  until pos=$(e2e_tray_icon_centre) && [ -n "$pos" ]; do sleep 0.005; done
  base=$(xdotool search --onlyvisible --class orbel 2>/dev/null | wc -l)
  # shellcheck disable=SC2086
  xdotool mousemove $pos
  until menu_visible "$base"; do xdotool click 1; sleep 0.01; done
  t1=$(date +%s%N)
  xdotool key Escape
  sleep 2
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  echo "run $run: exec to tray answering $(( (t1 - t0) / 1000000 )) ms, resident at rest $(( rss / 1024 )) MiB"
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
