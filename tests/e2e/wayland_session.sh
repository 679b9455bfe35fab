#!/usr/bin/env bash
# The Wayland half of tray_wayland_test.sh, run as an ordinary user inside
# its own session bus: headless sway with waybar as the tray host, and the
# program on Qt's wayland platform. Everything it needs is in $1 (the
# program in prog/, sni.py, a11y.py, lib.sh for its waits); it writes its
# screenshots and logs to $1/out and ends with status 0 only when every
# check held.
set -euo pipefail
run=$1
out=$run/out
source "$run/lib.sh"
fail() { echo "FAIL: $*" | tee "$out/result.txt" >&2; exit 1; }
sni() { /usr/bin/python3 "$run/sni.py" "$@"; }
# Names (or another field) of the windows sway shows for a process.
windows_of() {
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("pid") == int(sys.argv[1]): print(n.get(sys.argv[2]))
    for k in ("nodes", "floating_nodes"):
        for c in n.get(k, []): walk(c)
walk(json.load(sys.stdin))' "$1" "${2:-name}"
}

export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
cat > "$run/sway.conf" <<CONF
output HEADLESS-1 resolution 1024x768
exec waybar -c $run/waybar.json
CONF
echo '{"layer": "top", "position": "top", "height": 30, "modules-right": ["tray"], "tray": {"icon-size": 21}}' \
  > "$run/waybar.json"
sway -c "$run/sway.conf" > "$out/sway.log" 2>&1 &
sway_pid=$!
trap 'kill $sway_pid 2>/dev/null || true; e2e_stop_all' EXIT
# The first of a glob's matches, or nothing when none exists.
first_match() { [ -e "$1" ] && echo "$1"; }
sway_socket() { first_match "$XDG_RUNTIME_DIR"/sway-ipc.*.sock; }
e2e_wait_for 30 sway_socket || fail "sway did not start"
export SWAYSOCK
SWAYSOCK=$(sway_socket)
export WAYLAND_DISPLAY
for socket in "$XDG_RUNTIME_DIR"/wayland-*; do
  case $socket in *.lock) ;; *) WAYLAND_DISPLAY=$(basename "$socket"); break ;; esac
done
e2e_wait_for 30 sni host || fail "waybar's tray host did not start"
# Headless sway has no keyboard: a virtual one, held for the whole session,
# so a program finds it on its seat before the keys below come (a wtype
# alone makes its keyboard, presses and ends before a program binds it).
mkfifo "$run/keys"
wtype - < "$run/keys" > "$out/wtype.log" 2>&1 &
E2E_PIDS+=($!)
exec 3> "$run/keys"
# The find window is read as a screen reader reads it.
e2e_start_a11y

QT_QPA_PLATFORM=wayland "$run/prog/orbel" > "$out/orbel.log" 2>&1 &
pid=$!
sni wait-item 30 > /dev/null || fail "the item was not registered with waybar"
[ "$(sni prop ItemIsMenu)" = "True" ] || fail "on Wayland the item must be a menu"
[ "$(sni prop Title)" = "Tandrel Orbel" ] || fail "the item's title is '$(sni prop Title)'"
sni layout > "$out/layout.txt"
grep -q "Record arguments" "$out/layout.txt" || fail "the exported menu lacks the user's item"
e2e_wait_for 15 grim "$out/waybar.png" || fail "no screenshot"

# What a host sends on a press: no window of the program may appear. (An
# absence has no moment to wait for: a second to appear in.) Activate fails,
# which is what makes Plasma show the exported menu on a left press.
activated=$(sni activate 20 15)
[ "$activated" = org.freedesktop.DBus.Error.NotSupported ] || fail "Activate answered '$activated', not an error"
[ "$(sni context 20 15)" = ok ] || fail "ContextMenu failed"
sleep 1
[ -z "$(windows_of "$pid")" ] || fail "a press on the icon opened a window: $(windows_of "$pid")"

