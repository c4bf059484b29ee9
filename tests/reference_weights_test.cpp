// SPDX-License-Identifier: GPL-3.0-or-later
// Every calculator against the weights reference_weights.py worked out in the same order of
// products: the result text must match to its last digit.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/calculators.h"
#include "core/section.h"
#include "tests/memory_fields.h"

namespace hengtiebao {
namespace {

struct Calculator {
    std::vector<std::string> inputs;  // in the order of the file's columns
    std::function<Status(Fields&)> calculate;
};

// By result box, the first column of the file.
const std::map<std::string, Calculator>& calculators() {
    static const auto all = [] {
        std::map<std::string, Calculator> byResult{
            {"jieguo1", {{"chang1", "chang2", "chang3", "Combo1"}, calculatePlate}},
            {"yuan3", {{"yuan1", "yuan2"}, calculateRoundBar}},
            {"fang3", {{"fang1", "fang2"}, calculateSquareBar}},
            {"liu3", {{"liu1", "liu2"}, calculateHexagonBar}}};
        for (const SectionBinding& b : sectionBindings())
            byResult[std::string(b.result)] = {{std::string(b.model), std::string(b.length)},
                                               [&b](Fields& f) { return calculateSection(f, b); }};
        return byResult;
    }();
    return all;
}

// The file is UTF-8 with nothing beyond two-byte sequences: ASCII and the × of angle models.
std::u16string utf16(std::string_view utf8) {
    std::u16string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        text.push_back(c < 0x80 ? c : char16_t((c & 0x1F) << 6 | (utf8[++i] & 0x3F)));
    }
    return text;
}

struct Case {
    int line;
    std::vector<std::string> columns;  // result box, input texts, result text
};

std::vector<Case> readCases() {
    std::vector<Case> cases;
    std::ifstream file(HENGTIEBAO_REFERENCE_WEIGHTS);
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (line.empty() || line.starts_with('#')) continue;
        Case c{number, {}};
        std::istringstream words(line);
        for (std::string word; words >> word;)
            c.columns.push_back(word);
        cases.push_back(c);
    }
    return cases;
}

void PrintTo(const Case& c, std::ostream* os) {
    *os << "line " << c.line;
}

class ReferenceWeight : public ::testing::TestWithParam<Case> {};

TEST_P(ReferenceWeight, IsWrittenToTheLastDigit) {
    const std::vector<std::string>& columns = GetParam().columns;
    const Calculator& calculator = calculators().at(columns.front());
    ASSERT_EQ(columns.size(), calculator.inputs.size() + 2);
    testing::MemoryFields fields{};
    for (std::size_t i = 0; i < calculator.inputs.size(); ++i)
        fields.texts[calculator.inputs[i]] = utf16(columns[i + 1]);
    ASSERT_EQ(calculator.calculate(fields), std::nullopt);
    EXPECT_EQ(fields.texts[columns.front()], utf16(columns.back()));
}

INSTANTIATE_TEST_SUITE_P(File, ReferenceWeight, ::testing::ValuesIn(readCases()),
                         [](const auto& info) {
                             return info.param.columns.front() + "_line" +
                                    std::to_string(info.param.line);
                         });

// A file that could not be read would instantiate no case at all.
TEST(ReferenceWeightsFile, HoldsCasesForEveryCalculator) {
    std::set<std::string> results;
    for (const Case& c : readCases())
        results.insert(c.columns.front());
    EXPECT_EQ(results.size(), calculators().size());
}

}  // namespace
}  // namespace hengtiebao
