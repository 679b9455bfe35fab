# shellcheck shell=bash disable=SC2154 # out, work, prog, here: from the test and e2e_begin
# GNOME Shell with the AppIndicator extension, once per test, in the test's
# own session bus: on Xvfb (x11) or headless with a virtual monitor
# (wayland). Source after lib.sh and e2e_begin; what it starts ends with the
# test. The shell answers org.gnome.Shell.Eval only in its unsafe mode,
# which a small extension of the test's own turns on (gnome.py asks it).

GNOME_APPINDICATOR=ubuntu-appindicators@ubuntu.com
GNOME_PROBE=orbel-e2e@tandrel.example

gnome_ask() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/gnome.py" "$@"; }

gnome_shell_ready() { [ "$(gnome_ask eval 'global.context.unsafe_mode && !Main.layoutManager._startingUp')" = true ]; }

# gnome_start x11|wayland: sets $shell_pid; on Wayland also WAYLAND_DISPLAY
# and QT_QPA_PLATFORM for the programs started after it.
gnome_start() {
  local mode=$1 ext
  e2e_require gnome-shell gsettings dbus-daemon /usr/bin/python3
  [ -d "/usr/share/gnome-shell/extensions/$GNOME_APPINDICATOR" ] ||
    fail "the AppIndicator extension is missing: run scripts/deps.sh"
  # Settings (dconf), the extension and the caches live in the test's home.
  export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
  export XDG_CACHE_HOME="$work/home/.cache" XDG_SESSION_TYPE=$mode XDG_CURRENT_DESKTOP=GNOME
  ext="$XDG_DATA_HOME/gnome-shell/extensions/$GNOME_PROBE"
  mkdir -p "$ext"
  printf '{"uuid": "%s", "name": "Test access", "description": "Lets the tests ask the shell.", "shell-version": ["43"]}\n' \
    "$GNOME_PROBE" > "$ext/metadata.json"
  cat > "$ext/extension.js" <<'JS'
function init() {}
function enable() { global.context.unsafe_mode = true; }
function disable() {}
JS
  if [ "$mode" = x11 ]; then
    e2e_start_display 1280x800 +extension GLX +extension Composite
  else
    unset DISPLAY
  fi
  e2e_start_session_bus
  # The shell ends at start-up without a system bus where systemd's seat
  # directory exists: a bus of its own stands in.
  local sysbus
  sysbus=$(dbus-daemon --session --fork --address="unix:path=$XDG_RUNTIME_DIR/sysbus" --print-pid=1) ||
    fail "no stand-in system bus"
  E2E_PIDS+=("$sysbus")
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/sysbus"
  gsettings set org.gnome.shell disable-user-extensions false
  gsettings set org.gnome.shell enabled-extensions "['$GNOME_APPINDICATOR', '$GNOME_PROBE']"
  if [ "$mode" = x11 ]; then
    gnome-shell --x11 --replace >> "$out/shell.log" 2>&1 &
  else
    gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 >> "$out/shell.log" 2>&1 &
  fi
  shell_pid=$!
  E2E_PIDS+=("$shell_pid")
  e2e_wait_for 90 gnome_shell_ready || fail "GNOME Shell did not start (see shell.log)"
  gnome_ask eval 'Main.overview.hide(); true' > /dev/null
  e2e_wait_for 30 e2e_sni host || fail "the AppIndicator extension's tray host did not start"
  if [ "$mode" = wayland ]; then
    local socket
    for socket in "$XDG_RUNTIME_DIR"/wayland-*; do
      [ -S "$socket" ] && export WAYLAND_DISPLAY="${socket##*/}" && break
    done
    [ -n "${WAYLAND_DISPLAY:-}" ] || fail "the shell made no Wayland socket"
    export QT_QPA_PLATFORM=wayland
  fi
}

# The extension's icons in the top bar: "name<TAB>X Y W H", one a line.
gnome_indicators() { gnome_ask indicators; }
# How many icons of that name the top bar shows.
gnome_indicator_count() { gnome_indicators | awk -F '\t' -v n="$1" '$1 == n { c++ } END { print c + 0 }'; }
gnome_shows_indicators() { [ "$(gnome_indicator_count "$1")" -eq "$2" ]; }
# "X Y", the centre of the first icon of that name.
gnome_indicator_centre() {
  gnome_indicators | awk -F '\t' -v n="$1" '$1 == n { split($2, g, " "); print int(g[1] + g[3] / 2), int(g[2] + g[4] / 2); f = 1; exit }
    END { exit !f }'
}

# A click (or N) of a button where the shell's virtual pointer is sent.
gnome_click() { gnome_ask click "$@" > /dev/null; }
# The open top-bar menu's entries: "X Y<TAB>label", one a line.
gnome_menu() { gnome_ask menu; }
gnome_menu_has() { gnome_menu | cut -f2 | grep -qxF "$1"; }
gnome_menu_open() { [ -n "$(gnome_menu)" ]; }
gnome_menu_closed() { [ -z "$(gnome_menu)" ]; }
gnome_menu_entry() { gnome_menu | awk -F '\t' -v l="$1" '$2 == l { print $1; f = 1; exit } END { exit !f }'; }
gnome_close_menus() { gnome_ask eval 'Main.panel.menuManager._menus.forEach(m => (m.menu || m).close()); true' > /dev/null; }

# The titles of the windows the shell shows, one a line.
gnome_window_titles() { gnome_ask eval 'global.get_window_actors().map(a => a.meta_window.get_title() || "").join("\n")' | /usr/bin/python3 -c 'import json, sys; print(json.load(sys.stdin))'; }
gnome_has_window() { gnome_window_titles | grep -qxF "$1"; }

# The whole screen, as the shell draws it (X11 and Wayland alike).
gnome_screenshot() { gnome_ask screenshot "$1"; }
