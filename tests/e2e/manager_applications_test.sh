#!/usr/bin/env bash
# A new user's first steps: the item manager of an empty store says how to
# start; Add Applications.., pressed from the keyboard, brings in the
# applications the desktop lists (from a private set of desktop entries:
# a few categories, one hidden, one for another desktop, one whose program
# is missing, one with a German name, one without a name, one malformed),
# and Save stores them as ordinary items. Screenshots of every step are kept.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin manager_applications
e2e_require xdotool /usr/bin/python3 dbus-daemon /usr/libexec/at-spi-bus-launcher

# The program's list of applications comes from these directories alone;
# the system's MIME types, icons and settings schemas stay in reach.
apps="$work/data/applications"
mkdir -p "$apps" "$work/home-data"
for shared in mime icons glib-2.0; do ln -s "/usr/share/$shared" "$work/data/$shared"; done
entry() {
  local file=$1; shift
  { echo '[Desktop Entry]'; echo 'Type=Application'; echo 'Exec=/bin/true'; printf '%s\n' "$@"; } > "$apps/$file"
}
entry paint.desktop 'Name=Paint' 'Categories=Graphics;2DGraphics;'
entry viewer.desktop 'Name=Image Viewer' 'Name[de]=Bildbetrachter' 'Categories=GTK;Graphics;Viewer;'
entry browser.desktop 'Name=Browser' 'Categories=Network;WebBrowser;'
entry calc.desktop 'Name=Calculator' 'Categories=Utility;Development;Calculator;'
entry odd.desktop 'Name=Odd Tool' 'Categories=X-Own;'
entry nameless.desktop 'Categories=Utility;'
entry hidden.desktop 'Name=Hidden Helper' 'NoDisplay=true' 'Categories=Utility;'
entry kde.desktop 'Name=KDE Only' 'OnlyShowIn=KDE;' 'Categories=Utility;'
entry gone.desktop 'Name=Gone' 'TryExec=/nonexistent/program' 'Categories=Utility;'
printf 'Name=No Group\nExec=/bin/true\n' > "$apps/malformed.desktop"

e2e_start_display
e2e_start_session_bus
e2e_start_a11y
e2e_start_icewm
export XDG_DATA_DIRS="$work/data" XDG_DATA_HOME="$work/home-data" XDG_CURRENT_DESKTOP=XFCE
export LANG=de_DE.UTF-8 LANGUAGE=de
e2e_run_program

e2e_open_kit_entry 1
manager=$(e2e_visible_window "Manage Items") || fail "the item manager did not open"
e2e_focus "$manager" || fail "the item manager did not take the keyboard"
e2e_wait_for 15 e2e_tree_row "Close" || fail "the tree did not show: $(e2e_tree_texts)"
import -window root "$out/manager-empty.png"

# The button's letter, with the tree's top marker selected.
xdotool key alt+i
e2e_wait_for 15 e2e_tree_row "Graphics" || fail "the import did not show: $(e2e_tree_texts)"
# The new folder is selected and open; down past its top marker, open Graphics.
xdotool key Down Down Right
e2e_wait_for 15 e2e_tree_row "Bildbetrachter" || fail "Graphics did not open: $(e2e_tree_texts)"
import -window root "$out/manager-imported.png"
# Nothing is stored before Save.
[ ! -e "$prog/shortcuts/Applications" ] || fail "the import was stored before Save"
xdotool key alt+a
e2e_wait_file_has "$prog/shortcuts/shortcuts.txt" Applications || fail "Save did not store the import"
import -window root "$out/manager-saved.png"

# The store as its format gives it: folders by caption with Other last,
# items by name, each an item for its desktop entry.
expect() {
  local dir=$1; shift
  printf '%s\r\n' "$@" > "$work/expected.txt"
  cmp -s "$work/expected.txt" "$prog/shortcuts/$dir/shortcuts.txt" ||
    fail "shortcuts/$dir/shortcuts.txt holds: $(cat -A "$prog/shortcuts/$dir/shortcuts.txt" 2>&1)"
}
expect . '^Folder|Applications'
expect Applications '^Folder|Graphics' '^Folder|Internet' '^Folder|Utility' '^Folder|Other'
expect Applications/Graphics "^UnkLnk|$apps/viewer.desktop|desktop|Bildbetrachter" \
  "^UnkLnk|$apps/paint.desktop|desktop|Paint"
expect Applications/Internet "^UnkLnk|$apps/browser.desktop|desktop|Browser"
expect Applications/Utility "^UnkLnk|$apps/calc.desktop|desktop|Calculator" \
  "^UnkLnk|$apps/nameless.desktop|desktop|nameless"
expect Applications/Other "^UnkLnk|$apps/odd.desktop|desktop|Odd Tool"
[ -z "$(find "$prog/shortcuts" -name '*.bmp')" ] || fail "icon bitmaps were stored for desktop entries"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
cp "$prog/errorlog.txt" "$out/" 2>/dev/null || true
echo "screenshots in $out"
