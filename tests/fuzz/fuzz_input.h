// SPDX-License-Identifier: GPL-3.0-or-later
// Turning a fuzzer's bytes into the UTF-16 field texts the calculators see.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hengtiebao::fuzz {

// Little-endian pairs of bytes; an odd last byte is dropped.
inline std::u16string utf16(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return text;
}

// Field texts separated by line feeds, which no single-line box can hold.
inline std::vector<std::u16string> fieldTexts(const std::u16string& text, std::size_t count) {
    std::vector<std::u16string> texts(count);
    std::size_t field = 0;
    for (char16_t c : text) {
        if (c == u'\n') {
            if (++field == count) break;
        } else {
            texts[field].push_back(c);
        }
    }
    return texts;
}

}  // namespace hengtiebao::fuzz
