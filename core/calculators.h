// SPDX-License-Identifier: GPL-3.0-or-later
// The plate and bar calculators: one click each, from the frame's field texts to its result box.
#pragma once

#include <array>
#include <string_view>

#include "core/failure.h"
#include "core/fields.h"
#include "core/frames.h"

namespace hengtiebao {

// Each reads its frame's input texts, converts and multiplies in a fixed order with a checkpoint
// after every step, and writes its one result text last. On failure nothing is written. The
// inputs, in the frame's reading order, are in mm unless said otherwise.

// Length, width, thickness, density (g/cm3) -> ((W x L) x T), then (rho x that) x 0.000001 kg.
//   1000, 500, 10, "7.85" -> "39.25"
Status calculatePlate(Fields& fields, const CalculatorFrame& frame);

// Diameter, length -> (L x ((d/2)^2 x 3.14159265358)) x 7.85e-6 kg.  20, 1000 -> "2.4661502330603"
Status calculateRoundBar(Fields& fields, const CalculatorFrame& frame);

// Side, length -> (L x a^2) x 7.85e-6 kg.  20, 1000 -> "3.14"
Status calculateSquareBar(Fields& fields, const CalculatorFrame& frame);

// Across flats, length -> (L x (a/2 x (a/2 x 3.4641))) x 7.85e-6 kg.  20, 1000 -> "2.7193185"
Status calculateHexagonBar(Fields& fields, const CalculatorFrame& frame);

}  // namespace hengtiebao

namespace hengtiebao {

// The density list of the plate frame, g/cm3, in list order. The text it starts with, 7.85 (steel),
// stands with every other start text in the window's control table.
inline constexpr std::array<std::u16string_view, 4> kDensities{u"7.8", u"7.85", u"7.87", u"7.9"};

}  // namespace hengtiebao
