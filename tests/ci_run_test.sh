#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# CI ends in 0 only when the clean room, Windows and the page all passed; the page's log comes
# last; and a failure ends the page's build, which runs beside the others, with everything it
# started. Run on CI itself with the three stages replaced by stand-ins.
#   ci_run_test.sh SOURCE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/.ci" "$work/scripts" && cp "$1/.ci/run" "$work/.ci/" || exit 1
# Stand-ins. The page's starts a child, which runs a moment when all pass, else until it is
# stopped; the others fail, if FAIL names them, once that child runs, as CI's do minutes in.
cat >"$work/scripts/build-web.sh" <<STUB
#!/bin/sh
sh -c 'echo \$\$ >"$work/child.new" && mv "$work/child.new" "$work/child"
    exec sleep \$([ "\$FAIL" = none ] && echo 1 || echo 60)' & wait
[ "\$FAIL" != build-web ] || exit 5
echo "100% tests passed, 0 tests failed out of 1"
STUB
# shellcheck disable=SC2016  # the stand-ins' own variable
for stage in clean-room build-windows; do
    printf '#!/bin/sh\nfor _ in $(seq 50); do [ -s "%s" ] && break; sleep 0.1; done\n' \
        "$work/child" >"$work/scripts/$stage.sh"
    printf '[ "$FAIL" != %s ] || exit 4\n' "$stage" >>"$work/scripts/$stage.sh"
done
chmod +x "$work/scripts/"*.sh

failures=0
for case in none:0 build-web:5 clean-room:4 build-windows:4; do
    fail=${case%:*} expected=${case#*:}
    rm -f "$work/child"
    FAIL=$fail "$work/.ci/run" >"$work/log" 2>&1
    status=$?
    last=$(tail -n 1 "$work/log")
    child=$(cat "$work/child" 2>/dev/null)
    # A stopped child may linger a moment until it is reaped.
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        { [ -n "$child" ] && kill -0 "$child" 2>/dev/null; } || break
        sleep 0.2
    done
    if [ "$status" -ne "$expected" ]; then
        echo "FAIL: $fail: status $status, expected $expected" && failures=1
    elif [ "$fail" = none ] && [ "$last" != "100% tests passed, 0 tests failed out of 1" ]; then
        echo "FAIL: none: the page's summary does not come last: $last" && failures=1
    elif [ -n "$child" ] && kill -0 "$child" 2>/dev/null; then
        echo "FAIL: $fail: the page's build still runs" && kill "$child" && failures=1
    else
        echo "ok: $fail: status $status"
    fi
done
exit "$failures"
