#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fetches and unpacks Debian's qt6-base source of VERSION (the installed Qt's by default) here,
# through a private apt in ./apt: no root, and the machine's apt left as it is.
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
