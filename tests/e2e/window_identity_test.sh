#!/usr/bin/env bash
# Windows that say who they are: the item manager, the preferences and the
# about box carry the program's picture (_NET_WM_ICON) and the class the
# launcher names (StartupWMClass), so a desktop groups them under "Tandrel
# Orbel"; the about box names the system it runs on.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin window_identity
e2e_require xprop /usr/bin/python3

launcher="$here/../../packaging/tandrel-orbel.desktop.in"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$launcher")
[ "$wm_class" = "$(basename "$launcher" .desktop.in)" ] ||
  fail "the launcher's StartupWMClass '$wm_class' is not its own name"

e2e_start_session_bus
e2e_start_a11y
e2e_start_desktop
e2e_run_program

# WM_CLASS "instance", "class", and the sizes of the icon's images: a
# _NET_WM_ICON holds width, height and the pixels of each.
check_window() {
  local id=$1 what=$2 class sizes
  class=$(xprop -id "$id" WM_CLASS)
  [ "$class" = "WM_CLASS(STRING) = \"orbel\", \"$wm_class\"" ] || fail "the $what's class: $class"
  sizes=$(xprop -id "$id" -notype 32c _NET_WM_ICON | /usr/bin/python3 -c '
import sys
text = sys.stdin.read()
values = [int(v) for v in text.split("=", 1)[1].replace(",", " ").split()] if "=" in text else []
sizes = []
while len(values) >= 2 and values[0] * values[1] > 0:
    w, h = values[0], values[1]
    pixels = values[2:2 + w * h]
    if len(pixels) < w * h or not any(p >> 24 for p in pixels):
        sys.exit("image %dx%d is incomplete or clear" % (w, h))
    sizes.append("%dx%d" % (w, h))
    values = values[2 + w * h:]
print(" ".join(sizes))') || fail "the $what's icon: $sizes"
  echo "$what: $class, icon $sizes"
  case " $sizes " in *" 16x16 "*" 32x32 "*) ;; *) fail "the $what's icon has no 16 and 32 pixel images: '$sizes'" ;; esac
}

e2e_open_kit_entry 1
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open"
check_window "$manager" "item manager"
import -window root "$out/manager.png"
xdotool key Escape
e2e_wait_for 15 e2e_no_window_named "Manage Items" || fail "the item manager did not close"

e2e_open_kit_entry 2
preferences=$(e2e_visible_window "Tandrel Orbel - Preferences") || fail "the preferences did not open"
check_window "$preferences" "preferences"
xdotool key Escape
e2e_wait_for 15 e2e_no_window_named "Tandrel Orbel - Preferences" || fail "the preferences did not close"

e2e_open_kit_entry 4
about=$(e2e_visible_window "Tandrel Orbel - About") || fail "the about box did not open"
check_window "$about" "about box"
import -window root "$out/about.png"
# Into a file first: with pipefail, grep -q leaving early would fail the reader.
about_says() { /usr/bin/python3 "$here/a11y.py" labels "Tandrel Orbel - About" > "$work/labels.txt" && grep -qx "$1" "$work/labels.txt"; }
e2e_wait_for 15 about_says "Tandrel Orbel version 1.12 for Linux" ||
  fail "the about box says: $(paste -sd'|' "$work/labels.txt")"
echo "screenshots in $out"
