// SPDX-License-Identifier: GPL-3.0-or-later
// The section calculation on its four frames: lookup, arithmetic, failures and suggestions.
#include "core/section.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/float_flags.h"
#include "tests/memory_fields.h"
#include "tests/named_cases.h"

namespace hengtiebao {
namespace {

using testing::PrintTo;

using testing::MemoryFields;

// The four section frames, each read through its model box (inputs[0]) and length box (inputs[1]).
std::vector<const CalculatorFrame*> sectionFrames() {
    std::vector<const CalculatorFrame*> sections;
    for (const CalculatorFrame& frame : calculatorFrames())
        if (frame.table) sections.push_back(&frame);
    return sections;
}

const CalculatorFrame& frame(std::string_view modelBox) {
    for (const CalculatorFrame* section : sectionFrames())
        if (section->inputs[0] == modelBox) return *section;
    ADD_FAILURE() << "no frame " << modelBox;
    return *sectionFrames().front();
}

// A frame's three controls, the result box holding a weight from an earlier click.
MemoryFields frameFields(const CalculatorFrame& b, std::u16string_view model,
                         std::u16string_view length) {
    return MemoryFields{{std::string(b.inputs[0]), std::u16string(model)},
                        {std::string(b.inputs[1]), std::u16string(length)},
                        {std::string(b.result), u"earlier"}};
}

std::u16string resultOf(const MemoryFields& fields, const CalculatorFrame& b) {
    return fields.texts.at(std::string(b.result));
}

// ---------------------------------------------------------------------------------------------

struct WeightCase {
    const char* name;
    std::string_view frame;
    std::u16string_view model;
    std::u16string_view length;
    std::u16string weight;
};

class SectionWeightTest : public ::testing::TestWithParam<WeightCase> {};

TEST_P(SectionWeightTest, WritesTheWeight) {
    const WeightCase& c = GetParam();
    const CalculatorFrame& b = frame(c.frame);
    MemoryFields fields = frameFields(b, c.model, c.length);

    EXPECT_EQ(calculateSection(fields, b), std::nullopt);
    EXPECT_EQ(resultOf(fields, b), c.weight);
    EXPECT_EQ(fields.writes, std::vector<std::string>{std::string(b.result)});
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, SectionWeightTest,
    ::testing::Values(
        WeightCase{"Angle20x3Metre", "dj1", u"20×3", u"1000", u"0.889"},
        WeightCase{"Angle20x3SixMetres", "dj1", u"20×3", u"6000", u"5.334"},
        WeightCase{"Angle50x5Metre", "dj1", u"50×5", u"1000", u"3.77"},
        WeightCase{"Angle200x24Metre", "dj1", u"200×24", u"1000", u"71.168"},
        WeightCase{"Angle200x24SixMetres", "dj1", u"200×24", u"6000", u"427.008"},
        WeightCase{"Angle100x10SixMetres", "dj1", u"100×10", u"6000", u"90.72"},
        WeightCase{"Angle140x16SixMetres", "dj1", u"140×16", u"6000", u"200.358"},
        WeightCase{"Angle45x5", "dj1", u"45×5", u"2500", u"8.4225"},
        WeightCase{"Angle200x20SixMetres", "dj1", u"200×20", u"6000", u"360.336"},
        WeightCase{"AngleZeroLength", "dj1", u"20×3", u"0", u"0"},
        WeightCase{"AngleNegativeLength", "dj1", u"20×3", u"-1000", u"-0.889"},
        WeightCase{"AngleUnderflowingLengthReadsAsZero", "dj1", u"20×3", u"1E-400", u"0"},
        WeightCase{"AngleDenormalWeight", "dj1", u"20×3", u"1E-308", u"8.89000000000004E-312"},
        WeightCase{"UnequalInitialMetre", "bj1", u"25×16×3", u"1000", u"0.912"},
        WeightCase{"Unequal200x125x18", "bj1", u"200×125×18", u"6000", u"261.528"},
        WeightCase{"Unequal100x80x10", "bj1", u"100×80×10", u"12000", u"161.712"},
        WeightCase{"Unequal110x70x10SameText", "bj1", u"110×70×10", u"12000", u"161.712"},
        WeightCase{"UnequalZeroLength", "bj1", u"200×125×18", u"0", u"0"},
        WeightCase{"UnequalNegativeLength", "bj1", u"25×16×3", u"-1000", u"-0.912"},
        WeightCase{"Channel16aMetre", "cg1", u"16a", u"1000", u"17.24"},
        WeightCase{"Channel6point3Metre", "cg1", u"6.3", u"1000", u"6.634"},
        WeightCase{"Channel40cSixMetres", "cg1", u"40c", u"6000", u"428.928"},
        WeightCase{"Channel16IsNot16a", "cg1", u"16", u"2500", u"49.38"},
        WeightCase{"Channel12IsNot12point6", "cg1", u"12", u"1000", u"12.059"},
        WeightCase{"Channel12point6IsNot12", "cg1", u"12.6", u"1000", u"12.318"},
        WeightCase{"Channel10OwnMass", "cg1", u"10", u"1000", u"10.007"},
        WeightCase{"Channel20aOwnMass", "cg1", u"20a", u"1000", u"22.637"},
        WeightCase{"ChannelZeroLength", "cg1", u"40c", u"0", u"0"},
        WeightCase{"ChannelNegativeLength", "cg1", u"16a", u"-1000", u"-17.24"},
        WeightCase{"IBeam10Metre", "gg1", u"10", u"1000", u"11.261"},
        WeightCase{"IBeam10SixMetres", "gg1", u"10", u"6000", u"67.566"},
        WeightCase{"IBeam63cSixMetres", "gg1", u"63c", u"6000", u"847.134"},
        WeightCase{"IBeam55cAfter63c", "gg1", u"55c", u"9000", u"1103.445"},
        WeightCase{"IBeam12IsNot12point6", "gg1", u"12", u"1000", u"13.987"},
        WeightCase{"IBeam12point6IsNot12", "gg1", u"12.6", u"1000", u"14.223"},
        WeightCase{"IBeam20aOwnMass", "gg1", u"20a", u"1000", u"27.929"},
        WeightCase{"IBeamZeroLength", "gg1", u"63c", u"0", u"0"}),
    testing::caseName);

TEST(SectionWeight, ModelThenLengthAreReadOnce) {
    const CalculatorFrame& b = frame("dj1");
    MemoryFields fields = frameFields(b, u"20×3", u"1000");
    ASSERT_EQ(calculateSection(fields, b), std::nullopt);
    EXPECT_EQ(fields.reads, (std::vector<std::string>{"dj1", "dj2"}));
}

// An overflow left over from earlier work is not this click's fault.
TEST(SectionWeight, IgnoresFlagsRaisedBeforeTheClick) {
    if (!testing::floatFlagsKept()) GTEST_SKIP() << "this processor keeps no floating-point flags";
    const CalculatorFrame& b = frame("gg1");
    MemoryFields fields = frameFields(b, u"10", u"1000");
    testing::raiseFaultFlags();
    ASSERT_TRUE(testing::faultRaised());
    EXPECT_EQ(calculateSection(fields, b), std::nullopt);
    EXPECT_EQ(resultOf(fields, b), u"11.261");
}

TEST(SectionWeight, ClickingTwiceWritesTheSameTextTwice) {
    const CalculatorFrame& b = frame("cg1");
    MemoryFields fields = frameFields(b, u"40c", u"6000");
    ASSERT_EQ(calculateSection(fields, b), std::nullopt);
    ASSERT_EQ(calculateSection(fields, b), std::nullopt);
    EXPECT_EQ(resultOf(fields, b), u"428.928");
    EXPECT_EQ(fields.writes, (std::vector<std::string>{"cg3", "cg3"}));
}

// ---------------------------------------------------------------------------------------------

struct UnknownCase {
    const char* name;
    std::string_view frame;
    std::u16string_view model;
    std::u16string suggestion;
};

class UnknownModelTest : public ::testing::TestWithParam<UnknownCase> {};

// Only the exact text finds a row; anything else is reported without the length being read,
// so the length box may hold anything.
TEST_P(UnknownModelTest, FailsWithoutReadingTheLength) {
    const UnknownCase& c = GetParam();
    const CalculatorFrame& b = frame(c.frame);
    MemoryFields fields = frameFields(b, c.model, u"abc");

    Status status = calculateSection(fields, b);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->kind, FailureKind::UnknownModel);
    EXPECT_EQ(status->control, b.inputs[0]);
    EXPECT_EQ(status->text, c.model);
    EXPECT_EQ(status->suggestion, c.suggestion);
    EXPECT_EQ(fields.reads, std::vector<std::string>{std::string(b.inputs[0])});
    EXPECT_TRUE(fields.writes.empty());
    EXPECT_EQ(resultOf(fields, b), u"earlier");
    EXPECT_EQ(findUnitMass(*b.table, c.model), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    ExactMatchOnly, UnknownModelTest,
    ::testing::Values(UnknownCase{"LatinX", "dj1", u"20x3", u"20×3"},
                      UnknownCase{"UpperLatinX", "dj1", u"20X3", u"20×3"},
                      UnknownCase{"Asterisk", "dj1", u"20*3", u"20×3"},
                      UnknownCase{"FullWidthAsterisk", "dj1", u"20＊3", u"20×3"},
                      UnknownCase{"MultiplicationX", "dj1", u"20✕3", u"20×3"},
                      UnknownCase{"LeadingBlank", "dj1", u" 20×3", u"20×3"},
                      UnknownCase{"TrailingBlank", "dj1", u"20×3 ", u"20×3"},
                      UnknownCase{"BlanksAround", "dj1", u" 20×3 ", u"20×3"},
                      UnknownCase{"TabAndIdeographicSpace", "dj1", u"\t20×3\u3000", u"20×3"},
                      UnknownCase{"FullWidthDigits", "dj1", u"２０×３", u"20×3"},
                      UnknownCase{"EmptyText", "dj1", u"", u""},
                      UnknownCase{"NotInTheStandard", "dj1", u"56×6", u""},
                      UnknownCase{"MistypedAndNotListed", "dj1", u"20x5", u""},
                      UnknownCase{"MendedAwayRow", "dj1", u"200×21", u""},
                      UnknownCase{"UnequalModelInEqualFrame", "dj1", u"25×16×3", u""},
                      UnknownCase{"UnequalLatinX", "bj1", u"25x16x3", u"25×16×3"},
                      UnknownCase{"EqualModelInUnequalFrame", "bj1", u"20×3", u""},
                      UnknownCase{"UnequalEmpty", "bj1", u"", u""},
                      UnknownCase{"ChannelUpperSuffix", "cg1", u"16A", u"16a"},
                      UnknownCase{"ChannelFullWidth", "cg1", u"１６ａ", u"16a"},
                      UnknownCase{"ChannelFullWidthPeriod", "cg1", u"１２．６", u"12.6"},
                      UnknownCase{"ChannelIdeographicFullStop", "cg1", u"12。6", u"12.6"},
                      UnknownCase{"ChannelNoSuchSuffix", "cg1", u"16b", u""},
                      UnknownCase{"ChannelUpperNoSuchSuffix", "cg1", u"16B", u""},
                      UnknownCase{"IBeamModelInChannelFrame", "cg1", u"20b", u""},
                      UnknownCase{"IBeamOnlyModelInChannelFrame", "cg1", u"14", u""},
                      UnknownCase{"ChannelLeadingBlank", "cg1", u" 16a", u"16a"},
                      UnknownCase{"IBeamUpperSuffix", "gg1", u"20A", u"20a"},
                      UnknownCase{"ChannelModelInIBeamFrame", "gg1", u"20", u""},
                      UnknownCase{"ChannelSuffixedInIBeamFrame", "gg1", u"14a", u""},
                      UnknownCase{"IBeamTrailingBlank", "gg1", u"10 ", u"10"},
                      UnknownCase{"IBeamEmpty", "gg1", u"", u""},
                      // Trade notations: each frame drops its own marks only.
                      UnknownCase{"AngleSign", "dj1", u"∠20x3", u"20×3"},
                      UnknownCase{"AngleLetter", "dj1", u"L20×3", u"20×3"},
                      UnknownCase{"AngleLowerLetter", "dj1", u"l20×3", u"20×3"},
                      UnknownCase{"AngleFullWidthLetter", "dj1", u"Ｌ２０＊３", u"20×3"},
                      UnknownCase{"AngleChannelMark", "dj1", u"槽20×3", u""},
                      UnknownCase{"AngleHash", "dj1", u"20×3#", u""},
                      UnknownCase{"UnequalSign", "bj1", u"∠ 25x16x3", u"25×16×3"},
                      UnknownCase{"UnequalLetter", "bj1", u"L25x16x3", u"25×16×3"},
                      UnknownCase{"UnequalLowerLetter", "bj1", u"l25×16×3", u"25×16×3"},
                      UnknownCase{"ChannelUpperB", "cg1", u"24B", u"24b"},
                      UnknownCase{"ChannelUpperC", "cg1", u"40C", u"40c"},
                      UnknownCase{"ChannelBracket", "cg1", u"[16a", u"16a"},
                      UnknownCase{"ChannelFullWidthBracket", "cg1", u"［１６Ａ", u"16a"},
                      UnknownCase{"ChannelChinesePunctuationBracket", "cg1", u"【16a", u"16a"},
                      UnknownCase{"ChannelHan", "cg1", u"槽16a", u"16a"},
                      UnknownCase{"ChannelHash", "cg1", u"16#", u"16"},
                      UnknownCase{"ChannelMarkAndHash", "cg1", u"槽 12.6#", u"12.6"},
                      UnknownCase{"ChannelAngleLetter", "cg1", u"L16a", u""},
                      UnknownCase{"IBeamLetter", "gg1", u"I20a", u"20a"},
                      UnknownCase{"IBeamLowerLetter", "gg1", u"i20A", u"20a"},
                      UnknownCase{"IBeamHan", "gg1", u"工20a", u"20a"},
                      UnknownCase{"IBeamUpperC", "gg1", u"32C", u"32c"},
                      UnknownCase{"IBeamFullWidth", "gg1", u"Ｉ２０ａ", u"20a"},
                      UnknownCase{"IBeamHanAndHash", "gg1", u"工10#", u"10"},
                      UnknownCase{"IBeamHash", "gg1", u"16#", u"16"},
                      UnknownCase{"IBeamChannelBracket", "gg1", u"[20a", u""}),
    testing::caseName);

TEST(FindUnitMass, FindsOnlyTheExactText) {
    EXPECT_EQ(findUnitMass(equalLegAngleTable(), u"20×3"), 0.889);
    EXPECT_EQ(findUnitMass(channelTable(), u"16"), 19.752);
    EXPECT_EQ(findUnitMass(channelTable(), u"16a"), 17.24);
    EXPECT_EQ(findUnitMass(iBeamTable(), u"16a"), std::nullopt);
    EXPECT_EQ(findUnitMass(iBeamTable(), u"1"), std::nullopt);
    EXPECT_EQ(findUnitMass(iBeamTable(), u"100"), std::nullopt);
}

// ---------------------------------------------------------------------------------------------

enum class Blamed { LengthBox, ResultBox };

struct LengthFailureCase {
    const char* name;
    std::u16string_view length;
    FailureKind kind;
    Blamed control;
};

class LengthFailureTest : public ::testing::TestWithParam<LengthFailureCase> {};

TEST_P(LengthFailureTest, EveryFrameKeepsItsEarlierResult) {
    const LengthFailureCase& c = GetParam();
    for (const CalculatorFrame* section : sectionFrames()) {
        const CalculatorFrame& b = *section;
        // The heaviest row, so that a long length overflows in every frame.
        const SectionRow* heaviest = &b.table->rows.front();
        for (const SectionRow& row : b.table->rows) {
            if (row.unitMass > heaviest->unitMass) heaviest = &row;
        }
        MemoryFields fields = frameFields(b, heaviest->model, c.length);

        Status status = calculateSection(fields, b);
        ASSERT_TRUE(status.has_value()) << b.inputs[0];
        EXPECT_EQ(status->kind, c.kind) << b.inputs[0];
        EXPECT_EQ(status->control, c.control == Blamed::LengthBox ? b.inputs[1] : b.result);
        EXPECT_EQ(status->text, c.kind == FailureKind::NotANumber ? c.length : u"") << b.inputs[0];
        EXPECT_TRUE(fields.writes.empty()) << b.inputs[0];
        EXPECT_EQ(resultOf(fields, b), u"earlier") << b.inputs[0];
    }
}

INSTANTIATE_TEST_SUITE_P(
    MatchedModel, LengthFailureTest,
    ::testing::Values(
        LengthFailureCase{"EmptyLength", u"", FailureKind::NotANumber, Blamed::LengthBox},
        LengthFailureCase{"LettersInLength", u"abc", FailureKind::NotANumber, Blamed::LengthBox},
        LengthFailureCase{"TrailingLetter", u"12a", FailureKind::NotANumber, Blamed::LengthBox},
        LengthFailureCase{"LengthBeyondDouble", u"1E400", FailureKind::FloatingPointFault,
                          Blamed::ResultBox},
        // The weight alone would fit, but length x unit mass does not.
        LengthFailureCase{"ProductBeyondDouble", u"1E307", FailureKind::FloatingPointFault,
                          Blamed::ResultBox},
        LengthFailureCase{"NegativeProductBeyondDouble", u"-1E307", FailureKind::FloatingPointFault,
                          Blamed::ResultBox}),
    testing::caseName);

TEST(SectionFailure, EarlierWeightSurvivesLaterFailures) {
    const CalculatorFrame& b = frame("dj1");
    MemoryFields fields = frameFields(b, u"100×10", u"6000");
    ASSERT_EQ(calculateSection(fields, b), std::nullopt);
    ASSERT_EQ(resultOf(fields, b), u"90.72");

    fields.texts["dj1"] = u"56×6";
    Status unknown = calculateSection(fields, b);
    ASSERT_TRUE(unknown.has_value());
    EXPECT_EQ(unknown->kind, FailureKind::UnknownModel);
    EXPECT_EQ(resultOf(fields, b), u"90.72");

    fields.texts["dj1"] = u"20×3";
    fields.texts["dj2"] = u"";
    Status notANumber = calculateSection(fields, b);
    ASSERT_TRUE(notANumber.has_value());
    EXPECT_EQ(notANumber->kind, FailureKind::NotANumber);
    EXPECT_EQ(resultOf(fields, b), u"90.72");
    EXPECT_EQ(fields.writes.size(), 1u);
}

TEST(SectionFailure, ToolkitErrorsAreHandedOn) {
    const CalculatorFrame& b = frame("gg1");
    for (std::string_view broken : {b.inputs[0], b.inputs[1], b.result}) {
        MemoryFields fields = frameFields(b, u"10", u"1000");
        fields.broken.insert(std::string(broken));
        Status status = calculateSection(fields, b);
        ASSERT_TRUE(status.has_value()) << broken;
        EXPECT_EQ(status->kind, FailureKind::ToolkitError) << broken;
        EXPECT_EQ(status->control, broken);
        EXPECT_TRUE(fields.writes.empty()) << broken;
    }
}

// ---------------------------------------------------------------------------------------------

TEST(SuggestModel, NeverSuggestsAcrossTables) {
    EXPECT_EQ(suggestModel(channelTable(), u"20x3"), u"");
    EXPECT_EQ(suggestModel(iBeamTable(), u"16A"), u"");
    EXPECT_EQ(suggestModel(unequalLegAngleTable(), u"20x3"), u"");
}

}  // namespace
}  // namespace hengtiebao
