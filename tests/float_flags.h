// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's floating-point exception flags, for the tests that look at them.
#pragma once

namespace hengtiebao::testing {

// Whether the processor keeps floating-point exception flags at all. WebAssembly keeps none: its
// arithmetic raises nothing and its <cfenv> names no exception. A test about flags skips itself
// there (GTEST_SKIP, counted as skipped), rather than pass on flags that cannot be raised.
// tests/CMakeLists.txt picks the file that answers: float_flags_fenv.cpp or float_flags_none.cpp.
bool floatFlagsKept();

// Lowers every flag.
void clearFloatFlags();

// Raises overflow, invalid operation and division by zero, as earlier work may leave them raised.
void raiseFaultFlags();

// Whether overflow is raised; whether any of overflow, invalid operation and division by zero is.
bool overflowRaised();
bool faultRaised();

}  // namespace hengtiebao::testing
