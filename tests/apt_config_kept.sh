#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves that set-up leaves the machine's apt configuration as it found it: `record` lists every
# file under /etc/apt with its checksum; `check` fails when one was added, changed or removed, or
# when apt can no longer read its sources (a source entry that conflicts with the machine's own,
# say).
#   apt_config_kept.sh record|check LISTING
set -eu
listing() {
    find /etc/apt ! -type d -print0 | sort -z | xargs -0 sha256sum
}
case $1 in
    record) listing >"$2" ;;
    check)
        listing | diff -u "$2" - || { echo "FAIL: /etc/apt is not as it was"; exit 1; }
        apt-get update -qq || { echo "FAIL: apt cannot read its sources"; exit 1; }
        echo "/etc/apt as it was, and apt reads its sources"
        ;;
    *) echo "usage: $0 record|check LISTING" >&2; exit 2 ;;
esac
