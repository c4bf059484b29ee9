// SPDX-License-Identifier: GPL-3.0-or-later
// Why a calculation stopped before writing its result.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hengtiebao {

enum class FailureKind {
    NotANumber,          // a field text is not a decimal number ("", "abc", "12a")
    FloatingPointFault,  // a conversion or product overflowed, divided by zero or was invalid
    UnknownModel,        // a section model text equals no row of the frame's table
    ToolkitError,        // the window could not get or set a control's text
};

struct Failure {
    FailureKind kind;
    std::string control;        // the control the failure concerns ("chang1", "dj3")
    std::u16string text;        // the typed text the failure concerns: the field's text for
                                // NotANumber, the model text for UnknownModel; empty otherwise
    std::u16string suggestion;  // UnknownModel: the listed model the text most likely meant, or ""
};

// A calculator's outcome: nothing on success, otherwise the failure that stopped it.
using Status = std::optional<Failure>;

// Whether the user is offered a listed model in place of the typed one.
inline bool offersSuggestion(const Failure& failure) {
    return failure.kind == FailureKind::UnknownModel && !failure.suggestion.empty();
}

inline Failure failure(FailureKind kind, std::string_view control, std::u16string_view text = {}) {
    return Failure{kind, std::string(control), std::u16string(text), {}};
}

}  // namespace hengtiebao
