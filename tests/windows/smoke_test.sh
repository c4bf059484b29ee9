#!/bin/sh
# shellcheck source-path=SCRIPTDIR
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Wine, used as a person would, on the X display given: the window opens
# with its title and size, a plate typed and its button clicked gives 39.25, and a round bar
# whose diameter is not a number brings the Chinese failure box.
#   smoke_test.sh wine-run.sh hengtiebao.exe
set -eu
run="$1"
exe="$2"
# shellcheck source=wine_window.sh
. "$(dirname "$0")/wine_window.sh"

# Places in pixels at 96 dpi, from the control table's twips (15 to the pixel): the middle of
# each control, plus its frame's offset (Frame1 at 8,8; Frame2 at 224,8).
# shellcheck disable=SC2086  # "x y", two words
click_at() { xdotool mousemove --window "$window" $1 click 1 && sleep 0.3; }
CHANG1="80 41" CHANG2="176 41" CHANG3="80 74" COMMAND1="60 105" JIEGUO1="172 107"
YUAN1="320 41" COMMAND2="260 106"

type_into() {
    click_at "$1"
    xdotool key ctrl+a && xdotool type --delay 40 "$2"
}

# What Ctrl+C puts on the clipboard, emptied first; Wine hands it over to X a moment later.
clipboard_after_copy() {
    xclip -selection clipboard -i /dev/null >/dev/null 2>&1
    xdotool key ctrl+c
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        sleep 0.3
        text="$(xclip -o -selection clipboard 2>/dev/null || true)"
        [ -n "$text" ] && break
    done
    echo "$text"
}

open_window "$exe"
trap 'kill "$program" 2>/dev/null || true' EXIT
eval "$(xdotool getwindowgeometry --shell "$window")"
if [ "$WIDTH" != 654 ] || [ "$HEIGHT" != 319 ]; then fail "window is ${WIDTH}x$HEIGHT, not 654x319"; fi
echo "window 衡铁宝 at ${WIDTH}x$HEIGHT"
sleep 2  # mapped is not yet ready for input: the first paint and focus come after

type_into "$CHANG1" 1000
type_into "$CHANG2" 500
type_into "$CHANG3" 10
click_at "$COMMAND1"
click_at "$JIEGUO1"
xdotool key ctrl+a
weight="$(clipboard_after_copy)"
[ "$weight" = 39.25 ] || fail "plate 1000 × 500 × 10 at 7.85 gave [$weight], not 39.25"
echo "plate 1000 × 500 × 10 at 7.85: $weight"

type_into "$YUAN1" abc
click_at "$COMMAND2"
timeout 20 xdotool search --sync --onlyvisible --name '^衡铁宝$' >/dev/null ||
    fail "no failure box after a diameter of abc"
# A Windows message box copies its title and text with Ctrl+C.
report="$(clipboard_after_copy)"
case "$report" in
    *圆钢*abc*不是数字*) echo "failure box: $(echo "$report" | grep abc)" ;;
    *) fail "the failure box says [$report]" ;;
esac
xdotool key Return
sleep 0.5
close_window
trap - EXIT
echo "PASS"
