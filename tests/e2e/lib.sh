# shellcheck shell=bash disable=SC2034,SC2154
# (The variables a test sets before sourcing this, exe, artifacts and
# progdir_src, and those e2e_begin sets for it, out, work and prog, cross
# files.)
# Shared steps of the end-to-end tests: a virtual display with a window
# manager that is also the tray host, and the pointer on the tray icon.

E2E_PIDS=()

e2e_free_display() {
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then echo "$n"; return 0; fi
  done
  return 1
}

# Runs a command every 0.1 s until it succeeds; false when the given number
# of seconds pass first. Tests wait on conditions, never on the clock alone:
# a loaded machine makes them take longer, not fail.
e2e_wait_for() {
  local end=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# A virtual display alone: no window manager, no tray. Another test on this
# machine may take the same free number at the same moment; the server that
# loses ends at once, and the display is taken only when its lock names the
# server started here (else the test would run on someone else's display).
# Optional: the screen's size (1024x768) and more options for the server.
# The server never resets: one resetting as its last client leaves drops a
# client that connects at that moment (the program started right after a
# check, or after the previous phase's programs ended).
# shellcheck disable=SC2120 # the screen size is optional
e2e_start_display() {
  local n pid end _ size=${1:-1024x768}
  [ $# -eq 0 ] || shift
  for _ in 1 2 3 4 5; do
    n=$(e2e_free_display) || fail "no free display number"
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset "$@" >/dev/null 2>&1 &
    pid=$!
    export DISPLAY=":$n"
    end=$((SECONDS + 30))
    while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$end" ]; do
      if [ "$({ tr -d ' \n' < "/tmp/.X$n-lock"; } 2>/dev/null)" = "$pid" ] && xdpyinfo >/dev/null 2>&1; then
        E2E_PIDS+=("$pid")
        unset QT_QPA_PLATFORM
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  fail "the virtual display did not start"
}

# icewm's notification area takes icons once its proxy owns the tray.
e2e_xembed_tray_ready() { xwininfo -root -tree 2>/dev/null | grep -q '"YXTrayProxy"'; }

# icewm brings the taskbar with its notification area (XEmbed tray); sets
# $icewm_pid and waits until the tray is there.
e2e_start_icewm() {
  HOME=${E2E_HOME:-$HOME} icewm >> "${out:-$work}/icewm.log" 2>&1 &
  icewm_pid=$!
  E2E_PIDS+=("$icewm_pid")
  e2e_wait_for 30 e2e_xembed_tray_ready || fail "icewm's tray did not start"
}

e2e_start_desktop() {
  e2e_start_display
  e2e_start_icewm
}

# The accessibility bus, so that a test can ask the program's windows what
# they show (the rows of a tree); after e2e_start_session_bus.
e2e_start_a11y() {
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  e2e_wait_for 30 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress ||
    fail "the accessibility bus did not start"
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# The item manager's tree rows as the accessibility bus reports them, one a
# line: "X Y", the row's centre on the screen, a tab, the row's text.
e2e_tree_rows() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/a11y.py" rows
}
# "X Y" of the first row with this text.
e2e_tree_row() {
  e2e_tree_rows | awk -F '\t' -v t="$1" '$2 == t { print $1; found = 1; exit } END { exit !found }'
}
# The texts of the rows, joined by commas.
e2e_tree_texts() { e2e_tree_rows | cut -f2 | paste -sd, -; }
e2e_tree_texts_start() { case "$(e2e_tree_texts)" in "$1"*) return 0 ;; *) return 1 ;; esac; }

# A private session bus for everything started after it.
e2e_start_session_bus() {
  local info
  info=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || fail "no session bus"
  DBUS_SESSION_BUS_ADDRESS=$(echo "$info" | sed -n 1p)
  export DBUS_SESSION_BUS_ADDRESS
  E2E_PIDS+=("$(echo "$info" | sed -n 2p)")
}

# What a StatusNotifierItem host sees (see sni.py); Debian's python has dbus.
e2e_sni() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sni.py" "$@"
}

