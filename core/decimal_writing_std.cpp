// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal writing by the standard library's to_chars.
#include "core/decimal_writing.h"

#include <cmath>

namespace hengtiebao {

std::to_chars_result writeDecimal(char* first, char* last, double value) {
    if (!std::isfinite(value)) return {first, std::errc::invalid_argument};
    return std::to_chars(first, last, value, std::chars_format::general, 15);
}

}  // namespace hengtiebao
