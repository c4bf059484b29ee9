# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=sh disable=SC2034,SC2016  # the lists are the sourcing scripts'; $(REPO_URI) apt's
# Sourced by the entry scripts: what each command needs beyond debian/control's Build-Depends.
# Running: a Chinese font, which the package only recommends.
RUN_PACKAGES="fonts-noto-cjk"
# Testing: libFuzzer, Google Benchmark, valgrind for the start-up budget, format and shell checks.
TEST_PACKAGES="clang libclang-rt-dev libbenchmark-dev valgrind clang-format shellcheck"
# Windows: the native render tool, MinGW, Qt's builder, NSIS, Wine on Xvfb with input and clipboard
# tools, diffoscope, and qdoc's scanner for the notices of what Qt bundles.
WINDOWS_PACKAGES="cmake g++ qt6-base-dev qt6-svg-dev qt6-translations-l10n dpkg-dev
 g++-mingw-w64-x86-64-posix ninja-build googletest nsis git wine64 xvfb xauth xdotool xclip
 diffoscope qt6-documentation-tools"
# The page, in a Debian 13 root: emscripten, terser, Node and npm, the render tool, optipng, wabt,
# three browsers on Xvfb with a Chinese font, nginx.
WEB_PACKAGES="emscripten terser cmake make googletest nodejs dpkg-dev python3
 g++ qt6-base-dev qt6-svg-dev qt6-translations-l10n optipng wabt chromium firefox-esr
 webkit2gtk-driver xvfb fonts-noto-cjk nginx npm"

# The project's cache: the static Qt, the package builds' roots, the page's downloaded packages.
cache=${XDG_CACHE_HOME:-$HOME/.cache}/hengtiebao

project_version() { sed -n 's/^project(hengtiebao VERSION \([^ ]*\).*/\1/p' CMakeLists.txt; }
host_release() { (. /etc/os-release && echo "$VERSION_CODENAME"); }

as_root=$([ "$(id -u)" -eq 0 ] || echo sudo)

# Configures the default build with Debian's hardened flags, CPPFLAGS in CXXFLAGS as debhelper
# does: on every configure, as CMake reads the environment's flags only at the first.
configure_hardened() {
    cmake --preset default "-DCMAKE_CXX_FLAGS=$(debian_flags CPPFLAGS) $(debian_flags CXXFLAGS)" \
        "-DCMAKE_EXE_LINKER_FLAGS=$(debian_flags LDFLAGS)" "$@"
}
debian_flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }

# Runs sbuild or autopkgtest's unshare, which map the caller's subordinate ids, with temporary
# files in /var/tmp, on disk and where those ids reach. Debian gives root no ids, so root lends
# itself a range in a mount namespace of its own, and /etc never changes. Root runs it in a PID
# namespace as well: sbuild runs the build in a session of its own, which a stop of this one's
# process group misses, and all in the namespace end with its first process.
with_subordinate_ids() {
    if [ "$(id -u)" -ne 0 ]; then
        TMPDIR=/var/tmp "$@"
        return
    fi
    # Replaced whole, as another run may have it bound.
    mkdir -p "$cache" && echo root:1000000000:65536 >"$cache/ids.$$" && mv "$cache/ids.$$" \
        "$cache/subordinate-ids"
    lent=$(grep -q '^root:' /etc/subuid || echo "$cache/subordinate-ids")
    # The namespace's first process ends on a TERM (as its first, it would ignore one): so do all.
    TMPDIR=/var/tmp unshare --mount --propagation private --pid --fork --kill-child --mount-proc \
        sh -c 'trap "exit 143" TERM
            [ -z "$0" ] || { mount --bind "$0" /etc/subuid && mount --bind "$0" /etc/subgid; } ||
                exit
            "$@" & wait "$!"' "$lent" "$@"
}

# SUITE [TYPE]: a release's apt sources as Debian's installer writes them (deb822, Debian's
# keyring), packages (deb) or sources (deb-src), from the machine's own mirrors, else Debian's.
debian_sources() {
    debian_entry debian Debian "$1 $1-updates" "${2:-deb}"
    debian_entry debian-security Debian-Security "$1-security" "${2:-deb}"
}
# ARCHIVE LABEL SUITES TYPE: the machine's mirror of ARCHIVE is the one whose Release has LABEL.
debian_entry() {
    mirror=$(apt-get indextargets --format '$(REPO_URI)' "Label: $2" 2>/dev/null | head -n 1)
    printf 'Types: %s\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n\n' "$4" \
        "${mirror:-http://deb.debian.org/$1/}" "$3" /usr/share/keyrings/debian-archive-keyring.gpg
}

# VARIANT SUITE TARGET [OPTIONS...]: a fresh root by mmdebstrap, unprivileged, its sources where
# the installer puts them, made in /var/tmp, where the mapped ids reach (not a 0700 home). The
# mirror's forky may be past its Valid-Until.
debian_root() {
    variant=$1 suite=$2 target=$3 && shift 3
    stale_ok=$([ "$suite" != forky ] || echo 'Acquire::Check-Valid-Until false')
    debian_sources "$suite" |
        TMPDIR=/var/tmp mmdebstrap --mode=unshare --variant="$variant" \
            ${stale_ok:+--aptopt="$stale_ok"} \
            --customize-hook='cd "$1/etc/apt/sources.list.d" && mv 0000main.sources debian.sources' \
            "$@" "$suite" "$target" -
}
