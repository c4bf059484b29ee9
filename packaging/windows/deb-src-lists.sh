#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the machine's apt entries again as source entries, for a private apt that reads
# DIR/sources.list and DIR/sources.list.d: the same mirrors, keyrings and options, so a nearby
# mirror or a signed one serves the sources as it serves the packages.
#   deb-src-lists.sh DIR
set -eu
dir=$1
mkdir -p "$dir/sources.list.d"
list="" parts=""
eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d)"
# One-line entries: each deb line again as deb-src. deb822 entries: their types as deb-src alone.
for file in "$list" "$parts"*.list; do
    [ ! -f "$file" ] || sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file"
done >"$dir/sources.list"
for file in "$parts"*.sources; do
    [ ! -f "$file" ] || sed 's/^Types:.*/Types: deb-src/I' "$file" >"$dir/sources.list.d/${file##*/}"
done
