# shellcheck shell=bash disable=SC2154,SC2317
# (out, work, prog and here come from the test and e2e_begin; the small
# functions defined inside others are called through e2e_wait_for.)
# A KDE Plasma 5 desktop for the end-to-end tests, sourced after lib.sh and
# e2e_begin: KWin, kded (the tray's watcher) and plasmashell, whose default
# panel holds the System Tray, on X11 (Xvfb) or on Wayland (KWin's virtual
# output). The pointer and screenshots go through what each offers:
# xdotool and import on X11, KWin's fake input and spectacle on Wayland.

# Plasma's services, and those the bus starts for it, write their state
# into the session's home and runtime directory: a fresh one per test.
plasma_env() {
  local home=$work/plasma-home
  mkdir -p "$home/.config" "$home/.local/share" "$home/.local/state" "$home/.cache"
  export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_STATE_HOME=$home/.local/state XDG_CACHE_HOME=$home/.cache
  export KDE_FULL_SESSION=true XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 LIBGL_ALWAYS_SOFTWARE=1
  # No crash dialogs in the way of the panel.
  export KDE_DEBUG=1
  trap 'plasma_stop_strays; e2e_stop_all; rm -rf "$work"' EXIT
}

plasma_session=""
# The panel along the bottom edge of the 1024x768 screen.
plasma_panel_box=1024x44+0+724

plasma_start() {
  plasmashell > "$out/plasmashell.log" 2>&1 &
  E2E_PIDS+=($!)
  e2e_wait_for 60 e2e_sni host || fail "Plasma's system tray did not start"
}

plasma_start_x11() {
  e2e_require Xvfb kwin_x11 kded5 plasmashell xdotool import dbus-daemon /usr/bin/python3
  plasma_session=x11
  plasma_env
  export XDG_SESSION_TYPE=x11
  e2e_start_display
  e2e_start_session_bus
  kwin_x11 > "$out/kwin.log" 2>&1 &
  E2E_PIDS+=($!)
  kded5 > "$out/kded.log" 2>&1 &
  E2E_PIDS+=($!)
  plasma_start
}

