// SPDX-License-Identifier: GPL-3.0-or-later
// The page's own decimal writer on arbitrary doubles, checked against the C++ library's
// to_chars(general, 15) character for character.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "core/decimal_writing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    if (size < sizeof value) return 0;
    std::memcpy(&value, data, sizeof value);
    char own[24];
    const auto written = hengtiebao::writeDecimal(own, own + sizeof own, value);
    if (!std::isfinite(value)) {
        if (written.ec != std::errc::invalid_argument) std::abort();
        return 0;
    }
    char library[40];
    const auto expected =
        std::to_chars(library, library + sizeof library, value, std::chars_format::general, 15);
    if (written.ec != std::errc() ||
        std::string_view(own, written.ptr) != std::string_view(library, expected.ptr))
        std::abort();
    return 0;
}
