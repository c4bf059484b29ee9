#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fetches Debian's qt6-base source package of VERSION (the installed Qt's by default) into the
# current folder and unpacks it, without root and leaving the machine's apt as it is: a private
# apt in ./apt reads the release's source entries from the machine's own mirrors.
#   fetch-qt-source.sh [VERSION]
set -eu
version=${1:-$(dpkg-query -W -f='${source:Version}' qt6-base-dev)}
# shellcheck source=scripts/packages.sh
. "$(dirname "$0")/../../scripts/packages.sh"
private=$PWD/apt
rm -rf "$private" && mkdir -p "$private/parts" "$private/lists/partial" "$private/cache/archives"
debian_sources "$(host_release)" deb-src >"$private/parts/debian.sources"
# Downloads as whoever runs this: apt's own download user cannot enter a home folder.
set -- -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$private/parts" \
    -o Dir::State::Lists="$private/lists" -o Dir::Cache="$private/cache" \
    -o APT::Sandbox::User="$(id -un)"
apt-get "$@" update -qq
apt-get "$@" source -qq "qt6-base=$version"
