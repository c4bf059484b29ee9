#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The buildinfo of dpkg-dev's build dependencies on this machine: each at its installed version,
# one line each (so that diff names the packages two buildinfos differ in), the files' checksums.
#   tests/buildinfo_test.sh WRITER
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo program >"$tmp/hengtiebao.exe"
echo qt >"$tmp/qt6-base.dsc"
"$1" 1.0.0 0 "$tmp/qt6-base.dsc" dpkg-dev "$tmp/hengtiebao.exe" >"$tmp/a"
# Installed versions, epochs kept; perl-base is reached only through dpkg-dev's perl:any.
sed -n 's/^ \([^ ]*\) (= \(.*\)),\{0,1\}$/\1 \2/p' "$tmp/a" >"$tmp/listed"
grep -q '^perl-base ' "$tmp/listed"
while read -r name version; do
    [ "$(dpkg-query -W -f='${Version}' "$name")" = "$version" ] || exit 1
done <"$tmp/listed"

grep -qx " $(sha256sum <"$tmp/hengtiebao.exe" | cut -c1-64) 8 hengtiebao.exe" "$tmp/a"
