// Floating-point status checks shared by every calculator.
#include "core/checkpoint.h"

#include <cfenv>
#include <cmath>

namespace hengtiebao {

void beginArithmetic() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

bool arithmeticFaulted(double stepResult) {
    if (!std::isfinite(stepResult)) return true;
    return std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID) != 0;
}

}  // namespace hengtiebao
