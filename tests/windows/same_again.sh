#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# From the source archive, elsewhere, later, under another umask and time zone: the same bytes as
# the build's exe, zip and installer.
#   same_again.sh BUILD UNPACKED-SOURCE VERSION
set -eu
build=$1 source=$2 version=$3
again=$source/build-windows/build
if ! (if [ "$(umask)" = 0002 ]; then umask 0022; else umask 0002; fi
    cd "$source" && TZ=Etc/GMT-14 cmake --workflow --preset windows-dist
) >"$build/../again.log" 2>&1; then
    tail -n 30 "$build/../again.log" && exit 1
fi
for file in ui/hengtiebao.exe packages/hengtiebao-"$version"-win64.zip \
    packages/hengtiebao-"$version"-win64-setup.exe; do
    cmp "$build/$file" "$again/$file" ||
        { diffoscope --text - "$build/$file" "$again/$file" | head -n 60; exit 1; }
    echo "same: $file"
done
