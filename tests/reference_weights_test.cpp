// SPDX-License-Identifier: GPL-3.0-or-later
// Every calculator against the weights reference_weights.py worked out in the same order of
// products: the result text must match to its last digit.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/frames.h"
#include "tests/memory_fields.h"

namespace hengtiebao {
namespace {

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
    // The first column names the result box, the ones after it the inputs' texts in their order.
    const CalculatorFrame* frame = frameOf(columns.front());
    ASSERT_TRUE(frame && frame->result == columns.front()) << columns.front();
    ASSERT_EQ(columns.size(), frame->inputs.size() + 2);
    testing::MemoryFields fields{};
    for (std::size_t i = 0; i < frame->inputs.size(); ++i)
        fields.texts[std::string(frame->inputs[i])] = utf16(columns[i + 1]);
    ASSERT_EQ(frame->calculate(fields), std::nullopt);
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
    const auto sections = std::ranges::count_if(calculatorFrames(), &CalculatorFrame::table);
    ASSERT_EQ(lists.size(), static_cast<std::size_t>(sections));
    for (const auto& list : lists) {
        const std::string& combo = list.at(1);
        const CalculatorFrame* frame = frameOf(combo);
        ASSERT_TRUE(frame && frame->table && frame->inputs.front() == combo) << combo;
        std::vector<std::u16string> printed, listed;
        std::transform(list.begin() + 2, list.end(), std::back_inserter(printed), utf16);
        for (const SectionRow& row : frame->table->rows)
            listed.emplace_back(row.model);
        EXPECT_EQ(listed, printed) << combo;
    }
}

}  // namespace
}  // namespace hengtiebao
