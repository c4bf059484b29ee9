// SPDX-License-Identifier: GPL-3.0-or-later
// Floating-point exception flags where the processor keeps none (WebAssembly): nothing is ever
// raised, so there is nothing to lower and nothing to find.
#include "tests/float_flags.h"

namespace hengtiebao::testing {

bool floatFlagsKept() {
    return false;
}

void clearFloatFlags() {}

void raiseFaultFlags() {}

bool overflowRaised() {
    return false;
}

bool faultRaised() {
    return false;
}

}  // namespace hengtiebao::testing
