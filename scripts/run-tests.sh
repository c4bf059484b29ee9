#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything and runs every test headless: the normal build, then the same suite built
# with AddressSanitizer and UndefinedBehaviorSanitizer, then bounded libFuzzer runs. Each stage
# ends in ctest's summary; the script fails as soon as one stage fails.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh --build-depends $RUN_PACKAGES $TEST_PACKAGES

# A comma-decimal locale, so the tests can prove that number texts ignore the process locale:
# made in the build folder, not in the machine's locale archive, beside glibc's own C.UTF-8.
mkdir -p build/locale
localedef -i de_DE -f UTF-8 build/locale/de_DE.UTF-8
export LOCPATH="$PWD/build/locale:/usr/lib/locale"

export QT_QPA_PLATFORM=offscreen

echo "== Normal build, hardened as Debian builds it"
with_debian_flags cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DHENGTIEBAO_BENCH=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DHENGTIEBAO_SANITIZE=ON
cmake --build build-asan -j2
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
    ctest --test-dir build-asan --output-on-failure -j2

echo "== Fuzzing, ${FUZZ_SECONDS:-20} seconds a target"
if command -v clang++ >/dev/null 2>&1; then
    CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHENGTIEBAO_LIBFUZZER=ON -DHENGTIEBAO_FUZZ_SECONDS="${FUZZ_SECONDS:-20}"
    cmake --build build-fuzz -j2
    ctest --test-dir build-fuzz --verbose
else
    echo "clang++ is not installed: the fuzz targets ran only as replays of their seed corpus."
fi
