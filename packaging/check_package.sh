#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a staging directory, validates the desktop entry and the metainfo, then builds
# the Debian package and checks that it holds the binary, the desktop entry and every icon.
set -eu
build=$1 id=$2 sizes=$3
stage="$build/stage"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage/usr" >/dev/null

desktop-file-validate "$stage/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/$id.metainfo.xml"

expected="./usr/bin/hengtiebao
./usr/share/applications/$id.desktop
./usr/share/metainfo/$id.metainfo.xml
./usr/share/icons/hicolor/scalable/apps/$id.svg"
for size in $sizes; do
    expected="$expected
./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done

for path in $expected; do
    [ -s "$stage/${path#./}" ] || { echo "not installed: $path"; exit 1; }
done

packages="$build/packages"
rm -rf "$packages"
(cd "$build" && cpack -G DEB -B "$packages" >/dev/null)
deb=$(ls "$packages"/hengtiebao_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in $expected; do
    echo "$contents" | grep -qx "$path" || { echo "missing from $deb: $path"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q libqt6widgets6 || { echo "Depends lacks Qt: $depends"; exit 1; }
echo "$(basename "$deb"): Depends: $depends; Recommends: $(dpkg-deb -f "$deb" Recommends)"
