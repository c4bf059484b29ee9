#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures every calculator click beside its parse-and-format floor, and the window's start
# beside an empty Qt window's and beside a window of the same texts as plain labels, all in one
# run, and prints a table of ratios (Markdown).
set -eu
cd "$(dirname "$0")/.."
build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DHENGTIEBAO_WINDOW=ON >/dev/null
cmake --build "$build" -j2 >/dev/null

csv=$("$build/bench/calculators_bench" --benchmark_repetitions=7 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)

# Start to first paint, headless (offscreen platform): 41 starts of each program, taking turns.
starts=$(QT_QPA_PLATFORM=offscreen "$build/bench/start_bench" 41 \
    empty="$build/bench/empty_window" label="$build/bench/label_window" \
    texts="$build/bench/texts_window" window="$build/bench/window_start")

echo "| Measure | Ours | Floor | Ratio | Target |"
echo "|---|---|---|---|---|"
echo "$csv" | awk -F, '
    /_median"/ {
        name = $1; gsub(/"|BM_|_median/, "", name)
        time[name] = $3
    }
    END {
        split("Plate:PlateFloor RoundBar:RoundBarFloor SquareBar:SquareBarFloor " \
              "HexagonBar:HexagonBarFloor SectionFirstRow:SectionFloor " \
              "SectionLastRow:SectionFloor SectionNoRow:SectionFloor", pairs, " ")
        for (i = 1; i in pairs; ++i) {
            split(pairs[i], p, ":")
            printf "| %s click, ns | %.1f | %.1f | %.2f | 2 |\n", p[1], time[p[1]], time[p[2]],
                   time[p[1]] / time[p[2]]
        }
    }'
echo "$starts" | awk '
    { ms[$1] = $2; kib[$1] = $3 }
    END {
        row("Start to first paint, ms (floor: empty window)", ms["window"], ms["empty"], "1.25")
        row("Peak memory, MiB (floor: empty window)", kib["window"] / 1024, kib["empty"] / 1024,
            "1.15")
        row("Start to first paint, ms (floor: window with one Chinese label)", ms["window"],
            ms["label"], "-")
        row("Peak memory, MiB (floor: window with one Chinese label)", kib["window"] / 1024,
            kib["label"] / 1024, "-")
        row("Start to first paint, ms (floor: the same texts as plain labels)", ms["window"],
            ms["texts"], "1.10")
        row("Peak memory, MiB (floor: the same texts as plain labels)", kib["window"] / 1024,
            kib["texts"] / 1024, "1.07")
    }
    function row(what, ours, floor, target) {
        printf "| %s | %.1f | %.1f | %.2f | %s |\n", what, ours, floor, ours / floor, target
    }'
