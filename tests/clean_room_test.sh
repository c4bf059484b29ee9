#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# CI's and the clean room's verdict is their steps' exit statuses: run with Debian's tools, the
# Windows build and the page replaced by stand-ins that pass, or fail at one step (a root or a
# testbed whose download fails, a skipped autopkgtest, a failed cross build, Windows, the page), CI
# must end in 0 only when every step passed or a cross build met a mirror mid-sync before it built;
# an uncommitted change to a step's script changes nothing, and no release is no clean room.
#   clean_room_test.sh SOURCE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The source as it is, committed in a repository of its own, as the clean room clones HEAD.
mkdir "$work/hengtiebao"
tar -C "$1" --exclude=./.git --exclude='./build*' --exclude='./obj-*' -cf - . |
    tar -C "$work/hengtiebao" -xf - || exit 1
# shellcheck disable=SC2016  # the stand-in's own variable
for stage in windows web; do
    printf '#!/bin/sh\n[ "$FAIL" != %s ]\n' "$stage" >"$work/hengtiebao/scripts/build-$stage.sh"
done
git -C "$work/hengtiebao" init --quiet &&
    git -C "$work/hengtiebao" add --all &&
    git -C "$work/hengtiebao" -c user.name=test -c user.email=test@invalid commit --quiet -m test ||
    exit 1
mkdir "$work/bin"
# Stand-ins: every package installed; a root, an autopkgtest and a package build that pass unless
# FAIL names them.
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
echo "install ok installed 1"
STUB
cat >"$work/bin/mmdebstrap" <<'STUB'
#!/bin/sh
[ "$FAIL" != root ] || { echo "E: failed to download packages"; exit 1; }
for arg; do case $arg in *.tar) : >"$arg" ;; esac; done
STUB
cat >"$work/bin/autopkgtest" <<'STUB'
#!/bin/sh
[ "$FAIL" != autopkgtest ] || { echo "run-window-first     SKIP"; exit 2; }
STUB
# sbuild's log as sbuild writes it: apt's lines, the tests' and the stage it failed at.
cat >"$work/bin/sbuild" <<'STUB'
#!/bin/sh
for arg; do case $arg in --build-dir=*) dir=${arg#*=} ;; --host=*) host=${arg#*=} ;; esac; done
mirror="E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/main/binary-$host/Packages.xz"
mirror="$mirror  File has unexpected size (1 != 2). Mirror sync in progress?"
other="E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/main/binary-armhf/Packages.xz"
other="$other  File has unexpected size (1 != 2). Mirror sync in progress?"
case $FAIL in
"$host") printf '[  FAILED  ] Reading.OneTest\nFail-Stage: build\n' ;;
"$host-mirror") printf '%s\nFail-Stage: apt-get-update\n' "$mirror" ;;
"$host-mirror-then-early")
    touch "$dir/../tried" && printf '%s\nFail-Stage: install-deps\n' "$mirror" ;;
"$host-mirror-failed") printf '%s\n[  FAILED  ] Reading.OneTest\nFail-Stage: build\n' "$mirror" ;;
"$host-unmet-other-mirror")
    printf '%s\nunsat-dependency: libfoo\nFail-Stage: install-deps\n' "$other" ;;
# sbuild's own skip ends in 0 and builds nothing.
"$host-skipped") exit 0 ;;
*) changes="$dir/hengtiebao_$(dpkg-parsechangelog -SVersion)_$host.changes"
   printf 'Files:\n 0123456789abcdef0123456789abcdef 4 misc optional hengtiebao_1_%s.deb\n' \
       "$host" >"$changes"
   echo deb >"$dir/hengtiebao_1_$host.deb" && exit 0 ;;
esac >"$dir/hengtiebao_1_$host.build"
exit 1
STUB
# For one case the cross build's second try fails before sbuild starts: the package's changelog,
# read by the build script (its parent), is unreadable once a try met the mirror.
cat >"$work/bin/dpkg-parsechangelog" <<'STUB'
#!/bin/sh
case $FAIL in *-then-early) [ ! -e build-deb/tried ] || ! grep -qz '^i386$' "/proc/$PPID/cmdline" ||
    exit 1 ;; esac
exec /usr/bin/dpkg-parsechangelog "$@"
STUB
# Root's loan of subordinate ids is the real run's business: only the command runs.
cat >"$work/bin/unshare" <<'STUB'
#!/bin/sh
while [ "$1" != sh ]; do shift; done
shift 4 && exec "$@"
STUB
chmod +x "$work/bin/"*

failures=0
cmake -S "$work/hengtiebao" -B "$work/none" -DHENGTIEBAO_CI=ON -DHENGTIEBAO_CLEAN_ROOM_RELEASES= \
    >"$work/none.log" 2>&1 && { echo "FAIL: a clean room of no release configured"; failures=1; }
cmake -S "$work/hengtiebao" -B "$work/ci" -DHENGTIEBAO_CI=ON \
    -DHENGTIEBAO_CLEAN_ROOM_RELEASES=bookworm >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log" && exit 1; }
# Every step has a time limit, so that a hang fails with the step's name.
untimed=$(ctest --test-dir "$work/ci" --show-only=json-v1 | python3 -c 'import json, sys
for test in json.load(sys.stdin)["tests"]:
    if "TIMEOUT" not in [p["name"] for p in test.get("properties", [])]: print(test["name"])')
[ -z "$untimed" ] || { echo "FAIL: steps without a time limit:" "$untimed" && failures=1; }
# A mirror mid-sync stops a build before it starts: for another processor that is the mirror's
# fault, a skipped step; for this machine's, or once the build has begun, the package is unproved.
native=$(dpkg --print-architecture)
for case in none:0 root:8 autopkgtest:8 i386:8 i386-mirror:0 i386-mirror-failed:8 \
    "$native-mirror":8 i386-mirror-then-early:8 i386-unmet-other-mirror:8 i386-skipped:8 \
    "$native-skipped":8 windows:8 web:8 uncommitted:0; do
    fail=${case%:*} expected=${case#*:}
    [ "$fail" != uncommitted ] ||
        printf '#!/bin/sh\nexit 1\n' >"$work/hengtiebao/scripts/build-web.sh"
    rm -rf "$work/cache"
    FAIL=$fail PATH="$work/bin:$PATH" XDG_CACHE_HOME="$work/cache" MIRROR_PAUSE=0 \
        ctest --test-dir "$work/ci" --output-on-failure -j3 >"$work/$fail.log" 2>&1
    status=$?
    # A failed build names its failed test where CI shows the run.
    [ "$fail" != i386 ] || grep -q '^\[  FAILED  \] Reading.OneTest' "$work/$fail.log" ||
        status="$status, its failed test unnamed"
    [ "$fail" != i386-mirror ] || grep -q 'bookworm-package-i386 .*Skipped' "$work/$fail.log" ||
        status="$status, the mirror unnamed"
    if [ "$status" = "$expected" ]; then
        echo "pass: failing at '$fail' ends in $status"
    else
        echo "FAIL: failing at '$fail' ends in $status, not $expected"
        cat "$work/$fail.log"
        failures=$((failures + 1))
    fi
done
exit "$failures"
