#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The project's commands that install at the same moment all succeed, whoever runs them (root and a
# user have other homes), and one waits while another apt holds the package lists: apt's stand-in,
# like apt itself, fails at once when another apt holds its package lists.
#   ensure_packages_test.sh SOURCE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/apt-get" <<STUB
#!/bin/sh
mkdir "$work/lists/lock" 2>/dev/null ||
    { echo "E: Could not get lock $work/lists/lock. It is held by process 1 (apt)" >&2; exit 100; }
sleep 0.5
rmdir "$work/lists/lock"
STUB
# Nothing installed, nothing half set up; root's commands as anyone's.
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\n' >"$work/bin/dpkg"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

# Another apt, a desktop's updater say, holds the lists for 6 seconds from the start.
mkdir -p "$work/lists/lock" && (sleep 6 && rmdir "$work/lists/lock") &
pids=""
for run in 1 2 3; do
    PATH="$work/bin:$PATH" XDG_CACHE_HOME="$work/cache-$run" \
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
