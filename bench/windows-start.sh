#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program's start under Wine beside the same texts as plain labels, taking turns: the
# medians from launch to the exit after the first paint, and their ratio (docs/performance.md).
#   bench/windows-start.sh [starts]     (after scripts/build-windows.sh; 21 starts by default)
set -eu
cd "$(dirname "$0")/.."
export WINEPREFIX="$PWD/build-windows/wine" STARTS="${1:-21}"
# shellcheck disable=SC2016  # the inner shell's
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    run() { tests/windows/wine-run.sh "build-windows/build/bench/$1.exe" >/dev/null 2>&1; }
    run texts_window  # Wine and the fonts warmed up
    for i in $(seq "$STARTS"); do
        for program in window_start texts_window; do
            begin=$(date +%s%N) && run "$program"
            echo "$program $((($(date +%s%N) - begin) / 1000000))"
        done
    done' | sort -k1,1 -k2,2n | awk '{ ms[$1, ++n[$1]] = $2 }
    END {
        ours = ms["window_start", int((n["window_start"] + 1) / 2)]
        floor = ms["texts_window", int((n["texts_window"] + 1) / 2)]
        printf "| Start to first paint under Wine, ms (floor: the same texts as plain labels) " \
            "| %d | %d | %.2f | - |\n", ours, floor, ours / floor
    }'
