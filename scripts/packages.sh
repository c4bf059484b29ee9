# SPDX-License-Identifier: GPL-3.0-or-later
# The lists are read by the scripts that source this; apt, not the shell, expands $(REPO_URI).
# shellcheck shell=sh disable=SC2034,SC2016
# Sourced by the entry scripts. What the program's build and its build-time tests need is
# debian/control's Build-Depends (scripts/ensure-packages.sh --build-depends); here is what else
# each command needs.
# The run command: a Chinese font, which the package only recommends.
RUN_PACKAGES="fonts-noto-cjk"
# The test command: clang's libFuzzer, Google Benchmark, valgrind for the start-up budget, and the
# format and shell checks.
TEST_PACKAGES="clang libclang-rt-dev libbenchmark-dev valgrind clang-format shellcheck"
# The Windows build: the render tool's native build, the cross compiler, Qt's sources and a
# builder for them, GoogleTest's sources, the installer compiler, git for the source archive of a
# checkout made without it, Wine on a private X server with input and clipboard tools for the
# tests, diffoscope on a difference, and Qt's attributions scanner, which reads the notices of the
# parts Qt bundles.
WINDOWS_PACKAGES="cmake g++ qt6-base-dev qt6-svg-dev qt6-translations-l10n dpkg-dev
 g++-mingw-w64-x86-64-posix ninja-build googletest nsis git wine64 xvfb xauth xdotool xclip
 diffoscope qt6-documentation-tools"
# The web build, in a Debian 13 root: emscripten with its CMake toolchain file, fast_float where
# emscripten's C++ library reads no doubles, GoogleTest's sources, Node for the tests and the
# page's writer, the changelog reader and python3 that the project's configure and its reference
# check call, and the icon's render tool built for the root itself (its compiler, Qt with its SVG
# module, and the translations its configure looks for); Chromium with a Chinese font for the
# page's tests in a browser.
WEB_PACKAGES="emscripten libfast-float-dev cmake make googletest nodejs dpkg-dev python3
 g++ qt6-base-dev qt6-svg-dev qt6-translations-l10n chromium fonts-noto-cjk"

# The project's cache: the static Qt, downloaded packages, the builds' work folders.
cache=${XDG_CACHE_HOME:-$HOME/.cache}/hengtiebao

# A work folder NAME.XXXXXX in the cache, not /tmp, which may live in memory (a root and its builds
# take a few GiB): TMPDIR for the script and the tools it starts, removed on exit, Ctrl-C or kill.
work_in_cache() {
    mkdir -p "$cache" && TMPDIR=$(mktemp -d "$cache/$1.XXXXXX") || exit 1
    export TMPDIR
    trap 'rm -rf "$TMPDIR"' EXIT
    trap 'exit 130' INT TERM HUP
}

# The release's version, as CMakeLists.txt sets it for every build.
project_version() {
    sed -n 's/^project(hengtiebao VERSION \([^ ]*\).*/\1/p' CMakeLists.txt
}

# This machine's Debian release, by its code name (bookworm, trixie).
host_release() {
    (. /etc/os-release && echo "$VERSION_CODENAME")
}

# Root's rights, through sudo when not root already.
as_root=""
[ "$(id -u)" -eq 0 ] || as_root="sudo"

# Runs a command (CMake's first configure) with Debian's build flags in its environment, every
# hardening feature on, as a package build gets them; CMake reads CPPFLAGS nowhere, so they go
# with CXXFLAGS, as debhelper passes them.
with_debian_flags() {
    env CXXFLAGS="$(debian_flags CPPFLAGS) $(debian_flags CXXFLAGS)" \
        LDFLAGS="$(debian_flags LDFLAGS)" "$@"
}
debian_flags() {
    DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"
}

# Runs a command that makes roots without privileges (sbuild, autopkgtest's unshare testbed): they
# map the subordinate ids of whoever runs them (/etc/subuid), which Debian gives every user it
# adds but not root. Root lends itself a range for this command alone, in a mount namespace of its
# own, so that /etc itself never changes.
with_subordinate_ids() {
    if [ "$(id -u)" -ne 0 ] || grep -q '^root:' /etc/subuid; then
        "$@"
    else
        echo root:1000000000:65536 >"$TMPDIR/subordinate-ids"
        # shellcheck disable=SC2016  # the inner shell's
        unshare --mount --propagation private sh -c 'mount --bind "$0" /etc/subuid &&
            mount --bind "$0" /etc/subgid && exec "$@"' "$TMPDIR/subordinate-ids" "$@"
    fi
}

# SUITE [TYPE]: a release's apt sources as Debian's installer and its cloud images write them:
# deb822, signed by Debian's archive keyring, packages (deb) or their sources (deb-src). The
# mirrors are the machine's own (a nearby one where its sources name one), else Debian's.
debian_sources() {
    debian_entry debian Debian "$1 $1-updates" "${2:-deb}"
    debian_entry debian-security Debian-Security "$1-security" "${2:-deb}"
}
# ARCHIVE LABEL SUITES TYPE: one entry, from the machine's mirror of ARCHIVE (whose Release has LABEL).
debian_entry() {
    mirror=$(apt-get indextargets --format '$(REPO_URI)' "Label: $2" 2>/dev/null | head -n 1)
    printf 'Types: %s\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n\n' "$4" \
        "${mirror:-http://deb.debian.org/$1/}" "$3" /usr/share/keyrings/debian-archive-keyring.gpg
}

# A fresh root of a Debian release from those mirrors, made by mmdebstrap without root rights:
# VARIANT SUITE TARGET [MMDEBSTRAP OPTIONS...]; TARGET /dev/null keeps nothing. Its sources lie
# where the installer puts them. Its work folder is where the ids it maps can reach: not under a
# home folder, which Debian 12 makes private (0700).
debian_root() {
    variant=$1 suite=$2 target=$3
    shift 3
    # The mirror's forky (Debian's testing) may be past its Valid-Until: taken as it is there.
    stale_ok=""
    [ "$suite" != forky ] || stale_ok='Acquire::Check-Valid-Until false'
    debian_sources "$suite" |
        TMPDIR=/var/tmp mmdebstrap --mode=unshare --variant="$variant" \
            ${stale_ok:+--aptopt="$stale_ok"} \
            --customize-hook='cd "$1/etc/apt/sources.list.d" && mv 0000main.sources debian.sources' \
            "$@" "$suite" "$target" -
}
