#!/usr/bin/env bash
# GNOME Shell 43 with the AppIndicator extension, headless on Wayland (virtual monitor): see tray_gnome.sh.
set -euo pipefail
mode=wayland
source "$(dirname "$0")/tray_gnome.sh"
