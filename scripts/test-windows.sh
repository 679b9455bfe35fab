#!/usr/bin/env bash
# Cross-compiles the logic, the platform services and their tests for 64-bit
# Windows with MinGW-w64 and runs the tests under Wine, without a display.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBEL_WINDOWS_BUILD_DIR:-$here/build-windows}

"$here/scripts/deps.sh" windows

if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DORBEL_BUILD_APP=OFF -DORBEL_GTEST_SOURCE_DIR=/usr/src/googletest -DORBEL_WERROR=ON "${launcher[@]}"
fi
cmake --build "$build" --parallel

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
