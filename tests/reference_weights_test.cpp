// SPDX-License-Identifier: GPL-3.0-or-later
// Every calculator against the weights reference_weights.py worked out in the same order of
// products: the result text must match to its last digit.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>

#include "core/calculators.h"
#include "core/section.h"
#include "tests/memory_fields.h"

namespace hengtiebao {
namespace {

// By result box (the file's first column): the input controls in column order, and the click.
using Calculator = std::pair<std::vector<std::string>, std::function<Status(Fields&)>>;
std::map<std::string, Calculator> calculators() {
    std::map<std::string, Calculator> byResult{
        {"jieguo1", {{"chang1", "chang2", "chang3", "Combo1"}, calculatePlate}},
        {"yuan3", {{"yuan1", "yuan2"}, calculateRoundBar}},
        {"fang3", {{"fang1", "fang2"}, calculateSquareBar}},
        {"liu3", {{"liu1", "liu2"}, calculateHexagonBar}}};
    for (const SectionBinding& b : sectionBindings())
        byResult[std::string(b.result)] = {{std::string(b.model), std::string(b.length)},
                                           [&b](Fields& f) { return calculateSection(f, b); }};
    return byResult;
}

// The file holds ASCII and the two bytes of the × in angle models.
std::u16string utf16(std::string_view utf8) {
    std::u16string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        text.push_back(c < 0x80 ? c : char16_t((c & 0x1F) << 6 | (utf8[++i] & 0x3F)));
    }
    return text;
}

// Every line but the comments: result box, input texts, result text.
std::vector<std::vector<std::string>> readCases() {
    std::vector<std::vector<std::string>> cases;
    std::ifstream file(HENGTIEBAO_REFERENCE_WEIGHTS);
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        if (!line.empty() && !line.starts_with('#'))
            cases.emplace_back(std::istream_iterator<std::string>(words),
                               std::istream_iterator<std::string>());
    }
    return cases;
}

class ReferenceWeight : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(ReferenceWeight, IsWrittenToTheLastDigit) {
    const std::vector<std::string>& columns = GetParam();
    const auto [inputs, calculate] = calculators().at(columns.front());
    ASSERT_EQ(columns.size(), inputs.size() + 2);
    testing::MemoryFields fields{};
    for (std::size_t i = 0; i < inputs.size(); ++i)
        fields.texts[inputs[i]] = utf16(columns[i + 1]);
    ASSERT_EQ(calculate(fields), std::nullopt);
    EXPECT_EQ(fields.texts[columns.front()], utf16(columns.back()));
}

INSTANTIATE_TEST_SUITE_P(File, ReferenceWeight, ::testing::ValuesIn(readCases()));

// An unread file would instantiate no case at all.
TEST(ReferenceWeightsFile, IsRead) {
    EXPECT_GT(readCases().size(), 100u);
}

}  // namespace
}  // namespace hengtiebao
