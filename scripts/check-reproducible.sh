#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds again what a finished build made, from a copy of its source in another directory, later,
# under another umask and time zone, and compares the two byte for byte with cmp; where they
# differ, diffoscope shows how. The first build's choices (build type, generator, toolchain, the
# static Qt) come from its CMake cache, so the second build is the same build in another place.
# The Debian package is compared by reprotest instead (scripts/build-package.sh).
#   scripts/check-reproducible.sh BUILD    the exe, zip and installer of a Windows build
set -eu
first=$(cd "${1:?usage: $0 BUILD}" && pwd)
files="ui/hengtiebao.exe packages/hengtiebao-*-win64.zip packages/hengtiebao-*-win64-setup.exe"
cached() {
    sed -n "s/^$1:[A-Z]*=//p" "$first/CMakeCache.txt"
}
source=$(cached CMAKE_HOME_DIRECTORY)

step() {
    echo "== $(date +%T) $*"
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
copy="$tmp/another/checkout"
step "copying the source of $source to $copy"
mkdir -p "$copy"
if git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$source" ls-files -z --cached --others --exclude-standard |
        (cd "$source" && tar -cf - --null -T -) | tar -xf - -C "$copy"
else  # a source archive: all of it but the builds
    tar -cf - --exclude='./build*' -C "$source" . | tar -xf - -C "$copy"
fi

# The first build's choices; its source's files taken from the copy, its build's (the build
# machine's tools) as they are.
set --
for name in CMAKE_BUILD_TYPE CMAKE_TOOLCHAIN_FILE CMAKE_PREFIX_PATH QT_HOST_PATH \
    QT_HOST_PATH_CMAKE_DIR HENGTIEBAO_HOST_TOOLS CMAKE_EXE_LINKER_FLAGS_MINSIZEREL \
    QT_SKIP_AUTO_PLUGIN_INCLUSION; do
    value=$(cached "$name")
    in_copy=$(echo "$value" | sed "s|^$source/|$copy/|")
    [ -e "$in_copy" ] && value=$in_copy
    [ -n "$value" ] && set -- "$@" "-D$name=$value"
done

# Another umask than the usual, a zone 14 hours ahead of UTC; the clock has moved on by itself.
if [ "$(umask)" = 0002 ]; then umask 0022; else umask 0002; fi
export TZ=Etc/GMT-14
step "building again (umask $(umask), TZ $TZ)"
if ! {
    cmake -S "$copy" -B "$copy/build" -G "$(cached CMAKE_GENERATOR)" "$@" \
        -DBUILD_TESTING=OFF -DHENGTIEBAO_BENCH=OFF &&
        cmake --build "$copy/build" -j2 &&
        (cd "$copy/build" && cpack -G "ZIP;NSIS" -B packages)
} >"$tmp/log" 2>&1; then
    tail -n 30 "$tmp/log"
    exit 1
fi

step "comparing"
status=0
for pattern in $files; do
    # shellcheck disable=SC2086
    if ! a=$(ls "$first"/$pattern 2>/dev/null) || ! b=$(ls "$copy"/build/$pattern 2>/dev/null)
    then
        echo "not built: $pattern"
        exit 1
    fi
    if cmp -s "$a" "$b"; then
        echo "same: ${a#"$first"/} ($(wc -c <"$a") bytes, sha256 $(sha256sum "$a" | cut -c1-16))"
    else
        status=1
        echo "DIFFERENT: ${a#"$first"/}"
        diffoscope --text - "$a" "$b" 2>&1 | head -n 60 || true
    fi
done
exit "$status"
