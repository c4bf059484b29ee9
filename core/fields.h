// SPDX-License-Identifier: GPL-3.0-or-later
// The two text operations through which calculators reach a window's controls.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hengtiebao {

// Controls are named as in the window ("chang1", "Combo1", "jieguo1"). A combo box's text is the
// text of its edit field. The window caches nothing: every getText reads the control afresh.
class Fields {
  public:
    virtual ~Fields() = default;

    // The control's current text, or nothing when the toolkit cannot read it.
    virtual std::optional<std::u16string> getText(std::string_view control) = 0;

    // Replaces the control's text; false when the toolkit cannot set it.
    virtual bool setText(std::string_view control, std::u16string_view text) = 0;
};

}  // namespace hengtiebao
