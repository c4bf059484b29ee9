#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fetches Debian's qt6-base source package of VERSION (the installed Qt's when none is given)
# into the current folder and unpacks it, without root and without touching the machine's apt
# configuration. Where the machine's apt knows no such source, a private apt configuration in
# ./apt takes the machine's own entries as deb-src (so its mirrors, keyrings and options, a
# nearby mirror included), with its own lists and cache; apt.conf and its parts still apply.
#   fetch-qt-source.sh [VERSION]
set -eu
version=${1:-$(dpkg-query -W -f='${source:Version}' qt6-base-dev)}

if apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $version"; then
    exec apt-get source -qq "qt6-base=$version"
fi

private=$PWD/apt
rm -rf "$private"
mkdir -p "$private/lists/partial" "$private/cache/archives/partial"
"$(dirname "$0")/deb-src-lists.sh" "$private"

# Downloads as whoever runs this: apt's own download user cannot enter a home folder.
private_apt() {
    apt-get -o Dir::Etc::SourceList="$private/sources.list" \
        -o Dir::Etc::SourceParts="$private/sources.list.d" -o Dir::State::Lists="$private/lists" \
        -o Dir::Cache="$private/cache" -o APT::Sandbox::User="$(id -un)" "$@"
}
private_apt update -qq
private_apt source -qq "qt6-base=$version"
