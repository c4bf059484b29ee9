#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program, hardened as Debian builds it, and opens its window.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh --build-depends=nocheck $RUN_PACKAGES

with_debian_flags cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DHENGTIEBAO_BENCH=OFF
cmake --build build -j2 --target hengtiebao
exec build/ui/hengtiebao
