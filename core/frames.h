// SPDX-License-Identifier: GPL-3.0-or-later
// The eight calculators' wiring, which the window and the page both follow: each frame's button,
// result box and calculator, and the lists the combo boxes offer.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/failure.h"
#include "core/fields.h"

namespace hengtiebao {

struct CalculatorFrame {
    std::string_view frame;   // the container, "Frame1" to "Frame8" in window order
    std::string_view button;  // "Command1"
    std::string_view result;  // the box the calculator writes, shown read-only: "jieguo1"
    Status (*calculate)(Fields&);
};

// Frame N is calculatorFrames()[N - 1]; its button computes its calculator.
std::span<const CalculatorFrame> calculatorFrames();

// The list a combo box offers, as the window fills it: the densities or the model texts of its
// frame's table, in list order; nothing for another control.
//   comboItems("Combo1") -> 7.8, 7.85, 7.87, 7.9;  comboItems("cg1") -> 5, 6.3, ... 40c
std::vector<std::u16string_view> comboItems(std::string_view combo);

}  // namespace hengtiebao
