# shellcheck shell=bash
# The checks of tray_gnome_x11_test.sh and tray_gnome_wayland_test.sh, with
# $mode set: GNOME Shell's AppIndicator extension as the tray host. A real
# tray program's icon shows first (so what fails after it is the program's);
# then the program's icon (its picture) reaches the top bar on each of five
# starts, once, registered once; a left click opens the exported menu there
# and an item chosen with the pointer starts with its parameters; the right
# button opens the menu as well; a double click opens the program's own
# menu (X11) or its find window (Wayland), which the shell files under the
# launcher's name and gives the focus, and where typing lists the item and
# Return starts it; with the extension switched off and on the
# icon comes back, once; and the extension reports no error about it.
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/lib.sh"
source "$here/gnome_session.sh"
e2e_begin "tray_gnome_$mode"
e2e_require copyq dbus-monitor convert

e2e_make_recorder "$work"
mkdir -p "$prog/shortcuts"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n' "$work/record-args" \
  > "$prog/shortcuts/shortcuts.txt"
# The launcher, as installed, so the shell can tell whose windows it shows.
mkdir -p "$work/home/.local/share/applications"
sed "s|@ORBEL_COMMAND@|$prog/orbel|" "$here/../../packaging/tandrel-orbel.desktop.in" \
  > "$work/home/.local/share/applications/tandrel-orbel.desktop"
printf '[General Settings]\r\nMenuHotkey=Ctrl+Alt+O\r\n' > "$prog/orbel.ini"
gnome_start "$mode"

# The harness, with a tray program nobody here wrote.
copyq > "$out/copyq.log" 2>&1 &
copyq_pid=$!
E2E_PIDS+=("$copyq_pid")
e2e_wait_for 30 gnome_shows_indicators CopyQ 1 || fail "CopyQ's icon did not show: the harness is at fault"
kill "$copyq_pid"
e2e_wait_gone "$copyq_pid" || fail "CopyQ did not end"
e2e_wait_for 15 gnome_shows_indicators CopyQ 0 || fail "CopyQ's icon stayed after it ended"
watcher_lists() { [ "$(e2e_sni count)" -eq "$1" ]; }
e2e_wait_for 15 watcher_lists 0 || fail "the watcher still lists CopyQ's item"
# What the extension logs about CopyQ's item going is not the program's.
control_lines=$(wc -l < "$out/shell.log")

# Every registration the watcher is sent.
dbus-monitor --session "type='method_call',interface='org.kde.StatusNotifierWatcher',member='RegisterStatusNotifierItem'" \
  > "$out/registrations.txt" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_file_has "$out/registrations.txt" NameLost || fail "dbus-monitor did not start"
registrations() { grep -c 'member=RegisterStatusNotifierItem' "$out/registrations.txt" || true; }

name="Tandrel Orbel"
# The find window is read through the accessibility bus.
[ "$mode" = x11 ] || e2e_start_a11y
for start in 1 2 3 4 5; do
  before=$(registrations)
  "$prog/orbel" > "$out/orbel-$start.log" 2>&1 &
  pid=$!
  E2E_PIDS+=("$pid")
  e2e_wait_for 30 gnome_shows_indicators "$name" 1 ||
    fail "start $start: the icon did not reach the top bar (it shows: $(gnome_indicators | cut -f1 | paste -sd,))"
  [ $(($(registrations) - before)) -eq 1 ] ||
    fail "start $start: $(($(registrations) - before)) registrations with the watcher, not one"
  watcher_lists 1 || fail "start $start: the watcher lists $(e2e_sni count) items"
  [ "$start" -lt 5 ] || break
  kill "$pid"
  e2e_wait_gone "$pid" || fail "start $start: the program did not end"
  e2e_wait_for 15 gnome_shows_indicators "$name" 0 || fail "start $start: the icon stayed after the program ended"
  e2e_wait_for 15 watcher_lists 0 || fail "start $start: the watcher kept the item after the program ended"
done

# A left click: the host's menu with the user's items; one of them chosen
# with the pointer.
gnome_screenshot "$work/screen.png" || fail "no screenshot"
convert "$work/screen.png" -crop 1280x32+0+0 +repage "$out/top-bar.png"
# The program's picture (its gold ring) where the shell has the icon.
read -r x y w h < <(gnome_indicators | awk -F '\t' -v n="$name" '$1 == n { print $2 }')
e2e_find_colour "$work/screen.png" "${w}x${h}+${x}+${y}" 255 215 0 > /dev/null || fail "the icon in the top bar is not the program's picture"
pos=$(gnome_indicator_centre "$name")
# shellcheck disable=SC2086
gnome_click $pos 1
e2e_wait_for 15 gnome_menu_has "Record arguments" || fail "a left click opened no menu with the user's items"
gnome_screenshot "$out/menu.png" || fail "no screenshot"
entry=$(gnome_menu_entry "Record arguments")
# shellcheck disable=SC2086
gnome_click $entry 1
e2e_wait_for 15 test -s "$work/args.txt" || fail "choosing the item in the menu did not start it"
printf 'one\ntwo words\nthree\n' | diff -u - "$work/args.txt" || fail "the item got other parameters"
e2e_wait_for 15 gnome_menu_closed || fail "the menu stayed open after the choice"

# The right button opens the same menu, and closes it again.
# shellcheck disable=SC2086
gnome_click $pos 3
e2e_wait_for 15 gnome_menu_has "Record arguments" || fail "a right click opened no menu with the user's items"
# shellcheck disable=SC2086
gnome_click $pos 3
e2e_wait_for 15 gnome_menu_closed || fail "a second right click did not close the menu"

