// SPDX-License-Identifier: GPL-3.0-or-later
// Every calculator against the weights reference_weights.py worked out in the same order of
// products: the result text must match to its last digit.
#include <gtest/gtest.h>

#include <algorithm>
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

// The lines that are not comments, as words: the cases (result box, input texts, result text),
// or the model lists ("list", model combo, its items).
std::vector<std::vector<std::string>> readLines(bool lists) {
    std::vector<std::vector<std::string>> lines;
    std::ifstream file(HENGTIEBAO_REFERENCE_WEIGHTS);
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        if (!line.empty() && !line.starts_with('#') && line.starts_with("list ") == lists)
            lines.emplace_back(std::istream_iterator<std::string>(words),
                               std::istream_iterator<std::string>());
    }
    return lines;
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

INSTANTIATE_TEST_SUITE_P(File, ReferenceWeight, ::testing::ValuesIn(readLines(false)));

// An unread file would instantiate no case at all.
TEST(ReferenceWeightsFile, IsRead) {
    EXPECT_GT(readLines(false).size(), 100u);
}

// Every row is weighed by its own text above, wherever it stands; here its place in the list.
TEST(ReferenceWeightsFile, EveryTableListsItsModelsInTheirPrintedOrder) {
    const auto lists = readLines(true);
    ASSERT_EQ(lists.size(), sectionBindings().size());
    for (const SectionBinding& b : sectionBindings()) {
        const auto list = std::find_if(lists.begin(), lists.end(),
                                       [&b](const auto& words) { return words.at(1) == b.model; });
        ASSERT_NE(list, lists.end()) << b.model;
        std::vector<std::u16string> printed, listed;
        std::transform(list->begin() + 2, list->end(), std::back_inserter(printed), utf16);
        for (const SectionRow& row : b.table.rows)
            listed.emplace_back(row.model);
        EXPECT_EQ(listed, printed) << b.model;
    }
}

}  // namespace
}  // namespace hengtiebao
