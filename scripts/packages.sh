# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages the build and the tests need, sourced by the two entry scripts; dpkg-dev
# gives the build Debian's hardening flags.
BUILD_PACKAGES="cmake g++ make pkg-config dpkg-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev fonts-noto-cjk"
TEST_PACKAGES="googletest libgtest-dev libbenchmark-dev xvfb xauth clang-format locales clang libclang-rt-dev desktop-file-utils appstream dpkg-dev valgrind lintian mandoc man-db"
# Also for the tests, and missing on a pristine Debian: `file`, which CPack's DEB generator
# runs, shellcheck, and python3, which regenerates the reference weights.
TEST_PACKAGES="$TEST_PACKAGES file shellcheck python3"
# The Windows build: the cross compiler, Qt's sources and a builder for them, GoogleTest's
# sources, the installer compiler, git for the source archive of a checkout made without it, and
# Wine on a private X server with input and clipboard tools for the tests.
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix dpkg-dev ninja-build googletest nsis git wine64 xvfb xauth xdotool xclip"
# What shows that two builds are the same (diffoscope, on a difference) and that the binary is
# hardened (devscripts' hardening-check); for Windows also Qt's attributions scanner, which
# reads the notices of the parts Qt bundles.
TEST_PACKAGES="$TEST_PACKAGES diffoscope devscripts"
WINDOWS_PACKAGES="$WINDOWS_PACKAGES diffoscope qt6-documentation-tools"
