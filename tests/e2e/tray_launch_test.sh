#!/usr/bin/env bash
# The main road, as a person walks it: the icon in the tray, the menu at the
# pointer, an item started with exactly its stored parameters, one instance
# only, Close, and a new start after it.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin tray_launch

e2e_make_recorder "$work"
mkdir -p "$prog/shortcuts/Tools"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n^NorSep|\r\n^Folder|Tools\r\n^SpeSep|Text caption\r\n' \
  "$work/record-args" > "$prog/shortcuts/shortcuts.txt"
printf '^UnkLnk|%s|txt|A document\r\n' "$work/doc.txt" > "$prog/shortcuts/Tools/shortcuts.txt"

e2e_start_desktop
"$prog/orbel" > "$out/first.log" 2>&1 &
first=$!
E2E_PIDS+=("$first")
e2e_wait_tray_icon || fail "no tray icon appeared"

# A second instance ends at once, without a window.
"$prog/orbel" > "$out/second.log" 2>&1 &
second=$!
e2e_wait_gone "$second" || fail "the second instance kept running"
wait "$second" || fail "the second instance failed"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"

# The menu opens at the pointer; the first entry is the script item.
e2e_open_tray_menu 1 || fail "the tray menu did not open"
import -window root "$out/tray-menu.png"
xdotool key Down Return
e2e_wait_for 15 test -s "$work/args.txt" || fail "the item did not start"
printf 'one\ntwo words\nthree\n' > "$work/expected.txt"
diff -u "$work/expected.txt" "$work/args.txt" || fail "the item got other parameters"

# The right button opens the same menu; "Close" is its last entry.
e2e_open_tray_menu 3 || fail "the right button opened no menu"
import -window root "$out/tray-menu-right.png"
xdotool key Up Return
e2e_wait_gone "$first" || fail "Close did not end the program"

# After Close a new start works.
"$prog/orbel" > "$out/third.log" 2>&1 &
third=$!
E2E_PIDS+=("$third")
e2e_wait_tray_icon || fail "no tray icon after a new start"
kill -0 "$third" 2>/dev/null || fail "the new start ended"
e2e_open_tray_menu 1 || fail "the tray menu did not open after a new start"
import -window root "$out/tray-menu-again.png"
xdotool key Escape
kill "$third"
echo "screenshots in $out"
