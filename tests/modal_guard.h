// Closes any modal dialog a window test did not expect, and says what it was.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace hengtiebao::testing {

// The caption and text of the dialog closed, or "" when none was open.
inline QString closeUnexpectedModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return {};
    QString shown = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) shown += box->text();
    modal->close();
    return shown;
}

}  // namespace hengtiebao::testing
