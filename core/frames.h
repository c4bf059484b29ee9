// SPDX-License-Identifier: GPL-3.0-or-later
// The eight calculators, each described once: the frame's button, the boxes it reads, the box it
// writes and the calculator; the window, the page, the tests and the benchmarks all follow it.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/failure.h"
#include "core/fields.h"
#include "tables/section_table.h"

namespace hengtiebao {

struct CalculatorFrame {
    std::string_view frame;                    // the container, "Frame1" to "Frame8"
    std::string_view button;                   // "Command1"
    std::span<const std::string_view> inputs;  // the boxes it reads, in reading order
    std::string_view result;                   // the box it writes, shown read-only: "jieguo1"
    const SectionTable* table;                 // a section frame's models; none for the others
    Status (*calculator)(Fields&, const CalculatorFrame&);

    // One click of the frame's button.
    Status calculate(Fields& fields) const { return calculator(fields, *this); }
};

// In window order: frame N (1 to 8) is calculatorFrames()[N - 1].
std::span<const CalculatorFrame> calculatorFrames();

// The frame a control belongs to, by its button, input or result box; nothing for another.
//   frameOf("dj1")->frame -> "Frame5";  frameOf("Label1") -> nullptr
const CalculatorFrame* frameOf(std::string_view control);

// The user takes the listed model a failure suggested: it goes into the model box, as if picked
// from the list, and the frame computes again. A failure that offers none is returned unchanged
// and nothing is written.
//   UnknownModel on dj1, "20x3", "20×3" -> "20×3" written to dj1, then the weight to dj3
Status takeSuggestion(Fields& fields, const CalculatorFrame& frame, const Failure& failure);

// The list a combo box offers, as the window fills it: the densities or the model texts of its
// frame's table, in list order; nothing for another control.
//   comboItems("Combo1") -> 7.8, 7.85, 7.87, 7.9;  comboItems("cg1") -> 5, 6.3, ... 40c
std::vector<std::u16string_view> comboItems(std::string_view combo);

}  // namespace hengtiebao
