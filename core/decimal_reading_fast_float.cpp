// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal reading by fast_float, where the standard library's from_chars reads no doubles.
#include "core/decimal_reading.h"

// Only fast_float's own folder is on the include path (see core/CMakeLists.txt).
#include <fast_float.h>

namespace hengtiebao {

std::from_chars_result readDecimal(const char* first, const char* last, double& value) {
    const auto result =
        fast_float::from_chars(first, last, value, fast_float::chars_format::general);
    return {result.ptr, result.ec};
}

}  // namespace hengtiebao
