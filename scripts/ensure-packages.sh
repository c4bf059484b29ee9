#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the packages that are missing (PACKAGE=VERSION: that version) and, with --build-depends,
# debian/control's Build-Depends that are missing; apt waits for dpkg's lock (README.md).
#   scripts/ensure-packages.sh [--build-depends[=PROFILE]] [PACKAGE[=VERSION]...]
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
install() {
    # One install at a time from this project's commands: apt waits for dpkg's lock, not its lists'.
    mkdir -p "$cache" && exec 7>"$cache/apt.lock" && flock 7
    # What a stopped run left half set up, apt wants finished first.
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
