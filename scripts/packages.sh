# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=sh disable=SC2034  # the lists are read by the scripts that source this
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

# Debian's own mirrors for a release (DEBIAN_MIRROR's instead, if set), as one-line apt entries of
# a TYPE (deb, deb-src): SUITE, its updates and its security updates.
debian_sources() {
    mirror=${DEBIAN_MIRROR:-http://deb.debian.org}
    for path in "debian $2" "debian $2-updates" "debian-security $2-security"; do
        echo "$1 $mirror/$path main"
    done
}

# A fresh root of a Debian release from those mirrors, made by mmdebstrap without root rights:
# VARIANT SUITE TARGET [MMDEBSTRAP OPTIONS...]; TARGET /dev/null keeps nothing.
debian_root() {
    variant=$1 suite=$2 target=$3
    shift 3
    debian_sources deb "$suite" |
        mmdebstrap --mode=unshare --variant="$variant" "$@" "$suite" "$target" -
}
