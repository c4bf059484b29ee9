#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a staging directory, validates the desktop entry and the metainfo, lints the
# manual pages, then builds the Debian package, checks that it holds the binary, the desktop
# entry, every icon, the documents and the manual pages, and has lintian judge it as Debian would.
set -eu
build=$(cd "$1" && pwd) id=$2 sizes=$3
stage="$build/stage"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage/usr" >/dev/null

desktop-file-validate "$stage/usr/share/applications/$id.desktop"
# Succeeds when REPORT has no finding of LEVELS (such as EW) but the tags ACCEPTED (a|b) name;
# prints the others.
only_accepted() {
    ! echo "$3" | grep -E "^[$1]: " | grep -Ev ": ($2)( |\$)"
}

# Every finding but pedantic hints fails, except two accepted by name: the project has no homepage
# for the newer validator's url-homepage-missing, and the older one predates the <developer> tag
# the newer one asks for.
metainfo="$stage/usr/share/metainfo/$id.metainfo.xml"
report=$(appstreamcli validate --pedantic --no-net "$metainfo") || true
echo "$report"
echo "$report" | grep -Eq 'Validation (was successful|failed)' ||
    { echo "appstreamcli gave no verdict"; exit 1; }
only_accepted EWI 'url-homepage-missing|unknown-tag developer' "$report" ||
    { echo "metainfo not clean"; exit 1; }

# As man renders them (-k: preconv for the Chinese page), and as mandoc's stricter lint reads them.
man="$stage/usr/share/man"
for page in "$man/man1/hengtiebao.1.gz" "$man/zh_CN/man1/hengtiebao.1.gz"; do
    if ! mandoc -T lint "$page" || [ -n "$(gzip -dc "$page" | groff -k -ww -z -man -Tutf8 2>&1)" ]
    then
        echo "manual page not clean: $page"
        exit 1
    fi
done

expected="./usr/bin/hengtiebao
./usr/share/applications/$id.desktop
./usr/share/metainfo/$id.metainfo.xml
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/doc/hengtiebao/copyright
./usr/share/doc/hengtiebao/changelog.gz
./usr/share/man/man1/hengtiebao.1.gz
./usr/share/man/zh_CN/man1/hengtiebao.1.gz"
for size in $sizes; do
    expected="$expected
./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done

for path in $expected; do
    [ -s "$stage/${path#./}" ] || { echo "not installed: $path"; exit 1; }
done
# The page man finds for each language.
for locale_and_dir in C:man1 zh_CN:zh_CN/man1; do
    page=$(MANPATH="$man" man -L "${locale_and_dir%%:*}" -w hengtiebao)
    [ "$page" = "$man/${locale_and_dir#*:}/hengtiebao.1.gz" ] || { echo "man found $page"; exit 1; }
done
# Reproducible: gzip -n leaves the header's time at zero (bytes 5 to 8).
for gz in "$stage"/usr/share/doc/hengtiebao/*.gz "$man"/man1/*.gz "$man"/zh_CN/man1/*.gz; do
    [ "$(od -An -tx1 -j4 -N4 "$gz" | tr -d ' ')" = 00000000 ] || { echo "time in $gz"; exit 1; }
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
# Lintian's own metainfo check fails on any finding: the metainfo was judged above, by name.
findings=$(lintian --fail-on none "$deb")
echo "$findings"
only_accepted EW appstream-metadata-validation-failed "$findings" || exit 1
echo "lintian: no error and no warning"
