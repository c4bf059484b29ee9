// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts: locale-free parsing and 15-digit formatting of doubles.
#include "core/number_text.h"

#include "core/decimal_reading.h"
#include "core/decimal_writing.h"

#include <limits>

namespace hengtiebao {
namespace {

// The ASCII character a typed one stands for in a number; 0 for one a number cannot hold.
char toNumberChar(char16_t typed) {
    const char16_t c = narrowTyped(typed);
    if ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'E' || c == u'e')
        return static_cast<char>(c);
    return 0;
}

// Infinity, made by a product that overflows: where the processor keeps floating-point flags it
// raises FE_OVERFLOW as feraiseexcept would, and it needs no FE_OVERFLOW where the processor keeps
// none (WebAssembly, whose <cfenv> names no exception). volatile: computed when read, not folded.
double overflowed() {
    volatile double largest = std::numeric_limits<double>::max();
    return largest * 2;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal exponent of the leading significant digit plus one, with the written exponent added,
// saturated: positive for a magnitude of at least 1. Used only to tell overflow from underflow.
long long magnitude(std::string_view mantissa, std::string_view exponent) {
    long long position = 0;  // digits before the point, counted from the first non-zero one
    bool seenNonZero = false, afterPoint = false;
    for (char c : mantissa) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (!isDigit(c)) continue;
        if (c != '0') seenNonZero = true;
        if (!afterPoint && seenNonZero) ++position;
        if (afterPoint && !seenNonZero) --position;
        if (afterPoint && seenNonZero) break;
    }
    if (!seenNonZero) return 0;  // zero never overflows
    long long exp = 0;
    bool negative = false;
    for (char c : exponent) {
        if (c == '-') negative = true;
        if (isDigit(c) && exp < 1'000'000'000) exp = exp * 10 + (c - '0');
    }
    return position + (negative ? -exp : exp);
}

// Where the parts of a well-formed number text lie: [sign] digits [. digits] [E [sign] digits],
// with at least one mantissa digit; nothing when the text is not of that form.
struct NumberShape {
    bool negative;
    std::size_t mantissaBegin, mantissaEnd;
};

std::optional<NumberShape> shapeOf(std::string_view ascii) {
    std::size_t i = 0;
    auto skipDigits = [&] {
        const std::size_t begin = i;
        while (i < ascii.size() && isDigit(ascii[i]))
            ++i;
        return i - begin;
    };
    NumberShape shape{false, 0, 0};
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-'))
        shape.negative = ascii[i++] == '-';
    shape.mantissaBegin = i;
    std::size_t digits = skipDigits();
    if (i < ascii.size() && ascii[i] == '.') {
        ++i;
        digits += skipDigits();
    }
    if (digits == 0) return std::nullopt;
    shape.mantissaEnd = i;
    if (i < ascii.size() && (ascii[i] == 'E' || ascii[i] == 'e')) {
        ++i;
        if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) ++i;
        if (skipDigits() == 0) return std::nullopt;
    }
    if (i != ascii.size()) return std::nullopt;
    return shape;
}

}  // namespace

std::optional<double> readNumber(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    // Field texts are short; only a pasted novel needs the heap.
    char small[64];
    std::string large;
    char* narrowed = small;
    if (text.size() > sizeof small) {
        large.resize(text.size());
        narrowed = large.data();
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        narrowed[i] = toNumberChar(text[i]);
        if (narrowed[i] == 0) return std::nullopt;
    }
    const std::string_view ascii(narrowed, text.size());
    const auto shape = shapeOf(ascii);
    if (!shape) return std::nullopt;

    // The reading takes no '+' and never consults the locale.
    double value = 0;
    const char* last = ascii.data() + ascii.size();
    auto [end, error] = readDecimal(ascii.data() + shape->mantissaBegin, last, value);
    // Checked before the range, so a trailing character never passes for an overflow.
    if (end != last) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        const auto mantissa =
            ascii.substr(shape->mantissaBegin, shape->mantissaEnd - shape->mantissaBegin);
        if (magnitude(mantissa, ascii.substr(shape->mantissaEnd)) > 0) {
            value = overflowed();
        } else {
            value = 0.0;
        }
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    return shape->negative ? -value : value;
}

std::optional<std::u16string> writeNumber(double value) {
    if (value == 0) value = 0;  // a negative zero is no negative weight
    char buffer[24];
    auto [end, error] = writeDecimal(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return std::nullopt;  // infinity or NaN
    std::u16string text(buffer, end);
    for (char16_t& c : text) {
        if (c == u'e') c = u'E';
    }
    return text;
}

}  // namespace hengtiebao
