#!/usr/bin/env bash
# Builds and runs the benchmarks; prints a table of medians against their budgets.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
status=0
env QT_QPA_PLATFORM=offscreen "${BUILD_DIR:-build}/bench/lorvane_bench" "$@" || status=$?
# Start-up of the real program against a bare window: whole processes on an X server of the
# batch's own, so it runs apart from the in-process cases above (selected by "start-up").
if [[ $# -eq 0 || "start-up of the real program" == *"${1}"* ]]; then
  "${BUILD_DIR:-build}/bench/lorvane_startbench" || status=$?
fi
# Typing in the real program on the same kind of private X server (selected by "typing").
if [[ $# -eq 0 || "typing in the real program" == *"${1}"* ]]; then
  "${BUILD_DIR:-build}/bench/lorvane_typebench" || status=$?
fi
exit "$status"
