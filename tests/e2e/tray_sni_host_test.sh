#!/usr/bin/env bash
# A tray that speaks StatusNotifierItem (lxqt-panel's host, in its own
# session bus): the icon shows under the product's name without a tip, the
# host's right press shows the user's menu from the program and choosing
# an item there starts it with its parameters; after Save and Close in the
# item manager (opened from the host's menu), with the host's press right
# behind Close, the exported menu and a left press still work; a left
# press opens the program's own popup with its own drawing; that popup,
# opened by the host's Activate or by `orbel --menu`, takes typing and
# starts an item three folders deep; "Close" works from the host.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin tray_sni_host
e2e_require lxqt-panel dbus-daemon xdotool convert /usr/bin/python3

e2e_make_recorder "$work"
mkdir -p "$prog/shortcuts/Tools/Papers/Old"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n^NorSep|\r\n^Folder|Tools\r\n^SpeSep|Text caption\r\n' \
  "$work/record-args" > "$prog/shortcuts/shortcuts.txt"
printf '^ExeLnk|%s|in folder|x.bmp|Nested item\r\n^Folder|Papers\r\n' "$work/record-args" > "$prog/shortcuts/Tools/shortcuts.txt"
printf '^Folder|Old\r\n' > "$prog/shortcuts/Tools/Papers/shortcuts.txt"
printf '^ExeLnk|%s|track "big box" 42|record-args.bmp|Parcel tracker\r\n' \
  "$work/record-args" > "$prog/shortcuts/Tools/Papers/Old/shortcuts.txt"
# The program's own drawing, so its popup is told from the host's menu.
printf '[Font Settings]\r\nWindowsDraw=0\r\n' > "$prog/orbel.ini"

e2e_start_display
e2e_start_session_bus
e2e_start_sni_panel
"$prog/orbel" > "$out/orbel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
e2e_sni wait-item 30 > /dev/null || fail "the item was not registered with the host"

[ "$(e2e_sni prop Title)" = "Tandrel Orbel" ] || fail "the item's title is '$(e2e_sni prop Title)'"
[ "$(e2e_sni prop ToolTip)" = "||" ] || fail "the item has a tooltip: $(e2e_sni prop ToolTip)"
[ "$(e2e_sni prop ItemIsMenu)" = "False" ] || fail "on X11 the item must ask the program on a left press"
e2e_sni layout > "$out/layout.txt"
cut -f2- "$out/layout.txt" > "$out/layout-shape.txt"
cat > "$work/expected-layout.txt" <<'LAYOUT'
Record arguments	on	icon	-	standard
---	on	-	-	separator
Tools	on	icon	submenu	standard
  Nested item	on	icon	-	standard
  Papers	on	icon	submenu	standard
    Old	on	icon	submenu	standard
      Parcel tracker	on	icon	-	standard
Text caption	off	-	-	standard
Sysmenu	off	-	-	standard
Orbel Kit	on	icon	submenu	standard
  Help File	on	icon	-	standard
  ---	on	-	-	separator
  Manage Items..	on	icon	-	standard
  Preferences..	on	icon	-	standard
  ---	on	-	-	separator
  Visit Website	on	-	-	standard
  ---	on	-	-	separator
  About..	on	-	-	standard
Close	on	-	-	standard
LAYOUT
diff -u "$work/expected-layout.txt" "$out/layout-shape.txt" || fail "the exported menu differs"

# The icon in the panel: the gold ring of the program's picture.
icon_in_panel() {
  import -window root "$work/shot.png" && e2e_find_colour "$work/shot.png" 1024x40+0+0 255 215 0 > "$work/pos.txt"
}
e2e_wait_for 15 icon_in_panel || fail "the icon is not in the panel"
pos=$(cat "$work/pos.txt")
cp "$work/shot.png" "$out/panel.png"

