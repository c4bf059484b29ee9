#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the build under Debian's 64-bit Wine, quietly, in the build's prefix
# (the tests' fixture makes it): ctest's runner for every Windows test program.
#   wine-run.sh program.exe [arguments...]
set -eu
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build-windows/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs; no desktop menu entries from the installer under test.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}"
# Wine hides the Unix QT_* variables from Windows programs; this one reaches them.
export WINEQT_QPA_PLATFORM="${WINEQT_QPA_PLATFORM:-windows}"
PATH="$PATH:/usr/lib/wine"  # last: a stand-in on PATH takes its place in the tests
# The X server of the tests' fixture (tests/windows/wine_desktop.sh), unless a display is given.
if [ -z "${DISPLAY:-}" ] && [ -s "$WINEPREFIX/x-display" ]; then
    DISPLAY=:$(cat "$WINEPREFIX/x-display") && export DISPLAY
fi
# Under load Wine now and then starts nothing at all (no output, 0.01 s; 2 starts in some 4,000):
# such a start, and only such, is made again, at most twice, and said. Any other status is final.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for start in 1 2 3; do
    status=0 && wine64 "$@" >"$out" 2>"$err" || status=$?
    cat "$out" && cat "$err" >&2
    if [ "$status" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$start" -eq 3 ]; then
        exit "$status"
    fi
    echo "wine-run.sh: Wine started nothing (status $status); start $((start + 1)) of: $*" >&2
done
