#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package with CPack into
# build/package/ (the version is the project's; the dependencies come from dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
cd "$BUILD_DIR"
cpack -G DEB -B package --config CPackConfig.cmake
ls -l package/*.deb
