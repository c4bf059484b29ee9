# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=sh
# Sourced by the tests under Wine: a failure's one line, and the program's window opened and
# closed as a person would. Expects $run, the wine-run.sh to start programs with.

fail() {
    echo "FAIL: $*"
    exit 1
}

# Starts the program and waits for its window: sets $program (its Wine process) and $window.
open_window() {
    "${run:?}" "$1" &
    program=$!
    window="$(timeout 60 xdotool search --sync --onlyvisible --name '^衡铁宝（' | head -n 1)" ||
        fail "$1 opened no window titled 衡铁宝 within 60 s"
}

# Alt+F4, as a user closes it; the program must then end.
close_window() {
    xdotool key --window "$window" alt+F4
    timeout 20 sh -c "while kill -0 $program 2>/dev/null; do sleep 0.3; done" ||
        fail "the window did not close"
}
