#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's commands as a new user would, on fresh Debian machines, and reports each step.
# For each release: a fresh minimal root (mmdebstrap, from Debian's own mirrors) gets a clone of
# HEAD and runs the run command first and alone, passing when its window (offscreen) is still
# open 5 seconds after it opened, then the test command; then the Debian package is built and
# tested as Debian builds and tests it (scripts/build-package.sh), and cross-built for arm64 with
# its tests under emulation. The roots' apt sources are written as Debian's installer writes
# them (deb822, Signed-By, no source entries); after the commands, and after Qt's source is
# fetched there as the Windows build fetches it, /etc/apt must be as it was and apt must still
# read it.
# --windows runs the Windows command first and alone instead, and prints the program's checksum.
#   scripts/clean-room.sh [--windows] [bookworm|trixie]...    (both releases when none is given)
# Exit status: 0 every step passed; 1 a step failed; 3 no root could be made here (no mirror).
# shellcheck disable=SC2016  # the hooks' $1 is the root, expanded by mmdebstrap
set -u
cd "$(dirname "$0")/.." || exit 1
. scripts/packages.sh

# One step, run by itself through --step (mmdebstrap runs the in-root ones as its hooks): its
# output in a log, its last lines shown, its result and time added to the summary.
if [ "${1:-}" = --step ]; then
    name=$2
    log="$CLEAN_ROOM_LOGS/$(find "$CLEAN_ROOM_LOGS" -name "*.log" | wc -l)-${2//[^a-zA-Z0-9]/-}.log"
    shift 2
    echo "== $(date +%T) $name"
    "$@" >"$log" 2>&1
    status=$?
    tail -n 12 "$log" | sed 's/^/   | /'
    echo "   exit status $status after $((SECONDS)) s; whole output in $log"
    echo "$name|$status|$SECONDS" >>"$CLEAN_ROOM_LOGS/results"
    exit "$status"
fi

windows=""
[ "${1:-}" != --windows ] || { windows=1 && shift; }
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(bookworm trixie)
scripts/ensure-packages.sh mmdebstrap uidmap git >/dev/null || exit 3
export CLEAN_ROOM_LOGS=$cache/clean-room
rm -rf "$CLEAN_ROOM_LOGS" && mkdir -p "$CLEAN_ROOM_LOGS"
work_in_cache clean-room-work
work=$TMPDIR
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
step() {
    "$self" --step "$@"
}

# Only what is committed reaches the roots: a clone of HEAD, never the working tree.
git clone --quiet --no-checkout . "$work/hengtiebao" &&
    git -C "$work/hengtiebao" checkout --quiet --detach "$(git rev-parse HEAD)" || exit 1

# A fresh root login's environment, none of this shell's; FUZZ_SECONDS is passed on, as the README
# offers it. The root's own pid namespace ends whatever a step leaves running.
login='chroot "$1" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin QT_QPA_PLATFORM=offscreen'
login="$login${FUZZ_SECONDS:+ FUZZ_SECONDS=$FUZZ_SECONDS} sh -c"
# The run command becomes the program once it has built it, within half an hour: passes when the
# program is still running 5 seconds after that.
window_stays_open='cd /root/hengtiebao && scripts/run-window.sh </dev/null & pid=$! waited=0
state() { sed "s/.*) //; s/ .*//" /proc/$pid/stat 2>/dev/null; }
while [ "$(readlink /proc/$pid/exe)" != /root/hengtiebao/build/ui/hengtiebao ]; do
    case $(state) in "" | Z) wait $pid; echo "ended before the window, status $?"; exit 1 ;; esac
    [ $((waited += 1)) -lt 1800 ] || { echo "no window after half an hour"; exit 1; }
    sleep 1
done
sleep 5
case $(state) in "" | Z) echo "the window closed within 5 seconds"; exit 1 ;; esac
echo "the window is still open after 5 seconds"'
# /etc/apt as the root's installation left it, recorded before the commands and checked after.
kept=/root/hengtiebao/tests/apt_config_kept.sh
record_apt='chroot "$1" sh '$kept' record /root/etc-apt.sha256'
check_apt="sh $kept check /root/etc-apt.sha256"
fetch_qt_source="mkdir /root/qt-source && cd /root/qt-source && \
    /root/hengtiebao/packaging/windows/fetch-qt-source.sh && $check_apt"
windows_alone="cd /root/hengtiebao && scripts/build-windows.sh </dev/null && \
    sha256sum build-windows/dist/hengtiebao.exe && $check_apt"

for suite in "${suites[@]}"; do
    # The mirror first, with an empty root, so that a machine that cannot reach it says so apart
    # from a failure.
    if ! step "$suite: reach the mirror" debian_root custom "$suite" /dev/null; then
        echo "clean-room: no fresh $suite root could be made here." >&2
        exit 3
    fi
    if [ -n "$windows" ]; then
        alone="$self --step '$suite: Windows command, first and alone' $login '$windows_alone'"
        step "$suite: Windows command in a fresh root" debian_root minbase "$suite" /dev/null \
            --customize-hook="copy-in $work/hengtiebao /root" --customize-hook="$record_apt" \
            --customize-hook="$alone"
        continue
    fi
    run="$self --step '$suite: run command, first and alone' $login '$window_stays_open'"
    tests="$self --step '$suite: test command' $login 'cd /root/hengtiebao && scripts/run-tests.sh'"
    fetch="$self --step '$suite: Qt source fetched, /etc/apt kept' $login '$fetch_qt_source'"
    step "$suite: README commands in a fresh root" debian_root minbase "$suite" /dev/null \
        --customize-hook="copy-in $work/hengtiebao /root" --customize-hook="$record_apt" \
        --customize-hook="$run" --customize-hook="$tests" --customize-hook="$fetch"
    step "$suite: package built, linted, tested installed" \
        sh -c "cd '$work/hengtiebao' && scripts/build-package.sh $suite"
    step "$suite: package cross-built for arm64, tests emulated" \
        sh -c "cd '$work/hengtiebao' && scripts/build-package.sh $suite arm64"
done

echo
printf '%-48s %-6s %s\n' step result seconds
failed=0
while IFS='|' read -r name status seconds; do
    result=pass
    [ "$status" -eq 0 ] || result=FAIL failed=1
    printf '%-48s %-6s %s\n' "$name" "$result" "$seconds"
done <"$CLEAN_ROOM_LOGS/results"
# The run ends in the test runners' own verdicts: ctest's summary of each stage of each test
# command, and autopkgtest's of each installed test.
for log in "$CLEAN_ROOM_LOGS"/*-test-command.log "$CLEAN_ROOM_LOGS"/*-package-*.log \
    "$CLEAN_ROOM_LOGS"/*-Windows-command--first-*.log; do
    [ -f "$log" ] && echo && echo "$log:" &&
        grep -E '^== |tests passed|tests failed out of|^Total Test time| (PASS|FAIL|SKIP)' "$log"
done
exit "$failed"
