#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The test run's X server and Wine server, as ctest's set-up and clean-up fixtures. Xvfb takes a
# display it finds free itself (-displayfd), never a fixed number that another run's server (an
# autopkgtest testbed's, say) may hold; one Wine server serves the whole run, so that programs
# started side by side never race to start their own. The display's number is left in the Wine
# prefix, where wine-run.sh and the tests read it.
#   wine_desktop.sh start|stop
set -eu
: "${WINEPREFIX:?the Wine prefix of the tests}"
PATH="/usr/lib/wine:$PATH"
case $1 in
    start)
        mkdir -p "$WINEPREFIX"
        # Its output away from ctest's pipe, which it would otherwise hold open.
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp \
            3>"$WINEPREFIX/x-display" >/dev/null 2>&1 </dev/null &
        echo $! >"$WINEPREFIX/xvfb.pid"
        # shellcheck disable=SC2016  # the inner shell's
        timeout 30 sh -c 'until [ -s "$1" ]; do sleep 0.1; done' sh "$WINEPREFIX/x-display"
        echo "Xvfb on :$(cat "$WINEPREFIX/x-display")"
        run="$(dirname "$0")/wine-run.sh"
        "$run" wineboot >/dev/null 2>&1 </dev/null  # the prefix, made before a server persists
        wineserver --wait
        wineserver --persistent >/dev/null 2>&1 </dev/null
        "$run" wineboot >/dev/null 2>&1 </dev/null  # its services up before the tests share them
        ;;
    stop)
        wineserver --kill || true
        kill "$(cat "$WINEPREFIX/xvfb.pid")" 2>/dev/null || true
        rm -f "$WINEPREFIX/x-display" "$WINEPREFIX/xvfb.pid"
        ;;
    *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
