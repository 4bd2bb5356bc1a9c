#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Desktop tests get their own X
# server (Xvfb) and a private D-Bus session; nothing touches the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
cd "$BUILD_DIR"
exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" \
  dbus-run-session -- ctest --output-on-failure -j2 "$@"