# Right press: the host's own menu with the user's entries.
panel_windows() { { xdotool search --onlyvisible --class lxqt-panel 2>/dev/null || true; } | wc -l; }
panel_shows_more_than() { [ "$(panel_windows)" -gt "$1" ]; }
before=$(panel_windows)
# shellcheck disable=SC2086
e2e_pointer_to $pos && xdotool click 3
e2e_wait_for 15 panel_shows_more_than "$before" || fail "the right press opened no menu in the host"
import -window root "$out/host-menu.png"
xdotool key Down Return
e2e_wait_for 15 test -s "$work/args.txt" || fail "choosing the item in the host's menu did not start it"
printf 'one\ntwo words\nthree\n' > "$work/expected.txt"
diff -u "$work/expected.txt" "$work/args.txt" || fail "the item got other parameters"

# A choice inside a folder, as a host sends it.
rm -f "$work/args.txt"
e2e_sni click "Tools/Nested item"
e2e_wait_for 15 test -s "$work/args.txt" || fail "the folder's item did not start"
printf 'in\nfolder\n' | diff -u - "$work/args.txt" || fail "the folder's item got other parameters"

# The item manager from the host's menu; Save, then Close with the host's
# press in the same breath: it lands while the store reloads.
e2e_sni click "Orbel Kit/Manage Items.."
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open from the host's menu"
# No window manager here to give it the keyboard.
xdotool windowfocus --sync "$manager"
saved_before=$(stat -c %y "$prog/shortcuts/shortcuts.txt")
store_rewritten() { [ "$(stat -c %y "$prog/shortcuts/shortcuts.txt")" != "$saved_before" ]; }
xdotool key alt+a
e2e_wait_for 15 store_rewritten || fail "Save did not write the store"
xdotool key Escape
e2e_sni activate 5 5
e2e_wait_for 15 e2e_no_window_named "Manage Items" || fail "Close left the manager open"
if e2e_shows_more_than 0; then e2e_close_menus || fail "the popup opened during the reload did not close"; fi
e2e_sni layout > "$out/layout-after-reload.txt"
# The reload numbers the entries anew; what they show is the same.
[ "$(cut -f1 "$out/layout-after-reload.txt")" != "$(cut -f1 "$out/layout.txt")" ] || fail "the store was not reloaded"
cut -f2- "$out/layout-after-reload.txt" | diff -u "$work/expected-layout.txt" - || fail "the exported menu differs after the reload"

# Left press: the program's own popup, drawn by the program (its dark blue
# highlight on the first entry), at the pointer.
# shellcheck disable=SC2086
e2e_pointer_to $pos
e2e_and_wait_window xdotool click 1 || fail "the left press opened no popup"
xdotool key Down
own_highlight() {
  import -window root "$out/own-popup.png" && e2e_find_colour "$out/own-popup.png" 1024x768+0+0 0 0 128 8
}
e2e_wait_for 15 own_highlight || fail "the popup is not the program's own drawing"
xdotool key Escape
e2e_wait_for 15 e2e_shows_fewer_than 1 || fail "Esc did not close the popup"

# Typing into that popup, opened by the host's Activate and by the command,
# finds the item three folders deep; Return starts it with its parameters.
type_and_launch() {
  rm -f "$work/args.txt"
  xdotool type --delay 50 parc
  import -window root "$out/$2.png"
  xdotool key Return
  e2e_wait_for 15 test -s "$work/args.txt" || fail "typing into the popup opened by $1 started nothing"
  printf 'track\nbig box\n42\n' | diff -u - "$work/args.txt" || fail "another item or other parameters started ($1)"
  e2e_wait_for 15 e2e_shows_fewer_than 1 || fail "the popup opened by $1 stayed after the launch"
}
e2e_and_wait_window e2e_sni activate 300 20 || fail "the host's Activate opened no popup"
type_and_launch Activate found-activate
e2e_pointer_to 500 300
e2e_and_wait_window "$prog/orbel" --menu || fail "orbel --menu opened no popup"
type_and_launch --menu found-menu-command

# "Close" from the host's menu ends the program.
e2e_sni click Close
e2e_wait_gone "$pid" || fail "Close from the host's menu did not end the program"
echo "screenshots in $out"
