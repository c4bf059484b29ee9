// SPDX-License-Identifier: GPL-3.0-or-later
// Floating-point exception flags through <cfenv>, where the processor keeps them.
#include "tests/float_flags.h"

#include <cfenv>

namespace hengtiebao::testing {

bool floatFlagsKept() {
    return true;
}

void clearFloatFlags() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

void raiseFaultFlags() {
    std::feraiseexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
}

bool overflowRaised() {
    return std::fetestexcept(FE_OVERFLOW) != 0;
}

bool faultRaised() {
    return std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO) != 0;
}

}  // namespace hengtiebao::testing
