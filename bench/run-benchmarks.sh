#!/bin/sh
# Measures every calculator click beside its parse-and-format floor, and the window's start
# beside an empty Qt window's, all in one run, and prints a table of ratios (Markdown).
set -eu
cd "$(dirname "$0")/.."
build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DHENGTIEBAO_WINDOW=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null

csv=$("$build/bench/calculators_bench" --benchmark_repetitions=7 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)

echo "| Click | Median ns | Floor ns | Ratio | Target |"
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
            printf "| %s | %.1f | %.1f | %.2f | 2 |\n", p[1], time[p[1]], time[p[2]],
                   time[p[1]] / time[p[2]]
        }
    }'
