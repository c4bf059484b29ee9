// SPDX-License-Identifier: GPL-3.0-or-later
// The test programs' main: the exit status alone is the verdict, whatever a case prints. A run
// whose every case skipped itself exits 77, which ctest counts as skipped; a program that has no
// case to run or list fails, as nothing was checked.
#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (const int failed = RUN_ALL_TESTS(); failed != 0) return failed;
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    if (run.test_to_run_count() == 0) {
        std::fputs("No case to run: nothing was checked\n", stderr);
        return 1;
    }
    return run.skipped_test_count() == run.test_to_run_count() ? 77 : 0;
}