# Choosing in the exported menu starts the item with its parameters.
sni click "Record arguments"
e2e_wait_for 15 test -s "$run/args.txt" || fail "choosing the item did not start it"
printf 'one\ntwo words\nthree\n' | diff -u - "$run/args.txt" || fail "the item got other parameters"

# The command: help and a mistake are answered, the program untouched.
orbel() { QT_QPA_PLATFORM=wayland "$run/prog/orbel" "$@"; }
orbel --help > "$out/help.txt" 2> "$out/help-err.txt" || fail "orbel --help did not end with 0"
grep -q -- '--find \[TEXT\]' "$out/help.txt" || fail "the help does not list --find"
[ ! -s "$out/help-err.txt" ] || fail "orbel --help wrote to standard error"
rc=0
orbel --no-such-option > "$out/bad.txt" 2> "$out/bad-err.txt" || rc=$?
[ "$rc" -eq 2 ] || fail "a bad option ended with $rc, not 2"
[ "$(wc -l < "$out/bad-err.txt")" -eq 1 ] || fail "a bad option wrote $(wc -l < "$out/bad-err.txt") lines to standard error"
grep -q -- '--no-such-option' "$out/bad-err.txt" || fail "the error does not name the option"
kill -0 "$pid" 2>/dev/null || fail "the program ended after a bad option"
[ -z "$(windows_of "$pid")" ] || fail "a bad option opened a window: $(windows_of "$pid")"

# --menu, where the host draws the tray menu: the find window, with the
# keyboard; Esc hides it.
find_focused() { [ "$(windows_of "$pid")" = "Tandrel Orbel - Find" ] && [ "$(windows_of "$pid" focused)" = True ]; }
no_window() { [ -z "$(windows_of "$pid")" ]; }
orbel --menu > "$out/menu.log" 2>&1 || fail "orbel --menu failed: $(cat "$out/menu.log")"
e2e_wait_for 15 find_focused || fail "orbel --menu opened no find window with the keyboard: $(windows_of "$pid")"
grim "$out/find-menu.png"
wtype -k Escape
e2e_wait_for 15 no_window || fail "Esc did not hide the find window"

# --find with words: they are typed in, the list "Results" shows the match
# (its row named with the caption first), Return starts it with its
# parameters and the window goes.
rm -f "$run/args.txt"
orbel --find "record arg" > "$out/find.log" 2>&1 || fail "orbel --find failed: $(cat "$out/find.log")"
e2e_wait_for 15 find_focused || fail "orbel --find opened no find window with the keyboard: $(windows_of "$pid")"
results() { /usr/bin/python3 "$run/a11y.py" results "Tandrel Orbel - Find"; }
one_result() { [ "$(results | wc -l)" -eq 1 ] && results | grep -q '^Record arguments'; }
e2e_wait_for 15 one_result || fail "the find window's results are: $(results 2>&1 | paste -sd '|' -)"
[ "$(/usr/bin/python3 "$run/a11y.py" text "Tandrel Orbel - Find" Find)" = "record arg" ] ||
  fail "the find window's text box does not hold the words"
grim "$out/find-text.png"
wtype -k Return
e2e_wait_for 15 test -s "$run/args.txt" || fail "Return in the find window started nothing"
printf 'one\ntwo words\nthree\n' | diff -u - "$run/args.txt" || fail "the found item got other parameters"
e2e_wait_for 15 no_window || fail "the find window stayed after the launch"

# A kit command opens its dialog as a normal window.
sni click "Orbel Kit/About.."
about_open() { [ "$(windows_of "$pid")" = "Tandrel Orbel - About" ]; }
e2e_wait_for 15 about_open || fail "the about box did not open as a window: $(windows_of "$pid")"
grim "$out/about.png"
# The launcher's name, so desktops group the windows under it.
[ "$(windows_of "$pid" app_id)" = tandrel-orbel ] || fail "the about box's app id is '$(windows_of "$pid" app_id)'"

sni click Close
e2e_wait_for 30 e2e_has_ended "$pid" || fail "Close did not end the program"
echo PASS > "$out/result.txt"
