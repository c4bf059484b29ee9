// SPDX-License-Identifier: GPL-3.0-or-later
// The steps every calculator is made of, each ending in a Status so a failure stops the click.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/failure.h"
#include "core/fields.h"

namespace hengtiebao {

// Reads the text of one control; ToolkitError when the window cannot.
Status readText(Fields& fields, std::string_view control, std::u16string& text);

// Reads the texts of several controls, in order, before any is converted.
template <std::size_t N>
Status readTexts(Fields& fields, std::span<const std::string_view, N> controls,
                 std::array<std::u16string, N>& texts) {
    for (std::size_t i = 0; i < N; ++i) {
        if (Status s = readText(fields, controls[i], texts[i])) return s;
    }
    return std::nullopt;
}

// Read number on a control's text; NotANumber names the control and carries the text.
Status toNumber(std::u16string_view text, std::string_view control, double& value);

// Ends an arithmetic step: FloatingPointFault, naming the result box, when the step faulted.
Status checkpoint(double stepResult, std::string_view resultControl);

// Writes the weight into the result box: the last act of a successful click.
Status writeResult(Fields& fields, std::string_view resultControl, double weight);

}  // namespace hengtiebao
