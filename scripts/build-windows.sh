#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds 衡铁宝 for 64-bit Windows into build-windows/dist/ and tests it under Wine (docs/windows.md).
#   scripts/build-windows.sh [--refresh]   (--refresh: Qt anew; WINDOW_TESTS=1: the window's too)
set -eu
[ "${1:---refresh}" = --refresh ] || { echo "usage: $0 [--refresh]" >&2; exit 2; }
cd "$(dirname "$0")/.."
repo=$PWD out=build-windows
# Zip and Wine take the Chinese file names as UTF-8 only under a UTF-8 locale.
export LC_ALL=C.UTF-8 WINEPREFIX="$repo/$out/wine"
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh $WINDOWS_PACKAGES
version=$(project_version)
epoch=$(sed -n 's/^set(HENGTIEBAO_SOURCE_DATE_EPOCH \([0-9]*\).*/\1/p' CMakeLists.txt)
trap 'tests/windows/wine_desktop.sh stop >/dev/null 2>&1' EXIT
trap 'exit 130' INT TERM HUP

echo "== Static Qt for Windows"
qt="$(packaging/windows/build-qt.sh "$@")"  # named again in the presets' variables below
exec 8>"$qt.lock" && flock -s 8  # held for the whole run, so no other run sweeps it away
[ -f "$qt/.complete" ] || { echo "$qt was removed meanwhile; run again" >&2; exit 1; }
export HENGTIEBAO_WINDOWS_QT="$qt"

echo "== The program and its tests, cross-built; the zip and the installer; the tests under Wine"
cmake --workflow --preset "windows${WINDOW_TESTS:+-all}"
# The cases that skipped themselves inside a program that passed, with their reasons.
grep -h -B1 -A1 ": Skipped$" "$out/build/Testing/Temporary/LastTest.log" || [ $? -eq 1 ]
rm -rf "$out/dist" && mkdir -p "$out/dist"
cp "$out/build/ui/hengtiebao.exe" "$out/build/packages/hengtiebao-$version-win64.zip" \
    "$out/build/packages/hengtiebao-$version-win64-setup.exe" \
    "$out/build/packaging/windows/THIRD-PARTY-NOTICES.txt" "$out/dist/"

# The source the licences ask for: HEAD (or, without git, the checkout's files) and the Qt source
# package, with how to build them again; fixed times, owners, modes and order.
echo "== The source archive"
name="hengtiebao-$version-source"
rm -rf "$out/source" && mkdir -p "$out/source/$name/hengtiebao" "$out/source/$name/qt6-base"
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    git diff --quiet HEAD || echo "The working tree is not HEAD's; the source archive holds HEAD."
    git archive --output="$out/source/head.tar" HEAD
    tar -xf "$out/source/head.tar" -C "$out/source/$name/hengtiebao" && rm "$out/source/head.tar"
else
    tar -cf - --exclude=./.git --exclude='./build*' . | tar -xf - -C "$out/source/$name/hengtiebao"
fi
cp "$qt"/source/* "$out/source/$name/qt6-base/"
sed -e "s/@VERSION@/$version/g" -e "s/[$]Format:%H[$]/unknown (copied without git)/" \
    "$out/source/$name/hengtiebao/packaging/windows/BUILD.txt.in" >"$out/source/$name/BUILD.txt"
# tar runs xz itself and fails with it; no pipe hides a failure.
XZ_OPT=-T1 tar --sort=name --mtime="@$epoch" --owner=0 --group=0 --numeric-owner \
    --mode=u=rwX,go=rX --format=gnu -C "$out/source" -cJf "$out/dist/$name.tar.xz" "$name"

# Debian's buildinfo: the files' and the Qt .dsc's checksums, and the packages installed for it.
echo "== The buildinfo"
info=$out/buildinfo
rm -rf "$info" && mkdir -p "$info/debian" && ln -s "$repo/$out"/dist/* "$qt"/source/*.dsc "$info/"
printf 'Source: hengtiebao\nBuild-Depends: %s\n\nPackage: hengtiebao\nArchitecture: all\n' \
    "$(echo "$WINDOWS_PACKAGES" | tr -s " \n" ,)" >"$info/debian/control"
printf 'hengtiebao (%s) unstable; urgency=medium\n\n  * Windows\n\n -- %s  %s\n' "$version" \
    "$(sed -n 's/^set(HENGTIEBAO_EMAIL "\(.*\)")$/hengtiebao maintainers <\1>/p' CMakeLists.txt)" \
    "$(date -R -u -d "@$epoch")" >"$info/debian/changelog"
# Each command on its own line, where set -e sees its failure.
(
    cd "$info"
    for file in *.*; do dpkg-distaddfile "$file" misc optional; done
    SOURCE_DATE_EPOCH=$epoch dpkg-genbuildinfo --build=binary -u. -O
) >"$out/dist/hengtiebao-$version-win64.buildinfo"
(cd "$out/dist" && sha256sum -- * >../SHA256SUMS && mv ../SHA256SUMS . && ls -l)

echo "== The same files again, from the source archive"
tests/windows/same_again.sh "$out/build" "$out/source/$name/hengtiebao" "$version"
