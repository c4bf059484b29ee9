#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Names each package whose version differs between two buildinfos of the Windows release (or that
# only one has) and each file whose checksum differs: a different exe traced to its packages at
# once. Exits 1 on any difference.
#   scripts/compare-buildinfo.sh A.buildinfo B.buildinfo
set -eu
[ $# -eq 2 ] || { echo "usage: $0 A.buildinfo B.buildinfo" >&2; exit 2; }
cat -- "$1" "$2" >/dev/null || exit 2
differences=$(awk '
    FNR == 1 { side++ }
    /^[^ ]/ { field = $1 }
    /^ / && field == "Installed-Build-Depends:" { key = "package " $1; value = $3; sub(/\),?$/, "", value) }
    /^ / && field ~ /-Sha256:$/ { key = "file " $3; value = $1 }
    /^ / && key != "" { keys[key]; values[side, key] = value; key = "" }
    END {
        for (key in keys) {
            a = (1, key) in values ? values[1, key] : "(none)"
            b = (2, key) in values ? values[2, key] : "(none)"
            if (a != b) print key ": " a " -> " b
        }
    }' "$1" "$2" | LC_ALL=C sort)
[ -z "$differences" ] || { printf '%s\n' "$differences"; exit 1; }
echo "The same package versions and files."