plasma_kam=$(echo /usr/lib/*/libexec/kactivitymanagerd)

plasma_start_wayland() {
  e2e_require kwin_wayland Xwayland kded5 plasmashell spectacle dbus-daemon /usr/bin/python3
  [ -x "$plasma_kam" ] || fail "kactivitymanagerd is missing: run scripts/deps.sh"
  [ -x "${ORBEL_WAYLAND_INPUT:-}" ] || fail "orbel_wayland_input was not built (libwayland-dev, plasma-wayland-protocols)"
  ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || fail "qt6-wayland is missing"
  plasma_session=wayland
  plasma_env
  export XDG_SESSION_TYPE=wayland
  unset DISPLAY
  e2e_start_session_bus
  # The installed binary carries a file capability that a container may
  # refuse to execute; a plain copy runs the same.
  cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
  export WAYLAND_DISPLAY=orbel-kwin
  KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    "$work/kwin_wayland" --virtual --width 1024 --height 768 --socket "$WAYLAND_DISPLAY" --no-lockscreen \
    --xwayland > "$out/kwin.log" 2>&1 &
  E2E_PIDS+=($!)
  e2e_wait_for 30 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "KWin on Wayland did not start"
  export QT_QPA_PLATFORM=wayland
  "$plasma_kam" > "$out/kactivitymanagerd.log" 2>&1 &
  E2E_PIDS+=($!)
  kded5 > "$out/kded.log" 2>&1 &
  E2E_PIDS+=($!)
  plasma_start
  # One client for the whole test (KWin loses events while it makes or
  # drops a client's device), fed through a pipe the test keeps open; the
  # first event goes while the device is made: spend it away from the panel.
  mkfifo "$work/input"
  exec {plasma_input}<> "$work/input"
  "$ORBEL_WAYLAND_INPUT" < "$work/input" >> "$out/input.log" 2>&1 &
  E2E_PIDS+=($!)
  echo "move 500 300" >&"$plasma_input"
}

# A screenshot of the whole screen.
plasma_shot() {
  if [ "$plasma_session" = wayland ]; then
    KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 timeout 30 spectacle -b -n -f -o "$1" > /dev/null 2>&1 && [ -s "$1" ]
  else
    import -window root "$1"
  fi
}

# A press of a button (1 left, 2 middle, 3 right) at X Y, with the real
# pointer of the session.
plasma_click() {
  if [ "$plasma_session" = wayland ]; then
    echo "move $1 $2 click $3" >&"$plasma_input"
  else
    e2e_pointer_to "$1" "$2" && xdotool click "$3"
  fi
}

# A left press on a tray icon at X Y that reaches its item (Activate).
# Presses on Wayland while plasmashell is still busy starting are lost, so
# it presses again until one arrives.
plasma_activate_at() {
  local before end=$((SECONDS + 30))
  before=$(plasma_calls_to Activate)
  while [ "$SECONDS" -lt "$end" ]; do
    plasma_click "$1" "$2" 1
    e2e_wait_for 5 plasma_called_more_than Activate "$before" && return 0
  done
  return 1
}

# Keys by name: Down, Return, Escape, and ctrl+alt+o (held together).
plasma_keys() {
  local k codes=()
  if [ "$plasma_session" = wayland ]; then
    for k in "$@"; do
      case $k in
        Down) codes+=(key 108) ;; Up) codes+=(key 103) ;; Right) codes+=(key 106) ;;
        Return) codes+=(key 28) ;; Escape) codes+=(key 1) ;;
        ctrl+alt+o) codes+=(keydown 29 keydown 56 key 24 keyup 56 keyup 29) ;;
        *) fail "no code for key $k" ;;
      esac
    done
    echo "${codes[*]}" >&"$plasma_input"
  else
    xdotool key "$@"
  fi
}

# "X Y" of the program's icon in the panel (the gold ring of its picture),
# from a fresh screenshot kept as $1.
plasma_icon_in_panel() {
  plasma_shot "$1" && e2e_find_colour "$1" "$plasma_panel_box" 255 215 0
}

# A menu drawn by Plasma is open above the panel: its light Breeze
# background, where the default wallpaper is dark. The screenshot is kept
# as $1.
plasma_menu_open() {
  plasma_shot "$1" && e2e_find_colour "$1" 1024x100+0+620 244 245 245 6
}

# What the tray asks of the items and their menus, one call a line in
# $out/calls.log (the member's name ends each line).
plasma_watch_calls() {
  dbus-monitor --session "type='method_call',interface='org.kde.StatusNotifierItem'" \
    "type='method_call',interface='com.canonical.dbusmenu'" > "$out/calls.log" 2>&1 &
  E2E_PIDS+=($!)
  e2e_wait_for 15 grep -q NameAcquired "$out/calls.log" || fail "dbus-monitor did not start"
}
plasma_calls_to() { grep -c "member=$1\$" "$out/calls.log" || true; }
plasma_called_more_than() { [ "$(plasma_calls_to "$1")" -gt "$2" ]; }

# Before blaming the program for what the tray did not do: the same with a
# tray program nobody here wrote. Prints what CopyQ's item got, for the
# failure message (so it runs in a subshell; CopyQ goes with the strays).
plasma_control() {
  local pos items
  command -v copyq >/dev/null || { echo "no copyq to check the desktop with"; return; }
  items=$(e2e_sni count)
  copyq > "$out/copyq.log" 2>&1 &
  copyq_shows() { [ "$(e2e_sni count)" -gt "$items" ]; }
  e2e_wait_for 30 copyq_shows || { echo "copyq's item did not register either"; return; }
  # CopyQ's icon: its green eyes.
  copyq_icon() { plasma_shot "$out/control.png" && e2e_find_colour "$out/control.png" "$plasma_panel_box" 128 203 156 12; }
  e2e_wait_for 15 copyq_icon || { echo "copyq's icon is not in the panel either"; return; }
  pos=$(copyq_icon)
  # shellcheck disable=SC2086
  if plasma_activate_at $pos; then
    echo "a left press on copyq's icon reached it (Activate), see control.png"
  else
    echo "a left press on copyq's icon did not reach it either: the desktop, not the program"
  fi
}

# Everything that runs with this test's runtime directory: what the bus
# started for Plasma, and what Plasma started in turn (kio workers), is no
# child of the test and would outlive it.
# Waits until they have ended, as they write into the test's directory
# until then.
plasma_stop_strays() {
  local f p strays=()
  for f in /proc/[0-9]*/environ; do
    p=${f#/proc/}; p=${p%/environ}
    [ "$p" != $$ ] || continue
    if grep -qzx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" "$f" 2>/dev/null && kill "$p" 2>/dev/null; then strays+=("$p"); fi
  done
  # A zombie has ended too (the test's own children wait for its wait).
  plasma_ended() { [ ! -e "/proc/$1" ] || [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)" = Z ]; }
  for p in "${strays[@]}"; do e2e_wait_for 30 plasma_ended "$p" || kill -9 "$p" 2>/dev/null || true; done
}

# The common start of the Plasma tests, once the session runs: the recorder
# item in a fresh store, the program started ($pid), registered with
# Plasma's watcher as a menu (true on Wayland) or not, its icon in the
# System Tray at "$pos". Items it starts are checked with plasma_launched.
plasma_run_program() {
  local item_is_menu=$1
  plasma_watch_calls
  "$prog/orbel" > "$out/orbel.log" 2>&1 &
  pid=$!
  E2E_PIDS+=("$pid")
  e2e_sni wait-item 30 > /dev/null || fail "the item was not registered with Plasma's watcher; $(plasma_control)"
  [ "$(e2e_sni prop ItemIsMenu)" = "$item_is_menu" ] || fail "ItemIsMenu must be $item_is_menu here"
  e2e_wait_for 30 plasma_icon_in_panel "$work/shot.png" || fail "the icon is not in the System Tray; $(plasma_control)"
  pos=$(plasma_icon_in_panel "$out/tray.png")
}
plasma_make_store() {
  e2e_make_recorder "$work"
  mkdir -p "$prog/shortcuts"
  printf '^ExeLnk|%s|one "two words" three|record-args.bmp|Record arguments\r\n' "$work/record-args" \
    > "$prog/shortcuts/shortcuts.txt"
  printf 'one\ntwo words\nthree\n' > "$work/expected.txt"
}
plasma_launched() {
  e2e_wait_for 15 test -s "$work/args.txt" || fail "$1 did not start the item"
  diff -u "$work/expected.txt" "$work/args.txt" || fail "$1 started the item with other parameters"
  rm -f "$work/args.txt"
}

# The menu shortcut of orbel.ini (Ctrl+Alt+O) is registered with Plasma's
# shortcut service, so its settings list it, and pressing it opens what
# $1 names: "popup" (the program's own, X11) or "find" (its find window).
plasma_shortcut() {
  local windows
  registered() {
    dbus-send --session --print-reply --dest=org.kde.kglobalaccel /kglobalaccel \
      org.kde.KGlobalAccel.allMainComponents 2>/dev/null | grep -q '"tandrel-orbel"'
  }
  e2e_wait_for 15 registered || fail "the menu shortcut is not registered with Plasma's shortcut service"
  if [ "$1" = popup ]; then
    windows=$(e2e_window_count)
    e2e_pointer_to 500 300
    plasma_keys ctrl+alt+o
    e2e_wait_for 15 e2e_shows_more_than "$windows" || fail "Ctrl+Alt+O opened no popup"
    plasma_shot "$out/shortcut-popup.png"
    plasma_keys Escape
  else
    find_shown() { /usr/bin/python3 "$here/a11y.py" results "Tandrel Orbel - Find" > /dev/null 2>&1; }
    plasma_keys ctrl+alt+o
    e2e_wait_for 15 find_shown || fail "Ctrl+Alt+O opened no find window"
    plasma_shot "$out/shortcut-find.png"
    plasma_keys Escape
  fi
}

# The common end: a middle press reaches the program as SecondaryActivate
# (which opens nothing), and "Close" from the exported menu ends it.
plasma_middle_then_close() {
  local before
  before=$(plasma_calls_to SecondaryActivate)
  # shellcheck disable=SC2086
  plasma_click $pos 2
  e2e_wait_for 15 plasma_called_more_than SecondaryActivate "$before" || fail "the middle press did not reach the program"
  e2e_sni click Close
  e2e_wait_gone "$pid" || fail "Close from the exported menu did not end the program"
  echo "screenshots in $out"
}
