#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the packages that are missing (PACKAGE=VERSION: that version) and, with --build-depends,
# debian/control's Build-Depends that are missing; apt waits for dpkg's lock (README.md).
#   scripts/ensure-packages.sh [--build-depends[=PROFILE]] [PACKAGE[=VERSION]...]
# shellcheck disable=SC2086  # the package lists' words
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
install() {
    # One install at a time on the machine, whoever runs it: apt's folder, locked, whatever HOME is.
    mkdir -p "$cache" && exec 7</var/lib/apt
    flock -n 7 || { echo "Waiting for another install to end" && flock 7; }
    # What a stopped run left half set up, apt wants finished first.
    [ -z "$(dpkg --audit)" ] || $as_root dpkg --configure -a
    update
    DEBIAN_FRONTEND=noninteractive $as_root apt-get -o DPkg::Lock::Timeout=600 "$@" -y -qq \
        --no-install-recommends
}
# apt waits for dpkg's lock, but fails at once on its lists' lock, as a desktop's updater holds it.
update() {
    until $as_root apt-get -o DPkg::Lock::Timeout=600 update -qq 2>"$cache/update.log"; do
        grep 'Could not get lock .*lists' "$cache/update.log" ||
            { cat "$cache/update.log" && return 1; }
        echo "Waiting for the other apt" && sleep 5
    done
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
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    install install $missing
fi
if [ -n "$build_depends" ] && ! dpkg-checkbuilddeps ${build_depends%./} 2>/dev/null; then
    echo "Installing the Build-Depends of debian/control"
    install build-dep $build_depends
fi
