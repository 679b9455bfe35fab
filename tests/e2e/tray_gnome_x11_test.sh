#!/usr/bin/env bash
# GNOME Shell 43 with the AppIndicator extension, on Xvfb (X11): see tray_gnome.sh.
set -euo pipefail
mode=x11
source "$(dirname "$0")/tray_gnome.sh"
