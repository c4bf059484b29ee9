// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal writing from the double's exact value, for where the C++ library's to_chars would bring
// its 100 KB of tables to every download. A finite double is an integer times a power of two, so
// a big integer holds all its decimal digits, and rounding those is printf's own rounding.
#include "core/decimal_writing.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace hengtiebao {
namespace {

constexpr int kSignificant = 15;

// A natural number in limbs of nine decimal digits, the lowest first. The longest a double needs,
// 2^53 * 5^1074 for the digits of the subnormals, has 767 digits: 86 limbs.
class BigDecimal {
  public:
    explicit BigDecimal(std::uint64_t value) {
        for (; value != 0; value /= kBase)
            m_limbs[m_size++] = static_cast<std::uint32_t>(value % kBase);
    }

    // Multiplies by factor (2 or 5) to the count, by 2^30 or 5^13 at a time: below 2^31, so
    // that a limb times it plus a carry stays within 64 bits.
    void multiplyByPower(std::uint32_t factor, int count) {
        const int chunk = factor == 2 ? 30 : 13;
        for (; count > 0; count -= chunk) {
            std::uint64_t multiplier = 1;
            for (int i = 0; i < std::min(count, chunk); ++i)
                multiplier *= factor;
            multiply(multiplier);
        }
    }

    // Writes the digits, the most significant first and never a leading zero; returns how many.
    int digits(char* out) const {
        char* const begin = out;
        std::uint32_t top = m_limbs[m_size - 1];
        char reversed[9];
        int length = 0;
        for (; top != 0; top /= 10)
            reversed[length++] = static_cast<char>('0' + top % 10);
        out = std::reverse_copy(reversed, reversed + length, out);
        for (int i = m_size - 2; i >= 0; --i) {
            std::uint32_t limb = m_limbs[i];
            for (int d = 8; d >= 0; --d, limb /= 10)
                out[d] = static_cast<char>('0' + limb % 10);
            out += 9;
        }
        return static_cast<int>(out - begin);
    }

  private:
    static constexpr std::uint32_t kBase = 1'000'000'000;

    void multiply(std::uint64_t multiplier) {
        std::uint64_t carry = 0;
        for (int i = 0; i < m_size; ++i) {
            const std::uint64_t product = m_limbs[i] * multiplier + carry;
            m_limbs[i] = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        for (; carry != 0; carry /= kBase)
            m_limbs[m_size++] = static_cast<std::uint32_t>(carry % kBase);
    }

    std::uint32_t m_limbs[87] = {};
    int m_size = 0;
};

// Rounds digits[0, count) to the significant ones, an exact tie to the even digit, and drops
// trailing zeros; returns how many remain and adds one to exponent where 9...9 rounds up to 1.
int roundDigits(char* digits, int count, int& exponent) {
    if (count > kSignificant) {
        const char next = digits[kSignificant];
        const bool beyond =
            std::any_of(digits + kSignificant + 1, digits + count, [](char c) { return c != '0'; });
        const bool odd = (digits[kSignificant - 1] - '0') % 2 == 1;
        count = kSignificant;
        if (next > '5' || (next == '5' && (beyond || odd))) {
            int i = count - 1;
            for (; i >= 0 && digits[i] == '9'; --i)
                digits[i] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits[0] = '1';
                ++exponent;
            }
        }
    }
    while (count > 1 && digits[count - 1] == '0')
        --count;
    return count;
}

// Places the rounded digits d.ddd x 10^exponent as "%g" does.
char* placeDigits(const char* digits, int count, int exponent, char* out) {
    if (exponent < -4 || exponent >= kSignificant) {
        *out++ = digits[0];
        if (count > 1) *out++ = '.';
        out = std::copy(digits + 1, digits + count, out);
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
        *out++ = static_cast<char>('0' + magnitude / 10 % 10);
        *out++ = static_cast<char>('0' + magnitude % 10);
    } else if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        out = std::copy(digits, digits + count, out);
    } else {
        const int whole = exponent + 1;
        out = std::copy(digits, digits + std::min(count, whole), out);
        out = std::fill_n(out, std::max(whole - count, 0), '0');
        if (count > whole) *out++ = '.';
        out = std::copy(digits + std::min(count, whole), digits + count, out);
    }
    return out;
}

}  // namespace

std::to_chars_result writeDecimal(char* first, char* last, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>(bits >> 52 & 0x7ff);
    if (biased == 0x7ff) return {first, std::errc::invalid_argument};
    char text[24];  // "-1.23456789012345e-308" is the longest
    char* out = text;
    if (bits >> 63 != 0) *out++ = '-';

    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0 && significand == 0) {
        *out++ = '0';
    } else {
        // value = significand * 2^binary = exact * 10^decimal
        const int binary = biased == 0 ? -1074 : biased - 1075;
        if (biased != 0) significand |= std::uint64_t{1} << 52;
        BigDecimal exact(significand);
        exact.multiplyByPower(binary > 0 ? 2 : 5, binary > 0 ? binary : -binary);
        const int decimal = binary > 0 ? 0 : binary;
        char digits[800] = {};  // filled by digits(); zeroed to say so to the compiler
        const int length = exact.digits(digits);
        int exponent = length - 1 + decimal;
        const int count = roundDigits(digits, length, exponent);
        out = placeDigits(digits, count, exponent, out);
    }
    const auto size = out - text;
    if (last - first < size) return {last, std::errc::value_too_large};
    std::memcpy(first, text, static_cast<std::size_t>(size));
    return {first + size, std::errc()};
}

}  // namespace hengtiebao
