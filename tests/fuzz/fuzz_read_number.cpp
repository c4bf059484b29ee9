// SPDX-License-Identifier: GPL-3.0-or-later
// Read number on arbitrary UTF-16 texts, checked against the C library's strtod.
#include <cassert>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/number_text.h"
#include "fuzz_input.h"

namespace {

bool hasDigit(const std::u16string& text) {
    for (char16_t c : text) {
        if ((c >= u'0' && c <= u'9') || (c >= u'\uFF10' && c <= u'\uFF19')) return true;
    }
    return false;
}

// The accepted text with blanks dropped, full-width forms narrowed and the ideographic full stop
// read as the period, for strtod.
std::string ascii(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (hengtiebao::isBlank(c)) continue;
        if (c == u'\u3002') c = u'.';
        out.push_back(c >= u'\uFF01' && c <= u'\uFF5E' ? static_cast<char>(c - 0xFEE0)
                                                       : static_cast<char>(c));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = hengtiebao::fuzz::utf16(data, size);
    const auto value = hengtiebao::readNumber(text);
    if (!value) return 0;
    if (!hasDigit(text)) std::abort();  // accepted a text without a digit
    std::setlocale(LC_NUMERIC, "C");
    const std::string narrowed = ascii(text);
    char* end = nullptr;
    const double expected = std::strtod(narrowed.c_str(), &end);
    if (*end != '\0' || expected != *value) std::abort();  // differs from strtod
    return 0;
}
