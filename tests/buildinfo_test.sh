#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The buildinfo of dpkg-dev's build dependencies on this machine, then its comparison with itself
# and with a copy where a version, a package and the files' checksums changed.
#   tests/buildinfo_test.sh WRITER COMPARE
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

"$2" "$tmp/a" "$tmp/a"
sed -e 's/^ perl-base (= [^)]*)/ perl-base (= 0)/' -e '/^ tar (/d' \
    -e 's/^ [0-9a-f]\{64\} / 0 /' "$tmp/a" >"$tmp/b"
if "$2" "$tmp/a" "$tmp/b" >"$tmp/found"; then exit 1; fi
printf '%s\n' "file hengtiebao.exe: $(sha256sum <"$tmp/hengtiebao.exe" | cut -c1-64) -> 0" \
    "file qt6-base.dsc: $(sha256sum <"$tmp/qt6-base.dsc" | cut -c1-64) -> 0" \
    "package perl-base: $(dpkg-query -W -f='${Version}' perl-base) -> 0" \
    "package tar: $(dpkg-query -W -f='${Version}' tar) -> (none)" | diff - "$tmp/found"
