#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands as a newcomer with sudo runs them in a fresh root, then the package for
# this processor, arm64 and i386; each step's verdict is its exit status (docs/clean-room.md).
#   scripts/clean-room.sh [bookworm|trixie]...     (this machine's release when none is given)
# shellcheck disable=SC2086,SC2154  # word lists on purpose; $suite is set by the loop
set -u
cd "$(dirname "$0")/.." || exit 1
. scripts/packages.sh
scripts/ensure-packages.sh mmdebstrap autopkgtest uidmap git >/dev/null || exit 1
[ $# -gt 0 ] || set -- "$(host_release)"
native=$(dpkg --print-architecture)
mkdir -p build-clean-room && logs=$(mktemp -d "$PWD/build-clean-room/$(date +%F-%H%M%S).XXXX") &&
    work_in_cache clean-room || exit 1
echo "Logs in $logs"
# Only what is committed reaches the roots.
git clone --quiet . "$TMPDIR/hengtiebao" && git -C "$TMPDIR/hengtiebao" checkout --quiet --detach \
    "$(git rev-parse HEAD)" || exit 1

failed=0
step() {
    name=$1 start=$(date +%s)
    shift
    echo "== $(date +%T) $name"
    "$@" >"$logs/$name.log" 2>&1
    status=$? verdict=pass
    tail -n 4 "$logs/$name.log" | sed 's/^/   | /'
    # A failure says why where CI shows it: the failed tests and errors of its logs.
    [ "$status" -eq 0 ] || { verdict=FAIL && grep -hE 'FAILED|\*\*\*Failed|^E: ' \
        "$logs/$name".* | tail -n 20 | sed 's/^/   ! /'; }
    # Another processor's package index met mid-sync on the mirror: nothing was built or failed.
    case $verdict:$name in FAIL:*-package-"$native") ;; FAIL:*-package-*)
        ! grep -q 'Mirror sync in progress?' "$logs/$name".* || verdict=MIRROR ;; esac
    [ "$verdict" != FAIL ] || failed=1
    printf '%-28s %-5s status %-3s %5s s\n' "$name" "$verdict" "$status" \
        $(($(date +%s) - start)) | tee -a "$logs/summary"
}
for suite; do
    step "$suite-root" debian_root minbase "$suite" "$TMPDIR/$suite.tar"
    # -U: mmdebstrap leaves the root no package lists, which a machine would have.
    step "$suite-readme-commands" with_subordinate_ids env TMPDIR=/var/tmp autopkgtest -B -U \
        --override-control=tests/clean-room/control --output-dir="$logs/$suite-autopkgtest" \
        ${FUZZ_SECONDS:+--env=FUZZ_SECONDS=$FUZZ_SECONDS} "$TMPDIR/hengtiebao" \
        -- unshare --release "$suite" --tarball "$TMPDIR/$suite.tar"
    for arch in $native arm64 i386; do
        # sbuild's log is kept with the others: the clone goes when the run ends.
        step "$suite-package-$arch" sh -c "cd '$TMPDIR/hengtiebao' || exit
            scripts/build-package.sh $suite $arch; status=\$?
            cp -L build-deb/$suite-$arch/*_$arch.build '$logs/$suite-package-$arch.build'
            exit \$status"
    done
done
echo && cat "$logs/summary"
exit "$failed"
