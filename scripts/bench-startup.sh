#!/usr/bin/env bash
# The whole program beside jgmenu (a menu program written in C) on the same
# generated trees, on one virtual display with a tray host: time from exec to
# the menu on screen, and resident memory at rest after the menu was opened
# once and closed. Runs alternate between the programs (the order turns each
# round); medians are printed with the ratio to jgmenu.
#   scripts/bench-startup.sh [runs]      5 runs of each by default
# Environment:
#   ORBEL_BENCH_STORES   stores to run, of "10k" (10,000 items in 1,000
#                        folders), "empty", "100k" (100,000 in 10,000);
#                        all three by default
#   ORBEL_BEFORE         another build of the program (an executable) run in
#                        the same alternation, as "before"
#   ORBEL_BENCH_LOG      file that keeps every run's line
# Beside the empty store runs bench/bare_tray, a Qt program with only a tray
# icon and a small menu: what any Qt tray program costs here.
# Also prints the in-process figures of build/bench/startup_bench (the item
# manager's first showing on the 10,000-item store among them).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBEL_BUILD_DIR:-$here/build}
runs=${1:-5}
stores=${ORBEL_BENCH_STORES:-10k empty 100k}
command -v jgmenu >/dev/null || "$here/scripts/deps.sh" bench
for tool in "$build/bench/menu_clock" "$build/bench/startup_bench" "$build/bench/bare_tray" "$build/program/orbel"; do
  [ -x "$tool" ] || { echo "missing $tool: build with scripts/build.sh (scripts/deps.sh bench first)" >&2; exit 1; }
done
source "$here/tests/e2e/lib.sh"
work=$(mktemp -d)
trap 'e2e_stop_all; rm -rf "$work"' EXIT
log=${ORBEL_BENCH_LOG:-$work/runs.log}
: > "$log"

# Every program gets private runtime, home and configuration directories, so
# nothing meets another instance or a user's files.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/rt
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
E2E_HOME=$HOME e2e_start_desktop
# A desktop has a session bus; without one every Qt program would start a
# bus of its own first.
e2e_start_session_bus

# jgmenu as a menu that stays in memory after its first showing, at the
# pointer, with the program's 16-pixel pictures.
cat > "$work/jgmenurc" <<'RC'
stay_alive = 1
tint2_look = 0
position_mode = pointer
icon_size = 16
RC

folders_of() { case $1 in empty) echo 0 ;; 10k) echo 100 ;; 100k) echo 1000 ;; *) echo "unknown store $1" >&2; exit 1 ;; esac; }

programs=(after)
[ -n "${ORBEL_BEFORE:-}" ] && programs+=(before)
for store in $stores; do
  folders=$(folders_of "$store")
  for p in "${programs[@]}"; do
    exe=$build/program/orbel
    [ "$p" = before ] && exe=$ORBEL_BEFORE
    e2e_make_program_dir "$exe" "$build/program" "$work/$store-$p"
    "$build/bench/startup_bench" --write-store "$work/$store-$p" "$folders" >/dev/null
  done
  "$build/bench/startup_bench" --write-jgmenu "$work/$store-after" "$work/$store.csv" "$work/$store-icons"
done

one_run() {
  local store=$1 who=$2 line
  rm -f "$HOME/.jgmenu-lockfile"
  # A run that fails (say, a clock that timed out on a loaded machine) is
  # reported and left out of the medians.
  if [ "$who" = bare ]; then
    line=$("$build/bench/menu_clock" --class bare_tray --tray -- "$build/bench/bare_tray") ||
      { echo "$store $who: run failed" >&2; return 0; }
  elif [ "$who" = jgmenu ]; then
    line=$("$build/bench/menu_clock" --class jgmenu --at 600 400 -- \
      jgmenu --config-file="$work/jgmenurc" --csv-file="$work/$store.csv") || { echo "$store $who: run failed" >&2; return 0; }
  else
    line=$("$build/bench/menu_clock" --class orbel --tray -- "$work/$store-$who/orbel") ||
      { echo "$store $who: run failed" >&2; return 0; }
  fi
  echo "$store $who $line" >> "$log"
}

for run in $(seq 1 "$runs"); do
  for store in $stores; do
    order=("${programs[@]}")
    # The empty store runs beside a bare Qt tray program: the fixed cost.
    if [ "$store" = empty ]; then order+=(bare); else order+=(jgmenu); fi
    # The order turns each round, so no program always runs first or last.
    n=${#order[@]}
    for i in $(seq 0 $((n - 1))); do one_run "$store" "${order[$(( (i + run) % n ))]}"; done
  done
  echo "round $run of $runs done" >&2
done

echo "Load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) cores; $runs runs each"
awk '
  function median(list,   a, n, i, j, t) {
    n = split(list, a, " ")
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] + 0 > a[j] + 0; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  {
    key = $1 " " $2; if (!(key in seen)) { seen[key] = 1; keys[++k] = key }
    for (i = 3; i <= NF; i++) { split($i, kv, "="); v[key, kv[1]] = v[key, kv[1]] " " kv[2] }
  }
  END {
    printf "%-6s %-7s %10s %10s %10s %10s %12s %12s\n", "store", "program", "icon ms", "menu ms", "RSS MiB", "anon MiB", "menu/jgmenu", "RSS/jgmenu"
    for (i = 1; i <= k; i++) {
      split(keys[i], sk, " ")
      icon = median(v[keys[i], "icon_ms"]); menu = median(v[keys[i], "menu_ms"])
      rss = median(v[keys[i], "rss_kib"]) / 1024; anon = median(v[keys[i], "anon_kib"]) / 1024
      j = sk[1] " jgmenu"; rt = "-"; rr = "-"
      if ((j in seen) && sk[2] != "jgmenu") {
        rt = sprintf("%.2f", menu / median(v[j, "menu_ms"]))
        rr = sprintf("%.2f", rss * 1024 / median(v[j, "rss_kib"]))
      }
      printf "%-6s %-7s %10s %10.0f %10.1f %10.1f %12s %12s\n", sk[1], sk[2], icon < 0 ? "-" : sprintf("%.0f", icon), menu, rss, anon, rt, rr
    }
  }' "$log"

echo
echo "In-process (offscreen), build/bench/startup_bench on the 10,000-item store:"
"$build/bench/startup_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null |
  awk '/_median/ { printf "  %-40s %8.1f %s\n", $1, $2, $3 }'
