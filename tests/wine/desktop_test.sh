#!/usr/bin/env bash
# The Windows program as a person meets it, under Wine: the portable folder
# unpacked, the icon in the taskbar's notification area, the menu on a
# click, an item started with its parameters, a second start that ends by
# itself, the item manager's Save writing the store beside the executable,
# the preferences' OK writing orbel.ini and the Run value, a start with
# --manager reaching the running program, an item renamed there and
# saved, and Close. Wine draws every window inside its desktop window, so
# what shows is seen on screenshots; they are kept as artifacts.
set -euo pipefail
build=$1 recorder=$2 artifacts=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"

out="$artifacts/wine_desktop"
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
export WINEPREFIX=$build/wineprefix-desktop WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
trap 'wineserver -k >/dev/null 2>&1 || true; e2e_stop_all; rm -rf "$work"' EXIT
e2e_require wine wineserver winepath Xvfb xdotool import convert compare xdpyinfo

zip=$(find "$build" -maxdepth 1 -name 'tandrel-orbel-*-win64.zip' | head -n 1)
[ -n "$zip" ] || fail "no portable ZIP in $build (cpack makes it)"
(cd "$work" && cmake -E tar xf "$zip")
prog=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'tandrel-orbel-*-win64')
[ -n "$prog" ] || fail "the ZIP has no program folder"
(cd "$prog" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) > "$out/zip-contents.txt"
printf '%s\n' Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll help.html libgcc_s_seh-1.dll libstdc++-6.dll \
  libwinpthread-1.dll media/chimes.wav media/chord.wav orbel.exe platforms/qwindows.dll \
  styles/qwindowsvistastyle.dll | LC_ALL=C sort > "$work/expected-contents.txt"
diff -u "$work/expected-contents.txt" "$out/zip-contents.txt" || fail "the ZIP holds other files"

e2e_start_display 1024x768
# A prefix of its own, made once: every program of it runs on one virtual
# desktop with a taskbar, the notification area at its right end.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1 || true
  wineserver --wait
fi
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d orbel /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v orbel /d 1024x768 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops\orbel' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
# A Run value of an earlier run would name another folder; none is there.
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tandrel-Orbel /f >/dev/null 2>&1 || true
# The desktop is chosen when Wine starts: from here on, with these values.
wineserver --wait

mkdir -p "$work/recorder"
cp "$recorder" "$work/recorder/record-args.exe"
recorder_win=$(winepath -w "$work/recorder/record-args.exe")
doc_win=$(winepath -w "$work/doc.txt")
mkdir -p "$prog/shortcuts"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n^UnkLnk|%s|txt|Ab\r\n^NorSep|\r\n' \
  "$recorder_win" "$doc_win" > "$prog/shortcuts/shortcuts.txt"

shot() { import -window root "$1"; }
# The icon's gold ring in the notification area; prints where it is.
tray_box=400x24+624+744
icon_at() { shot "$work/tray.png" && e2e_find_colour "$work/tray.png" "$tray_box" 255 215 0 30; }
# More than $2 pixels of the screen differ from the screenshot $1.
differs_from() {
  shot "$work/now.png" || return 1
  # compare says how many differ, and fails when any do.
  { compare -metric AE -fuzz 3% "$1" "$work/now.png" null: 2>&1 || true; } | awk -v n="$2" '{ exit !($1 + 0 > n) }'
}
# A press on the icon, until something opens over the desktop.
open_menu() {
  local end=$((SECONDS + 60)) at
  while [ "$SECONDS" -lt "$end" ]; do
    at=$(icon_at) || return 1
    shot "$work/before-menu.png"
    # shellcheck disable=SC2086
    xdotool mousemove $at click 1
    e2e_wait_for 10 differs_from "$work/before-menu.png" 400 && return 0
  done
  return 1
}

wine "$prog/orbel.exe" > "$out/first.log" 2>&1 &
first=$!
E2E_PIDS+=("$first")
e2e_wait_for 120 icon_at || { shot "$out/no-icon.png"; fail "no icon appeared in the notification area"; }
shot "$out/tray-icon.png"

# A second start ends by itself (the running program holds the mapping).
wine "$prog/orbel.exe" > "$out/second.log" 2>&1 &
second=$!
e2e_wait_for 60 e2e_has_ended "$second" || fail "the second start kept running"
wait "$second" || fail "the second start failed"
kill -0 "$first" 2>/dev/null || fail "the first start ended"

# The first entry starts the recorder with exactly its parameters.
open_menu || fail "a click on the icon opened no menu"
shot "$out/tray-menu.png"
xdotool key Down Return
e2e_wait_for 30 test -s "$work/recorder/args.txt" || { shot "$out/no-launch.png"; fail "the item did not start"; }
printf 'one\ntwo words\nthree\n' > "$work/expected-args.txt"
diff -u "$work/expected-args.txt" "$work/recorder/args.txt" || fail "the item got other parameters"

