#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Wine's runner makes a start again only where Wine started nothing (no output, a failure), at most
# twice, and says so; a program's own failure, with its words, is final at once.
#   wine_run_test.sh SOURCE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Wine's stand-in: its first STARTS_LOST starts give nothing; then the program's own behaviour.
cat >"$work/wine64" <<STUB
#!/bin/sh
echo start >>"$work/starts"
[ "\$(wc -l <"$work/starts")" -gt "\$STARTS_LOST" ] || exit 1
case \$1 in ok.exe) echo "ran" ;; fails.exe) echo "failed on its own" >&2 && exit 3 ;; esac
STUB
chmod +x "$work/wine64"
failures=0
# PROGRAM STARTS_LOST: the status, the starts made and the lines that said a start was made again.
for case in "ok.exe 0:0 1 0" "ok.exe 2:0 3 2" "ok.exe 3:1 3 2" "fails.exe 0:3 1 0" \
    "fails.exe 1:3 2 1"; do
    rm -f "$work/starts"
    program=${case%% *} lost=${case#* } && lost=${lost%%:*}
    PATH="$work:$PATH" STARTS_LOST=$lost WINEPREFIX=$work/prefix \
        "$1/tests/windows/wine-run.sh" "$program" >"$work/out" 2>"$work/err"
    got="$? $(wc -l <"$work/starts") $(grep -c 'Wine started nothing' "$work/err")"
    if [ "$got" = "${case#*:}" ]; then
        echo "pass: $program with $lost starts lost: status, starts, retries said $got"
    else
        echo "FAIL: $program with $lost starts lost: $got, not ${case#*:}" && cat "$work/err"
        failures=1
    fi
done
exit "$failures"
