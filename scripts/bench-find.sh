#!/usr/bin/env bash
# Opening the find window by the command: the program runs with the
# generated 10,000-item store on a virtual display with a tray host and a
# session bus; once its icon is there, `orbel --find x` is timed from exec
# to the find window mapped (build/bench/find_clock), Escape hiding it
# between runs. The first run also makes the window and builds the search
# index; the median and the maximum are of all runs.
#   scripts/bench-find.sh [runs]      20 by default
# Its last line: "find window by the command at 10000 items: first F ms,
# median M ms, max X ms over N runs".
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBEL_BUILD_DIR:-$here/build}
runs=${1:-20}
for tool in "$build/bench/find_clock" "$build/bench/startup_bench" "$build/program/orbel"; do
  [ -x "$tool" ] || { echo "missing $tool: build with scripts/build.sh (scripts/deps.sh bench first)" >&2; exit 1; }
done
source "$here/tests/e2e/lib.sh"
work=$(mktemp -d)
trap 'e2e_stop_all; rm -rf "$work"' EXIT
out=$work
fail() { echo "bench-find: $*" >&2; exit 1; }

# Private runtime, home and configuration directories: nothing meets
# another instance or a user's files.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/rt
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
E2E_HOME=$HOME e2e_start_desktop
e2e_start_session_bus

prog=$work/prog
e2e_make_program_dir "$build/program/orbel" "$build/program" "$prog"
"$build/bench/startup_bench" --write-store "$prog" 100 > /dev/null
"$prog/orbel" > "$work/orbel.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_tray_icon || fail "the program showed no tray icon"

"$build/bench/find_clock" --name "Tandrel Orbel - Find" --runs "$runs" -- "$prog/orbel" --find x > "$work/runs.txt" ||
  fail "the clock failed"
echo "Load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) cores"
sed 's/^/  /' "$work/runs.txt"
awk '
  { split($2, a, "="); v[++n] = a[2] + 0; if (n == 1) first = a[2] + 0 }
  END {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    median = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    printf "find window by the command at 10000 items: first %.1f ms, median %.1f ms, max %.1f ms over %d runs\n",
      first, median, v[n], n
  }' "$work/runs.txt"
