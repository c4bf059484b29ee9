// SPDX-License-Identifier: GPL-3.0-or-later
// Closes any modal dialog a window test did not expect, and says what it was; answers the ones
// it does expect.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

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

// Answers the next message box to open, once, as the user would; for as long as it lives.
class MessageBoxAnswer {
  public:
    explicit MessageBoxAnswer(std::function<void(QMessageBox&)> answer) {
        m_timer.setInterval(10);
        m_timer.callOnTimeout(&m_timer, [this, answer = std::move(answer)] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            m_timer.stop();
            answer(*box);
        });
        m_timer.start();
    }

  private:
    QTimer m_timer;
};

}  // namespace hengtiebao::testing
