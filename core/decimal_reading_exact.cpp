// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal reading by exact decimal arithmetic, for where a reader's power tables would go with
// every download. The text's digits are kept as decimal digits and halved or doubled, exactly,
// until the value lies in [1/2, 1); its binary exponent is then known, and the 53 bits of the
// double are the integer part of the value times 2^53, rounded on the digits that remain.
#include "core/decimal_reading.h"

#include <bit>
#include <cstdint>

namespace hengtiebao {
namespace {

// Round-to-nearest ties fall 767 significant digits deep at most (the subnormals' halfway
// points); digits beyond those kept only mark the value as a little above what is kept.
constexpr int kKept = 800;
// Bits a digit loop may shift by: a digit times 2^60 plus the running value fits in 64 bits.
constexpr int kMaxShift = 60;
constexpr int kMantissaBits = 52;
constexpr int kExponentBias = 1023;
constexpr int kInfiniteExponent = 2047;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// 0.d1d2d3... x 10^point, the digits without leading or trailing zeros.
class Decimal {
  public:
    // Reads digits, an optional fraction and an optional exponent; the end of what it read.
    const char* read(const char* first, const char* last) {
        const char* p = first;
        bool any = false, beforePoint = true;
        for (; p != last && (isDigit(*p) || (*p == '.' && beforePoint)); ++p) {
            if (*p == '.') {
                beforePoint = false;
                continue;
            }
            any = true;
            if (*p == '0' && m_count == 0) {  // a leading zero moves the point, no digit kept
                if (!beforePoint) --m_point;
                continue;
            }
            if (beforePoint) ++m_point;
            if (m_count < kKept) {
                m_digits[m_count++] = static_cast<std::uint8_t>(*p - '0');
            } else if (*p != '0') {
                m_truncated = true;
            }
        }
        if (!any) return first;
        if (p != last && (*p == 'e' || *p == 'E')) p = readExponent(p, last);
        trimZeros();
        return p;
    }

    // The nearest double, ties to even; false when it is beyond the doubles.
    bool toDouble(double& value) {
        if (m_count == 0 || m_point < -330) {  // below half the smallest subnormal
            value = 0;
            return true;
        }
        if (m_point > 310) return false;
        // Halved or doubled into [1/2, 1), by at most kMaxShift bits a step.
        int exponent = 0;
        while (m_point > 0) {
            const int n = shiftFor(m_point);
            shift(-n);
            exponent += n;
        }
        while (m_point < 0 || (m_point == 0 && m_digits[0] < 5)) {
            const int n = shiftFor(-m_point);
            shift(n);
            exponent -= n;
        }
        --exponent;  // the value is 2^exponent times [1, 2)
        const int smallest = 1 - kExponentBias;
        if (exponent < smallest) {  // subnormal: fewer bits below the point
            shift(-(smallest - exponent));
            exponent = smallest;
        }
        if (exponent + kExponentBias >= kInfiniteExponent) return false;
        shift(1 + kMantissaBits);
        std::uint64_t mantissa = roundedInteger();
        if (mantissa == std::uint64_t{2} << kMantissaBits) {  // rounded up to the next power
            mantissa >>= 1;
            if (++exponent + kExponentBias >= kInfiniteExponent) return false;
        }
        const bool normal = (mantissa >> kMantissaBits) != 0;
        const std::uint64_t biased =
            normal ? static_cast<std::uint64_t>(exponent + kExponentBias) : 0;
        const std::uint64_t fraction = mantissa & ((std::uint64_t{1} << kMantissaBits) - 1);
        value = std::bit_cast<double>(biased << kMantissaBits | fraction);
        return true;
    }

    bool isZero() const { return m_count == 0; }

  private:
    const char* readExponent(const char* e, const char* last) {
        const char* p = e + 1;
        bool negative = false;
        if (p != last && (*p == '+' || *p == '-')) negative = *p++ == '-';
        if (p == last || !isDigit(*p)) return e;  // "7e" reads as 7, the "e" left unread
        int exponent = 0;
        for (; p != last && isDigit(*p); ++p)
            if (exponent < 100000) exponent = exponent * 10 + (*p - '0');  // beyond: out of range
        m_point += negative ? -exponent : exponent;
        return p;
    }

