// SPDX-License-Identifier: GPL-3.0-or-later
// The floating-point checkpoint that ends every arithmetic step of a calculator.
#pragma once

#include <cmath>

namespace hengtiebao {

// True when the step overflowed or was invalid. Every number a calculator converts feeds into
// the product of the step that uses it, and IEEE arithmetic carries a fault forward: an overflow
// leaves an infinity, an invalid operation (0 x infinity) a NaN, and no later product turns
// either back into a finite value. So testing the step's own result catches every fault, cannot
// be moved ahead of the product by the optimiser (it depends on it), and is never fooled by
// status flags that other code left raised. Underflow leaves 0 or a denormal: no fault.
//   stepFaulted(1e200 * 1e200) -> true;  stepFaulted(1e-200 * 1e-200) -> false
inline bool stepFaulted(double stepResult) {
    return !std::isfinite(stepResult);
}

}  // namespace hengtiebao
