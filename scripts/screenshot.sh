#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the window under Xvfb at 96 dpi into docs/screenshot.png, for the README.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh --build-depends=nocheck $RUN_PACKAGES xvfb xauth imagemagick

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target hengtiebao
mkdir -p docs
# shellcheck disable=SC2016  # expanded by the inner shell
xvfb-run -a -s '-screen 0 1024x600x24 -dpi 96' sh -c '
    build/ui/hengtiebao & program=$!
    sleep 3
    import -window root -crop 654x319+240+173 +repage docs/screenshot.png
    kill $program'
