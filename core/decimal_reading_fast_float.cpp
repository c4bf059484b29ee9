// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal reading by fast_float, where the standard library's from_chars reads no doubles.
#include "core/decimal_reading.h"

#include <cmath>

// Only fast_float's own folder is on the include path (see core/CMakeLists.txt).
#include <fast_float.h>

namespace hengtiebao {

std::from_chars_result readDecimal(const char* first, const char* last, double& value) {
    const auto result =
        fast_float::from_chars(first, last, value, fast_float::chars_format::general);
    // fast_float before 4.0 (Debian 12's) reports no range error: it gives infinity, which a
    // text of digits reaches only by being beyond the doubles.
    if (result.ec == std::errc() && std::isinf(value)) {
        return {result.ptr, std::errc::result_out_of_range};
    }
    return {result.ptr, result.ec};
}

}  // namespace hengtiebao
