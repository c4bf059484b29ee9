// SPDX-License-Identifier: GPL-3.0-or-later
// Plate and bar calculators, driven through an in-memory set of fields as the window drives them.
#include "core/frames.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "memory_fields.h"
#include "tests/float_flags.h"
#include "tests/named_cases.h"

namespace hengtiebao {
namespace {

using testing::PrintTo;

using testing::MemoryFields;
using Frame = CalculatorFrame;

const Frame& kPlate = *frameOf("jieguo1");
const Frame& kRound = *frameOf("yuan3");
const Frame& kSquare = *frameOf("fang3");
const Frame& kHexagon = *frameOf("liu3");

std::vector<std::string> names(std::span<const std::string_view> controls) {
    return {controls.begin(), controls.end()};
}

// The frame's inputs set to the given texts, its result box holding an earlier weight.
MemoryFields fieldsFor(const Frame& frame, const std::vector<std::u16string>& texts) {
    MemoryFields fields{{std::string(frame.result), u"earlier"}};
    for (std::size_t i = 0; i < frame.inputs.size() && i < texts.size(); ++i)
        fields.texts[std::string(frame.inputs[i])] = texts[i];
    return fields;
}

struct WeightCase {
    const char* name;
    const Frame* frame;
    std::vector<std::u16string> inputs;
    std::u16string_view weight;
};

class Weighs : public ::testing::TestWithParam<WeightCase> {};

TEST_P(Weighs, WritesTheWeightIntoItsOwnResultBoxOnly) {
    const WeightCase& c = GetParam();
    MemoryFields fields = fieldsFor(*c.frame, c.inputs);
    EXPECT_EQ(c.frame->calculate(fields), std::nullopt);
    EXPECT_EQ(fields.texts[std::string(c.frame->result)], c.weight);
    EXPECT_EQ(fields.writes, std::vector<std::string>{std::string(c.frame->result)});
    EXPECT_EQ(fields.reads, names(c.frame->inputs));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Weighs,
    ::testing::Values(
        WeightCase{"PlateAtSteelDensity", &kPlate, {u"1000", u"500", u"10", u"7.85"}, u"39.25"},
        WeightCase{"PlateIntegralWeight", &kPlate, {u"2000", u"1000", u"10", u"7.85"}, u"157"},
        WeightCase{"PlateListedDensity", &kPlate, {u"1000", u"1000", u"1", u"7.9"}, u"7.9"},
        WeightCase{"PlateTypedDensity", &kPlate, {u"1000", u"1000", u"1", u"2.7"}, u"2.7"},
        WeightCase{"PlateCopperDensity", &kPlate, {u"1000", u"500", u"10", u"8.9"}, u"44.5"},
        WeightCase{"PlateZeroFactor", &kPlate, {u"1000", u"0", u"10", u"7.85"}, u"0"},
        WeightCase{"PlateNegativeFactor", &kPlate, {u"-1000", u"500", u"10", u"7.85"}, u"-39.25"},
        WeightCase{"PlateTwoNegatives", &kPlate, {u"-1000", u"-500", u"10", u"7.85"}, u"39.25"},
        WeightCase{"PlateUnderflowIsZero", &kPlate, {u"1E-200", u"1E-200", u"1", u"7.85"}, u"0"},
        WeightCase{
            "PlateFullWidthDigits", &kPlate, {u"１０００", u"500", u" 10 ", u"7.85"}, u"39.25"},
        WeightCase{"RoundBar", &kRound, {u"20", u"1000"}, u"2.4661502330603"},
        WeightCase{"RoundBarNegativeDiameter", &kRound, {u"-20", u"1000"}, u"2.4661502330603"},
        WeightCase{"RoundBarNegativeLength", &kRound, {u"20", u"-1000"}, u"-2.4661502330603"},
        WeightCase{"RoundBarZeroDiameter", &kRound, {u"0", u"1000"}, u"0"},
        WeightCase{"SquareBar", &kSquare, {u"20", u"1000"}, u"3.14"},
        WeightCase{"SquareBarZeroLength", &kSquare, {u"20", u"0"}, u"0"},
        // A product that underflows to a denormal is still a weight, not a fault.
        WeightCase{
            "SquareBarDenormalWeight", &kSquare, {u"1E-160", u"1000"}, u"7.90505033345994E-323"},
        WeightCase{"HexagonBar", &kHexagon, {u"20", u"1000"}, u"2.7193185"},
        WeightCase{"HexagonBarNegativeLength", &kHexagon, {u"20", u"-1000"}, u"-2.7193185"},
        // Halved before the product: (a x h) / 2 would overflow on the way to the same area.
        WeightCase{"HexagonBarHalvesFirst", &kHexagon, {u"1.2E154", u"1"}, u"9.7895466E+302"}),
    testing::caseName);

struct FailureCase {
    const char* name;
    const Frame* frame;
    std::vector<std::u16string> inputs;
    FailureKind kind;
    std::string control;  // the control the report names
};

class Fails : public ::testing::TestWithParam<FailureCase> {};

constexpr auto NaN = FailureKind::NotANumber;
constexpr auto FPF = FailureKind::FloatingPointFault;

TEST_P(Fails, WithoutWritingAnything) {
    const FailureCase& c = GetParam();
    MemoryFields fields = fieldsFor(*c.frame, c.inputs);
    Status status = c.frame->calculate(fields);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->kind, c.kind);
    EXPECT_EQ(status->control, c.control);
    // A field that is no number hands its own text to the report.
    const auto field = std::find(c.frame->inputs.begin(), c.frame->inputs.end(), c.control);
    EXPECT_EQ(status->text, c.kind == NaN ? c.inputs.at(field - c.frame->inputs.begin()) : u"");
    EXPECT_TRUE(fields.writes.empty());
    EXPECT_EQ(fields.texts[std::string(c.frame->result)], u"earlier");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Fails,
    ::testing::Values(
        FailureCase{"PlateEmptyAtStart", &kPlate, {u"", u"", u"", u"7.85"}, NaN, "chang1"},
        FailureCase{
            "PlateWidthNotANumber", &kPlate, {u"1000", u"abc", u"10", u"7.85"}, NaN, "chang2"},
        FailureCase{"PlateEmptyDensityAfterDimensions",
                    &kPlate,
                    {u"1000", u"500", u"10", u""},
                    NaN,
                    "Combo1"},
        FailureCase{
            "PlateThicknessBeforeDensity", &kPlate, {u"1000", u"500", u"x", u"y"}, NaN, "chang3"},
        FailureCase{"PlateDecimalComma", &kPlate, {u"1000", u"500", u"10", u"7,85"}, NaN, "Combo1"},
        FailureCase{"RoundBarEmptyLength", &kRound, {u"20", u""}, NaN, "yuan2"},
        FailureCase{"SquareBarLetters", &kSquare, {u"20mm", u"1000"}, NaN, "fang1"},
        FailureCase{"HexagonBarEmpty", &kHexagon, {u"", u"1000"}, NaN, "liu1"}),
    testing::caseName);

// Every step of every calculator ends in a checkpoint; each row overflows a different step.
INSTANTIATE_TEST_SUITE_P(
    Overflow, Fails,
    ::testing::Values(
        FailureCase{"PlateArea", &kPlate, {u"1E200", u"1E200", u"1", u"7.85"}, FPF, "jieguo1"},
        FailureCase{"PlateAreaBeforeThicknessIsRead",
                    &kPlate,
                    {u"1E200", u"1E200", u"abc", u"7.85"},
                    FPF,
                    "jieguo1"},
        FailureCase{"PlateVolume", &kPlate, {u"1E150", u"1E150", u"1E10", u"abc"}, FPF, "jieguo1"},
        FailureCase{"PlateDensity", &kPlate, {u"1E150", u"1E150", u"1", u"1E10"}, FPF, "jieguo1"},
        FailureCase{
            "PlateTextBeyondRange", &kPlate, {u"1E400", u"0", u"1", u"7.85"}, FPF, "jieguo1"},
        FailureCase{"RoundBarDiameterBeyondRange", &kRound, {u"1E400", u"1"}, FPF, "yuan3"},
        FailureCase{"RoundBarSquare", &kRound, {u"1E200", u"abc"}, FPF, "yuan3"},
        FailureCase{"RoundBarPi", &kRound, {u"2.6E154", u"1"}, FPF, "yuan3"},
        FailureCase{"RoundBarLength", &kRound, {u"1E100", u"1E300"}, FPF, "yuan3"},
        FailureCase{"SquareBarSquare", &kSquare, {u"1E200", u"1"}, FPF, "fang3"},
        FailureCase{
            "SquareBarSquareBeforeLengthIsRead", &kSquare, {u"1E200", u"abc"}, FPF, "fang3"},
        FailureCase{"SquareBarLength", &kSquare, {u"100", u"1E305"}, FPF, "fang3"},
        FailureCase{"HexagonBarHalfTimesFactor", &kHexagon, {u"1.7E308", u"1"}, FPF, "liu3"},
        FailureCase{"HexagonBarArea", &kHexagon, {u"1E160", u"1"}, FPF, "liu3"},
        FailureCase{"HexagonBarAreaBeforeLengthIsRead", &kHexagon, {u"1E160", u"abc"}, FPF, "liu3"},
        FailureCase{"HexagonBarLength", &kHexagon, {u"100", u"1E305"}, FPF, "liu3"},
        FailureCase{"HexagonBarLengthBeyondRange", &kHexagon, {u"100", u"-1E400"}, FPF, "liu3"}),
    testing::caseName);

TEST(Checkpoint, FlagsRaisedBeforeTheClickAreNotBlamedOnIt) {
    if (!testing::floatFlagsKept()) GTEST_SKIP() << "this processor keeps no floating-point flags";
    MemoryFields fields = fieldsFor(kSquare, {u"20", u"1000"});
    testing::raiseFaultFlags();
    ASSERT_TRUE(testing::faultRaised());
    EXPECT_EQ(kSquare.calculate(fields), std::nullopt);
    EXPECT_EQ(fields.texts["fang3"], u"3.14");
}

TEST(Checkpoint, ZeroTimesInfinityIsAnInvalidOperation) {
    MemoryFields fields = fieldsFor(kSquare, {u"1E400", u"0"});
    Status status = kSquare.calculate(fields);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->kind, FailureKind::FloatingPointFault);
}

