// SPDX-License-Identifier: GPL-3.0-or-later
// The core's own decimal reader, which the page ships, against the C++ library's from_chars:
// the same double, the same end and the same error for the texts where a reader goes wrong
// first: each double's shortest and 15-digit texts, the exact halfway points between neighbours
// and texts just to either side of them, digits beyond those a reader keeps, and the ends.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/decimal_reading.h"

namespace {

// The exact decimal text of n x 2^exponent, "D.DDDDeEXPONENT", from a big integer in limbs of
// nine digits: an independent way to the halfway points, which no double holds. Digits appended
// to it are then finer digits of the same number.
std::string exactText(std::uint64_t n, int exponent) {
    constexpr std::uint32_t kBase = 1'000'000'000;
    std::vector<std::uint32_t> limbs;
    for (; n != 0; n /= kBase)
        limbs.push_back(static_cast<std::uint32_t>(n % kBase));
    const auto multiply = [&](std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            carry += limb * factor;
            limb = static_cast<std::uint32_t>(carry % kBase);
            carry /= kBase;
        }
        if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
    };
    int decimalExponent = 0;
    for (; exponent > 0; --exponent)
        multiply(2);
    for (; exponent < 0; ++exponent, --decimalExponent)
        multiply(5);  // n x 2^-k = n x 5^k x 10^-k
    std::string text = std::to_string(limbs.back());
    for (auto limb = limbs.rbegin() + 1; limb != limbs.rend(); ++limb) {
        const std::string digits = std::to_string(*limb);
        text += std::string(9 - digits.size(), '0') + digits;
    }
    decimalExponent += static_cast<int>(text.size()) - 1;
    return text.substr(0, 1) + "." + text.substr(1) + "e" + std::to_string(decimalExponent);
}

// Each text read by both; fails with the first few that differ.
void expectSameReadings(const std::vector<std::string>& texts) {
    int differences = 0;
    for (const std::string& text : texts) {
        const char* first = text.data();
        const char* last = first + text.size();
        double own = -1, library = -1;
        const auto ours = hengtiebao::readDecimal(first, last, own);
        const auto theirs = std::from_chars(first, last, library);
        const bool same = ours.ptr == theirs.ptr && ours.ec == theirs.ec &&
                          (ours.ec != std::errc() || std::bit_cast<std::uint64_t>(own) ==
                                                         std::bit_cast<std::uint64_t>(library));
        if (!same && ++differences <= 10)
            ADD_FAILURE() << text.substr(0, 80) << ": own " << own << " ec "
                          << static_cast<int>(ours.ec) << ", library " << library << " ec "
                          << static_cast<int>(theirs.ec);
    }
    EXPECT_EQ(differences, 0);
    std::printf("compared %zu texts\n", texts.size());
}

// Every binary exponent: a double's own texts, and the point halfway to its successor, exactly,
// a digit below and above it, and with zeros and a last digit past the 800 digits a reader keeps.
TEST(DecimalReading, EveryBinaryExponentAndItsHalfwayPoints) {
    std::vector<std::string> texts;
    std::mt19937_64 random(1);
    constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
    for (std::uint64_t biased = 0; biased < 0x7ff; ++biased) {
        for (const std::uint64_t fraction : {std::uint64_t{0}, kFraction, random() & kFraction}) {
            const std::uint64_t significand = biased == 0 ? fraction : fraction | (kFraction + 1);
            const int exponent = static_cast<int>(std::max<std::uint64_t>(biased, 1)) - 1075;
            char shortest[32], fifteen[32];
            const double value = std::bit_cast<double>(biased << 52 | fraction);
            std::snprintf(shortest, sizeof shortest, "%.17g", value);
            std::snprintf(fifteen, sizeof fifteen, "%.15g", value);
            const std::string halfway = exactText(2 * significand + 1, exponent - 1);
            const std::size_t e = halfway.find('e');
            const std::string digits = halfway.substr(0, e), power = halfway.substr(e);
            std::string below = digits;
            below.back() = '4';  // every halfway point's last digit is 5
            texts.insert(texts.end(),
                         {shortest, fifteen, halfway, below + "999" + power, digits + "001" + power,
                          digits + std::string(900, '0') + power,
                          digits + std::string(900, '0') + "1" + power});
        }
    }
    expectSameReadings(texts);
}

TEST(DecimalReading, FormsAndEnds) {
    expectSameReadings({"7.85",
                        "5.",
                        ".5",
                        "0",
                        "000.000",
                        "0012.50e-1",
                        "1e",
                        "1e+",
                        "1E+5x",
                        "2.5e-3",
                        "x",
                        ".",
                        "e5",
                        "+1",
                        "1.2.3",
                        "1e400",
                        "1e-400",
                        "0e999999",
                        "1e99999999999",
                        "1e-99999999999",
                        "9007199254740993",
                        "1.7976931348623157e308",
                        "1.7976931348623159e308",
                        "4.9406564584124654e-324",
                        "2.4703282292062328e-324",
                        "2.2250738585072011e-308",
                        std::string(1000, '9'),
                        "0." + std::string(400, '0') + "1",
                        std::string(400, '1') + "e-700"});
}

}  // namespace
