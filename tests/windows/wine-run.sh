#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the build under Debian's 64-bit Wine, quietly, in the build's prefix
# (the tests' fixture makes it): ctest's runner for every Windows test program.
#   wine-run.sh program.exe [arguments...]
set -eu
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build-windows/wine}"
# Quiet but for the loader's errors, which say why a program did not start (a DLL not found).
export WINEDEBUG="${WINEDEBUG:--all,err+module}"
# No Mono or Gecko installer dialogs; no desktop menu entries from the installer under test.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}"
# Wine hides the Unix QT_* variables from Windows programs; this one reaches them.
export WINEQT_QPA_PLATFORM="${WINEQT_QPA_PLATFORM:-windows}"
PATH="$PATH:/usr/lib/wine"  # last: a stand-in on PATH takes its place in the tests
# The X server of the tests' fixture (tests/windows/wine_desktop.sh), unless a display is given.
if [ -z "${DISPLAY:-}" ] && [ -s "$WINEPREFIX/x-display" ]; then
    DISPLAY=:$(cat "$WINEPREFIX/x-display") && export DISPLAY
fi
# Each start is final, whatever it printed: a test that passes only when started again has failed.
exec wine64 "$@"
