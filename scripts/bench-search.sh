#!/usr/bin/env bash
# Finding by typing, beside fzf (Debian's fzf, --filter) on the same
# captions: first the ranking on the realistic menu of the matcher's tests
# (the meant item's place in our rows and in fzf's), then the time per
# keystroke at 100,000 items, each query typed letter by letter, from the
# key to the shown rows (the best 50 with their folder hints), with
# fzf --filter timed on the whole queries in the same run.
#   scripts/bench-search.sh [rounds]     each query typed 20 times by default
# The last line: "search at 100000 items: median X ms, p99 Y ms per
# keystroke; fzf --filter: Z ms".
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBEL_BUILD_DIR:-$here/build}
rounds=${1:-20}
command -v fzf >/dev/null || "$here/scripts/deps.sh" bench
bench=$build/bench/search_bench
[ -x "$bench" ] || { echo "missing $bench: build with scripts/build.sh (scripts/deps.sh bench first)" >&2; exit 1; }
echo "fzf $(fzf --version | head -n 1); $(nproc) processors; load $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "== ranking on the realistic menu"
"$bench" --ranks
echo
echo "== building the index"
"$bench" --benchmark_filter=BM_BuildIndex --benchmark_min_time=0.5 2>/dev/null | grep BM_
echo
echo "== per keystroke at 100000 items"
"$bench" --keystrokes "$rounds"
