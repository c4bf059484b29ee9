#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and tests the page in a fresh Debian 13 root (Debian 12's emscripten writes no doubles),
# then copies it, its zip and the tests' screenshots into build-web/ (docs/web.md).
#   scripts/build-web.sh [--bench]      (--bench: web/bench.mjs before the tests)
# shellcheck disable=SC2016  # the hooks' $1 is the root, expanded by mmdebstrap
set -eu
cd "$(dirname "$0")/.."
[ "${1:---bench}" = --bench ] || { echo "usage: $0 [--bench]" >&2; exit 2; }
bench=${1:+"echo \"== \$(date +%T) The benchmark\" && node web/bench.mjs build-web/dist 7"}
. scripts/packages.sh
scripts/ensure-packages.sh mmdebstrap uidmap git
debs=$cache/web-packages
mkdir -p "$debs"

build='set -e && cd /root/hengtiebao
echo "== $(date +%T) Emscripten $(cat /usr/share/emscripten/emscripten-version.txt), Node $(node --version), $(chromium --version 2>/dev/null)"
npm ci --prefix web --no-audit --no-fund --ignore-scripts
cmake --preset web >configure.log || { cat configure.log && exit 1; }
grep "^-- HENGTIEBAO_" configure.log
cmake --build --preset web
(cd build-web && sha256sum hengtiebao-*-web.zip >SHA256SUMS && cat SHA256SUMS)
'"$bench"'
ctest --preset web || exit
grep -h -B1 -A1 ": Skipped$" build-web/Testing/Temporary/LastTest.log || [ $? -eq 1 ]'
out=/root/hengtiebao/build-web
# An earlier page is replaced only by one whose tests have passed.
rm -rf build-web/dist build-web/screenshots build-web/hengtiebao-*-web.zip build-web/SHA256SUMS
mkdir -p build-web
git diff --quiet HEAD || echo "== The working tree is not HEAD's; the page is built from HEAD."
git archive --format=tar HEAD >build-web/source.tar
echo "== $(date +%T) A fresh trixie root, its packages from $debs where they are"
# npm trusts what this machine trusts; the package cache is this run's alone while it is in use.
flock "$debs.lock" sh -c '. scripts/packages.sh && debian_root "$@"' sh apt trixie /dev/null \
    --include="$WEB_PACKAGES" --skip=essential/unlink \
    --setup-hook='mkdir -p "$1/var/cache/apt/archives"' \
    --setup-hook="sync-in $debs /var/cache/apt/archives" \
    --customize-hook='chroot "$1" apt-get autoclean' \
    --customize-hook="find $debs -mindepth 1 -delete" \
    --customize-hook="sync-out /var/cache/apt/archives $debs" \
    --customize-hook='copy-in /etc/ssl/certs/ca-certificates.crt /etc/ssl/certs' \
    --customize-hook='mkdir "$1/root/hengtiebao"' \
    --customize-hook="tar-in $PWD/build-web/source.tar /root/hengtiebao" \
    --customize-hook="chroot \"\$1\" env -i PATH=/usr/bin:/bin HOME=/root sh -c '$build'" \
    --customize-hook="copy-out $out/dist $out/screenshots $out/hengtiebao-$(project_version)-web.zip \
        $out/SHA256SUMS $PWD/build-web"
