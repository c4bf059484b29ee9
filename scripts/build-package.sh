#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian source package of HEAD and builds it as Debian's build daemons do: in a fresh
# root of the release, from its Build-Depends alone, as a user who is not root, with its tests.
# lintian judges source and binary there, with that release's lintian; then autopkgtest tests the
# package installed in another fresh root. Everything lands in build-deb/SUITE-ARCH/.
# For another processor (ARCH), the package is cross-built as Debian's cross-building checks
# build it (dpkg-buildpackage --host-arch, build profile cross) and its tests run under qemu's
# emulator; autopkgtest tests it in a root of that processor, emulated too (scripts/emulated.sh).
#   scripts/build-package.sh [SUITE [ARCH]]     (this machine's release and processor by default)
#   REPROTEST=1 scripts/build-package.sh ...    also reprotest's two builds, compared
#   AUTOPKGTEST=0 scripts/build-package.sh ...  without autopkgtest (emulated, it takes half an hour)
#   DEB_BUILD_OPTIONS=nocheck ...               without the build's tests
# shellcheck disable=SC2016,SC2089,SC2090  # the hooks' quotes and $1 (the root) are mmdebstrap's
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
suite=${1:-$(host_release)} native=$(dpkg --print-architecture)
arch=${2:-$native}
scripts/ensure-packages.sh mmdebstrap autopkgtest uidmap dpkg-dev git xz-utils
version=$(dpkg-parsechangelog -SVersion)
dsc=hengtiebao_$version.dsc changes=hengtiebao_${version}_$arch.changes
upstream=${version%-*} out=$PWD/build-deb/$suite-$arch
# The build's options and profiles: nocheck only when asked, cross for another processor.
options=parallel=2 profiles="" cross=""
case " ${DEB_BUILD_OPTIONS:-} " in *" nocheck "*) options="$options nocheck" profiles=nocheck ;; esac
if [ "$arch" != "$native" ]; then
    profiles=cross${profiles:+,$profiles}
    cross="--architectures=$native,$arch --include=crossbuild-essential-$arch"
    # Forky's loong64, not yet a release architecture, has no crossbuild-essential, only the
    # compilers; and its libraries' rebuilds (+b1) carry changelogs other than amd64's of the same
    # version, which dpkg refuses to install side by side: the build root leaves changelogs out.
    # Its python3, configured after both processors' qmake6, fails on their shared hook: first.
    [ "$arch" != loong64 ] || cross="--architectures=$native,$arch --include=python3
        --include=g++-loongarch64-linux-gnu --dpkgopt=path-exclude=/usr/share/doc/*/changelog*"
    scripts/ensure-packages.sh arch-test
fi
build_dep="apt-get build-dep -y --no-install-recommends ${profiles:+-P $profiles}"
build="dpkg-buildpackage -us -uc ${profiles:+-P$profiles}"
[ -z "$cross" ] || build_dep="$build_dep -a $arch" build="$build --host-arch=$arch"
name=hengtiebao-$upstream
rm -rf "$out" && mkdir -p "$out"
work_in_cache package-work

echo "== $(date +%T) The source package"
# The upstream source is the commit without its packaging; the package adds debian/.
git archive --prefix="$name/" HEAD ':!debian' | xz -T1 >"$out/hengtiebao_$upstream.orig.tar.xz"
git archive --prefix="$name/" HEAD | tar -xf - -C "$out"
(cd "$out" && dpkg-source -b "$name" && rm -rf "$name")

echo "== $(date +%T) Built in a fresh $suite root from Build-Depends alone, then lintian"
# Commands in the root with a login's environment, none of this shell's: as the builder, as root.
builder_in_root='chroot "$1" runuser -u builder -- env -i PATH=/usr/bin:/bin HOME=/home/builder'
root_in_root='chroot "$1" env -i PATH=/usr/sbin:/usr/bin HOME=/root DEBIAN_FRONTEND=noninteractive'
# Two more builds, the second varied in all reprotest varies but the order of files in
# directories (its disorderfs needs FUSE, which a root without privileges does not reach); its
# clock always a year and more ahead, which reprotest would otherwise leave to chance.
reprotest="" tools=lintian
if [ -n "${REPROTEST:-}" ]; then
    tools="lintian reprotest faketime locales-all sudo"
    reprotest="$root_in_root DEB_BUILD_OPTIONS='nocheck parallel=2' sh -c 'cd /build &&
        mkdir reprotest-source && cd reprotest-source && dpkg-source -x ../$dsc &&
        reprotest --verbosity=1 \
            --vary=-fileordering,user_group.available+=builder2,domain_host.use_sudo=1 \
            --vary=time.faketimes+=+373days+7hours+13minutes \
            --store-dir=/build/reprotest \"cd $name && $build -b\" \"*.deb\" -- null'"
fi
lint='lintian --fail-on error,warning --display-info "$0"'
# shellcheck disable=SC2086  # the cross options are separate words
debian_root buildd "$suite" /dev/null $cross \
    --customize-hook='mkdir "$1/build"' \
    --customize-hook="$root_in_root sh -c 'useradd -m builder && useradd -m builder2'" \
    --customize-hook="copy-in $out/$dsc $out/hengtiebao_$upstream.orig.tar.xz \
        $out/hengtiebao_$version.debian.tar.xz /build" \
    --customize-hook="$root_in_root chown -R builder: /build" \
    --customize-hook="$root_in_root $build_dep /build/$dsc" \
    --customize-hook="$builder_in_root DEB_BUILD_OPTIONS='$options' sh -c 'cd /build &&
        dpkg-source -x $dsc && cd $name && $build'" \
    --customize-hook="rm -rf \"\$1/build/$name\"" --customize-hook="sync-out /build $out" \
    --customize-hook="$root_in_root apt-get install -y --no-install-recommends $tools" \
    --customize-hook="$builder_in_root sh -c '$lint' /build/$changes" \
    ${reprotest:+"--customize-hook=$reprotest"}

[ "${AUTOPKGTEST:-1}" = 1 ] || exit 0
# Another processor's testbed runs under qemu's emulator, where this machine allows it.
emulation=""
if [ "$arch" != "$native" ]; then
    if ! scripts/emulated.sh "$arch" true; then
        echo "== autopkgtest needs a root of $arch, emulated, which this machine cannot run"
        exit 0
    fi
    emulation="scripts/emulated.sh $arch"
fi
echo "== $(date +%T) autopkgtest, the package installed in a fresh $suite $arch root"
# shellcheck disable=SC2086  # the emulation's command is separate words
$emulation sh -c '. scripts/packages.sh && debian_root minbase "$@"' sh \
    "$suite" "$TMPDIR/testbed.tar" --architectures="$arch"
# The testbed maps the subordinate ids of whoever runs it (/etc/subuid), which Debian gives every
# user it adds but not root: root lends itself a range for this run alone, in a mount namespace
# of its own, so that /etc itself never changes.
with_subordinate_ids() {
    if grep -q "^$(id -un):" /etc/subuid || [ "$(id -u)" -ne 0 ]; then
        "$@"
    else
        echo root:100000:65536 >"$TMPDIR/subordinate-ids"
        unshare --mount --propagation private sh -c 'mount --bind "$0" /etc/subuid &&
            mount --bind "$0" /etc/subgid && exec "$@"' "$TMPDIR/subordinate-ids" "$@"
    fi
}
# -U: the testbed's package lists are fetched first (mmdebstrap leaves none).
# shellcheck disable=SC2086
with_subordinate_ids $emulation autopkgtest -U --output-dir "$out/autopkgtest" "$out/$changes" \
    -- unshare --arch "$arch" --release "$suite" --tarball "$TMPDIR/testbed.tar"
