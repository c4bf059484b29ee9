#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# CI ends in 0 only when the clean room, Windows and the page all passed; the page's log comes
# last; and a failure stops the stages that run beside the clean room, with all they started.
# Run on CI itself with the three stages replaced by stand-ins.
#   ci_run_test.sh SOURCE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/.ci" "$work/scripts" && cp "$1/.ci/run" "$work/.ci/" || exit 1
# Stand-ins. Windows and the page each start a child, which runs until it is stopped where a
# stage waited for before it fails (CI's fail minutes in), else a moment; FAIL names the failure.
# shellcheck disable=SC2016  # the stand-ins' own variables
for stage in windows:clean-room 'web:clean-room|build-windows'; do
    cat >"$work/scripts/build-${stage%%:*}.sh" <<STUB
#!/bin/sh
sh -c 'echo \$\$ >"$work/${stage%%:*}.new" && mv "$work/${stage%%:*}.new" "$work/${stage%%:*}"
    case \$FAIL in ${stage#*:}) exec sleep 60 ;; *) exec sleep 1 ;; esac' & wait
[ "\$FAIL" != build-${stage%%:*} ] || exit 5
echo "100% tests passed, 0 tests failed out of 1"
STUB
done
cat >"$work/scripts/clean-room.sh" <<STUB
#!/bin/sh
for _ in \$(seq 50); do [ -s "$work/windows" ] && [ -s "$work/web" ] && break; sleep 0.1; done
[ "\$FAIL" != clean-room ] || exit 4
STUB
chmod +x "$work/scripts/"*.sh

# A stopped child may linger a moment; where nothing reaps orphans (a build root's first process)
# it stays a zombie, which runs no more.
running() {
    [ -n "$1" ] && kill -0 "$1" 2>/dev/null && ! grep -qs '^State:[[:space:]]*Z' "/proc/$1/status"
}

failures=0
for case in none:0 build-web:5 build-windows:5 clean-room:4; do
    fail=${case%:*} expected=${case#*:}
    rm -f "$work/windows" "$work/web"
    FAIL=$fail "$work/.ci/run" >"$work/log" 2>&1
    status=$?
    last=$(tail -n 1 "$work/log")
    still=""
    for stage in windows web; do
        child=$(cat "$work/$stage" 2>/dev/null)
        for _ in 1 2 3 4 5 6 7 8 9 10; do running "$child" && sleep 0.2; done
        ! running "$child" || { still="$still $stage" && kill "$child"; }
    done
    if [ "$status" -ne "$expected" ]; then
        echo "FAIL: $fail: status $status, expected $expected" && failures=1
    elif [ "$fail" = none ] && [ "$last" != "100% tests passed, 0 tests failed out of 1" ]; then
        echo "FAIL: none: the page's summary does not come last: $last" && failures=1
    elif [ -n "$still" ]; then
        echo "FAIL: $fail: still running:$still" && failures=1
    else
        echo "ok: $fail: status $status"
    fi
done
exit "$failures"
