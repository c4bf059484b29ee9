#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds everything and runs every test headless: the normal build
# hardened as Debian builds it, the sanitizers' build, and bounded fuzz runs (FUZZ_SECONDS, 20 by
# default), each a CMake workflow ending in ctest's summary; the first failure ends the run.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh --build-depends $RUN_PACKAGES $TEST_PACKAGES
with_debian_flags cmake --workflow --preset default
cmake --workflow --preset sanitize
cmake --workflow --preset fuzz
