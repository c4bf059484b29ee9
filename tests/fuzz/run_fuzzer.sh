#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one libFuzzer target for a bounded time on a scratch copy of its seed corpus and prints
# how many inputs it executed; on a finding, prints libFuzzer's report and fails.
set -u
# FUZZ_SECONDS in the environment of the test run overrides the build's setting.
fuzzer=$1 seconds=${FUZZ_SECONDS:-$2} seeds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$work" "$seeds" \
    >"$work.log" 2>&1
status=$?
grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$work.log"
[ "$status" -eq 0 ] || tail -n 60 "$work.log"
rm -f "$work.log"
exit "$status"
