#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the static Qt the Windows program links, from Debian's Qt source of the version the
# mirror serves (the build machine's Qt tools must be that version: scripts/build-windows.sh
# installs them), into a cache, and prints the cache's path. The cache's name carries a key over
# Qt's source version, the compiler's version, the options below and this script's own commands: a
# change to any of them builds anew, and a second run with the same key does no Qt work at all.
# One run at a time builds a key (a lock per key); a run that uses a Qt holds its lock shared, and
# the builds of other keys are swept only when no run holds them. --refresh builds anew.
# QT_SOURCE_PACKAGE=dir takes the source package (.dsc and tarballs) from dir, as the program's
# source archive holds it, instead of fetching it.
set -eu
repo="$(cd "$(dirname "$0")/../.." && pwd)"
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/hengtiebao"
refresh="${1:-}"

# Core, Gui, Widgets and Test only; what the window does not use is switched off, so the
# program stays small. Debian's repack lacks the Wintab sources (tablet events); Qt 6.4's
# DirectWrite font database needs more than MinGW has, so the GDI one lists the fonts, and
# DirectWrite draws them where the window asks for it; no OpenGL of any kind.
QT_OPTIONS="-DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
 -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
 -DFEATURE_optimize_size=ON -DFEATURE_gc_binaries=ON -DINPUT_opengl=no"
for feature in sql network xml dbus concurrent printsupport vulkan opengl opengl_dynamic dynamicgl \
    tabletevent directwrite3 style_windowsvista jpeg gif ico textmarkdownreader textmarkdownwriter \
    textodfwriter sessionmanager freetype system_zlib system_pcre2 graphicsview graphicseffect \
    style_stylesheet filedialog mimetype_database mdiarea calendarwidget datetimeedit colordialog \
    fontdialog wizard hijricalendar jalalicalendar islamiccivilcalendar tableview treeview \
    filesystemmodel dockwidget tabbar gestures system_harfbuzz system_png system_doubleconversion; do
    QT_OPTIONS="$QT_OPTIONS -DFEATURE_$feature=OFF"
done
# Qt 6.8 puts 2 MB more into the program (EDID tables, a Direct3D 12 backend, hardening of its
# own): there, more of what the window never uses goes too (rich text and its CSS, time zones,
# colour names, ...), and the marks for Intel's indirect-branch tracking, which Windows does not
# use (its guard for indirect calls is another). Qt 6.4 cannot build without main windows.
QT_6_8_FEATURES="style_fusion sha3_fast process mainwindow textedit spinbox movie intelcet
 texthtmlparser cssparser timezone colornames permissions"
# Qt records its prefix in itself (where a program would look for plugin DLLs; ours loads none):
# a fixed one, not the cache's path, which names the builder's home. Installed into the cache.
QT_OPTIONS="$QT_OPTIONS -DCMAKE_INSTALL_PREFIX=/hengtiebao-qt"
# The same Qt from any work directory and at any time: paths mapped away, rcc's file times from
# the Qt source's changelog. Not options, but in the key, so that an older cache is not taken.
QT_REPRODUCIBLE="-ffile-prefix-map=WORK=/qt SOURCE_DATE_EPOCH=changelog"

# The Qt source the mirror serves: an installed version may be gone from it after a point release.
source_package="${QT_SOURCE_PACKAGE:+$(cd "$QT_SOURCE_PACKAGE" && pwd)}"
if [ -n "$source_package" ]; then
    version="$(sed -n 's/^Version: //p' "$source_package"/qt6-base_*.dsc)"
else
    version="$(apt-cache policy qt6-base-dev | sed -n 's/^ *Candidate: //p')"
fi
case "$version" in
    6.[0-7].*) ;;
    *) for feature in $QT_6_8_FEATURES; do QT_OPTIONS="$QT_OPTIONS -DFEATURE_$feature=OFF"; done ;;
esac
compiler="$(x86_64-w64-mingw32-g++-posix -dumpfullversion)"
key="$(printf '%s\n' "$version" "$compiler" "$QT_OPTIONS" "$QT_REPRODUCIBLE" |
    cat - "$toolchain" "$repo/packaging/windows/build-qt.sh" | sha256sum | cut -c1-12)"
prefix="$cache/qt-$(echo "$version" | sed 's/[+:~].*//')-mingw-static-$key"

mkdir -p "$cache"
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.complete" ] && [ "$refresh" != --refresh ]; then
    echo "$prefix"
    exit 0
fi

# The work directory is the key's too, so an interrupted build goes on where it stopped.
work="$cache/qt-source-$key"
rm -rf "$prefix"
mkdir -p "$work"
(
    cd "$work"
    # Fetched or copied anew unless a run before finished that: one stopped half-way leaves no
    # half-unpacked source to build from.
    if [ ! -f source.complete ]; then
        rm -rf qt6-base[-_]* apt
        if [ -n "$source_package" ]; then
            cp "$source_package"/qt6-base_* . && dpkg-source -x qt6-base_*.dsc >&2
        else
            "$repo/packaging/windows/fetch-qt-source.sh" "$version" >&2
        fi
        touch source.complete
    fi
    SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -l qt6-base-*/debian/changelog -STimestamp)"
    export SOURCE_DATE_EPOCH
    export CFLAGS="-ffile-prefix-map=$work=/qt" CXXFLAGS="-ffile-prefix-map=$work=/qt"
    # Configured once only: a second configure records Qt's install folders as "doc", where the
    # first wrote "./doc", and the program carries them. A build that goes on where it stopped
    # takes the folders its first configure made.
    # shellcheck disable=SC2086
    [ -f build/build.ninja ] ||
        cmake -S qt6-base-*/ -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            $QT_OPTIONS >&2
    cmake --build build --parallel "${JOBS:-2}" >&2
    cmake --install build --prefix "$prefix" >&2
    # The source package as fetched: what the program's source archive passes on with it.
    mkdir -p "$prefix/source"
    cp qt6-base_* "$prefix/source/"
    # What each object owes to bundled third-party code, for the program's notices.
    cmake -DSOURCE="$(ls -d "$work"/qt6-base-*/)" -DBUILD="$work/build" \
        -DOUT="$prefix/attributions" -P "$repo/packaging/windows/qt_attributions.cmake" >&2
)
touch "$prefix/.complete"
rm -rf "$work"
# Qt builds of other keys are stale now, unless a run is using one.
for other in "$cache"/qt-*-mingw-static-*.lock; do
    [ "$other" = "$prefix.lock" ] || flock -n "$other" rm -rf "${other%.lock}" "$other" || true
done
echo "$prefix"
