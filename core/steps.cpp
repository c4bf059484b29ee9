// SPDX-License-Identifier: GPL-3.0-or-later
// The shared steps of a calculator click.
#include "core/steps.h"

#include "core/checkpoint.h"
#include "core/number_text.h"

namespace hengtiebao {

Status readText(Fields& fields, std::string_view control, std::u16string& text) {
    auto read = fields.getText(control);
    if (!read) return failure(FailureKind::ToolkitError, control);
    text = std::move(*read);
    return std::nullopt;
}

Status toNumber(std::u16string_view text, std::string_view control, double& value) {
    auto number = readNumber(text);
    if (!number) return failure(FailureKind::NotANumber, control, text);
    value = *number;
    return std::nullopt;
}

Status checkpoint(double stepResult, std::string_view resultControl) {
    if (stepFaulted(stepResult)) return failure(FailureKind::FloatingPointFault, resultControl);
    return std::nullopt;
}

Status writeResult(Fields& fields, std::string_view resultControl, double weight) {
    auto text = writeNumber(weight);
    if (!text) return failure(FailureKind::FloatingPointFault, resultControl);
    if (!fields.setText(resultControl, *text))
        return failure(FailureKind::ToolkitError, resultControl);
    return std::nullopt;
}

}  // namespace hengtiebao
