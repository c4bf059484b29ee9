// SPDX-License-Identifier: GPL-3.0-or-later
// The calculators' table against the window's control table, and a suggestion taken.
#include "core/frames.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/controls.h"
#include "tests/memory_fields.h"

namespace hengtiebao {
namespace {

const Control* row(std::string_view name) {
    const auto controls = controlTable();
    const auto found = std::ranges::find(controls, name, &Control::name);
    return found == controls.end() ? nullptr : &*found;
}

bool isBoxOf(const Control& c, std::string_view frame) {
    return (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox) && c.parent == frame;
}

// Each frame's button, inputs and result are its own controls; its inputs run in the order a
// reader meets them (top, then left); and no box of the frame is left unread or unwritten.
TEST(CalculatorFrames, AreWiredToTheirFramesControlsInReadingOrder) {
    for (const CalculatorFrame& frame : calculatorFrames()) {
        SCOPED_TRACE(frame.frame);
        const Control* button = row(frame.button);
        const Control* result = row(frame.result);
        ASSERT_TRUE(button && result);
        EXPECT_TRUE(button->kind == ControlKind::Button && button->parent == frame.frame);
        EXPECT_TRUE(result->kind == ControlKind::TextBox && result->parent == frame.frame);
        std::pair<int, int> previous{-1, -1};
        for (std::string_view input : frame.inputs) {
            const Control* box = row(input);
            ASSERT_TRUE(box && isBoxOf(*box, frame.frame)) << input;
            EXPECT_LT(previous, std::pair(box->top, box->left)) << input;
            previous = {box->top, box->left};
        }
        const auto boxes = std::ranges::count_if(
            controlTable(), [&](const Control& c) { return isBoxOf(c, frame.frame); });
        EXPECT_EQ(boxes, static_cast<std::ptrdiff_t>(frame.inputs.size() + 1));
        EXPECT_EQ(frameOf(frame.button), &frame);
    }
}

TEST(TakeSuggestion, WritesTheListedModelThenComputes) {
    const CalculatorFrame& angles = *frameOf("dj1");
    testing::MemoryFields fields{{"dj1", u"∠20x3"}, {"dj2", u"1000"}, {"dj3", u""}};
    const Status offered = angles.calculate(fields);
    ASSERT_TRUE(offered && offersSuggestion(*offered));

    EXPECT_EQ(takeSuggestion(fields, angles, *offered), std::nullopt);
    EXPECT_EQ(fields.writes, (std::vector<std::string>{"dj1", "dj3"}));
    EXPECT_EQ(fields.texts["dj3"], u"0.889");
}

// A suggestion is taken only where one is offered, and a model box that cannot be set is the
// toolkit's failure; neither writes anything.
TEST(TakeSuggestion, WritesNothingWhereItCannot) {
    const CalculatorFrame& channels = *frameOf("cg1");
    testing::MemoryFields fields{{"cg1", u"16b"}, {"cg2", u"1000"}, {"cg3", u""}};
    const Status unlisted = channels.calculate(fields);
    ASSERT_TRUE(unlisted && !offersSuggestion(*unlisted));
    EXPECT_EQ(takeSuggestion(fields, channels, *unlisted)->kind, FailureKind::UnknownModel);

    const Failure suggested{FailureKind::UnknownModel, "cg1", u"16A", u"16a"};
    fields.broken.insert("cg1");
    EXPECT_EQ(takeSuggestion(fields, channels, suggested)->kind, FailureKind::ToolkitError);
    EXPECT_TRUE(fields.writes.empty());
}

}  // namespace
}  // namespace hengtiebao
