// SPDX-License-Identifier: GPL-3.0-or-later
// The calculators' wiring and lists, from the core's calculators and tables.
#include "core/frames.h"

#include <array>

#include "core/calculators.h"
#include "core/section.h"

namespace hengtiebao {
namespace {

template <std::size_t N>
Status section(Fields& fields) {
    return calculateSection(fields, sectionBindings()[N]);
}

}  // namespace

std::span<const CalculatorFrame> calculatorFrames() {
    static const std::array<CalculatorFrame, 8> frames{{
        {"Frame1", "Command1", "jieguo1", calculatePlate},
        {"Frame2", "Command2", "yuan3", calculateRoundBar},
        {"Frame3", "Command3", "fang3", calculateSquareBar},
        {"Frame4", "Command4", "liu3", calculateHexagonBar},
        {"Frame5", "Command5", sectionBindings()[0].result, section<0>},
        {"Frame6", "Command6", sectionBindings()[1].result, section<1>},
        {"Frame7", "Command7", sectionBindings()[2].result, section<2>},
        {"Frame8", "Command8", sectionBindings()[3].result, section<3>},
    }};
    return frames;
}

std::vector<std::u16string_view> comboItems(std::string_view combo) {
    std::vector<std::u16string_view> items;
    if (combo == "Combo1") items.assign(kDensities.begin(), kDensities.end());
    for (const SectionBinding& binding : sectionBindings()) {
        if (binding.model != combo) continue;
        for (const SectionRow& row : binding.table.rows)
            items.push_back(row.model);
    }
    return items;
}

}  // namespace hengtiebao
