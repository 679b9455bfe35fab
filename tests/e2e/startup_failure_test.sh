#!/usr/bin/env bash
# A start-up that cannot go on (here: the store directory cannot be made,
# because a file stands in its place) ends the process with a message on
# standard error and a non-zero exit status, not with a hang or a crash.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin startup_failure
echo "not a directory" > "$prog/shortcuts"
set +e
QT_QPA_PLATFORM=offscreen timeout 30 "$prog/orbel" > "$work/out.txt" 2> "$work/err.txt"
rc=$?
set -e
[ "$rc" -ne 0 ] || fail "start-up failure ended with status 0"
[ "$rc" -ne 124 ] || fail "the program hung instead of ending"
[ "$rc" -lt 128 ] || fail "the program crashed (status $rc)"
grep -q "orbel: start-up failed: .*shortcuts" "$work/err.txt" || { cat "$work/err.txt"; fail "no clear message on standard error"; }
[ -f "$prog/shortcuts" ] || fail "the file in the store's place was touched"
