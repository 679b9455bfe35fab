#!/usr/bin/env bash
# The item manager as a person uses it with the keyboard: open it from the
# tray menu, rename an item in the name box, Save, Close, and find the new
# name in the store and in the tray menu (which grows to hold the longer
# caption). A click on the tray icon right behind Close lands while the
# store reloads: it may open nothing, but every click after the reload
# opens the menu. Screenshots of every step are kept.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin manager_save

mkdir -p "$prog/shortcuts"
printf '^UnkLnk|%s|txt|Ab\r\n^NorSep|\r\n' "$work/doc.txt" > "$prog/shortcuts/shortcuts.txt"
new_name="A much longer caption"

e2e_start_desktop
e2e_run_program
idle=$(e2e_window_count)

e2e_open_tray_menu 1 || fail "the tray menu did not open"
import -window root "$out/tray-menu-before.png"
width_before=$(e2e_menu_extent Width)
[ "$width_before" -gt 30 ] || fail "the tray menu is $width_before pixels wide"
e2e_close_menus || fail "the tray menu did not close"
e2e_open_kit_entry 1
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open"
e2e_focus "$manager" || fail "the item manager did not take the keyboard"
import -window root "$out/manager-opened.png"

# The tree has the focus on its top marker: the next node is the item; the
# name box follows the tree in the tab order.
xdotool key Down Tab ctrl+a
xdotool type --delay 40 "$new_name"
import -window root "$out/manager-renamed.png"
xdotool key alt+a
e2e_wait_file_has "$prog/shortcuts/shortcuts.txt" "$new_name" || fail "Save did not write the new name"
import -window root "$out/manager-saved.png"
printf '^UnkLnk|%s|txt|%s\r\n^NorSep|\r\n' "$work/doc.txt" "$new_name" > "$work/expected.txt"
cmp -s "$work/expected.txt" "$prog/shortcuts/shortcuts.txt" ||
  fail "the store holds: $(cat -A "$prog/shortcuts/shortcuts.txt")"
[ ! -e "$prog/item_bak" ] || fail "the backup stayed after a successful save"

# Before the manager closes, the menu still shows the store as loaded.
# "&Launch" and "C&lose" share their letter; Esc is the key that closes.
# The click follows in the same breath, as a hurried hand gives it.
icon=$(e2e_tray_icon_centre)
# shellcheck disable=SC2086
xdotool key Escape mousemove $icon click 1
e2e_wait_for 15 e2e_no_window_named "Manage Items" || fail "Close left the manager open"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
import -window root "$out/click-during-reload.png"
if e2e_shows_more_than "$idle"; then e2e_close_menus || fail "the menu opened during the reload did not close"; fi

e2e_open_tray_menu 1 || fail "the tray menu did not open after the reload"
import -window root "$out/tray-menu-after.png"
width_after=$(e2e_menu_extent Width)
echo "menu width before $width_before, after $width_after"
[ "$width_after" -gt "$width_before" ] || fail "the tray menu did not take the new caption ($width_before -> $width_after)"
e2e_close_menus || fail "the tray menu did not close"
# And every click after it: one press, one menu.
for n in 1 2; do
  e2e_and_wait_window e2e_click_tray 1 || fail "click $n after the reload opened no menu"
  e2e_close_menus || fail "the tray menu did not close"
done
kill -0 "$pid" 2>/dev/null || fail "the program ended"
cp "$prog/errorlog.txt" "$out/" 2>/dev/null || true
echo "screenshots in $out"
