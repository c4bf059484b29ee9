#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, on Debian, whichever of the given packages are missing and, with
# --build-depends[=PROFILE], of debian/control's Build-Depends (under that build profile, such as
# nocheck); installs nothing otherwise. PACKAGE=VERSION asks for that version, where another is
# installed too. apt waits for a dpkg lock that another program holds.
#   scripts/ensure-packages.sh [--build-depends[=PROFILE]] [PACKAGE[=VERSION]...]
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
install() {
    # A run stopped while dpkg was at work (Ctrl-C, a killed CI) leaves packages half set up, and
    # apt refuses to go on until dpkg has finished them; as apt asks, they are finished first.
    [ -z "$(dpkg --audit)" ] || $as_root dpkg --configure -a
    $as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive $as_root apt-get -o DPkg::Lock::Timeout=600 "$@" -y -qq \
        --no-install-recommends
}
build_depends=""
case "${1:-}" in
    --build-depends) build_depends="./" && shift ;;
    --build-depends=*) build_depends="-P ${1#*=} ./" && shift ;;
esac
missing=""
for package in "$@" ${build_depends:+dpkg-dev}; do
    version="" && case $package in *=*) version=${package#*=} ;; esac
    dpkg-query -W -f='${Status} ${Version}\n' "${package%=*}" 2>/dev/null |
        grep -qx "install ok installed ${version:-.*}" || missing="$missing $package"
done
# shellcheck disable=SC2086
[ -z "$missing" ] || { echo "Installing:$missing" && install install $missing; }
# shellcheck disable=SC2086
if [ -n "$build_depends" ] && ! dpkg-checkbuilddeps ${build_depends%./} 2>/dev/null; then
    echo "Installing the Build-Depends of debian/control"
    install build-dep $build_depends
fi
