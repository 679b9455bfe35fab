#!/usr/bin/env bash
# Configures and builds into build/ (clang, so the fuzz targets build too).
# ORBEL_WERROR=ON configures a new build tree with warnings as errors (CI).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBEL_BUILD_DIR:-$here/build}
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  # Rebuilds in several checkouts share one compiler cache when there is one.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBEL_WERROR="${ORBEL_WERROR:-OFF}" "${launcher[@]}"
fi
cmake --build "$build" --parallel
