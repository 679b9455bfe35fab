#!/usr/bin/env bash
# Configures and builds into build/ (clang, so the fuzz targets build too).
# ORBEL_WERROR=ON or OFF sets whether compiler warnings are errors, in a new
# build tree and in one made before alike; unset, a tree keeps its setting
# (a new one: OFF).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBEL_BUILD_DIR:-$here/build}
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  # Rebuilds in several checkouts share one compiler cache when there is one.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBEL_WERROR="${ORBEL_WERROR:-OFF}" "${launcher[@]}"
elif [ -n "${ORBEL_WERROR:-}" ] && ! grep -qx "ORBEL_WERROR:BOOL=$ORBEL_WERROR" "$build/CMakeCache.txt"; then
  cmake -B "$build" -DORBEL_WERROR="$ORBEL_WERROR" >/dev/null
fi
cmake --build "$build" --parallel
