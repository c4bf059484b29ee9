// SPDX-License-Identifier: GPL-3.0-or-later
// Reads and writes the window's controls for the calculators.
#include "ui/widget_fields.h"

#include <QComboBox>
#include <QLineEdit>

#include "ui/qt_text.h"

namespace hengtiebao {

QWidget* WidgetFields::find(std::string_view control) const {
    return m_window.findChild<QWidget*>(toQString(control));
}

std::optional<std::u16string> WidgetFields::getText(std::string_view control) {
    QWidget* widget = find(control);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text().toStdU16String();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText().toStdU16String();
    return std::nullopt;
}

bool WidgetFields::setText(std::string_view control, std::u16string_view text) {
    const QString value = toQString(text);
    QWidget* widget = find(control);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setText(value);
        box->setCursorPosition(0);  // a long weight must show its first digits, not its last
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // A listed text is picked from the list, as the user would; the index may not change
        // while the typed text does, so the text is set as well.
        const int index = combo->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0) combo->setCurrentIndex(index);
        combo->setEditText(value);
        combo->lineEdit()->setCursorPosition(0);
        return true;
    }
    return false;
}

}  // namespace hengtiebao
