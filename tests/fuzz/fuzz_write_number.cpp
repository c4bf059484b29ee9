// SPDX-License-Identifier: GPL-3.0-or-later
// Write number on arbitrary doubles, checked against printf's %.15G and read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    if (size < sizeof value) return 0;
    std::memcpy(&value, data, sizeof value);
    const auto text = hengtiebao::writeNumber(value);
    if (value != value || value - value != 0) {  // NaN or infinite: no text stands for it
        if (text) std::abort();
        return 0;
    }
    if (!text) std::abort();

    char printed[40];
    std::snprintf(printed, sizeof printed, "%.15G", value == 0 ? 0.0 : value);
    if (std::u16string(printed, printed + std::strlen(printed)) != *text) std::abort();

    // The 15-digit text of the very largest doubles, 1.79769313486232E+308, lies beyond the
    // double range itself and reads back as an overflow; every other text reads back to itself.
    const auto back = hengtiebao::readNumber(*text);
    if (!back) std::abort();
    if (std::fabs(value) >= 1.797693134862315e308) return 0;
    if (hengtiebao::writeNumber(*back) != text) std::abort();  // no round trip
    return 0;
}
