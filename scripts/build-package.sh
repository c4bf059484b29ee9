#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds HEAD's source package with sbuild as Debian's build daemons do (docs/packaging.md):
# tests, lintian and autopkgtest, or cross-built, tests under qemu; into build-deb/SUITE-ARCH/.
#   scripts/build-package.sh [SUITE [ARCH]]   (this machine's release and processor by default)
#   DEB_BUILD_OPTIONS=nocheck ...             without the build's tests
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
release=$(host_release)
suite=${1:-$release} native=$(dpkg --print-architecture) && arch=${2:-$native}
scripts/ensure-packages.sh sbuild mmdebstrap autopkgtest uidmap dpkg-dev git xz-utils
version=$(dpkg-parsechangelog -SVersion)
dist=$(dpkg-parsechangelog -SDistribution)
name=hengtiebao-${version%-*} out=$PWD/build-deb/$suite-$arch roots=$cache/sbuild
rm -rf "$out" && mkdir -p "$out" "$roots"
# The upstream source is the commit without debian/.
# git runs xz itself and fails with it; no pipe hides a failure.
git -c tar.tar.xz.command="xz -T1" archive --format=tar.xz --prefix="$name/" \
    --output="$out/hengtiebao_${version%-*}.orig.tar.xz" HEAD ':!debian'
git archive --prefix="$name/" --output="$out/source.tar" HEAD
tar -xf "$out/source.tar" -C "$out" && rm "$out/source.tar"
(cd "$out" && dpkg-source -b "$name" && rm -rf "$name")
# NAME VARIANT [OPTIONS]: $root, a root of the release kept in the cache, keyed by its options and
# made anew after a week, by one run while others wait, moved into place whole; roots of other keys
# go. mmdebstrap unpacks it where its mapped ids reach.
cached_root() {
    kind=$1 variant=$2 && shift 2
    root=$roots/$kind-$(echo "$variant $*" | sha256sum | cut -c1-8)
    exec 9>"$root.lock" && flock 9
    if [ -z "$(find "$root.tar" -mtime -7 2>/dev/null)" ]; then
        debian_root "$variant" "$suite" "$root.new.tar" "$@"
        mv "$root.new.tar" "$root.tar"
        find "$roots" -name "$kind-????????.tar" ! -name "${root##*/}.tar" -delete
    fi
    exec 9>&-
}
# apt-utils: the apt solver that sbuild's cross resolver calls, else copied from this machine's.
cached_root "$suite-$native" buildd --include=apt-utils
chroot=$root.tar && set -- --no-run-autopkgtest && profiles=cross
# Native: autopkgtest too, in a testbed that mmdebstrap leaves without package lists (-U).
# TESTBED: a fresh minimal root of the release already made (the clean room's), used as it is.
if [ "$arch" = "$native" ]; then
    if [ -z "${TESTBED:-}" ]; then
        cached_root "$suite-$native-testbed" minbase
        TESTBED=$root.tar
    fi
    profiles="" && set -- --run-autopkgtest --autopkgtest-opts="-U -- unshare" \
        --autopkgtest-opt=--tarball="$TESTBED"
fi
case " ${DEB_BUILD_OPTIONS:-} " in *" nocheck "*) profiles="${profiles:+$profiles }nocheck" ;; esac
set -- env DEB_BUILD_OPTIONS="parallel=2 ${DEB_BUILD_OPTIONS:-}" \
    SBUILD_CONFIG="$PWD/packaging/sbuild.conf" sbuild --chroot-mode=unshare --dist="$dist" \
    --chroot="$chroot" --host="$arch" --profiles="$profiles" --build-dir="$out" \
    --run-lintian --lintian-opts="--fail-on=error,warning --display-info" "$@" "$out"/*.dsc
with_subordinate_ids "$@"
# sbuild reports a build it skipped as a success: every file its .changes lists must be there, and
# a .deb among them.
changes=$out/hengtiebao_${version}_$arch.changes
files=$(sed -n '/^Files:/,/^[^ ]/s/^ [0-9a-f]\{32\} [0-9]* [^ ]* [^ ]* //p' "$changes")
echo "$files" | grep -q '[.]deb$' || { echo "$changes lists no .deb" >&2 && exit 1; }
for file in $files; do
    [ -s "$out/$file" ] || { echo "$changes lists $file, which is not there" >&2 && exit 1; }
done
