#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The configure-time feature checks answer for their feature, not for the environment. The project
# is configured with a compiler that, as Clang 19 does, refuses a set but empty SOURCE_DATE_EPOCH:
# with the variable unset the answers must be those given with it set. Then the same compiler
# refuses every program that includes <charconv>: the configure must stop and say why, not choose
# a fallback.
#   feature_checks.sh SOURCE_DIR CXX
set -u
src=$1 cxx=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/cxx" <<EOF
#!/bin/sh
if [ "\${SOURCE_DATE_EPOCH+set}" = set ] && [ -z "\$SOURCE_DATE_EPOCH" ]; then
    echo "error: environment variable 'SOURCE_DATE_EPOCH' ('') must be a non-negative integer" >&2
    exit 1
fi
if [ -n "\${REFUSE_CHARCONV:-}" ] && grep -qs -- '<charconv>' "\$@"; then
    echo "error: this compiler refuses <charconv>" >&2
    exit 1
fi
exec "$cxx" "\$@"
EOF
chmod +x "$tmp/cxx"

# configure NAME ENV...: the project without the window, its answers left in NAME.answers.
configure() {
    name=$1
    shift
    env "$@" cmake -S "$src" -B "$tmp/$name" -DCMAKE_CXX_COMPILER="$tmp/cxx" \
        -DHENGTIEBAO_WINDOW=OFF -DHENGTIEBAO_BENCH=OFF >"$tmp/$name.log" 2>&1 &&
        grep -E '^HENGTIEBAO_(FROM_CHARS_READS_DOUBLES|FLOAT_FLAGS):' \
            "$tmp/$name/CMakeCache.txt" >"$tmp/$name.answers"
}

failed=0
configure set SOURCE_DATE_EPOCH=1 || { cat "$tmp/set.log"; exit 1; }
if ! configure unset -u SOURCE_DATE_EPOCH || ! cmp -s "$tmp/set.answers" "$tmp/unset.answers"; then
    echo "FAIL: the checks answer otherwise without SOURCE_DATE_EPOCH"
    cat "$tmp/set.answers" "$tmp/unset.answers" "$tmp/unset.log"
    failed=1
fi
if configure refused REFUSE_CHARCONV=1 ||
    ! grep -q 'this compiler refuses <charconv>' "$tmp/refused.log"; then
    echo "FAIL: a compiler that fails for another reason did not stop the configure with its words"
    cat "$tmp/refused.log"
    failed=1
fi
[ "$failed" = 0 ] && echo "The feature checks answer the same without SOURCE_DATE_EPOCH:" &&
    cat "$tmp/set.answers"
exit "$failed"
