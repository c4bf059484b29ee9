// SPDX-License-Identifier: GPL-3.0-or-later
// The shape of a rolled-section table: model texts with their unit masses, in list order.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace hengtiebao {

struct SectionRow {
    std::u16string_view model;  // the designation exactly as the model list shows it ("20×3")
    double unitMass;            // theoretical mass per metre, kg/m
};

// Rows in comparison order, which is also the order of the window's model list.
struct SectionTable {
    std::span<const SectionRow> rows;
    // Marks traders write around this kind's designations and a suggestion drops: one leading
    // character of tradePrefixes (∠20×3, [16a, 工20a), one trailing of tradeSuffixes (16#).
    std::u16string_view tradePrefixes;
    std::u16string_view tradeSuffixes;
};

const SectionTable& equalLegAngleTable();    // hot-rolled equal-leg angles, GB9787-88
const SectionTable& unequalLegAngleTable();  // hot-rolled unequal-leg angles, GB9788-88
const SectionTable& channelTable();          // hot-rolled channels, GB707-88
const SectionTable& iBeamTable();            // hot-rolled I-beams, GB706-88

}  // namespace hengtiebao
