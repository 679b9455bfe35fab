#!/usr/bin/env bash
# Typing into the open tray menu, as a person does: a few letters find an
# item three folders deep, Return starts it with exactly its parameters;
# the same typed into an open folder.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin menu_find
e2e_require xdotool import xwininfo

e2e_make_recorder "$work"
mkdir -p "$prog/shortcuts/Work/Papers/Old"
# At the top, entries the search must put aside, one of them the same
# program with other parameters.
printf '^ExeLnk|%s|wrong one|record-args.bmp|Record arguments\r\n^NorSep|\r\n^Folder|Work\r\n^UnkLnk|%s|txt|A document\r\n^UnkLnk|%s|txt|Another document\r\n' \
  "$work/record-args" "$work/doc.txt" "$work/doc2.txt" > "$prog/shortcuts/shortcuts.txt"
printf '^Folder|Papers\r\n' > "$prog/shortcuts/Work/shortcuts.txt"
printf '^Folder|Old\r\n' > "$prog/shortcuts/Work/Papers/shortcuts.txt"
printf '^ExeLnk|%s|track "big box" 42|record-args.bmp|Parcel tracker\r\n' \
  "$work/record-args" > "$prog/shortcuts/Work/Papers/Old/shortcuts.txt"

e2e_start_desktop
e2e_run_program

e2e_open_tray_menu 1 || fail "the tray menu did not open"
e2e_wait_for 15 test "$(e2e_menu_extent Height)" -gt 0 || fail "no menu to measure"
normal=$(e2e_menu_extent Height)
import -window root "$out/menu.png"
menu_changed() { [ "$(e2e_menu_extent Height)" != "$normal" ]; }

# The rows take the place of the entries: the menu's height follows.
xdotool type --delay 50 parc
e2e_wait_for 15 menu_changed || fail "typing did not change the menu"
import -window root "$out/menu-found.png"
xdotool key Return
e2e_wait_for 15 test -s "$work/args.txt" || fail "the item did not start"
printf 'track\nbig box\n42\n' > "$work/expected.txt"
diff -u "$work/expected.txt" "$work/args.txt" || fail "another item or other parameters started"

# Esc gives the normal entries back with the menu still open, a second Esc closes it.
rm -f "$work/args.txt"
e2e_open_tray_menu 1 || fail "the tray menu did not open again"
e2e_wait_for 15 test "$(e2e_menu_extent Height)" = "$normal" || fail "the menu opened again with the rows"
xdotool type --delay 50 parc
e2e_wait_for 15 menu_changed || fail "typing did not change the menu again"
xdotool key Escape
e2e_wait_for 15 test "$(e2e_menu_extent Height)" = "$normal" || fail "Esc did not give the entries back"
e2e_close_menus || fail "a second Esc did not close the menu"
[ ! -e "$work/args.txt" ] || fail "Esc started something"

# Typed into an open folder ("Work", with its "Papers"): the folder closes,
# the search is of the whole tree, at the top.
e2e_open_tray_menu 1 || fail "the tray menu did not open a third time"
with_menu=$(e2e_window_count)
e2e_and_wait_window xdotool key Down Down Right || fail "the folder did not open"
import -window root "$out/folder.png"
xdotool type --delay 50 parc
menu_alone() { [ "$(e2e_window_count)" -eq "$with_menu" ]; }
e2e_wait_for 15 menu_alone || fail "the folder stayed open"
e2e_wait_for 15 menu_changed || fail "typing into the folder did not change the menu"
import -window root "$out/menu-found-from-folder.png"
xdotool key Return
e2e_wait_for 15 test -s "$work/args.txt" || fail "the item found from the folder did not start"
diff -u "$work/expected.txt" "$work/args.txt" || fail "another item or other parameters started from the folder"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
echo "screenshots in $out"
