#!/usr/bin/env bash
# Installs everything Lorvane needs to build, run and test on Debian 12.
# Idempotent: packages already present are skipped.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite
  qtmultimedia5-dev libqt5multimedia5-plugins
  libqt5webkit5-dev libqt5x11extras5-dev
  libx11-dev libxtst-dev
  fonts-font-awesome fonts-wqy-microhei
  xvfb xauth xdotool x11-utils openbox dbus
  g++-mingw-w64-x86-64
  clang-format
  dpkg-dev file desktop-file-utils appstream util-linux mount
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
