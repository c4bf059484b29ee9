# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=sh
# Sourced by the tests under Wine: a failure's one line, and the program's window opened and
# closed as a person would. Expects $run, the wine-run.sh to start programs with.

# The X server of the tests' fixture, unless a display is given.
if [ -z "${DISPLAY:-}" ] && [ -s "${WINEPREFIX:?}/x-display" ]; then
    DISPLAY=:$(cat "$WINEPREFIX/x-display") && export DISPLAY
fi

fail() {
    echo "FAIL: $*"
    exit 1
}

# Starts the program and waits for its window: sets $program (its Wine process) and $window. A
# search that meets a window Wine is just replacing ends in an X error, so it is asked again.
open_window() {
    "${run:?}" "$1" &
    program=$!
    for _ in $(seq 120); do
        window="$(xdotool search --onlyvisible --name '^衡铁宝（' 2>/dev/null | head -n 1)"
        [ -n "$window" ] && return 0
        sleep 0.5
    done
    fail "$1 opened no window titled 衡铁宝 within 60 s"
}

# Alt+F4, as a user closes it: typed, after a click on the window's margin has given it the focus
# (Wine 10 takes no keys sent to a window it has not focused); the program must then end.
close_window() {
    xdotool mousemove --window "$window" 4 4 click 1
    xdotool key alt+F4
    timeout 20 sh -c "while kill -0 $program 2>/dev/null; do sleep 0.3; done" ||
        fail "the window did not close"
}
