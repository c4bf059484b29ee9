#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then runs every test headless (README.md): the hardened normal build,
# the sanitizers' and bounded fuzz runs (FUZZ_SECONDS), each ending in ctest's summary.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh --build-depends $RUN_PACKAGES $TEST_PACKAGES
configure_hardened -DHENGTIEBAO_BENCH=ON
cmake --build --preset default
ctest --preset default
cmake --workflow --preset sanitize
cmake --workflow --preset fuzz
