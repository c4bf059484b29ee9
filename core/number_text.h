// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts: the only conversions between field texts and doubles.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hengtiebao {

// The blanks a typed field may carry around its text: space, tab, the ideographic space that
// Chinese input methods type in full-width mode, and the invisible ones a text copied from a web
// page or a chat brings along: no-break spaces (U+00A0, U+202F), the zero-width space (U+200B)
// and the byte-order mark (U+FEFF).
inline bool isBlank(char16_t c) {
    switch (c) {
        case u' ':
        case u'\t':
        case u'\u3000':
        case u'\u00a0':
        case u'\u202f':
        case u'\u200b':
        case u'\ufeff': return true;
        default: return false;
    }
}

// A typed character in the ASCII form it stands for: full-width ASCII (U+FF01..U+FF5E, 0xFEE0
// above ASCII), which Chinese input methods type in full-width mode, and the ideographic full stop
// "。", which they type for "." in Chinese-punctuation mode. Numbers and models read it alike.
inline char16_t narrowTyped(char16_t c) {
    if (c >= u'\uFF01' && c <= u'\uFF5E') return char16_t(c - 0xFEE0);
    return c == u'\u3002' ? u'.' : c;
}

// Reads a decimal number: optional sign, digits with an optional "." fraction, optional exponent.
// The period is the decimal separator whatever the process locale. Blanks around the number
// (isBlank), not inside it, are ignored, and full-width digits, signs, period and E are read as
// ASCII, since Chinese input methods type them in full-width mode; the ideographic full stop "。"
// (U+3002), which they type for "." in Chinese-punctuation mode, is read as the period too.
//   readNumber(u" 1.5E3") -> 1500        readNumber(u"１２．５") -> 12.5
//   readNumber(u"7。85") -> 7.85
//   readNumber(u"12a"), u"", u"1 000", u"1,5", u"0x10", u"inf", u"nan" -> nothing (NotANumber)
// A value beyond the double range reads as +-infinity, which the next checkpoint reports, and
// raises FE_OVERFLOW where the processor keeps floating-point flags (WebAssembly keeps none):
// readNumber(u"1E400") -> inf. One that underflows reads as 0 or a denormal and is no fault:
// readNumber(u"1E-400") -> 0.
std::optional<double> readNumber(std::u16string_view text);

// Writes a finite double with at most 15 significant digits, correctly rounded: 15 digits is the
// most that every decimal survives a round trip through a double with, so 3.1399999999999997
// prints as 3.14. Plain form for decimal exponents -4 to 14, otherwise exponent form.
//   writeNumber(157) -> u"157"       writeNumber(0.0001) -> u"0.0001"
//   writeNumber(1e-5) -> u"1E-05"    writeNumber(999999999999999.9) -> u"1E+15"
//   writeNumber(-0.0) -> u"0"
// Non-finite values have no number text: writeNumber(inf) -> nothing.
std::optional<std::u16string> writeNumber(double value);

}  // namespace hengtiebao
