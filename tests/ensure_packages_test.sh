#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Two of the project's commands that install at the same moment both succeed: apt's stand-in, like
# apt itself, fails at once when another apt holds its package lists.
#   ensure_packages_test.sh SOURCE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/apt-get" <<STUB
#!/bin/sh
mkdir "$work/lists-lock" 2>/dev/null || { echo "E: Could not get lock $work/lists-lock"; exit 100; }
sleep 0.5
rmdir "$work/lists-lock"
STUB
# Nothing installed, nothing half set up; root's commands as anyone's.
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\n' >"$work/bin/dpkg"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

pids=""
for run in 1 2; do
    PATH="$work/bin:$PATH" XDG_CACHE_HOME="$work/cache" \
        "$1/scripts/ensure-packages.sh" hello >"$work/$run.log" 2>&1 &
    pids="$pids $!"
done
failures=0 run=0
for pid in $pids; do
    run=$((run + 1))
    if wait "$pid"; then
        echo "ok: run $run"
    else
        echo "FAIL: run $run:" && sed 's/^/  /' "$work/$run.log" && failures=1
    fi
done
exit "$failures"