# After the first menu the program's windows get no keys under Wine's
# desktop (its taskbar does not hand the foreground to the icon's owner as
# Windows' does): from here on the mouse chooses, at the places Wine's
# desktop of 1024x768 gives the menu's last rows, the kit's entries and
# the dialogs' buttons.
click_at() { xdotool mousemove "$1" "$2" click 1; }
read -r ix iy <<< "$(icon_at)"
kit() {
  open_menu || fail "the menu did not open for the kit"
  shot "$work/menu-open.png"
  click_at $((ix - 59)) $((iy - 37))
  e2e_wait_for 10 differs_from "$work/menu-open.png" 2000 || fail "the kit's submenu did not open"
  shot "$out/kit-menu.png"
  click_at $((ix - 209)) $((iy + $1))
}
back_to_idle() { ! differs_from "$work/idle.png" 20000; }

# The item manager from the kit; Save writes the store anew beside the
# executable, byte for byte as it was read.
shot "$work/idle.png"
inode=$(stat -c %i "$prog/shortcuts/shortcuts.txt")
kit -88
e2e_wait_for 60 differs_from "$work/idle.png" 60000 || { shot "$out/no-manager.png"; fail "the item manager did not open"; }
shot "$out/manager-opened.png"
click_at 628 560
saved() { [ "$(stat -c %i "$prog/shortcuts/shortcuts.txt" 2>/dev/null)" != "$inode" ]; }
e2e_wait_for 30 saved || { shot "$out/not-saved.png"; fail "Save did not write the store"; }
shot "$out/manager-saved.png"
# Save plays the system's chimes.wav, which Wine's Windows directory does
# not have: the program says where its error log is, and writes the line
# once that notice is closed.
click_at 655 380
e2e_wait_file_has "$prog/errorlog.txt" "Can't play" || { shot "$out/no-sound-notice.png"; fail "the refused sound was not logged"; }
cp "$prog/errorlog.txt" "$out/errorlog-after-save.txt"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n^UnkLnk|%s|txt|Ab\r\n^NorSep|\r\n' \
  "$recorder_win" "$doc_win" > "$work/expected-store.txt"
cmp -s "$work/expected-store.txt" "$prog/shortcuts/shortcuts.txt" ||
  fail "the store holds: $(cat -A "$prog/shortcuts/shortcuts.txt")"
click_at 713 587
e2e_wait_for 30 back_to_idle || { shot "$out/manager-left.png"; fail "Close did not close the item manager"; }

# Preferences from the kit: autostart on, OK. The settings file lies beside
# the executable and the Run value starts it.
kit -66
e2e_wait_for 60 differs_from "$work/idle.png" 20000 || { shot "$out/no-preferences.png"; fail "the preferences did not open"; }
shot "$out/preferences-opened.png"
click_at 295 283
click_at 645 490
exe_win=$(winepath -w "$prog/orbel.exe")
run_value() {
  wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tandrel-Orbel 2>/dev/null | grep -iqF "$exe_win"
}
e2e_wait_for 30 run_value || { shot "$out/no-run-value.png"; fail "autostart on set no Run value naming the program"; }
e2e_wait_for 15 test -s "$prog/orbel.ini" || fail "OK wrote no orbel.ini beside the executable"
e2e_wait_for 30 back_to_idle || { shot "$out/preferences-left.png"; fail "OK did not close the preferences"; }

# A start with a request hands it to the running program and ends.
wine "$prog/orbel.exe" --manager > "$out/request.log" 2>&1 || fail "the request was not taken: $(cat "$out/request.log")"
e2e_wait_for 60 differs_from "$work/idle.png" 60000 || { shot "$out/no-requested-manager.png"; fail "--manager opened no manager"; }
shot "$out/manager-requested.png"
# This manager came to the foreground with the request and takes keys. The
# first item chosen in the tree, a new name typed into its name box, Save
# (Alt+A).
new_name="A much longer caption"
click_at 337 126
click_at 659 129
xdotool key ctrl+a
xdotool type --delay 40 "$new_name"
shot "$out/manager-renamed.png"
xdotool key alt+a
e2e_wait_file_has "$prog/shortcuts/shortcuts.txt" "$new_name" || { shot "$out/not-renamed.png"; fail "Save did not write the new name"; }
shot "$out/manager-renamed-saved.png"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|%s\r\n^UnkLnk|%s|txt|Ab\r\n^NorSep|\r\n' \
  "$recorder_win" "$new_name" "$doc_win" > "$work/expected-store.txt"
cmp -s "$work/expected-store.txt" "$prog/shortcuts/shortcuts.txt" ||
  fail "the store holds: $(cat -A "$prog/shortcuts/shortcuts.txt")"
click_at 655 380
click_at 713 587
e2e_wait_for 30 back_to_idle || { shot "$out/requested-manager-left.png"; fail "the requested manager did not close"; }

# "Close", the menu's last entry, ends the program.
open_menu || fail "the menu did not open for Close"
shot "$out/tray-menu-close.png"
click_at $((ix - 59)) $((iy - 15))
e2e_wait_for 60 e2e_has_ended "$first" || fail "Close did not end the program"
cp "$prog/errorlog.txt" "$out/" 2>/dev/null || true
echo "screenshots in $out"
