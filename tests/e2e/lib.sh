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

# A virtual display alone: no window manager, no tray.
e2e_start_display() {
  local n
  n=$(e2e_free_display)
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  unset QT_QPA_PLATFORM
}

# icewm brings the taskbar with its notification area (XEmbed tray); sets
# $icewm_pid.
e2e_start_icewm() {
  HOME=${E2E_HOME:-$HOME} icewm >/dev/null 2>&1 &
  icewm_pid=$!
  E2E_PIDS+=("$icewm_pid")
  for _ in $(seq 1 50); do
    xwininfo -root -tree 2>/dev/null | grep -q 'YXTrayEmbedder\|icewm' && break
    sleep 0.1
  done
}

e2e_start_desktop() {
  e2e_start_display
  e2e_start_icewm
  sleep 1
}

# A private session bus for everything started after it.
e2e_start_session_bus() {
  local info
  info=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || fail "no session bus"
  export DBUS_SESSION_BUS_ADDRESS=$(echo "$info" | sed -n 1p)
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
  e2e_wait_until 100 e2e_sni host || fail "the panel's tray host did not start"
}

# Retries a command every 0.1 s, up to the given number of tries.
e2e_wait_until() {
  local tries=$1; shift
  for _ in $(seq 1 "$tries"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
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

e2e_wait_tray_icon() {
  local pos=""
  for _ in $(seq 1 100); do
    pos=$(e2e_tray_icon_centre)
    [ -n "$pos" ] && { echo "$pos" > /dev/null; return 0; }
    sleep 0.1
  done
  return 1
}

# Presses a mouse button on the tray icon.
e2e_click_tray() {
  local button=${1:-1} pos
  pos=$(e2e_tray_icon_centre)
  [ -n "$pos" ] || return 1
  # shellcheck disable=SC2086
  xdotool mousemove $pos
  sleep 0.2
  xdotool click "$button"
}

# Copies the built program into a fresh program directory.
e2e_make_program_dir() {
  local exe=$1 from=$2 dir=$3
  mkdir -p "$dir/media"
  cp "$exe" "$dir/orbel"
  cp "$from/media/"*.wav "$dir/media/" 2>/dev/null || true
  cp "$from/help.html" "$dir/" 2>/dev/null || true
}

e2e_wait_gone() {
  local pid=$1 tries=${2:-50}
  for _ in $(seq 1 "$tries"); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}

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
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  prog="$work/prog"
  e2e_make_program_dir "$exe" "$progdir_src" "$prog"
}

# Ends the test with a message; the program's error log, if any, is kept.
fail() {
  echo "FAIL: $*" >&2
  [ -n "${prog:-}" ] && [ -n "${out:-}" ] && cp "$prog/errorlog.txt" "$out/" 2>/dev/null
  exit 1
}

# Prints the id of the first visible window whose name matches, waiting up
# to five seconds for it.
e2e_visible_window() {
  local name=$1 id=""
  for _ in $(seq 1 50); do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Width or Height of the open tray menu: the largest visible window of the
# program other than the item manager (the tray icon is far smaller).
e2e_menu_extent() {
  local field=$1 id v best=0
  for id in $(xdotool search --onlyvisible --class orbel 2>/dev/null); do
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
  sleep 0.5
}
