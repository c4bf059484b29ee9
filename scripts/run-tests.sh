#!/bin/sh
# Builds everything and runs every test headless; ends with ctest's summary.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh $BUILD_PACKAGES $TEST_PACKAGES

# A comma-decimal locale, so the tests can prove that number texts ignore the process locale.
if ! locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
    as_root=""
    [ "$(id -u)" -eq 0 ] || as_root="sudo"
    $as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
