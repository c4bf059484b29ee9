#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A test program's verdict is its exit status, through the same registration as the core's tests:
# a case that prints gtest's skip line and then exits 23 (as LeakSanitizer does) fails, a program
# with no case fails, a program whose every case skipped itself is skipped, and one that checks
# something Passes; natively, and with each program started once as under an emulator.
#   test_verdict_test.sh SOURCE
set -u
work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
cat >"$work/CMakeLists.txt" <<'EOF_CMAKE'
cmake_minimum_required(VERSION 3.25)
project(verdicts CXX)
find_package(GTest REQUIRED)
enable_testing()
add_library(core INTERFACE)
add_library(hengtiebao::core ALIAS core)
include(${SOURCE}/tests/core_tests.cmake)
foreach(probe IN LISTS PROBES)
  add_core_test(${probe})
endforeach()
EOF_CMAKE
include='#include <cstdlib>
#include <gtest/gtest.h>'
printf '%s\nTEST(Probe, Passes) { EXPECT_EQ(std::abs(-2), 2); }\n' "$include" >"$work/Passes.cpp"
printf '%s\nTEST(Probe, Skips) { GTEST_SKIP() << "a probe"; }\n' "$include" >"$work/Skips.cpp"
printf '%s\nTEST(Probe, SkipsThenDies) {\n    std::atexit([] { std::_Exit(23); });\n    GTEST_SKIP();\n}\n' \
    "$include" >"$work/SkipsThenDies.cpp"
printf '%s\n' "$include" >"$work/NoCase.cpp"
failures=0
# A program that lists no case fails the run it is in, beside one that passes; it stops the
# discovery of every test beside it, so it is built apart from the others.
for build in native:Passes:0 native:Skips:0 native:SkipsThenDies:8 native-alone:NoCase:8 \
    env:Passes:0 env:Skips:0 env:SkipsThenDies:8 env-alone:NoCase:8; do
    name=${build%%:*} probe=${build#*:} && probe=${probe%:*} expected=${build##*:}
    dir=$work/$name emulator=$([ "${name%-alone}" = native ] || echo env)
    probes=$([ "$probe" = NoCase ] && echo "Passes;NoCase" || echo "Passes;Skips;SkipsThenDies")
    only=$([ "$probe" != NoCase ] && echo "^(Probe[.])?$probe\$" || echo .)
    [ -d "$dir" ] || { cmake -S "$work" -B "$dir" -DSOURCE="$1" -DPROBES="$probes" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" >"$dir.log" 2>&1 &&
        cmake --build "$dir" -j2 >>"$dir.log" 2>&1; } || { cat "$dir.log" && exit 1; }
    ctest --test-dir "$dir" --no-tests=error -R "$only" -V >"$dir.$probe.log" 2>&1
    status=$?
    # The probe that Passes passed, and the one that skips was counted as skipped.
    [ "$probe" != Passes ] || grep -q "100% tests passed" "$dir.$probe.log" || status=unpassed
    [ "$probe" != Skips ] || grep -q "[*]Skipped" "$dir.$probe.log" || status=unskipped
    if [ "$status" = "$expected" ]; then
        echo "pass: $name, $probe ends ctest in $status"
    else
        echo "FAIL: $name, $probe ends ctest in $status, not $expected" && cat "$dir.$probe.log"
        failures=1
    fi
done
exit "$failures"
