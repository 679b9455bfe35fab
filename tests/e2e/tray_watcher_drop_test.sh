#!/usr/bin/env bash
# A watcher that forgets the item right after registering it, twice (as
# GNOME's does when it fails to read one): the program registers it again
# until it is listed, and registers nothing more once it is.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin tray_watcher_drop
e2e_require dbus-daemon /usr/bin/python3

e2e_start_display
e2e_start_session_bus
e2e_sni watcher 2 > "$out/watcher.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for 30 e2e_sni host || fail "the test's watcher did not start"
"$prog/orbel" > "$out/orbel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
listed() { [ "$(e2e_sni count)" -eq 1 ]; }
e2e_wait_for 60 listed || fail "the item was not registered again after the watcher dropped it: $(cat "$out/watcher.log")"
registrations() { grep -c '^registered' "$out/watcher.log"; }
[ "$(registrations)" -eq 3 ] || fail "registrations: $(cat "$out/watcher.log")"
# Listed: the program looks at the list once more after registering, and
# leaves it at that.
item=$(awk '/^registered/ { print $2; exit }' "$out/watcher.log")
looked_after_last() { awk -v n="$item" '/^registered/ { seen = 0 } $0 == "listed for " n { seen = 1 } END { exit !seen }' "$out/watcher.log"; }
e2e_wait_for 30 looked_after_last || fail "the program did not look whether it is listed: $(cat "$out/watcher.log")"
[ "$(registrations)" -eq 3 ] || fail "registered again while listed: $(cat "$out/watcher.log")"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
