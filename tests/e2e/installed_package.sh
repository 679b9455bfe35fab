#!/usr/bin/env bash
# The Debian package as a user gets it: built by CPack, installed with apt,
# started from its launcher by an ordinary user (root ignores file
# permissions, so the program never runs as root here) on a desktop with a
# tray. The icon appears; Save in the item manager and OK in the
# preferences work; the files are in the user's XDG directories and nothing
# the user kept is lost; a data directory the user cannot write is a clear
# message. The package is removed again at the end.
#   installed_package.sh <build dir> <artifacts dir>
set -euo pipefail
build=$1 artifacts=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
out="$artifacts/installed_package"
rm -rf "$out"; mkdir -p "$out"

skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
for tool in apt-get cpack setpriv desktop-file-validate; do
  command -v "$tool" >/dev/null || skip "$tool is missing (scripts/deps.sh installs it)"
done
dpkg-query -W -f='${Status}' tandrel-orbel 2>/dev/null | grep -q 'install ok installed' &&
  skip "tandrel-orbel is already installed on this machine; remove it first (apt-get remove tandrel-orbel)"

user=nobody group=nogroup
work=$(mktemp -d)
chmod 755 "$work"
installed=0
cleanup() {
  e2e_stop_all
  cp "${state:-/nonexistent}/errorlog.txt" "$out/" 2>/dev/null || true
  if [ "$installed" = 1 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -o DPkg::Lock::Timeout=120 tandrel-orbel \
      > "$out/apt-remove.log" 2>&1 || echo "could not remove the package: see $out/apt-remove.log" >&2
  fi
  rm -rf "$work"
}
trap cleanup EXIT
prog=""  # no program directory of ours: fail() keeps the user's log below

# 1. The package, from the configured build tree, and apt.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" > "$out/cpack.log" 2>&1 ||
  fail "cpack failed: $(tail -5 "$out/cpack.log")"
deb=$(ls "$work"/pkg/tandrel-orbel_*.deb)
dpkg-deb -I "$deb" > "$out/package-info.txt"
installed=1
DEBIAN_FRONTEND=noninteractive apt-get install -y -o DPkg::Lock::Timeout=120 "$deb" > "$out/apt-install.log" 2>&1 ||
  fail "apt could not install the package: $(tail -5 "$out/apt-install.log")"
dpkg -L tandrel-orbel > "$out/package-files.txt"

# 2. What the package put on the machine.
launcher=/usr/share/applications/tandrel-orbel.desktop
desktop-file-validate "$launcher" > "$out/validate.txt" 2>&1 || fail "the launcher does not validate: $(cat "$out/validate.txt")"
command=$(sed -n 's/^Exec=//p' "$launcher")
[ "$command" = /usr/bin/orbel ] || fail "the launcher starts \"$command\""
[ "$(readlink -f /usr/bin/orbel)" = /usr/lib/tandrel-orbel/orbel ] || fail "/usr/bin/orbel does not lead to the program"
for f in /usr/lib/tandrel-orbel/help.html /usr/lib/tandrel-orbel/media/chord.wav /usr/lib/tandrel-orbel/media/chimes.wav \
  /usr/lib/tandrel-orbel/orbel-wave.so; do
  [ -f "$f" ] || fail "$f is missing"
done
for size in 16 32 48 256; do
  icon=/usr/share/icons/hicolor/${size}x${size}/apps/tandrel-orbel.png
  identify -format '%wx%h' "$icon" 2>/dev/null | grep -qx "${size}x${size}" || fail "no ${size} px icon at $icon"
done
grep -q '^ Depends:.*qt6-wayland' "$out/package-info.txt" || fail "the Wayland plugin is not a dependency"
grep -q '^ Depends:.*libqt6svg6' "$out/package-info.txt" || fail "the SVG icon engine is not a dependency"
grep -q '^ Depends:.*libqt6multimedia6' "$out/package-info.txt" || fail "the libraries are not dependencies"

# 3. A user who kept a menu and settings before.
home="$work/home"
data="$home/.local/share/tandrel-orbel" config="$home/.config/tandrel-orbel" state="$home/.local/state/tandrel-orbel"
mkdir -p "$data/shortcuts" "$config"
printf '^UnkLnk|%s|txt|Ab\r\n^NorSep|\r\n' "$home/doc.txt" > "$data/shortcuts/shortcuts.txt"
printf '[Mine]\r\nKeep=me\r\n' > "$config/orbel.ini"
chown -R "$user:$group" "$home"
runtime="$work/runtime"
mkdir -m 700 "$runtime"; chown "$user" "$runtime"

E2E_HOME="$work/wm" e2e_start_desktop
as_user() {
  setpriv --reuid="$user" --regid="$group" --clear-groups \
    env -i HOME="$home" DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$runtime" PATH=/usr/local/bin:/usr/bin:/bin "$@"
}
# shellcheck disable=SC2086
as_user $command > "$out/orbel.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
e2e_wait_tray_icon || fail "no tray icon appeared: $(cat "$out/orbel.log")"
import -window root "$out/tray-icon.png"

# 4. Save in the item manager: rename the item, save, find it in the store.
e2e_open_kit_entry 1
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open"
e2e_focus "$manager" || fail "the item manager did not take the keyboard"
xdotool key Down Tab ctrl+a
xdotool type --delay 40 "Renamed"
xdotool key alt+a
e2e_wait_file_has "$data/shortcuts/shortcuts.txt" Renamed || fail "Save did not write the new name"
import -window root "$out/manager-saved.png"
printf '^UnkLnk|%s|txt|Renamed\r\n^NorSep|\r\n' "$home/doc.txt" > "$work/expected.txt"
cmp -s "$work/expected.txt" "$data/shortcuts/shortcuts.txt" ||
  fail "the store holds: $(cat -A "$data/shortcuts/shortcuts.txt")"
[ ! -e "$data/item_bak" ] || fail "the backup stayed after a successful save"
xdotool key Escape
e2e_wait_for 15 e2e_no_window_named "Manage Items" || fail "Close left the manager open"

# 5. OK in the preferences, with autostart switched on (focus starts on its
#    box; OK comes first in the tab order).
e2e_open_kit_entry 2
prefs=$(e2e_visible_window "Preferences") || fail "the preferences did not open"
e2e_focus "$prefs" || fail "the preferences did not take the keyboard"
xdotool key space shift+Tab shift+Tab space
e2e_wait_file_has "$config/orbel.ini" TaskBar || fail "OK wrote no settings"
e2e_wait_for 15 e2e_no_window_named "Preferences" || fail "OK left the preferences open"
import -window root "$out/preferences-ok.png"
kill -0 "$pid" 2>/dev/null || fail "the program ended after OK: $(cat "$out/orbel.log")"
tr -d '\r' < "$config/orbel.ini" > "$out/orbel.ini"
grep -qx 'Keep=me' "$out/orbel.ini" || fail "the user's own settings line was lost"
grep -qx 'TaskBar=1' "$out/orbel.ini" || fail "the settings were not written: $(cat "$out/orbel.ini")"
entry="$home/.config/autostart/Tandrel-Orbel.desktop"
grep -qx 'Exec=/usr/bin/orbel' "$entry" 2>/dev/null || fail "the autostart entry does not start the command: $(cat "$entry" 2>&1)"

# 6. Close from the tray menu (Up from nothing selects it): a clean end.
e2e_open_tray_menu 1 || fail "the tray menu did not open"
xdotool key Up Return
e2e_wait_gone "$pid" || fail "Close did not end the program"
rc=0; wait "$pid" || rc=$?
[ "$rc" -eq 0 ] || fail "the program ended with status $rc"

# Every file in the user's places, owned by the user; nothing beside the program.
[ -d "$state" ] || fail "no log directory $state"
find "$home" -path "$home/.dbus" -prune -o -print > "$out/user-files.txt"
[ -z "$(find "$home" ! -user "$user")" ] || fail "files not owned by the user: $(find "$home" ! -user "$user")"
find /usr/lib/tandrel-orbel | sort > "$work/present.txt"
grep '^/usr/lib/tandrel-orbel' "$out/package-files.txt" | sort > "$work/packaged.txt"
cmp -s "$work/present.txt" "$work/packaged.txt" || fail "files appeared beside the program: $(comm -23 "$work/present.txt" "$work/packaged.txt")"

# 7. A data directory the user cannot write: a box naming it, and status 1.
chmod a-w "$data"
as_user /usr/bin/orbel > "$work/out.txt" 2> "$out/unwritable-stderr.txt" &
pid=$!
E2E_PIDS+=("$pid")
box=$(e2e_visible_window "Warning") || fail "no box for a directory that cannot be written: $(cat "$out/unwritable-stderr.txt")"
import -window root "$out/unwritable-box.png"
e2e_focus "$box" || fail "the box did not take the keyboard"
xdotool key Return
e2e_wait_gone "$pid" || fail "the program went on with a directory it cannot write"
rc=0; wait "$pid" || rc=$?
[ "$rc" -eq 1 ] || fail "ended with status $rc, not 1"
grep -q "Unable to write to the directory \"$data/\": Permission denied" "$out/unwritable-stderr.txt" ||
  fail "standard error does not name the directory and the reason: $(cat "$out/unwritable-stderr.txt")"
echo "screenshots in $out"
