#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Wine's runner starts a program once: a start where Wine started nothing (no output, a failure) is
# as final as a program's own failure, and the loader's errors reach the output.
#   wine_run_test.sh SOURCE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Wine's stand-in: its first STARTS_LOST starts give nothing; then the program's own behaviour.
cat >"$work/wine64" <<STUB
#!/bin/sh
echo start >>"$work/starts"
case \$WINEDEBUG in *err+module*) echo "err:module:import_dll Library Qt6Core.dll not found" >&2 ;; esac
[ "\$(wc -l <"$work/starts")" -gt "\$STARTS_LOST" ] || exit 1
case \$1 in ok.exe) echo "ran" ;; fails.exe) echo "failed on its own" >&2 && exit 3 ;; esac
STUB
chmod +x "$work/wine64"
failures=0
# PROGRAM STARTS_LOST: the status, the starts made and the loader's error lines shown.
for case in "ok.exe 0:0 1 1" "ok.exe 1:1 1 1" "fails.exe 0:3 1 1" "fails.exe 1:1 1 1"; do
    rm -f "$work/starts"
    program=${case%% *} lost=${case#* } && lost=${lost%%:*}
    PATH="$work:$PATH" STARTS_LOST=$lost WINEPREFIX=$work/prefix \
        "$1/tests/windows/wine-run.sh" "$program" >"$work/out" 2>"$work/err"
    got="$? $(wc -l <"$work/starts") $(grep -c '^err:module:' "$work/err")"
    if [ "$got" = "${case#*:}" ]; then
        echo "pass: $program with $lost starts lost: status, starts, loader errors shown $got"
    else
        echo "FAIL: $program with $lost starts lost: $got, not ${case#*:}" && cat "$work/err"
        failures=1
    fi
done
exit "$failures"
