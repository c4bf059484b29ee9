#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the window as run-window.sh opens it, under Xvfb at 96 dpi, into docs/screenshot.png.
set -eu
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh xvfb xauth imagemagick xdotool
# shellcheck disable=SC2016  # expanded by the inner shell
xvfb-run -a -s '-screen 0 1024x600x24 -dpi 96' sh -c '
    scripts/run-window.sh & program=$!
    until xdotool search --onlyvisible --name 衡铁宝 >/dev/null; do
        kill -0 $program || exit 1
        sleep 1
    done
    sleep 1 && import -window root -crop 654x319+240+173 +repage docs/screenshot.png
    kill $program'
