#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the Windows release's buildinfo in Debian's .buildinfo form: the checksums of the files
# and of the Qt .dsc, and, as dpkg-genbuildinfo lists them, the packages the build asks for and
# all they depend on at their installed versions (not all installed: one toolchain, one list).
#   packaging/windows/buildinfo.sh VERSION SOURCE_DATE_EPOCH QT_DSC "PACKAGES" FILE...
set -eu
version=$1 epoch=$2 dsc=$3 packages=$4
shift 4

checksums() {
    for file; do echo " $(sha256sum <"$file" | cut -c1-64) $(stat -c %s "$file") ${file##*/}"; done
}

# Pre-Depends and Depends, recursively: every installed alternative, and for a virtual package
# the installed ones that provide it; architecture qualifiers (perl:any) and versions dropped.
closure() {
    dpkg-query -W -f='${db:Status-Status}\t${Package}\t${Version}\t${Provides}\t${Pre-Depends},${Depends}\n' |
        awk -F '\t' -v wanted="$packages" '
        function names(list, out) {
            gsub(/\([^)]*\)|:[a-z0-9]+| /, "", list)
            return split(list, out, /[,|]/)
        }
        $1 == "installed" {
            version[$2] = $3; depends[$2] = $5
            for (i = names($4, provided); i > 0; i--)
                providers[provided[i]] = providers[provided[i]] "," $2
        }
        END {
            for (n = split(wanted, queue, " "); head < n; ) {
                name = queue[++head]
                if (seen[name]++) continue
                if (name in version) print name " (= " version[name] ")"
                for (i = names(name in version ? depends[name] : providers[name], found); i > 0; i--)
                    queue[++n] = found[i]
            }
        }' | LC_ALL=C sort | sed 's/^/ /; $!s/$/,/'
}

cat <<END
Format: 1.0
Source: hengtiebao
Version: $version
Checksums-Sha256:
$(checksums "$@")
Qt-Source-Sha256:
$(checksums "$dsc")
Build-Origin: $(dpkg-vendor --query Vendor)
Build-Architecture: $(dpkg --print-architecture)
Installed-Build-Depends:
$(closure)
Environment:
 SOURCE_DATE_EPOCH="$epoch"
END
