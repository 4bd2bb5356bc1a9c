#!/usr/bin/env bash
# Builds and runs the benchmarks; prints a table of medians against their budgets.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
exec env QT_QPA_PLATFORM=offscreen "${BUILD_DIR:-build}/bench/lorvane_bench" "$@"
