// SPDX-License-Identifier: GPL-3.0-or-later
// Failure words, from the field words of the control table.
#include "core/failure_text.h"

#include <algorithm>

#include "core/controls.h"
#include "core/frames.h"
#include "core/number_text.h"

namespace hengtiebao {
namespace {

// The frame's stock ("圆钢") and the field as its label calls it ("长度"); a control without
// words is named by itself. Control names are the control table's ASCII.
struct Words {
    std::u16string stock, field;
};
Words wordsFor(std::string_view control) {
    if (auto words = fieldWords(control))
        return {std::u16string(words->stock), std::u16string(words->field)};
    return {std::u16string(control.begin(), control.end()), {}};
}

// A typed text can be as long as the user cares to type; the report shows its start, cut before
// a character beyond the basic plane rather than between its two units.
std::u16string inQuotes(std::u16string_view text) {
    constexpr std::size_t kShown = 30;
    std::size_t units = std::min(text.size(), kShown);
    if (units < text.size() && text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF) --units;
    // Appended, not "“" + a temporary: GCC 12 warns falsely of overlapping copies there.
    std::u16string quoted = u"“";
    quoted.append(text.substr(0, units));
    if (text.size() > kShown) quoted += u'…';
    return quoted + u"”";
}

bool isEmptyText(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), isBlank);
}

}  // namespace

std::u16string failureText(const Failure& failure) {
    const auto [stock, field] = wordsFor(failure.control);
    const bool empty = isEmptyText(failure.text);
    switch (failure.kind) {
        case FailureKind::NotANumber:
            if (empty) return u"请输入" + stock + u"的" + field + u"。";
            return stock + u"的" + field + inQuotes(failure.text) +
                   u"不是数字。请输入数字，如 1000 或 12.5。";
        case FailureKind::FloatingPointFault:
            return stock + u"的重量太大，无法计算。请检查输入的数字。";
        case FailureKind::UnknownModel: {
            if (empty) return u"请选择或输入" + stock + u"的" + field + u"。";
            const std::u16string absent = stock + field + inQuotes(failure.text) + u"不在列表中。";
            if (failure.suggestion.empty()) return absent + u"请从列表中选择。";
            return absent + u"\n是否改用列表中的" + inQuotes(failure.suggestion) + u"计算？";
        }
        case FailureKind::ToolkitError:
            return u"界面错误：无法读取或写入" + stock + field + u"框的文字。";
    }
    return u"计算失败。";
}

std::u16string suggestionChoice(const Failure& failure) {
    if (!offersSuggestion(failure)) return {};
    return u"改用" + inQuotes(failure.suggestion);
}

std::string_view fieldToCorrect(const Failure& failure) {
    if (failure.kind == FailureKind::ToolkitError) return {};
    if (failure.kind != FailureKind::FloatingPointFault) return failure.control;
    // A weight too large: the frame's first number, the length after a section's model.
    const CalculatorFrame* frame = frameOf(failure.control);
    if (!frame) return {};
    return frame->inputs[frame->table ? 1 : 0];
}

}  // namespace hengtiebao
