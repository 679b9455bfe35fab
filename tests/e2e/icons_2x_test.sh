#!/usr/bin/env bash
# Icons from the desktop on a 2x screen: a desktop entry shows its own theme
# icon, a program that an installed entry starts shows that entry's icon,
# and both are drawn sharp, for the screen's device pixels; a program no
# entry starts keeps its stored 16-pixel bitmap, doubled. The menu exported
# to StatusNotifierItem hosts names the theme icons and sends the bitmap at
# 32 pixels.
#
# Sharpness: every icon here is made of one-pixel stripes of pure red and
# pure blue (32 across in the theme's SVGs, 16 across in the bitmap). In the
# screenshot each icon's rows are scanned for changes from pure red to pure
# blue or back (blended pixels between them skipped). Drawn from a source
# of 32 device pixels an icon row has 31 such changes; drawn from a
# 16-pixel picture scaled up, 15 at most (and none for an SVG drawn at 16,
# whose stripes blend to purple). The stored bitmap is the check's control.
set -euo pipefail
exe=$1 artifacts=$2 progdir_src=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin icons_2x
e2e_require convert import xwininfo xdotool python3
ls /usr/lib/*/qt6/plugins/iconengines/libqsvgicon.so >/dev/null 2>&1 ||
  fail "Qt's SVG icon engine (libqt6svg6) is missing: run scripts/deps.sh"

# A private theme under the name every desktop falls back to, and a
# private application directory, ahead of the system's.
data="$work/data"
theme="$data/icons/hicolor"
mkdir -p "$theme/scalable/apps" "$data/applications" "$work/entries"
cat > "$theme/index.theme" <<'THEME'
[Icon Theme]
Name=Hicolor
Directories=scalable/apps

[scalable/apps]
Size=16
MinSize=8
MaxSize=512
Type=Scalable
Context=Applications
THEME
svg="<svg xmlns='http://www.w3.org/2000/svg' width='32' height='32' viewBox='0 0 32 32'>"
for x in $(seq 0 31); do
  if [ $((x % 2)) -eq 0 ]; then c='#ff0000'; else c='#0000ff'; fi
  svg+="<rect x='$x' y='0' width='1' height='32' fill='$c'/>"
done
svg+="</svg>"
echo "$svg" > "$theme/scalable/apps/orbel-e2e-viewer.svg"
echo "$svg" > "$theme/scalable/apps/orbel-e2e-tool.svg"
export XDG_DATA_DIRS="$data:/usr/share"

printf '#!/bin/sh\nexit 0\n' > "$work/tool"
printf '#!/bin/sh\nexit 0\n' > "$work/lone"
chmod +x "$work/tool" "$work/lone"
cat > "$work/entries/viewer.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Viewer
Exec=true
Icon=orbel-e2e-viewer
ENTRY
cat > "$data/applications/orbel-e2e-tool.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Tool
Exec=$work/tool --option
Icon=orbel-e2e-tool
ENTRY

# The stored bitmap of the lone program: 16 one-pixel stripes, as a 24-bit BMP.
python3 - "$work/lone.ppm" <<'PY'
import sys
row = b"".join(b"\xff\x00\x00" if x % 2 == 0 else b"\x00\x00\xff" for x in range(16))
open(sys.argv[1], "wb").write(b"P6 16 16 255\n" + row * 16)
PY
mkdir -p "$prog/shortcuts"
convert "$work/lone.ppm" "BMP3:$prog/shortcuts/lone.bmp"
printf '^UnkLnk|%s|desktop|Viewer\r\n^ExeLnk|%s||tool.bmp|Tool\r\n^ExeLnk|%s||lone.bmp|Lone\r\n' \
  "$work/entries/viewer.desktop" "$work/tool" "$work/lone" > "$prog/shortcuts/shortcuts.txt"
cp "$prog/shortcuts/lone.bmp" "$prog/shortcuts/tool.bmp"

e2e_start_desktop
QT_SCALE_FACTOR=2 e2e_run_program
e2e_open_tray_menu 1 || fail "the tray menu did not open"
shot="$out/menu-2x.png"
import -window root "$shot"

# The menu: the largest of the program's windows on the screen.
menu="" best=0 mx=0 my=0 mw=0 mh=0
for id in $(xdotool search --onlyvisible --class '^tandrel-orbel$'); do
  eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/ { print "mx=" $NF } /Absolute upper-left Y/ { print "my=" $NF }
    /Width:/ { print "mw=" $NF } /Height:/ { print "mh=" $NF }')"
  if [ $((mw * mh)) -gt "$best" ]; then best=$((mw * mh)); menu="${mw}x${mh}+${mx}+${my}"; fi
done
[ -n "$menu" ] || fail "no menu window found"
convert "$shot" -crop "$menu" +repage "$out/menu-2x-crop.png"
convert "$out/menu-2x-crop.png" -depth 8 "ppm:$work/menu.ppm"

# Steps per icon, top to bottom: bands of rows that hold red-blue steps.
python3 - "$work/menu.ppm" > "$out/sharpness.txt" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
px = parts[4]
def colour(x, y):
    i = (y * w + x) * 3
    r, g, b = px[i], px[i + 1], px[i + 2]
    if r > 230 and g < 25 and b < 25: return "r"
    if b > 230 and r < 25 and g < 25: return "b"
    return None
bands, current = [], None
for y in range(h):
    # Changes between pure red and pure blue along the row's first 80
    # pixels, blended pixels between them skipped.
    steps, last = 0, None
    for x in range(min(w, 80)):
        c = colour(x, y)
        if c and last and c != last: steps += 1
        if c: last = c
    if steps:
        if current is None: current = []
        current.append(steps)
    elif current is not None:
        bands.append(current); current = None
if current is not None: bands.append(current)
for band in bands:
    print(len(band), max(band))
PY
cat "$out/sharpness.txt"
# Viewer and Tool from the theme, then Lone's bitmap: three icons of 32
# device rows; the two from the theme sharp, the bitmap only doubled.
[ "$(wc -l < "$out/sharpness.txt")" -eq 3 ] || fail "expected three striped icons in the menu (see $shot)"
read -r rows1 steps1 < <(sed -n 1p "$out/sharpness.txt")
read -r rows2 steps2 < <(sed -n 2p "$out/sharpness.txt")
read -r rows3 steps3 < <(sed -n 3p "$out/sharpness.txt")
if [ "$rows1" -lt 28 ] || [ "$steps1" -lt 28 ]; then
  fail "the desktop entry's icon is not sharp: $rows1 rows, $steps1 changes"
fi
if [ "$rows2" -lt 28 ] || [ "$steps2" -lt 28 ]; then
  fail "the icon of the program's installed entry is not sharp: $rows2 rows, $steps2 changes"
fi
# The control: a 16-pixel bitmap scaled up cannot pass for sharp.
if [ "$rows3" -lt 28 ] || [ "$steps3" -gt 16 ]; then
  fail "the stored bitmap is not the scaled 16-pixel one: $rows3 rows, $steps3 changes"
fi
e2e_close_menus || fail "the menu did not close"

# The menu as StatusNotifierItem hosts get it: theme icons by name, for the
# host to draw at its size; the bitmap as a picture of at least 32 pixels.
kill "$pid"
e2e_wait_gone "$pid" || fail "the program did not end"
e2e_start_session_bus
e2e_sni watcher 0 > "$out/watcher.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for 15 e2e_sni host || fail "the test watcher did not start"
"$prog/orbel" > "$out/orbel-sni.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
e2e_sni wait-item 30 > /dev/null || fail "the item did not register with the watcher"
e2e_sni icons > "$out/exported-icons.txt" || fail "the exported menu could not be read"
grep -qx $'Viewer\torbel-e2e-viewer\t0' "$out/exported-icons.txt" || fail "the desktop entry is not exported with its theme icon's name"
grep -qx $'Tool\torbel-e2e-tool\t0' "$out/exported-icons.txt" || fail "the program is not exported with its entry's icon name"
lone=$(awk -F '\t' '$1 == "Lone" && $2 == "" { print $3 }' "$out/exported-icons.txt")
[ "${lone:-0}" -ge 32 ] || fail "the bitmap is exported ${lone:-without a picture} px wide, not at least 32"
echo "screenshots in $out"
