// SPDX-License-Identifier: GPL-3.0-or-later
// The section calculation: one mechanism bound to the four rolled-section frames.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/failure.h"
#include "core/fields.h"
#include "core/frames.h"
#include "tables/section_table.h"

namespace hengtiebao {

// Exact lookup: same UTF-16 code units, no trimming or folding.
//   findUnitMass(equalLegAngleTable(), u"20×3") -> 0.889;  u"20x3", u" 20×3", u"" -> nothing
std::optional<double> findUnitMass(const SectionTable& table, std::u16string_view model);

// The listed model a mistyped text most likely means, or "" when none. Blanks are dropped and
// full-width forms narrowed; then one leading trade prefix of the table (∠ or L for angles, [, 【
// or 槽 for channels, I or 工 for I-beams; L and I in either case) and one trailing trade suffix
// (# for channels and I-beams) are dropped; then x, X, *, ＊, ✕ read as × and suffix letters are
// lowered. Another kind's marks stay, and leave the text unlisted.
//   equal-leg angles: u"20x3", u"∠20x3", u"L20×3", u"ｌ２０＊３" -> u"20×3";  u"槽20×3" -> u""
//   channels:         u"16A", u"[16a", u"槽16a", u"【16A" -> u"16a";  u"16#", u"[16#" -> u"16"
//   I-beams:          u"I20a", u"工20a", u"Ｉ２０ａ" -> u"20a";  u"工10#" -> u"10";  u"L10" -> u""
// A suggestion is only a proposal: calculateSection computes on an exact match alone.
std::u16string suggestModel(const SectionTable& table, std::u16string_view typed);

// One click of a section frame, whose inputs are its model and length (mm) boxes: scans its table
// in order; on the matching row reads the length and writes (length x unit mass) x 0.001 kg. A
// text that matches no row fails with UnknownModel (carrying the text and any suggestion) without
// reading the length box.
Status calculateSection(Fields& fields, const CalculatorFrame& frame);

}  // namespace hengtiebao
