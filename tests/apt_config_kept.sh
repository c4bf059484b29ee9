#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves that set-up leaves the machine's apt configuration as it found it: `record` lists every
# file under /etc/apt with its checksum; `check` fails when one was changed or removed, or added
# by anything but a package installed meanwhile (appstream brings an apt hook, say), or when apt
# can no longer read its sources (an entry that conflicts with the machine's own, say).
#   apt_config_kept.sh record|check LISTING
set -eu
listing() {
    find /etc/apt ! -type d -print0 | sort -z | xargs -0 sha256sum
}
case $1 in
    record) listing >"$2" ;;
    check)
        listing >"$2.now"
        # diff's 1 says what differs, read below; its 2 is its own failure.
        diff "$2" "$2.now" >"$2.diff" || [ $? -eq 1 ]
        problems=$(
            sed -n 's/^< [0-9a-f]*  /changed or removed: /p' "$2.diff"
            sed -n 's/^> [0-9a-f]*  //p' "$2.diff" | while read -r file; do
                grep -q "  $file\$" "$2" || dpkg -S "$file" >/dev/null 2>&1 ||
                    echo "added, by no package: $file"
            done
        )
        [ -z "$problems" ] || { echo "FAIL: /etc/apt is not as it was"; echo "$problems"; exit 1; }
        apt-get update -qq || { echo "FAIL: apt cannot read its sources"; exit 1; }
        echo "/etc/apt as it was, and apt reads its sources"
        ;;
    *) echo "usage: $0 record|check LISTING" >&2; exit 2 ;;
esac
