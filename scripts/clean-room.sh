#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's commands as a new user would, in pristine Debian roots, and reports each step:
# for each release, the run command first and alone, then the test command, then the package it
# built installed and started in a second fresh root of the same release.
#
# Usage: scripts/clean-room.sh [--suite bookworm|trixie] [--refresh]
#   (both releases when no --suite is given; --refresh makes the cached pristine roots anew)
# Exit status: 0 every step passed; 1 a step failed; 2 not root, or no debootstrap;
# 3 a pristine root could not be made (no Debian mirror in the apt sources, or debootstrap failed).
# shellcheck disable=SC2317  # the functions run through step and the trap
set -u
# Each step runs as a background job in a process group of its own, so that the trap can end all
# of it at once and Ctrl+C reaches this shell while a step runs.
set -m
cd "$(dirname "$0")/.." || exit 2
repo=$PWD

usage() {
    echo "usage: $0 [--suite bookworm|trixie] [--refresh]" >&2
    exit 2
}
suites=(bookworm trixie)
refresh=no
while [ $# -gt 0 ]; do
    case "$1" in
        --suite)
            case "${2:-}" in bookworm | trixie) suites=("$2") ;; *) usage ;; esac
            shift
            ;;
        --refresh) refresh=yes ;;
        *) usage ;;
    esac
    shift
done

if [ "$(id -u)" -ne 0 ]; then
    echo "clean-room: needs root (it runs debootstrap, chroot and mount); run it with sudo." >&2
    exit 2
fi
if ! scripts/ensure-packages.sh debootstrap debian-archive-keyring >/dev/null 2>&1 ||
    ! command -v debootstrap >/dev/null; then
    echo "clean-room: debootstrap is not installed and could not be installed." >&2
    exit 2
fi

cache=${XDG_CACHE_HOME:-$HOME/.cache}/hengtiebao/clean-room
logs=$cache/logs
# Not /tmp, which may live in memory: the builds need a few GiB.
work=$(mktemp -d /var/tmp/hengtiebao-clean-room.XXXXXX) || exit 1
source=/root/hengtiebao
step_pid=""
# The release in hand: its cached pristine root and the two fresh copies made from it.
suite="" pristine="" build_root="" package_root=""

# Process ids of everything running with its root inside DIR.
processes_in() {
    local dir root
    for dir in /proc/[0-9]*; do
        root=$(readlink "$dir/root" 2>/dev/null) || continue
        case "$root" in "$1"/*) echo "${dir#/proc/}" ;; esac
    done
}

# Mount points under DIR, deepest first.
mounts_in() {
    awk -v dir="$1/" 'index($2, dir) == 1 { print $2 }' /proc/self/mounts | sort -r
}

# Ends everything running in DIR's roots, unmounts them and removes DIR.
clear_dir() {
    local dir=$1 pids point
    # The window programs run in sessions of their own; they and the rest are found by their root.
    for _ in 1 2 3 4 5; do
        pids=$(processes_in "$dir")
        [ -z "$pids" ] && break
        # shellcheck disable=SC2086
        kill -KILL $pids 2>/dev/null
        sleep 1
    done
    for point in $(mounts_in "$dir"); do
        umount "$point" 2>/dev/null || umount -l "$point"
    done
    if [ -n "$(mounts_in "$dir")" ]; then
        echo "clean-room: still mounted, so $dir is left in place:" >&2
        mounts_in "$dir" >&2
        return 1
    fi
    # --one-file-system: never reach through a mount into the machine's own /dev or /proc.
    rm -rf --one-file-system "$dir"
}

# On every exit, failures and Ctrl+C included: nothing may stay running, mounted or on disk.
cleanup() {
    trap - EXIT INT TERM HUP
    [ -n "$pristine" ] && rm -f "$pristine.part"
    [ -n "$step_pid" ] && kill -KILL -- "-$step_pid" 2>/dev/null
    clear_dir "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# This machine's Debian entries for its own release, one "URI SUITE COMPONENTS..." line each, from
# one-line sources.list files and deb822 .sources files alike; other vendors' entries are left out.
debian_sources() {
    local lists=() file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && lists+=("$file")
    done
    {
        [ ${#lists[@]} -gt 0 ] && awk '
            { sub(/#.*/, "") }
            $1 == "deb" { gsub(/\[[^]]*\]/, ""); $1 = ""; print }' "${lists[@]}"
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -f "$file" ] && awk '
                function flush(  n, m, i, j, uris, suites) {
                    if (field["types"] ~ /(^|[ \t])deb([ \t]|$)/ && tolower(field["enabled"]) !~ /no/) {
                        n = split(field["uris"], uris)
                        m = split(field["suites"], suites)
                        for (i = 1; i <= n; i++)
                            for (j = 1; j <= m; j++)
                                print uris[i], suites[j], field["components"]
                    }
                    split("", field)
                }
                /^#/ { next }
                /^[ \t]*$/ { flush(); next }
                /^[ \t]/ { field[key] = field[key] " " $0; next }
                {
                    key = tolower(substr($0, 1, index($0, ":") - 1))
                    field[key] = substr($0, index($0, ":") + 1)
                }
                END { flush() }' "$file"
        done
    } | awk -v release="$(sed -n 's/^VERSION_CODENAME=//p' /etc/os-release)" '
        $2 ~ "^" release "(-updates|-security)?$" && / main( |$)/ { $1 = $1; print }'
}
host_sources=$(debian_sources)

