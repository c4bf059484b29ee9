#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's command line as a user or a script meets it: what each case prints, in which
# language, and the status it ends with. A window keeps the program running, so a case that ends
# by itself opened none; the last case proves the toolkit's own options still open it.
#   command_line.sh VERSION [EMULATOR...] PROGRAM
set -u
version=$1
shift
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The toolkit warns on standard error without a runtime folder of its own.
export XDG_RUNTIME_DIR="$tmp" LC_ALL="" LANGUAGE=""
# The cases' locales, made here: a machine need not have generated them, and where one is missing
# the toolkit says so on standard error, which is not the program's output.
mkdir "$tmp/locales"
for locale in en_US zh_CN; do
    localedef -i "$locale" -f UTF-8 "$tmp/locales/$locale.UTF-8" || exit 1
done
export LOCPATH="$tmp/locales"
failed=0

# platform | LANG | arguments | status | first line of stdout | of stderr ("" for none)
# With xcb and no display, making the QApplication aborts: answers given there were given first.
# shellcheck disable=SC1111  # the Chinese refusal quotes with “ ”
while IFS='|' read -r platform lang arguments status out err; do
    # shellcheck disable=SC2086  # the arguments are separate words
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM="$platform" LANG="$lang" \
        timeout 4 "$@" $arguments >"$tmp/out" 2>"$tmp/err"
    got=$?
    got_out=$(head -n 1 "$tmp/out") got_err=$(head -n 1 "$tmp/err")
    # A refusal is one line and the hint to --help, nothing else.
    if [ "$got" -ne "$status" ] || [ "$got_out" != "$out" ] || [ "$got_err" != "$err" ] ||
        { [ "$status" -eq 2 ] && [ "$(wc -l <"$tmp/err")" -ne 2 ]; }; then
        echo "FAIL: LANG=$lang QT_QPA_PLATFORM=$platform hengtiebao $arguments: status $got"
        cat "$tmp/out" "$tmp/err"
        failed=1
    fi
done <<EOF
xcb|C|--version|0|hengtiebao $version|
xcb|en_US.UTF-8|-h|0|Usage: hengtiebao [options]|
xcb|zh_CN.UTF-8|--help|0|用法：hengtiebao [选项]|
offscreen|en_US.UTF-8|-platform offscreen -style fusion -v|0|hengtiebao $version|
offscreen|en_US.UTF-8|--nosuch|2||hengtiebao: unknown option '--nosuch'
offscreen|zh_CN.UTF-8|--help extra|2||hengtiebao：多余的参数“extra”
xcb|C.UTF-8|-platform offscreen|124||
EOF
exit "$failed"
