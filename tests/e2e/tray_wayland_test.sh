#!/usr/bin/env bash
# A native Wayland session (headless sway, waybar as tray host): the item is
# a menu, a press on it opens no window, choosing in the exported menu
# starts the item, the command answers --help and a mistake and opens the
# find window for --menu and --find, and the program's dialogs open as
# windows. sway refuses to run as root, so the session runs as nobody, from
# a copy of what it needs in a directory that user owns (the build tree may
# be unreadable).
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
# Handing the session to another user takes root.
[ "$(id -u)" -eq 0 ] || e2e_skip "the Wayland session runs as the user nobody, which needs root"
e2e_begin tray_wayland
e2e_require sway swaymsg waybar grim wtype setpriv dbus-run-session /usr/bin/python3
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] ||
  ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || fail "qt6-wayland is missing: run scripts/deps.sh"

run="$work/session"
mkdir -p "$run/out" "$run/xdg" "$run/home"
cp -r "$prog" "$run/prog"
cp "$here/sni.py" "$here/a11y.py" "$here/wayland_session.sh" "$here/lib.sh" "$run/"
e2e_make_recorder "$run"
mkdir -p "$run/prog/shortcuts"
printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n' "$run/record-args" \
  > "$run/prog/shortcuts/shortcuts.txt"
chmod 755 "$work"
chmod 700 "$run/xdg"
chown -R nobody:nogroup "$run"

set +e
timeout 150 setpriv --reuid=nobody --regid=nogroup --clear-groups \
  env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$run/home" XDG_RUNTIME_DIR="$run/xdg" LANG=C.UTF-8 \
  dbus-run-session -- bash "$run/wayland_session.sh" "$run" > "$out/session.log" 2>&1
rc=$?
set -e
cp -r "$run/out/." "$out/" 2>/dev/null || true
[ "$rc" -eq 0 ] || { tail -n 20 "$out/session.log" >&2; fail "the Wayland session failed (status $rc)"; }
grep -qx PASS "$out/result.txt" || fail "the Wayland session ended without its checks"
echo "screenshots in $out"
