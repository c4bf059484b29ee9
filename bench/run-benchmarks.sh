#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Every calculator click beside its parse-and-format floor, and the window's start beside its
# three floors, in one run: a Markdown table of ratios (docs/performance.md).
set -eu
cd "$(dirname "$0")/.."
build="build-bench"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DHENGTIEBAO_WINDOW=ON >/dev/null
cmake --build "$build" -j2 >/dev/null

csv=$("$build/bench/calculators_bench" --benchmark_repetitions=7 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)

# Start to first paint, headless (offscreen platform): 41 starts of each program, taking turns.
starts=$(QT_QPA_PLATFORM=offscreen "$build/bench/start_bench" 41 \
    empty="$build/bench/empty_window" label="$build/bench/label_window" \
    texts="$build/bench/texts_window" window="$build/bench/window_start")

printf '| Measure | Ours | Floor | Ratio | Target |\n|---|---|---|---|---|\n'
# Each floor comes after the clicks it bounds, in the order the benchmarks are registered.
echo "$csv" | awk -F, '/_median"/ { name = $1; gsub(/"|BM_|_median/, "", name)
        if (name !~ /Floor$/) { clicks[++n] = name; ns[name] = $3; next }
        for (i = 1; i <= n; ++i)
            printf "| %s click, ns | %.1f | %.1f | %.2f | 2 |\n", clicks[i], ns[clicks[i]], $3,
                   ns[clicks[i]] / $3
        n = 0 }'
# Each floor: the program, its name in the table, and the targets of the time and memory ratios.
echo "$starts" | awk '
    { ms[$1] = $2; mib[$1] = $3 / 1024 }
    END {
        n = split("empty:empty window:1.25:1.15|label:window with one Chinese label:-:-|" \
                  "texts:the same texts as plain labels:1.10:1.07", floors, "|")
        for (i = 1; i <= n; ++i) {
            split(floors[i], f, ":")
            row("Start to first paint, ms", f[2], ms["window"], ms[f[1]], f[3])
            row("Peak memory, MiB", f[2], mib["window"], mib[f[1]], f[4])
        }
    }
    function row(measure, floor, ours, theirs, target) {
        printf "| %s (floor: %s) | %.1f | %.1f | %.2f | %s |\n", measure, floor, ours, theirs,
               ours / theirs, target
    }'
