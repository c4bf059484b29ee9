// SPDX-License-Identifier: GPL-3.0-or-later
// The message box that shows a failure in its words.
#include "ui/error_reporter.h"

#include <QMessageBox>
#include <QPushButton>

#include "ui/qt_text.h"

namespace hengtiebao {

using namespace Qt::StringLiterals;

QString failureMessage(const Failure& failure) {
    return toQString(failureText(failure));
}

// The box follows the desktop's look and font size, unlike the fixed window: it has a layout of
// its own, and a reader who chose large text on the desktop reads the message in it.
Reply MessageBoxReporter::report(const Failure& failure) {
    QMessageBox box(QMessageBox::Warning, u"衡铁宝"_s, failureMessage(failure),
                    QMessageBox::NoButton, &m_window);
    if (const std::u16string choice = suggestionChoice(failure); !choice.empty()) {
        QPushButton* use = box.addButton(toQString(choice), QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(use);
        box.exec();
        return box.clickedButton() == use ? Reply::UseSuggestion : Reply::Acknowledged;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return Reply::Acknowledged;
}

}  // namespace hengtiebao