# A double click calls Activate: on X11 the program's own menu opens at the
# pointer; on Wayland, where the host draws the menu, the find window.
if [ "$mode" = x11 ]; then
  before=$(e2e_window_count)
  # shellcheck disable=SC2086
  gnome_click $pos 1 2
  e2e_wait_for 15 e2e_shows_more_than "$before" || fail "a double click opened nothing"
  xdotool key Escape
else
  # shellcheck disable=SC2086
  gnome_click $pos 1 2
  e2e_wait_for 15 gnome_has_window "$name - Find" || fail "a double click opened nothing"
  app=$(gnome_ask eval "global.get_window_actors().map(a => a.meta_window)
    .filter(w => w.get_title() === '$name - Find')
    .map(w => imports.gi.Shell.WindowTracker.get_default().get_window_app(w).get_name())[0]")
  [ "$app" = "\"$name\"" ] || fail "the shell files the find window under $app, not the launcher"
  find_has_focus() { [ "$(gnome_ask eval "global.display.focus_window && global.display.focus_window.get_title()")" = "\"$name - Find\"" ]; }
  e2e_wait_for 15 find_has_focus || fail "the find window did not get the focus"
  # Typed into, it lists the match; Return starts it with its parameters
  # and the window goes.
  # (Keys sent at once to the shell's new virtual keyboard may be lost:
  # typed again while the box stays empty.)
  type_until_listed() {
    /usr/bin/python3 "$here/a11y.py" results "$name - Find" > "$work/results.txt" || return 1
    grep -qx "$1" "$work/results.txt" && return 0
    [ -n "$(/usr/bin/python3 "$here/a11y.py" text "$name - Find" Find)" ] || gnome_ask keys "$2" > /dev/null
    return 1
  }
  if ! e2e_wait_for 15 type_until_listed "Record arguments" argu; then
    gnome_screenshot "$out/find-window.png" || true
    fail "the find window lists: $(paste -sd, "$work/results.txt" 2>&1; /usr/bin/python3 "$here/a11y.py" results "$name - Find" 2>&1)"
  fi
  gnome_screenshot "$out/double-click.png" || fail "no screenshot"
  rm -f "$work/args.txt"
  gnome_ask keys $'\n' > /dev/null
  e2e_wait_for 15 test -s "$work/args.txt" || fail "Return in the find window did not start the item"
  printf 'one\ntwo words\nthree\n' | diff -u - "$work/args.txt" || fail "the item got other parameters from the find window"
  find_gone() { ! gnome_has_window "$name - Find"; }
  e2e_wait_for 15 find_gone || fail "the find window stayed after Return"
fi
gnome_close_menus

# The menu shortcut of orbel.ini is a custom shortcut in GNOME's keyboard
# settings, running the command, which GNOME's key daemon runs.
media_keys=org.gnome.settings-daemon.plugins.media-keys
ours=/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/tandrel-orbel/
gsettings get $media_keys custom-keybindings | grep -qF "'$ours'" ||
  fail "the menu shortcut is not among GNOME's custom shortcuts: $(gsettings get $media_keys custom-keybindings)"
[ "$(gsettings get "$media_keys.custom-keybinding:$ours" binding)" = "'<Control><Alt>o'" ] ||
  fail "GNOME got the binding $(gsettings get "$media_keys.custom-keybinding:$ours" binding)"
[ "$(gsettings get "$media_keys.custom-keybinding:$ours" command)" = "'$prog/orbel --menu'" ] ||
  fail "GNOME got the command $(gsettings get "$media_keys.custom-keybinding:$ours" command)"
/usr/libexec/gsd-media-keys > "$out/media-keys.log" 2>&1 &
E2E_PIDS+=($!)
# The daemon takes its keys from the shell a moment after it starts:
# pressed again until the command has opened the program's popup at the
# pointer (X11) or its find window (Wayland).
before=$(e2e_window_count)
chord_opened() {
  if [ "$mode" = x11 ]; then e2e_shows_more_than "$before" && return 0
  else gnome_has_window "$name - Find" && return 0
  fi
  gnome_ask chord Control_L Alt_L o > /dev/null
  return 1
}
e2e_wait_for 30 chord_opened || fail "Ctrl+Alt+O opened nothing through GNOME's custom shortcut"
gnome_screenshot "$out/shortcut.png" || fail "no screenshot"
gnome_ask chord Escape > /dev/null
gnome_close_menus

# The host goes (the extension switched off) and comes back: so does the
# icon, once.
no_host() { ! e2e_sni host; }
gsettings set org.gnome.shell enabled-extensions "['$GNOME_PROBE']"
e2e_wait_for 15 no_host || fail "the extension's host did not go"
e2e_wait_for 15 gnome_shows_indicators "$name" 0 || fail "the icon stayed without the extension"
before=$(registrations)
gsettings set org.gnome.shell enabled-extensions "['$GNOME_APPINDICATOR', '$GNOME_PROBE']"
e2e_wait_for 30 gnome_shows_indicators "$name" 1 || fail "the icon did not come back with the extension"
[ $(($(registrations) - before)) -eq 1 ] ||
  fail "$(($(registrations) - before)) registrations when the extension came back, not one"
watcher_lists 1 || fail "the watcher lists $(e2e_sni count) items after it came back"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
# What the extension says when it cannot read an item.
! tail -n "+$((control_lines + 1))" "$out/shell.log" | grep -A3 'JS ERROR' | grep -q "$GNOME_APPINDICATOR" ||
  fail "the extension reported errors (shell.log)"
echo "screenshots in $out"