    // Shifts that keep each step exact: 2^n with n digits' worth of change in the point.
    static int shiftFor(int point) {
        constexpr int kPowers[] = {1, 3, 6, 9, 13, 16, 19, 23, 26};
        return point < 9 ? kPowers[point] : 27;
    }

    void shift(int bits) {
        for (; bits > kMaxShift; bits -= kMaxShift)
            doubleBy(kMaxShift);
        for (; bits < -kMaxShift; bits += kMaxShift)
            halveBy(kMaxShift);
        if (bits > 0) doubleBy(bits);
        if (bits < 0) halveBy(-bits);
    }

    // Times 2^k: from the last digit up, the carry written as new leading digits.
    void doubleBy(int k) {
        if (m_count == 0) return;
        std::uint64_t carry = 0;
        for (int r = m_count - 1; r >= 0; --r)
            carry = (carry + (std::uint64_t{m_digits[r]} << k)) / 10;
        int added = 0;
        for (; carry != 0; carry /= 10)
            ++added;
        int w = m_count + added;
        std::uint64_t n = 0;
        for (int r = m_count - 1; r >= 0 || n != 0; --r) {
            if (r >= 0) n += std::uint64_t{m_digits[r]} << k;
            put(--w, n % 10);
            n /= 10;
        }
        m_count = m_count + added < kKept ? m_count + added : kKept;
        m_point += added;
        trimZeros();
    }

    // Divided by 2^k: long division from the first digit, the remainder's digits appended.
    void halveBy(int k) {
        const std::uint64_t mask = (std::uint64_t{1} << k) - 1;
        int r = 0;
        std::uint64_t n = 0;
        for (; (n >> k) == 0; ++r) {  // the first digits, until the quotient has one
            if (r >= m_count) {
                if (n == 0) {
                    m_count = 0;
                    return;
                }
                for (; (n >> k) == 0; ++r)
                    n *= 10;
                break;
            }
            n = n * 10 + m_digits[r];
        }
        m_point -= r - 1;
        int w = 0;
        for (; r < m_count; ++r) {
            const std::uint64_t digit = n >> k;
            n = (n & mask) * 10 + m_digits[r];
            m_digits[w++] = static_cast<std::uint8_t>(digit);
        }
        for (; n != 0; n = (n & mask) * 10) {
            const std::uint64_t digit = n >> k;
            if (w < kKept) {
                m_digits[w++] = static_cast<std::uint8_t>(digit);
            } else if (digit != 0) {
                m_truncated = true;
            }
        }
        m_count = w;
        trimZeros();
    }

    // A digit at place w, or a mark that something non-zero went beyond the kept digits.
    void put(int w, std::uint64_t digit) {
        if (w < kKept) {
            m_digits[w] = static_cast<std::uint8_t>(digit);
        } else if (digit != 0) {
            m_truncated = true;
        }
    }

    void trimZeros() {
        while (m_count > 0 && m_digits[m_count - 1] == 0)
            --m_count;
        if (m_count == 0) m_point = 0;
    }

    // The integer part, rounded to nearest on the digits after the point, ties to even.
    std::uint64_t roundedInteger() const {
        std::uint64_t n = 0;
        int i = 0;
        for (; i < m_point && i < m_count; ++i)
            n = n * 10 + m_digits[i];
        for (; i < m_point; ++i)
            n *= 10;
        if (roundsUp()) ++n;
        return n;
    }

    bool roundsUp() const {
        const int next = m_point;
        if (next < 0 || next >= m_count) return false;
        if (m_digits[next] == 5 && next + 1 == m_count) {  // exactly half, as far as it is kept
            if (m_truncated) return true;
            return next > 0 && m_digits[next - 1] % 2 == 1;
        }
        return m_digits[next] >= 5;
    }

    std::uint8_t m_digits[kKept];
    int m_count = 0;
    int m_point = 0;
    bool m_truncated = false;
};

}  // namespace

std::from_chars_result readDecimal(const char* first, const char* last, double& value) {
    Decimal decimal;
    const char* end = decimal.read(first, last);
    if (end == first) return {first, std::errc::invalid_argument};
    if (!decimal.toDouble(value)) return {end, std::errc::result_out_of_range};
    if (value == 0 && !decimal.isZero()) return {end, std::errc::result_out_of_range};
    return {end, std::errc()};
}

}  // namespace hengtiebao
