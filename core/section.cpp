// SPDX-License-Identifier: GPL-3.0-or-later
// The section calculation shared by the four rolled-section frames.
#include "core/section.h"

#include "core/number_text.h"
#include "core/steps.h"

namespace hengtiebao {
namespace {

// mm x kg/m -> kg. A product, not a division by 1000: the two round differently for some lengths,
// and the expected weights were made with the product.
constexpr double kScale = 0.001;

// Trade marks in either letter case: "l20x3" is typed as often as "L20x3".
bool isMarkIn(std::u16string_view marks, char16_t c) {
    if (c >= u'a' && c <= u'z') c = char16_t(c - u'a' + u'A');
    return marks.find(c) != std::u16string_view::npos;
}

// One character of a typed model in the form the lists use.
char16_t listForm(char16_t c) {
    switch (c) {
        case u'x':
        case u'X':
        case u'*':
        case u'\u2715': return u'\u00D7';
        case u'A':
        case u'B':
        case u'C': return char16_t(c - u'A' + u'a');
        default: return c;
    }
}

}  // namespace

std::optional<double> findUnitMass(const SectionTable& table, std::u16string_view model) {
    for (const SectionRow& row : table.rows) {
        if (row.model == model) return row.unitMass;
    }
    return std::nullopt;
}

std::u16string suggestModel(const SectionTable& table, std::u16string_view typed) {
    std::u16string narrowed;
    for (char16_t c : typed) {
        if (!isBlank(c)) narrowed.push_back(narrowTyped(c));
    }
    std::u16string_view designation = narrowed;
    if (!designation.empty() && isMarkIn(table.tradePrefixes, designation.front()))
        designation.remove_prefix(1);
    if (!designation.empty() && isMarkIn(table.tradeSuffixes, designation.back()))
        designation.remove_suffix(1);

    std::u16string normal;
    for (char16_t c : designation)
        normal.push_back(listForm(c));
    // Model texts are distinct within a table, so a match is the only one.
    for (const SectionRow& row : table.rows) {
        if (row.model == normal) return normal;
    }
    return {};
}

Status calculateSection(Fields& fields, const CalculatorFrame& frame) {
    const std::string_view modelBox = frame.inputs[0], lengthBox = frame.inputs[1];
    std::u16string model;
    if (Status s = readText(fields, modelBox, model)) return s;

    // Every row is compared, in table order, even after a match.
    bool matched = false;
    for (const SectionRow& row : frame.table->rows) {
        if (row.model != model) continue;
        matched = true;

        std::u16string lengthText;
        if (Status s = readText(fields, lengthBox, lengthText)) return s;
        double length = 0;
        if (Status s = toNumber(lengthText, lengthBox, length)) return s;
        const double weight = (length * row.unitMass) * kScale;
        if (Status s = checkpoint(weight, frame.result)) return s;
        if (Status s = writeResult(fields, frame.result, weight)) return s;
    }
    if (matched) return std::nullopt;

    return Failure{FailureKind::UnknownModel, std::string(modelBox), model,
                   suggestModel(*frame.table, model)};
}

}  // namespace hengtiebao