# A panel whose only plugin is the StatusNotifierItem host; sets $panel_pid
# and waits until the host is registered.
e2e_start_sni_panel() {
  cat > "$work/panel.conf" <<'CONF'
panels=panel1

[panel1]
plugins=statusnotifier
position=Top
panelSize=32
iconSize=22
width=100
width-percent=true

[statusnotifier]
type=statusnotifier
alignment=Left
CONF
  lxqt-panel -c "$work/panel.conf" >> "$out/panel.log" 2>&1 &
  panel_pid=$!
  E2E_PIDS+=("$panel_pid")
  e2e_wait_for 30 e2e_sni host || fail "the panel's tray host did not start"
}

# Every command a test needs: a missing one fails the test (scripts/deps.sh
# installs them all), it is never skipped.
e2e_require() {
  local c
  for c in "$@"; do command -v "$c" >/dev/null || fail "$c is missing: run scripts/deps.sh"; done
}

# Prints "X Y", the centre of the pixels of a screenshot within the box
# WxH+X+Y whose colour is near R G B (each within the tolerance, 40 unless
# given).
e2e_find_colour() {
  local shot=$1 box=$2 r=$3 g=$4 b=$5 tol=${6:-40}
  convert "$shot" -crop "$box" +repage -depth 8 txt:- 2>/dev/null | awk -v R="$r" -v G="$g" -v B="$b" -v T="$tol" -v box="$box" '
    function abs(v) { return v < 0 ? -v : v }
    NR == 1 { split(box, o, /[x+]/); next }
    {
      split($1, xy, /[,:]/); split($2, c, /[(),]/)
      if (abs(c[2] - R) <= T && abs(c[3] - G) <= T && abs(c[4] - B) <= T) { sx += xy[1]; sy += xy[2]; n++ }
    }
    END { if (n > 0) print int(sx / n) + o[3], int(sy / n) + o[4]; else exit 1 }'
}

