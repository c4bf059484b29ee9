#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# When the static Qt cannot be built (here its source cannot be fetched), the Windows build stops
# at once with the fetch's own words, before it looks for a Qt or builds anything.
#   qt_failure_test.sh SOURCE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/hengtiebao" "$work/bin"
tar -C "$1" --exclude=./.git --exclude='./build*' --exclude=./web/node_modules -cf - \
    CMakeLists.txt cmake scripts packaging tests/windows | tar -C "$work/hengtiebao" -xf - ||
    exit 1
# Stand-ins: every package installed, in the version the mirror offers; a mirror that fails.
printf '#!/bin/sh\necho "install ok installed 6.4.2+dfsg-21.1"\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\necho "  Candidate: 6.4.2+dfsg-21.1"\n' >"$work/bin/apt-cache"
printf '#!/bin/sh\necho 12\n' >"$work/bin/x86_64-w64-mingw32-g++-posix"
printf '#!/bin/sh\necho "E: Failed to fetch qt6-base 6.4.2+dfsg-21.1" >&2\nexit 100\n' \
    >"$work/bin/apt-get"
chmod +x "$work/bin/"*
PATH="$work/bin:$PATH" XDG_CACHE_HOME="$work/cache" "$work/hengtiebao/scripts/build-windows.sh" \
    >"$work/log" 2>&1
status=$?
if [ "$status" -ne 0 ] && grep -q '^E: Failed to fetch qt6-base' "$work/log" &&
    ! grep -q 'removed meanwhile\|^== The program' "$work/log"; then
    echo "pass: the Windows build stops at the Qt's failure ($status)"
else
    echo "FAIL: the Windows build ended in $status after the Qt's failure:" && cat "$work/log"
    exit 1
fi
