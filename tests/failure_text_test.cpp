// SPDX-License-Identifier: GPL-3.0-or-later
// The words of each failure as the window's message box and the page show them, the button that
// takes a suggestion, and the field the user is sent to.
#include "core/failure_text.h"

#include <gtest/gtest.h>

#include "tests/named_cases.h"

namespace hengtiebao {
namespace {

using testing::PrintTo;

struct WordingCase {
    const char* name;
    Failure failure;
    std::u16string message;
    std::u16string choice;   // the button that takes the suggestion, "" for none
    std::string_view field;  // the control the user corrects next
};

class FailureWords : public ::testing::TestWithParam<WordingCase> {};

TEST_P(FailureWords, NameTheFrameTheFieldAndWhatToDo) {
    const WordingCase& c = GetParam();
    EXPECT_EQ(failureText(c.failure), c.message);
    EXPECT_EQ(suggestionChoice(c.failure), c.choice);
    EXPECT_EQ(fieldToCorrect(c.failure), c.field);
}

constexpr auto NaN = FailureKind::NotANumber;
constexpr auto FPF = FailureKind::FloatingPointFault;
constexpr auto Unknown = FailureKind::UnknownModel;
constexpr auto Toolkit = FailureKind::ToolkitError;
const std::u16string kNotANumber = u"”不是数字。请输入数字，如 1000 或 12.5。";
const std::u16string kTooLarge = u"的重量太大，无法计算。请检查输入的数字。";
const std::u16string x40(40, u'x'), x30(30, u'x'), ones29(29, u'1');

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, FailureWords, ::testing::Values(
    WordingCase{"EmptyLength",       {NaN, "chang1", u"", u""},       u"请输入钢板的长度。", u"", "chang1"},
    WordingCase{"BlankDensity",      {NaN, "Combo1", u"\u3000 ", u""}, u"请输入钢板的密度。", u"", "Combo1"},
    WordingCase{"LetterOForZero",    {NaN, "yuan2", u"1ooo", u""},    u"圆钢的长度“1ooo" + kNotANumber, u"", "yuan2"},
    WordingCase{"LongTextIsCut",     {NaN, "liu1", x40, u""},         u"六角钢的对边距离“" + x30 + u"…" + kNotANumber, u"", "liu1"},
    WordingCase{"CutBeforeAPair",    {NaN, "yuan2", ones29 + u"\U00020000" + u"5", u""},
                                                                      u"圆钢的长度“" + ones29 + u"…" + kNotANumber, u"", "yuan2"},
    WordingCase{"OverflowSendsToTheFirstBox",      {FPF, "fang3", u"", u""}, u"方钢" + kTooLarge, u"", "fang1"},
    WordingCase{"SectionOverflowSendsToTheLength", {FPF, "dj3", u"", u""},   u"等边角钢" + kTooLarge, u"", "dj2"},
    WordingCase{"ModelWithASuggestion", {Unknown, "dj1", u"20x3", u"20×3"},
                u"等边角钢规格“20x3”不在列表中。\n是否改用列表中的“20×3”计算？", u"改用“20×3”", "dj1"},
    WordingCase{"ModelWithoutOne",   {Unknown, "cg1", u"16b", u""},   u"槽钢型号“16b”不在列表中。请从列表中选择。", u"", "cg1"},
    WordingCase{"NoModel",           {Unknown, "gg1", u"", u""},      u"请选择或输入工字钢的型号。", u"", "gg1"},
    WordingCase{"Toolkit",           {Toolkit, "bj2", u"", u""},      u"界面错误：无法读取或写入不等边角钢长度框的文字。", u"", ""}),
    testing::caseName);
// clang-format on

}  // namespace
}  // namespace hengtiebao