e2e_stop_all() {
  local i
  for (( i=${#E2E_PIDS[@]}-1; i>=0; i-- )); do kill "${E2E_PIDS[$i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
}

# Prints "X Y" of the centre of the first icon embedded in the tray.
e2e_tray_icon_centre() {
  xwininfo -root -tree 2>/dev/null | awk '
    /YXTrayEmbedder/ { inside = 1; next }
    inside && /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+-?[0-9]+\+-?[0-9]+/ {
      for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) geo = $i
      split(geo, a, /[x+]/); w = a[1]; h = a[2]
      abs = $NF; split(abs, b, "+"); x = b[2]; y = b[3]
      if (w > 4 && h > 4) { print int(x + w / 2), int(y + h / 2); exit }
    }'
}

e2e_in_xembed_tray() { [ -n "$(e2e_tray_icon_centre)" ]; }
e2e_wait_tray_icon() { e2e_wait_for 30 e2e_in_xembed_tray; }

# Moves the pointer and waits until the server has it there. xdotool's own
# wait never ends when the pointer is there already, so that case is left out.
e2e_pointer_to() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  [ "$X $Y" = "$1 $2" ] || xdotool mousemove --sync "$1" "$2"
}

# Presses a mouse button on the tray icon.
e2e_click_tray() {
  local button=${1:-1} pos
  pos=$(e2e_tray_icon_centre)
  [ -n "$pos" ] || return 1
  # shellcheck disable=SC2086
  e2e_pointer_to $pos && xdotool click "$button"
}

# How many windows the program shows: its tray icon, menus and dialogs.
e2e_window_count() { { xdotool search --onlyvisible --class '^tandrel-orbel$' 2>/dev/null || true; } | wc -l; }
e2e_shows_more_than() { [ "$(e2e_window_count)" -gt "$1" ]; }
e2e_shows_fewer_than() { [ "$(e2e_window_count)" -lt "$1" ]; }

# Runs a command (a key, a click) and waits until the program shows one
# window more: a menu, a submenu, a dialog.
e2e_and_wait_window() {
  local before
  before=$(e2e_window_count)
  "$@" || return 1
  e2e_wait_for 15 e2e_shows_more_than "$before"
}

# Opens the tray menu with the given button. A press while the program
# reloads its store opens nothing, so it is pressed again until a menu shows.
e2e_open_tray_menu() {
  local button=${1:-1} end=$((SECONDS + 30)) before
  before=$(e2e_window_count)
  while [ "$SECONDS" -lt "$end" ]; do
    e2e_click_tray "$button" && e2e_wait_for 5 e2e_shows_more_than "$before" && return 0
  done
  return 1
}

# Closes the open menus with Esc, waiting until they are gone.
e2e_close_menus() {
  local before
  before=$(e2e_window_count)
  xdotool key Escape
  e2e_wait_for 15 e2e_shows_fewer_than "$before"
}

# Chooses the entry n places down in the tray menu's "Orbel Kit" (Help
# File, Manage Items.., Preferences.., ...) with the keyboard: up twice
# from the top of the menu is the kit.
e2e_open_kit_entry() {
  e2e_open_tray_menu 1 || fail "the tray menu did not open"
  e2e_and_wait_window xdotool key Up Up Right || fail "the kit's submenu did not open"
  for _ in $(seq 1 "$1"); do xdotool key Down; done
  xdotool key Return
}

# Copies the built program into a fresh program directory.
e2e_make_program_dir() {
  local exe=$1 from=$2 dir=$3
  mkdir -p "$dir/media"
  cp "$exe" "$dir/orbel"
  cp "$from/media/"*.wav "$dir/media/" 2>/dev/null || true
  cp "$from/help.html" "$dir/" 2>/dev/null || true
}

e2e_has_ended() { ! kill -0 "$1" 2>/dev/null; }
e2e_wait_gone() { e2e_wait_for 30 e2e_has_ended "$1"; }

# The common start of a test script, after `exe artifacts progdir_src` are
# set: $out for its artifacts (emptied), $work a temporary directory removed
# at exit with everything started, $prog a fresh program directory.
e2e_begin() {
  out="$artifacts/$1"
  rm -rf "$out"; mkdir -p "$out"
  work=$(mktemp -d)
  trap 'e2e_stop_all; rm -rf "$work"' EXIT
  # A runtime directory of its own: the single-instance lock lives there,
  # and another program running on this machine must not hold it.
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  prog="$work/prog"
  e2e_make_program_dir "$exe" "$progdir_src" "$prog"
}

# Ends the test as skipped (CTest's skip code) with the reason.
e2e_skip() { echo "SKIP: $*"; exit 77; }

# Ends the test with a message; the program's error log, if any, is kept.
fail() {
  echo "FAIL: $*" >&2
  [ -n "${prog:-}" ] && [ -n "${out:-}" ] && cp "$prog/errorlog.txt" "$out/" 2>/dev/null
  exit 1
}

# Prints the id of the first visible window whose name matches, waiting
# for it.
e2e_window_named() {
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
  [ -n "$id" ] && echo "$id"
}
e2e_visible_window() {
  e2e_wait_for 15 e2e_window_named "$1" && e2e_window_named "$1"
}
e2e_no_window_named() { ! e2e_window_named "$1"; }

# Gives the window the keyboard, waiting until it has it.
e2e_is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
e2e_focus() {
  xdotool windowactivate --sync "$1" 2>/dev/null || true
  e2e_wait_for 15 e2e_is_active "$1"
}

# Waits until a file holds a line matching the pattern (grep -q).
e2e_file_has() { grep -q "$2" "$1" 2>/dev/null; }
e2e_wait_file_has() { e2e_wait_for 15 e2e_file_has "$1" "$2"; }

# Width or Height of the open tray menu: the largest visible window of the
# program other than the item manager (the tray icon is far smaller).
e2e_menu_extent() {
  local field=$1 id v best=0
  for id in $(xdotool search --onlyvisible --class '^tandrel-orbel$' 2>/dev/null); do
    xwininfo -id "$id" | grep -q 'Manage Items' && continue
    v=$(xwininfo -id "$id" | awk -v f="$field:" '$1 == f { print $2 }')
    [ "${v:-0}" -gt "$best" ] && best=$v
  done
  echo "$best"
}

# Starts the program of $prog on the virtual desktop, logging to
# $out/orbel.log; sets $pid and waits until its tray icon is there.
e2e_run_program() {
  "$prog/orbel" > "$out/orbel.log" 2>&1 &
  pid=$!
  E2E_PIDS+=("$pid")
  e2e_wait_tray_icon || fail "no tray icon appeared"
}

# A script item that leaves the words it was started with in dir/args.txt,
# one a line: dir/record-args.
e2e_make_recorder() {
  cat > "$1/record-args" <<SCRIPT
#!/bin/sh
for a in "\$@"; do printf '%s\n' "\$a"; done > "$1/args.txt"
SCRIPT
  chmod +x "$1/record-args"
}
