#!/bin/sh
# shellcheck source-path=SCRIPTDIR disable=SC2310  # registered's status is its answer
# SPDX-License-Identifier: GPL-3.0-or-later
# The installer under Wine, silent both ways, on the X display given: it installs per machine
# into Program Files with a Start-menu entry and an uninstall registration, the installed
# program opens its window, and the uninstaller removes all three.
#   installer_test.sh wine-run.sh hengtiebao-<version>-win64-setup.exe <version>
set -eu
run="$1"
setup="$2"
version="$3"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\衡铁宝'

# shellcheck source=wine_window.sh
. "$(dirname "$0")/wine_window.sh"
unix_path() { "$run" winepath -u "$1" | tr -d '\r'; }
# The registration as reg exports it (UTF-16), rather than its console output, which Wine writes
# in the console's code page.
exported="$(mktemp)"
trap 'rm -f "$exported"' EXIT
registered() {
    "$run" reg export "$uninstall_key" "$exported" /y >/dev/null 2>&1 &&
        iconv -f UTF-16 -t UTF-8 "$exported" | tr -d '\r' | grep "^\"$1\"="
}

folder="$(unix_path 'C:\Program Files\衡铁宝')"
link="$(unix_path 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\衡铁宝\衡铁宝.lnk')"

"$run" "$setup" /S
for file in hengtiebao.exe LICENSE 说明.txt Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "no $folder/$file after the silent install"
done
[ -f "$link" ] || fail "no Start-menu entry $link"
registered DisplayName | grep -q '衡铁宝' || fail "not registered for Apps & features"
registered DisplayVersion | grep -q "$version" || fail "no version $version registered"
registered Publisher >/dev/null || fail "no publisher registered"
registered DisplayIcon | grep -q 'hengtiebao.exe"$' || fail "no icon registered"
echo "installed into $folder, Start-menu entry and registration present"

open_window "$folder/hengtiebao.exe"
close_window
echo "the installed program opened its window"

# The uninstaller runs from a copy of itself and returns at once: wait for its work.
"$run" "$folder/Uninstall.exe" /S
timeout 60 sh -c "while [ -e '$folder' ] || [ -e '$link' ]; do sleep 0.5; done" ||
    fail "the silent uninstall left $folder or $link"
if registered DisplayName >/dev/null; then fail "still registered after the uninstall"; fi
echo "uninstalled: folder, Start-menu entry and registration gone"
echo "PASS"
