#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian's packages.
# With "windows": what the cross build for Windows and its tests under Wine
# need instead (scripts/test-windows.sh); with "bench": the benchmarks' extras
# as well.
set -euo pipefail
if [ "${1:-}" = windows ]; then
  packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64)
  # Qt's cross build (scripts/build-qt-windows.sh), and the program under
  # Wine's desktop on a virtual display.
  packages+=(dpkg-dev perl qt6-base-dev qt6-base-dev-tools xvfb xdotool x11-utils imagemagick)
else
  packages=(cmake ninja-build clang libclang-rt-14-dev g++ libgtest-dev libgmock-dev libbenchmark-dev
    shellcheck clang-format
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl1-mesa-dev libxcb1-dev pkgconf libglib2.0-dev
    qt6-wayland xvfb icewm xdotool x11-utils imagemagick python3 python3-dbus dbus lxqt-panel sway waybar grim wtype
    file dpkg-dev desktop-file-utils at-spi2-core python3-pyatspi fonts-dejavu-core
    gnome-shell gnome-shell-extension-appindicator dconf-gsettings-backend libglib2.0-bin)
  # Qt's SVG icon engine: the desktop's icon themes are scalable.
  packages+=(libqt6svg6)
  # KDE Plasma on X11 and Wayland for the end-to-end tests, KWin's fake-input
  # protocol for their test pointer, and CopyQ to check that desktop with.
  packages+=(plasma-workspace plasma-desktop kwin-x11 kwin-wayland xwayland qtwayland5 kded5 kactivitymanagerd
    kde-spectacle dbus-x11 libwayland-dev plasma-wayland-protocols copyq)
  # With "bench": also what scripts/bench-startup.sh and scripts/bench-search.sh
  # measure against and with.
  if [ "${1:-}" = bench ]; then packages+=(jgmenu libxtst-dev fzf); fi
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
