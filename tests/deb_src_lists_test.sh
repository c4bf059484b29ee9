#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The private apt of the Qt source fetch must see every source the machine's apt sees as a
# package source, in both formats, and nothing the machine has switched off or commented out.
#   deb_src_lists_test.sh DEB_SRC_LISTS_SH
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/parts"
printf 'Dir::Etc::sourcelist "%s";\nDir::Etc::sourceparts "%s";\n' \
    "$work/sources.list" "$work/parts" >"$work/apt.conf"

# Each case: a file of the machine's apt, then what the private apt must read for it.
cat >"$work/sources.list" <<'CASE'
deb http://deb.debian.org/debian bookworm main
# deb http://commented.example/debian bookworm main
  deb	[signed-by=/usr/share/keyrings/debian-archive-keyring.gpg arch=amd64] http://mirror.example/debian bookworm-updates main contrib
deb-src http://deb.debian.org/debian bookworm main
debian-like http://not.an.entry/ bookworm main
CASE
cat >"$work/parts/extra.list" <<'CASE'
deb https://security.example/debian-security bookworm-security main
CASE
cat >"$work/parts/debian.sources" <<'CASE'
Types: deb
URIs: http://deb.debian.org/debian
Suites: trixie trixie-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

types: deb deb-src
URIs: http://both.example/debian
Suites: trixie
Components: main
Enabled: no
CASE
cat >"$work/parts/ignored.list.save" <<'CASE'
deb http://backup.example/debian bookworm main
CASE

cat >"$work/expected.list" <<'CASE'
deb-src http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg arch=amd64] http://mirror.example/debian bookworm-updates main contrib
deb-src https://security.example/debian-security bookworm-security main
CASE
cat >"$work/expected.sources" <<'CASE'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: trixie trixie-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://both.example/debian
Suites: trixie
Components: main
Enabled: no
CASE

APT_CONFIG=$work/apt.conf "$1" "$work/private"
status=0
diff -u "$work/expected.list" "$work/private/sources.list" || status=1
diff -u "$work/expected.sources" "$work/private/sources.list.d/debian.sources" || status=1
[ "$(ls "$work/private/sources.list.d")" = debian.sources ] || {
    echo "unexpected files:" && ls "$work/private/sources.list.d" && status=1
}
exit $status
