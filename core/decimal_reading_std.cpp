// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal reading by the standard library, where its from_chars reads doubles.
#include "core/decimal_reading.h"

namespace hengtiebao {

std::from_chars_result readDecimal(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value, std::chars_format::general);
}

}  // namespace hengtiebao
