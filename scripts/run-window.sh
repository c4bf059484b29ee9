#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program, hardened as Debian builds it, and opens its window.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh --build-depends=nocheck $RUN_PACKAGES
configure_hardened -DBUILD_TESTING=OFF -DHENGTIEBAO_BENCH=OFF
cmake --build --preset default --target hengtiebao
exec build/ui/hengtiebao
