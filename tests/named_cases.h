// SPDX-License-Identifier: GPL-3.0-or-later
// Table-driven suites whose cases carry their own name: each test is named after its case, and a
// failure prints that name rather than the case's bytes. Beside the case struct:
//   using testing::PrintTo;
//   INSTANTIATE_TEST_SUITE_P(Examples, Weighs, ::testing::Values(...), testing::caseName);
#pragma once

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>
#include <string_view>

namespace hengtiebao::testing {

template <typename Case>
concept NamedCase = std::convertible_to<decltype(Case::name), std::string_view>;

template <NamedCase Case>
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

inline constexpr auto caseName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace hengtiebao::testing