# The same mirrors for SUITE: the machine's release name in each entry becomes SUITE's.
suite_sources() {
    echo "$host_sources" | awk -v suite="$1" '{ sub(/^[a-z]+/, suite, $2); print }'
}

# Makes the pristine root and keeps it as a tarball, written under another name first so that an
# interrupted run never leaves a broken cache.
make_pristine() {
    local root=$work/$suite/pristine mirror
    mirror=$(suite_sources "$suite" | awk -v suite="$suite" '$2 == suite { print $1; exit }')
    echo "mirror: $mirror"
    mkdir -p "$cache" "$root" &&
        debootstrap --variant=minbase "$suite" "$root" "$mirror" &&
        tar --numeric-owner -C "$root" -czf "$pristine.part" . &&
        mv "$pristine.part" "$pristine" &&
        ls -l "$pristine"
}

# A fresh copy of the pristine root that reaches the mirror as this machine does: its Debian
# sources, its DNS, and its apt settings for fetching (a proxy, or a mirror's old Release dates).
unpack_root() {
    local root=$1
    mkdir "$root" && tar --numeric-owner -C "$root" -xpzf "$pristine" || return 1
    suite_sources "$suite" | awk '{ print "deb", $0 }' >"$root/etc/apt/sources.list"
    apt-config dump --no-empty --format '%f "%v";%n' Acquire::http Acquire::https \
        Acquire::Check-Valid-Until Acquire::Check-Date >"$root/etc/apt/apt.conf.d/00mirror"
    rm -f "$root/etc/resolv.conf"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc" &&
        mount -t sysfs sysfs "$root/sys" &&
        mount --bind /dev "$root/dev" &&
        mount --bind /dev/pts "$root/dev/pts" &&
        mount -t tmpfs tmpfs "$root/dev/shm" &&
        cat "$root/etc/apt/sources.list"
}

# Only what is committed reaches the root: a clone of HEAD, never the working tree.
clone_head() {
    local head
    head=$(git rev-parse HEAD) &&
        git clone --quiet --no-checkout "$repo" "$build_root$source" &&
        git -C "$build_root$source" checkout --quiet --detach "$head" &&
        git -C "$build_root$source" log --oneline -1
}

# A fresh root login's environment, none of this shell's variables; FUZZ_SECONDS is passed on,
# as the README offers it.
login_env=(env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
[ -n "${FUZZ_SECONDS:-}" ] && login_env+=("FUZZ_SECONDS=$FUZZ_SECONDS")

in_root() {
    local root=$1
    shift
    "${login_env[@]}" chroot "$root" "$@"
}

# Runs COMMAND in ROOT in a session of its own and passes when, a few seconds after it has become
# PROGRAM, it is still running; what it builds before that may take its time. Offscreen: a real
# window with nowhere to show it. It is found and ended through its session, never by name.
window_stays_open() {
    local root=$1 program=$1$2 pid waited=0
    shift 2
    # A step has no job control, so setsid makes this very process the leader of a new session
    # (it would fork only for a process group leader): pid names the session.
    setsid "${login_env[@]}" QT_QPA_PLATFORM=offscreen chroot "$root" "$@" </dev/null &
    pid=$!
    while [ "$(readlink "/proc/$pid/exe")" != "$program" ] && [ "$waited" -lt 1800 ]; do
        # Gone (bash reaps a background child at once) or a zombie: it ended before that.
        case "$(ps -o stat= -p "$pid")" in "" | Z*) break ;; esac
        sleep 1
        waited=$((waited + 1))
    done
    if [ "$(readlink "/proc/$pid/exe")" = "$program" ]; then
        sleep 5
        case "$(ps -o stat= -p "$pid")" in
            "" | Z*) ;;
            *)
                echo "${program#"$root"}: window still open after 5 seconds; ending session $pid"
                # The kill program, not the builtin: inside a step the builtin signals the
                # group bash recorded for the job, which is the step's own.
                env kill -TERM -- "-$pid"
                sleep 1
                env kill -KILL -- "-$pid" 2>/dev/null
                wait "$pid"
                return 0
                ;;
        esac
    fi
    env kill -KILL -- "-$pid" 2>/dev/null
    wait "$pid"
    echo "${program#"$root"}: not running 5 seconds after it started (exit status $?)"
    return 1
}

