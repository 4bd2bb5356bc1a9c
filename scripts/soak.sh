#!/usr/bin/env bash
# The long run of the random author operations with fresh seeds, for before a release:
# about 20 minutes (SOAK_MINUTES to change). A failure prints its seed and shortest sequence.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target tst_randomops
cd "$BUILD_DIR/tests"
minutes=${SOAK_MINUTES:-20}
# QTest ends any test function after 5 minutes unless told otherwise; the soak is one function.
QTEST_FUNCTION_TIMEOUT=$(( (minutes + 5) * 60000 )) LORVANE_SOAK_MINUTES=$minutes \
  QT_QPA_PLATFORM=offscreen ./tst_randomops soak
