#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The start-up budget: instructions from launch to first paint, offscreen, of the window and of
# the same-texts floor (its fixed texts as plain labels), counted by callgrind in the same run.
# Fails when the window needs more than LIMIT times the floor. Counts do not depend on the
# machine's load, so the check cannot flake on a busy machine.
#   start_budget.sh WINDOW FLOOR LIMIT
set -eu
window=$1 floor=$2 limit=$3
if ! command -v valgrind >/dev/null 2>&1; then
    echo "SKIPPED: valgrind is not installed, so the start-up budget was not checked."
    exit 77
fi
export QT_QPA_PLATFORM=offscreen

# A start outside valgrind first, so that neither count pays for filling the font caches.
"$floor" >/dev/null 2>&1

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# A program that fails before its first paint would count few instructions and pass: it fails.
instructions() {
    if ! valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file="$tmp/log" "$1" \
        >"$tmp/out" 2>/dev/null || ! grep -q '^painted ' "$tmp/out"; then
        echo "$1 did not start and paint under valgrind" >&2
        return 1
    fi
    awk '/Collected :/ { print $NF }' "$tmp/log"
}
ours=$(instructions "$window")
base=$(instructions "$floor")
awk -v ours="$ours" -v base="$base" -v limit="$limit" 'BEGIN {
    ratio = ours / base
    printf "window %.1f M instructions, same-texts floor %.1f M: %.3f times (budget %s)\n",
           ours / 1e6, base / 1e6, ratio, limit
    if (ratio > limit) {
        print "Over budget: a profile of both (valgrind --tool=callgrind) shows where the " \
              "window spends the difference."
        exit 1
    }
}'
