#!/usr/bin/env bash
# Builds everything and runs every test: logic, platform, widgets, fuzz
# (briefly) and end-to-end under a virtual display.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/deps.sh"
# Every build it makes, in a new tree or an old one, fails on any compiler
# warning.
ORBEL_WERROR=${ORBEL_WERROR:-ON} "$here/scripts/build.sh"
build=${ORBEL_BUILD_DIR:-$here/build}
cd "$build"
ctest --output-on-failure --timeout 300 "$@"
