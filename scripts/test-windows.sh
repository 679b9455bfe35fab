#!/usr/bin/env bash
# Cross-compiles the program for 64-bit Windows with MinGW-w64, against a Qt
# built once per machine by scripts/build-qt-windows.sh; makes the portable
# ZIP; runs the logic and platform tests under Wine without a display, and
# the program itself under Wine with a desktop and its tray.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBEL_WINDOWS_BUILD_DIR:-$here/build-windows}

"$here/scripts/deps.sh" windows

qt=$("$here/scripts/build-qt-windows.sh")

# Qt's toolchain file finds that Qt and its host tools, then loads ours.
qt_toolchain=$qt/lib/cmake/Qt6/qt.toolchain.cmake
if [ -f "$build/CMakeCache.txt" ] && ! grep -qF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$qt_toolchain" "$build/CMakeCache.txt"; then
  # A tree made without this Qt: its toolchain cannot change in place.
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
start=$(date +%s)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DORBEL_BUILD_APP=ON -DORBEL_BUILD_BENCH=OFF -DORBEL_GTEST_SOURCE_DIR=/usr/src/googletest -DORBEL_WERROR=ON \
  "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel
(cd "$build" && cpack -G ZIP >/dev/null)
zip=$(find "$build" -maxdepth 1 -name 'tandrel-orbel-*-win64.zip' | head -n 1)
echo "The program for Windows: built in $(($(date +%s) - start)) s; $zip: $(stat -c %s "$zip") bytes"

# A Wine prefix of our own, made once: nothing of the user's Wine is touched,
# and no dialog asks to install Mono or Gecko, which these tests never need.
export WINEPREFIX=${ORBEL_WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1 || true
  # Windows without a display: the null driver makes real windows that
  # nobody sees, for the taskbar tests.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver --wait
fi
# One server for the whole run instead of one per test process.
wineserver --persistent=60
trap 'wineserver --kill >/dev/null 2>&1 || true' EXIT
cd "$build"
ctest --output-on-failure --timeout 600 "$@"
# What the comparisons with the system's own functions covered.
grep -h "oracle:" Testing/Temporary/LastTest.log 2>/dev/null || true
