#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the static Qt the Windows program links into the cache, once per key, and prints its
# path (docs/windows.md). --refresh builds anew; QT_SOURCE_PACKAGE=dir builds the .dsc in dir.
set -eu
repo="$(cd "$(dirname "$0")/../.." && pwd)"
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"
. "$repo/scripts/packages.sh"

# Core, Gui, Widgets and Test, without what the window does not use: nor the Direct2D platform
# plugin, which nothing links (the program takes the windows one). Debian's repack lacks Wintab;
# Qt 6.4's DirectWrite font database needs more than MinGW has, so the GDI one lists the fonts.
off="sql network xml dbus concurrent printsupport vulkan opengl opengl_dynamic dynamicgl
 tabletevent directwrite3 style_windowsvista jpeg gif ico textmarkdownreader textmarkdownwriter
 textodfwriter sessionmanager freetype system_zlib system_pcre2 graphicsview graphicseffect
 style_stylesheet filedialog mimetype_database mdiarea calendarwidget datetimeedit colordialog
 fontdialog wizard hijricalendar jalalicalendar islamiccivilcalendar tableview treeview
 filesystemmodel dockwidget tabbar gestures system_harfbuzz system_png system_doubleconversion
 direct2d"
# Qt 6.8 adds 2 MB (EDID tables, Direct3D 12, its own hardening): more goes there, with Intel's
# branch-tracking marks that Windows ignores. Qt 6.4 cannot build without main windows.
off_6_8="style_fusion sha3_fast process mainwindow textedit spinbox movie intelcet texthtmlparser
 cssparser timezone colornames permissions"

# The Qt source the mirror serves: an installed version may be gone from it after a point release.
source_package="${QT_SOURCE_PACKAGE:+$(cd "$QT_SOURCE_PACKAGE" && pwd)}"
if [ -n "$source_package" ]; then
    version="$(sed -n 's/^Version: //p' "$source_package"/qt6-base_*.dsc)"
else
    version="$(apt-cache policy qt6-base-dev | sed -n 's/^ *Candidate: //p')"
fi
"$repo/scripts/ensure-packages.sh" "qt6-base-dev=$version" "qt6-base-dev-tools=$version" >&2
case "$version" in 6.[0-7].*) ;; *) off="$off $off_6_8" ;; esac
# Qt records its prefix in itself: a fixed one, not the cache's, which names the builder's home.
# shellcheck disable=SC2086  # the list's words
options="-DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF
 -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DFEATURE_optimize_size=ON -DFEATURE_gc_binaries=ON
 -DINPUT_opengl=no -DCMAKE_INSTALL_PREFIX=/hengtiebao-qt $(printf -- '-DFEATURE_%s=OFF ' $off)"
key="$(printf '%s\n' "$version" "$(x86_64-w64-mingw32-g++-posix -dumpfullversion)" "$options" |
    cat - "$toolchain" && sed '/^ *#/d' "$0")"
key="$(echo "$key" | sha256sum | cut -c1-12)"
prefix="$cache/qt-${version%%[+:~]*}-mingw-static-$key"

mkdir -p "$cache"
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.complete" ] && [ "${1:-}" != --refresh ]; then
    echo "$prefix"
    exit 0
fi

# The work folder is the key's too, so an interrupted build goes on where it stopped.
work="$cache/qt-source-$key"
rm -rf "$prefix"
mkdir -p "$work"
(
    cd "$work"
    # Fetched or copied anew unless a run before finished that: none half-unpacked is built from.
    if [ ! -f source.complete ]; then
        rm -rf qt6-base[-_]* apt
        if [ -n "$source_package" ]; then
            cp "$source_package"/qt6-base_* . && dpkg-source -x qt6-base_*.dsc >&2
        else
            "$repo/packaging/windows/fetch-qt-source.sh" "$version" >&2
        fi
        touch source.complete
    fi
    # The same Qt from any folder at any time: paths mapped away, rcc's times from Qt's changelog.
    SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -l qt6-base-*/debian/changelog -STimestamp)"
    export SOURCE_DATE_EPOCH CFLAGS="-ffile-prefix-map=$work=/qt"
    export CXXFLAGS="$CFLAGS"
    # Configured once: a second configure records "doc" where the first wrote "./doc", in the exe.
    # shellcheck disable=SC2086
    [ -f build/build.ninja ] ||
        cmake -S qt6-base-*/ -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            $options >&2
    cmake --build build --parallel "${JOBS:-2}" >&2
    # Its share of the machine, in CI's log: the configure's and the compilers' processor time.
    echo "The static Qt's processor time, user and system: the build's script, then its tools" >&2
    times >&2
    cmake --install build --prefix "$prefix" >&2
    # The source package for the program's source archive; what Qt bundles, for its notices.
    mkdir -p "$prefix/source" && cp qt6-base_* "$prefix/source/"
    cmake -DSOURCE="$(ls -d "$work"/qt6-base-*/)" -DBUILD="$work/build" \
        -DOUT="$prefix/attributions" -P "$repo/packaging/windows/qt_attributions.cmake" >&2
)
touch "$prefix/.complete"
rm -rf "$work"
# Qt builds of other keys and their work folders are stale now, unless a run holds their lock (75).
for other in "$cache"/qt-*-mingw-static-*.lock; do
    stale=${other%.lock}
    [ "$other" = "$prefix.lock" ] || flock -n -E 75 "$other" rm -rf "$stale" \
        "$cache/qt-source-${stale##*-}" "$other" || [ $? -eq 75 ]
done
echo "$prefix"