install_package() {
    set -- "$build_root$source"/build/packages/hengtiebao_*.deb
    if [ ! -f "$1" ]; then
        echo "the test command built no package (build/packages/hengtiebao_*.deb)"
        return 1
    fi
    cp "$1" "$package_root/root/" || return 1
    # Without recommends: the program must start on what the package depends on alone.
    in_root "$package_root" sh -c 'cd /root && apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ./hengtiebao_*.deb'
}

# man, once installed beside the package, finds its pages: English and Simplified Chinese.
manual_pages() {
    in_root "$package_root" sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends man-db >/dev/null && man -w hengtiebao &&
        man -L zh_CN -w hengtiebao | grep /zh_CN/ &&
        man hengtiebao | grep -q "hengtiebao \\[-h|--help\\]"'
}

names=() results=() times=()
# Runs one step with its output in a log, then shows its exit status and the log's last lines.
step() {
    local name="$suite: $1" log status start=$SECONDS
    shift
    log=$logs/$((${#names[@]} + 1))-${name//[^a-zA-Z]/-}.log
    echo "== $name"
    "$@" >"$log" 2>&1 &
    step_pid=$!
    wait "$step_pid"
    status=$?
    step_pid=""
    tail -n 12 "$log" | sed 's/^/   | /'
    echo "   exit status $status after $((SECONDS - start)) s; whole output in $log"
    names+=("$name")
    times+=($((SECONDS - start)))
    if [ "$status" -eq 0 ]; then results+=(pass); else results+=(FAIL); fi
    return "$status"
}
skip() {
    echo "== $suite: $1: skipped, $2"
    names+=("$suite: $1") times+=(-) results+=("skipped: $2")
}

# The pristine root of the release in hand, made once and then taken from the cache.
ensure_pristine() {
    [ "$refresh" = no ] && [ -f "$pristine" ] && return 0
    if [ -z "$(suite_sources "$suite")" ]; then
        echo "clean-room: no Debian entry in this machine's apt sources to reach $suite from." >&2
        exit 3
    fi
    if ! step "make pristine root" make_pristine; then
        echo "clean-room: could not make the pristine $suite root." >&2
        exit 3
    fi
}

# The run command first and alone, in a root where nothing was installed before it; then the
# test command in the same root, which builds the package.
build_and_test() {
    if step "unpack build root" unpack_root "$build_root" && step "clone HEAD" clone_head; then
        step "run command" window_stays_open "$build_root" "$source/build/ui/hengtiebao" \
            sh -c "cd $source && exec scripts/run-window.sh"
        step "test command" in_root "$build_root" sh -c "cd $source && scripts/run-tests.sh"
    else
        skip "run command" "no build root"
        skip "test command" "no build root"
    fi
}

# The package this release built, in a fresh root of the same release.
install_and_start() {
    if step "unpack package root" unpack_root "$package_root" &&
        step "install package" install_package; then
        step "start installed program" window_stays_open "$package_root" /usr/bin/hengtiebao \
            /usr/bin/hengtiebao
        step "manual pages" manual_pages
    else
        skip "start installed program" "not installed"
        skip "manual pages" "not installed"
    fi
}

rm -rf "$logs"
mkdir -p "$logs"
for suite in "${suites[@]}"; do
    pristine=$cache/$suite-minbase.tar.gz
    build_root=$work/$suite/build-root
    package_root=$work/$suite/package-root
    mkdir -p "$work/$suite"
    ensure_pristine
    build_and_test
    install_and_start
    clear_dir "$work/$suite"  # a release's roots take GiBs; the next starts on a clean disk
done

echo
printf '%-36s %-8s %s\n' step result seconds
failed=0
for i in "${!names[@]}"; do
    printf '%-36s %-8s %s\n' "${names[$i]}" "${results[$i]}" "${times[$i]}"
    [ "${results[$i]}" = pass ] || failed=1
done
printf '%-36s %-8s %s\n' total "" "$SECONDS"

# The run ends in the test runner's own verdicts: ctest's summary of each stage of each test
# command, which the table above only counts as one step.
for test_log in "$logs"/*-test-command.log; do
    [ -f "$test_log" ] || continue
    echo
    echo "The test command's stages (whole output in $test_log):"
    grep -E '^== |tests passed|tests failed out of|^Total Test time' "$test_log"
done
exit "$failed"
