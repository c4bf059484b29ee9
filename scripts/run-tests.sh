#!/bin/sh
# Builds everything and runs every test headless; ends with ctest's summary.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh $BUILD_PACKAGES $TEST_PACKAGES

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
