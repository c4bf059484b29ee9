// SPDX-License-Identifier: GPL-3.0-or-later
// The core's own decimal writer, which the page ships, against the C++ library's
// to_chars(general, 15), character for character: every binary exponent, both sides of the
// 15-digit rounding boundaries at every decimal exponent, exact ties, the subnormals and the
// changes of form.
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
#include "core/decimal_writing.h"

namespace {

std::string library(double value) {
    char text[40];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return {text, result.ptr};
}

std::string own(double value) {
    char text[24];
    const auto result = hengtiebao::writeDecimal(text, text + sizeof text, value);
    if (result.ec != std::errc()) return "(error)";
    return {text, result.ptr};
}

// Compares each double and its negative; fails with the first few that differ.
void expectSameTexts(const std::vector<double>& values) {
    int differences = 0;
    for (const double value : values) {
        for (const double signedValue : {value, -value}) {
            if (own(signedValue) == library(signedValue)) continue;
            if (++differences <= 10) {
                ADD_FAILURE() << "bits " << std::hex << std::bit_cast<std::uint64_t>(signedValue)
                              << ": own " << own(signedValue) << ", library "
                              << library(signedValue);
            }
        }
    }
    EXPECT_EQ(differences, 0);
    std::printf("compared %zu doubles\n", 2 * values.size());
}

TEST(DecimalWriting, EveryBinaryExponent) {
    std::vector<double> values;
    std::mt19937_64 random(1);  // the standard fixes its sequence: the same sample everywhere
    constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
    for (std::uint64_t biased = 0; biased < 0x7ff; ++biased) {
        for (const std::uint64_t fraction : {std::uint64_t{1}, kFraction, kFraction / 2 + 1})
            values.push_back(std::bit_cast<double>(biased << 52 | fraction));
        if (biased != 0) values.push_back(std::bit_cast<double>(biased << 52));
        for (int i = 0; i < 32; ++i)
            values.push_back(std::bit_cast<double>(biased << 52 | (random() & kFraction)));
    }
    expectSameTexts(values);
}

// At every decimal exponent, the doubles nearest the halfway texts between two 15-digit decimals,
// and one step to each side: where a wrong rounding shows first.
TEST(DecimalWriting, RoundingBoundaries) {
    std::vector<double> values;
    std::mt19937_64 random(2);
    for (int exponent = -324; exponent <= 308; ++exponent) {
        std::vector<std::uint64_t> kept{100000000000000, 999999999999999, 499999999999999};
        for (int i = 0; i < 16; ++i)
            kept.push_back(100000000000000 + random() % 900000000000000);
        for (const std::uint64_t digits : kept) {
            const std::string halfway =
                std::to_string(digits) + "5e" + std::to_string(exponent - 15);
            double value = 0;
            const char* end = halfway.data() + halfway.size();
            if (hengtiebao::readDecimal(halfway.data(), end, value).ec != std::errc()) continue;
            values.insert(values.end(),
                          {value, std::nextafter(value, 0.0), std::nextafter(value, HUGE_VAL)});
        }
    }
    expectSameTexts(values);
}

// Doubles whose exact value is a tie at the 16th digit: 16-digit integers ending in 5 and
// 15-digit integers plus one half, rounded to the even digit whether it is odd or even.
TEST(DecimalWriting, ExactTies) {
    std::vector<double> values;
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t kept = 100000000000000 + random() % 800000000000000;
        values.push_back(static_cast<double>(kept * 10 + 5));
        values.push_back(static_cast<double>(kept) + 0.5);
    }
    expectSameTexts(values);
}

// A hundred doubles on each side of where the form or the digit count changes, and of the ends.
TEST(DecimalWriting, ChangesOfForm) {
    using Limits = std::numeric_limits<double>;
    std::vector<double> values;
    for (double limit : {1e-5, 1e-4, 1e14, 1e15, 1e16, 1e100, 1e-100, 1e-307, 1e308, Limits::max(),
                         Limits::min(), Limits::denorm_min()}) {
        double below = limit, above = limit;
        for (int i = 0; i < 100; ++i) {
            values.push_back(below = std::nextafter(below, 0.0));
            above = std::nextafter(above, HUGE_VAL);
            if (std::isfinite(above)) values.push_back(above);
        }
    }
    expectSameTexts(values);
}

// The contract's worked examples, as printf writes them.
TEST(DecimalWriting, WorkedExamples) {
    const struct {
        double value;
        const char* text;
    } examples[] = {
        {157, "157"},
        {1e-5, "1e-05"},
        {0.1 + 0.2, "0.3"},
        {999999999999999.9, "1e+15"},
        {-0.0, "-0"},
        {1234567890123455, "1.23456789012346e+15"},
        {std::numeric_limits<double>::max(), "1.79769313486232e+308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247e-324"},
    };
    for (const auto& example : examples)
        EXPECT_EQ(own(example.value), example.text) << example.text;
}

TEST(DecimalWriting, RefusesWhatItCannotWrite) {
    char text[24];
    EXPECT_EQ(hengtiebao::writeDecimal(text, text + 4, 12.345).ec, std::errc::value_too_large);
    EXPECT_EQ(hengtiebao::writeDecimal(text, text + 5, -1.5e-300).ptr, text + 5);
    for (const double value : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        const auto result = hengtiebao::writeDecimal(text, text + sizeof text, value);
        EXPECT_EQ(result.ec, std::errc::invalid_argument);
        EXPECT_EQ(result.ptr, text);
    }
}

}  // namespace
