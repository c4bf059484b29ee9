// SPDX-License-Identifier: GPL-3.0-or-later
// The page's eight calculators: each frame's button, result box and calculator, as the window
// wires them.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/failure.h"
#include "core/fields.h"

namespace hengtiebao {

struct PageFrame {
    std::string_view frame;   // the container, "Frame1" to "Frame8" in window order
    std::string_view button;  // "Command1"
    std::string_view result;  // the box the calculator writes, shown read-only: "jieguo1"
    Status (*calculate)(Fields&);
};

// Frame N is pageFrames()[N - 1].
std::span<const PageFrame> pageFrames();

// The list a combo box offers, as the window fills it: the densities or the model texts of its
// frame's table, in list order; nothing for another control.
//   comboItems("Combo1") -> 7.8, 7.85, 7.87, 7.9;  comboItems("cg1") -> 5, 6.3, ... 40c
std::vector<std::u16string_view> comboItems(std::string_view combo);

}  // namespace hengtiebao
