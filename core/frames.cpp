// SPDX-License-Identifier: GPL-3.0-or-later
// The calculators' table and lists, from the core's calculators and section tables.
#include "core/frames.h"

#include <algorithm>
#include <array>

#include "core/calculators.h"
#include "core/section.h"

namespace hengtiebao {
namespace {

constexpr std::string_view kPlate[] = {"chang1", "chang2", "chang3", "Combo1"};
constexpr std::string_view kRoundBar[] = {"yuan1", "yuan2"};
constexpr std::string_view kSquareBar[] = {"fang1", "fang2"};
constexpr std::string_view kHexagonBar[] = {"liu1", "liu2"};
constexpr std::string_view kEqualLegAngle[] = {"dj1", "dj2"};  // a section's model, then length
constexpr std::string_view kUnequalLegAngle[] = {"bj1", "bj2"};
constexpr std::string_view kChannel[] = {"cg1", "cg2"};
constexpr std::string_view kIBeam[] = {"gg1", "gg2"};

}  // namespace

std::span<const CalculatorFrame> calculatorFrames() {
    static const std::array<CalculatorFrame, 8> frames{{
        {"Frame1", "Command1", kPlate, "jieguo1", nullptr, calculatePlate},
        {"Frame2", "Command2", kRoundBar, "yuan3", nullptr, calculateRoundBar},
        {"Frame3", "Command3", kSquareBar, "fang3", nullptr, calculateSquareBar},
        {"Frame4", "Command4", kHexagonBar, "liu3", nullptr, calculateHexagonBar},
        {"Frame5", "Command5", kEqualLegAngle, "dj3", &equalLegAngleTable(), calculateSection},
        {"Frame6", "Command6", kUnequalLegAngle, "bj3", &unequalLegAngleTable(), calculateSection},
        {"Frame7", "Command7", kChannel, "cg3", &channelTable(), calculateSection},
        {"Frame8", "Command8", kIBeam, "gg3", &iBeamTable(), calculateSection},
    }};
    return frames;
}

const CalculatorFrame* frameOf(std::string_view control) {
    for (const CalculatorFrame& frame : calculatorFrames()) {
        const bool input = std::ranges::find(frame.inputs, control) != frame.inputs.end();
        if (input || control == frame.button || control == frame.result) return &frame;
    }
    return nullptr;
}

Status takeSuggestion(Fields& fields, const CalculatorFrame& frame, const Failure& failure) {
    if (!offersSuggestion(failure)) return failure;
    if (!fields.setText(failure.control, failure.suggestion))
        return hengtiebao::failure(FailureKind::ToolkitError, failure.control);
    return frame.calculate(fields);  // the model now equals its row, so it is not suggested again
}

std::vector<std::u16string_view> comboItems(std::string_view combo) {
    std::vector<std::u16string_view> items;
    if (combo == "Combo1") items.assign(kDensities.begin(), kDensities.end());
    const CalculatorFrame* frame = frameOf(combo);
    if (frame && frame->table && frame->inputs.front() == combo)
        for (const SectionRow& row : frame->table->rows)
            items.push_back(row.model);
    return items;
}

}  // namespace hengtiebao
