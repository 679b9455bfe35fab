#!/usr/bin/env bash
# Cross-builds the Qt the Windows program needs (Core, Gui, Widgets, the
# Windows platform plugin and the native style) with MinGW-w64, from Debian's
# own qt6-base source of the version the Linux build uses, whose host tools
# (moc, rcc, uic) serve the cross build. Shared libraries: the portable folder
# ships them beside the executable.
#
# The result goes into a cache outside the checkout, keyed by Qt's version and
# by the configuration, and is built once per machine. Prints the install
# folder on standard output, and all else on standard error.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
exec 3>&1 1>&2

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
upstream=${upstream#*:}

# Everything the program does not load stays out, which also keeps the build
# short on a small machine. Pen tablets need Wacom's header, which Debian's
# source leaves out.
options=(-release -optimize-size -shared -nomake examples -nomake tests
  -no-opengl -no-dbus -no-vulkan -no-icu -no-freetype -no-fontconfig
  -no-feature-sql -no-feature-network -no-feature-testlib -no-feature-printsupport
  -no-feature-concurrent -no-feature-xml -no-feature-printdialog -no-feature-printer
  -no-feature-jpeg -no-feature-gif -no-feature-sessionmanager -no-feature-tabletevent
  -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-doubleconversion)
toolchain=$here/cmake/mingw-w64-x86_64.cmake
key=$( (printf '%s\n' "$version" "${options[@]}"; cat "$toolchain") | sha256sum | cut -c1-10)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tandrel-orbel
dest=$cache/qt-$upstream-mingw64-$key

if [ -f "$dest/.finished" ]; then
  echo "Qt for Windows: cached in $dest"
  echo "$dest" >&3
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for p in dpkg-dev perl qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix cmake ninja-build; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# apt-get source needs the source index, which a default Debian 12 leaves out.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $version\$"; then
  list=/etc/apt/sources.list.d/tandrel-orbel-src.sources
  if [ ! -f "$list" ]; then
    # The host's qt6-base may come from a point release or a security update.
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm bookworm-updates' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' '' \
      'Types: deb-src' 'URIs: http://deb.debian.org/debian-security' 'Suites: bookworm-security' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $sudo tee "$list" >/dev/null
  fi
  $sudo apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$cache/qt-$upstream-work-$key
mkdir -p "$work"
cd "$work"
src=$(find . -maxdepth 1 -type d -name "qt6-base-$upstream*" | head -n 1)
if [ -z "$src" ]; then
  # The exact version of the host's tools; their moc output must match.
  apt-get source -qq "qt6-base=$version"
  src=$(find . -maxdepth 1 -type d -name "qt6-base-$upstream*" | head -n 1)
fi
src=$work/${src#./}

start=$(date +%s)
if [ ! -f build/build.ninja ]; then
  rm -rf build
  mkdir build
  (cd build && "$src/configure" -prefix "$dest" "${options[@]}" \
    -xplatform win32-g++ -qt-host-path /usr -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
fi
cmake --build build --parallel "${ORBEL_QT_JOBS:-$(nproc)}"
cmake --install build
touch "$dest/.finished"
echo "Qt for Windows: built in $(($(date +%s) - start)) s into $dest"
cd "$cache"
rm -rf "$work"
echo "$dest" >&3
