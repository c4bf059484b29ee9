// SPDX-License-Identifier: GPL-3.0-or-later
// The page's own decimal reader on arbitrary texts, checked against the C++ library's from_chars:
// the same end, the same error and, when there is none, the same double to the bit.
#include <bit>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/decimal_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* first = reinterpret_cast<const char*>(data);
    const char* last = first + size;
    // The core reads a sign itself, and its reader takes none; from_chars takes a minus.
    if (size > 0 && *first == '-') return 0;
    double own = 0, library = 0;
    const auto ours = hengtiebao::readDecimal(first, last, own);
    const auto theirs = std::from_chars(first, last, library);
    if (ours.ptr != theirs.ptr || ours.ec != theirs.ec) std::abort();
    if (ours.ec == std::errc() &&
        std::bit_cast<std::uint64_t>(own) != std::bit_cast<std::uint64_t>(library))
        std::abort();
    return 0;
}