TEST(ToolkitErrors, AreHandedOnAndNothingIsWritten) {
    for (const Frame* frame : {&kPlate, &kRound, &kSquare, &kHexagon}) {
        for (const std::string& broken : names(frame->inputs)) {
            MemoryFields fields = fieldsFor(*frame, {u"1", u"1", u"1", u"1"});
            fields.broken.insert(broken);
            Status status = frame->calculate(fields);
            ASSERT_TRUE(status.has_value()) << broken;
            EXPECT_EQ(status->kind, FailureKind::ToolkitError) << broken;
            EXPECT_EQ(status->control, broken);
            EXPECT_TRUE(fields.writes.empty()) << broken;
        }
        MemoryFields fields = fieldsFor(*frame, {u"1", u"1", u"1", u"1"});
        fields.broken.insert(std::string(frame->result));
        Status status = frame->calculate(fields);
        ASSERT_TRUE(status.has_value()) << frame->result;
        EXPECT_EQ(status->kind, FailureKind::ToolkitError);
        EXPECT_EQ(status->control, frame->result);
    }
}

TEST(Repetition, ClickingTwiceWritesTheSameTextTwice) {
    MemoryFields fields = fieldsFor(kRound, {u"20", u"1000"});
    ASSERT_EQ(kRound.calculate(fields), std::nullopt);
    ASSERT_EQ(kRound.calculate(fields), std::nullopt);
    EXPECT_EQ(fields.texts["yuan3"], u"2.4661502330603");
    EXPECT_EQ(fields.writes.size(), 2u);
}

}  // namespace
}  // namespace hengtiebao
