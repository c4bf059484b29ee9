// SPDX-License-Identifier: GPL-3.0-or-later
// Failure messages and the message box that shows them.
#include "ui/error_reporter.h"

#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "core/number_text.h"
#include "ui/controls.h"
#include "ui/qt_text.h"

namespace hengtiebao {

using namespace Qt::StringLiterals;

namespace {

// The frame's stock ("圆钢") and the field as its label calls it ("长度"); a control without
// words is named by itself.
struct Words {
    QString stock, field;
};
Words wordsFor(const std::string& control) {
    if (auto words = fieldWords(control)) return {toQString(words->stock), toQString(words->field)};
    return {QString::fromStdString(control), QString()};
}

// A typed text can be as long as the user cares to type; the box shows its start.
QString inQuotes(std::u16string_view text) {
    constexpr qsizetype kShown = 30;
    const QString whole = toQString(text);
    QString shown = startOf(whole, kShown);
    if (whole.size() > kShown) shown += QChar(u'…');
    return u"“"_s + shown + u"”"_s;
}

bool isEmptyText(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), isBlank);
}

}  // namespace

QString failureMessage(const Failure& failure) {
    const auto [stock, field] = wordsFor(failure.control);
    const bool empty = isEmptyText(failure.text);
    switch (failure.kind) {
        case FailureKind::NotANumber:
            if (empty) return u"请输入"_s + stock + u"的"_s + field + u"。"_s;
            return stock + u"的"_s + field + inQuotes(failure.text) +
                   u"不是数字。请输入数字，如 1000 或 12.5。"_s;
        case FailureKind::FloatingPointFault:
            return stock + u"的重量太大，无法计算。请检查输入的数字。"_s;
        case FailureKind::UnknownModel: {
            if (empty) return u"请选择或输入"_s + stock + u"的"_s + field + u"。"_s;
            const QString absent = stock + field + inQuotes(failure.text) + u"不在列表中。"_s;
            if (failure.suggestion.empty()) return absent + u"请从列表中选择。"_s;
            return absent + u"\n是否改用列表中的"_s + inQuotes(failure.suggestion) + u"计算？"_s;
        }
        case FailureKind::ToolkitError:
            return u"界面错误：无法读取或写入"_s + stock + field + u"框的文字。"_s;
    }
    return u"计算失败。"_s;
}

// The box follows the desktop's look and font size, unlike the fixed window: it has a layout of
// its own, and a reader who chose large text on the desktop reads the message in it.
Reply MessageBoxReporter::report(const Failure& failure) {
    QMessageBox box(QMessageBox::Warning, u"衡铁宝"_s, failureMessage(failure),
                    QMessageBox::NoButton, &m_window);
    if (failure.kind == FailureKind::UnknownModel && !failure.suggestion.empty()) {
        QPushButton* use =
            box.addButton(u"改用"_s + inQuotes(failure.suggestion), QMessageBox::AcceptRole);
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
