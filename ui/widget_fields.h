// SPDX-License-Identifier: GPL-3.0-or-later
// The calculators' view of the window: control texts looked up by objectName.
#pragma once

#include "core/fields.h"

class QWidget;

namespace hengtiebao {

// Text boxes give their text, combo boxes the text of their edit field. Any other or unknown
// name is a toolkit error: getText returns nothing, setText false.
class WidgetFields final : public Fields {
  public:
    explicit WidgetFields(QWidget& window) : m_window(window) {}

    std::optional<std::u16string> getText(std::string_view control) override;
    bool setText(std::string_view control, std::u16string_view text) override;

  private:
    QWidget* find(std::string_view control) const;

    QWidget& m_window;
};

}  // namespace hengtiebao
