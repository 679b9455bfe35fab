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

e2e_start_desktop() {
  local n
  n=$(e2e_free_display)
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  # icewm brings the taskbar with its notification area (XEmbed tray).
  HOME=${E2E_HOME:-$HOME} icewm >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  for _ in $(seq 1 50); do
    xwininfo -root -tree 2>/dev/null | grep -q 'YXTrayEmbedder\|icewm' && break
    sleep 0.1
  done
  sleep 1
  unset QT_QPA_PLATFORM
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
