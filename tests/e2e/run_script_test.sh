#!/usr/bin/env bash
# The README's first command, ./scripts/run.sh, as a new user runs it. With
# a display it starts the program there and nothing else. Without one it
# starts a virtual desktop, prints the path of a screenshot that shows the
# open tray menu, and keeps running until Ctrl+C, which ends everything it
# started. The build exists already, so the script only starts.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin run_script
repo=$(cd "$here/../.." && pwd)
build=$(cd "$progdir_src/.." && pwd)
[ "$build/program/orbel" -ef "$exe" ] || fail "the script would start $build/program/orbel, not $exe"

# Everything the script starts carries its own runtime directory (the
# program's single-instance lock is there too), which tells its processes
# from the rest of the machine's.
rt="$work/run-runtime"
mkdir -m 700 "$rt"
started_by_run() { grep -lsz "^XDG_RUNTIME_DIR=$rt\$" /proc/[0-9]*/environ | cut -d/ -f3; }
nothing_started_left() { [ -z "$(started_by_run)" ]; }

# Starts the command as a terminal starts it: in a process group of its
# own, with Ctrl+C (SIGINT to the group) not ignored, as it would be for a
# command a script puts in the background.
from_terminal='import os, signal, sys
signal.signal(signal.SIGINT, signal.SIG_DFL)
os.setpgid(0, 0)
os.execvp(sys.argv[1], sys.argv[1:])'
run_readme_command() {
  (cd "$repo" && exec /usr/bin/python3 -c "$from_terminal" env "$@" XDG_RUNTIME_DIR="$rt" ORBEL_BUILD_DIR="$build" ./scripts/run.sh) \
    > "$out/$log" 2>&1 &
  run_pid=$!
}
# A test that fails or times out takes the script's processes with it.
trap 'kill -TERM -- -"${run_pid:-0}" 2>/dev/null || true; e2e_stop_all; rm -rf "$work"' EXIT
trap 'exit 143' TERM
ctrl_c() {
  kill -INT -- -"$run_pid"
  e2e_wait_gone "$run_pid" || fail "$1 did not end on Ctrl+C"
  e2e_wait_for 30 nothing_started_left ||
    fail "$1 left running: $(for p in $(started_by_run); do tr '\0' ' ' < "/proc/$p/cmdline"; echo; done)"
}

# With a desktop: the program itself, on that desktop.
e2e_start_desktop
log=with-display.log
run_readme_command
e2e_wait_tray_icon || fail "with a display the program's icon did not appear in its tray: $(tail -n 5 "$out/$log")"
[ "$(tr '\0' '\n' < "/proc/$run_pid/cmdline" | head -n 1)" = "$build/program/orbel" ] ||
  fail "with a display the script did not become the program"
ctrl_c "the program started with a display"

# Without one: the virtual desktop, the screenshot, Ctrl+C.
log=without-display.log
run_readme_command -u DISPLAY -u WAYLAND_DISPLAY
says_it_runs() { grep -q 'press Ctrl+C to stop' "$out/$log"; }
says_it_runs_or_ended() { says_it_runs || e2e_has_ended "$run_pid"; }
if ! { e2e_wait_for 120 says_it_runs_or_ended && says_it_runs; }; then
  fail "the script did not say it runs: $(tail -n 5 "$out/$log")"
fi
shot=$(sed -n 's/^Screenshot of the open tray menu: //p' "$out/$log")
run_display=$(sed -n 's/.* runs on virtual display \(:[0-9]*\) .*/\1/p' "$out/$log")
[ -f "$shot" ] || fail "no screenshot at '$shot'"
cp "$shot" "$out/tray-menu.png"
[ "$run_display" != "$DISPLAY" ] || fail "the script used the test's display"

# The menu is what the screenshot has and the desktop without the menu has
# not: above the taskbar, beside the tray icon, and drawn (light on the
# black desktop). The taskbar's clock and meters change on their own.
icon=$(DISPLAY=$run_display e2e_tray_icon_centre)
[ -n "$icon" ] || fail "no tray icon on the script's display"
read -r icon_x icon_y <<< "$icon"
above="1024x$((icon_y - 14))+0+0"
menu_box() {
  DISPLAY=$run_display import -window root "$work/desktop.png" &&
    convert "$shot" "$work/desktop.png" -crop "$above" +repage -compose difference -composite \
      -threshold 1% -format '%@' info: > "$work/box.txt" &&
    grep -Eq '^[0-9]+x[0-9]+\+[0-9]+\+[0-9]+$' "$work/box.txt" && ! grep -q '^0x0' "$work/box.txt"
}
e2e_wait_for 15 menu_box || fail "the screenshot shows nothing the desktop does not"
cp "$work/desktop.png" "$out/desktop-after.png"
box=$(cat "$work/box.txt")
IFS='x+' read -r w h x _ <<< "$box"
echo "menu in the screenshot: $box, tray icon at $icon"
{ [ "$w" -ge 60 ] && [ "$h" -ge 40 ]; } || fail "what differs is $box, too small for the menu"
{ [ "$x" -le "$icon_x" ] && [ "$((x + w))" -ge "$icon_x" ]; } || fail "what differs ($box) is not at the tray icon ($icon)"
light=$(convert "$shot" -crop "$box" +repage -colorspace Gray -format '%[fx:int(100*mean)]' info:)
[ "$light" -ge 50 ] || fail "the menu's place in the screenshot is dark ($light%): not drawn"

ctrl_c "the script without a display"
[ ! -e "/tmp/.X${run_display#:}-lock" ] || fail "the virtual display $run_display stayed"
! grep -q 'FAIL' "$out/$log" || fail "the script reported: $(grep FAIL "$out/$log")"
echo "screenshots in $out"
