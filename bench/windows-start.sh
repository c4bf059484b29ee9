#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program's start under Wine beside the same-texts floor built the same way: each
# program ends after its first paint; they take turns, and the medians of the wall times from
# launch to exit are printed with their ratio. Wine's own start is in both.
#   bench/windows-start.sh [starts]     (after scripts/build-windows.sh; 21 starts by default)
set -eu
cd "$(dirname "$0")/.."
starts="${1:-21}"
bench=build-windows/build/bench
run=packaging/windows/wine-run.sh
export WINEPREFIX="$PWD/build-windows/wine"

# shellcheck disable=SC2016  # the inner script expands its own arguments
measure() {
    xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" sh -c '
        run=$1 bench=$2 starts=$3
        "$run" "$bench/texts_window.exe" >/dev/null 2>&1  # Wine and the fonts warmed up
        i=0
        while [ "$i" -lt "$starts" ]; do
            for program in window_start texts_window; do
                begin=$(date +%s%N)
                "$run" "$bench/$program.exe" >/dev/null 2>&1
                echo "$program $(( ($(date +%s%N) - begin) / 1000000 ))"
            done
            i=$((i + 1))
        done' sh "$run" "$bench" "$starts"
}

median() { grep "^$1 " | cut -d' ' -f2 | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

times="$(measure)"
ours="$(echo "$times" | median window_start)"
floor="$(echo "$times" | median texts_window)"
echo "| Start to first paint under Wine, ms (floor: the same texts as plain labels) | $ours | $floor | $(echo "$ours $floor" | awk '{ printf "%.2f", $1 / $2 }') | - |"
