#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command where this machine runs ARCH's programs through qemu, as Debian's
# qemu-user-static would make it, without changing the machine: qemu is unpacked in the cache, not
# installed, and its handler lives in a binfmt_misc of the command's own (Linux 6.7 and later let a
# user namespace have one). The namespace maps every id to itself, so root in it is still root,
# with the subordinate ids that mmdebstrap and autopkgtest lend their roots. Root only.
#   scripts/emulated.sh ARCH COMMAND...     (ARCH as Debian names it: arm64, riscv64, ...)
# Status 2, before the command runs, where the kernel or the rights do not allow it.
set -eu
cd "$(dirname "$0")/.."
arch=$1
shift
case $arch in
arm64) cpu=aarch64 ;;
armel | armhf) cpu=arm ;;
loong64) cpu=loongarch64 ;;
ppc64el) cpu=ppc64le ;;
*) cpu=$arch ;;
esac
# Every id mapped to itself takes the machine's own root, outside any namespace (not a clean room's).
if ! grep -qx ' *0 *0 *4294967295' /proc/self/uid_map || [ "$(id -u)" -ne 0 ]; then
    echo "emulated.sh: needs the machine's root, outside any user namespace" >&2 && exit 2
fi
. scripts/packages.sh
qemu=$cache/qemu-user-static
if [ ! -e "$qemu/usr/bin/qemu-$cpu-static" ]; then
    rm -rf "$qemu" && mkdir -p "$qemu/deb"
    (cd "$qemu/deb" && apt-get download -o APT::Sandbox::User="$(id -un)" qemu-user-static)
    dpkg-deb -x "$qemu"/deb/qemu-user-static_*.deb "$qemu" && rm -rf "$qemu/deb"
fi
# A processor this machine runs itself (i386 on amd64) has no handler there: nothing to emulate.
[ -e "$qemu/usr/lib/binfmt.d/qemu-$cpu.conf" ] || exec "$@"
# The package's own handler line, with the unpacked program as its interpreter, opened at once
# (F), so that it runs inside any root.
handler=$(sed 's|:[^:]*:[A-Z]*$||' "$qemu/usr/lib/binfmt.d/qemu-$cpu.conf"):$qemu/usr/bin/qemu-$cpu-static:F

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM HUP
# The namespace's ids can only be written from outside it, once it exists; it waits for them.
# shellcheck disable=SC2016  # expanded by the inner shell
unshare --user --mount --propagation private sh -c '
    until [ -e "$0/mapped" ]; do sleep 0.1; done
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null &&
        printf %s "$1" >/proc/sys/fs/binfmt_misc/register ||
        { echo "emulated.sh: no binfmt_misc of its own here (Linux 6.7 or later)" >&2 && exit 2; }
    shift && exec "$@"' "$work" "$handler" "$@" &
namespace=$!
own=$(readlink /proc/self/ns/user)
while [ "$(readlink "/proc/$namespace/ns/user" 2>/dev/null)" = "$own" ]; do sleep 0.1; done
if ! { echo 0 0 4294967295 >"/proc/$namespace/uid_map" &&
    echo 0 0 4294967295 >"/proc/$namespace/gid_map"; } 2>/dev/null; then
    kill "$namespace" 2>/dev/null || true
    echo "emulated.sh: cannot map every id here (a namespace already)" >&2 && exit 2
fi
touch "$work/mapped"
wait "$namespace"
