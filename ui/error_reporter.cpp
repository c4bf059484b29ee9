// Failure messages and the message box that shows them.
#include "ui/error_reporter.h"

#include <QMessageBox>

#include "ui/controls.h"

namespace hengtiebao {

using namespace Qt::StringLiterals;

namespace {

QString fromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The field as its label calls it; the frame is plain from the button just clicked.
QString fieldName(const std::string& control) {
    if (auto words = fieldWords(control)) return fromUtf16(words->field);
    return QString::fromStdString(control);
}

// A model text can be as long as the user cares to type; the box shows its start.
QString quotedModel(std::u16string_view model) {
    constexpr std::size_t kShown = 30;
    QString shown = fromUtf16(model.substr(0, kShown));
    if (model.size() > kShown) shown += QChar(u'…');
    return u"“"_s + shown + u"”"_s;
}

}  // namespace

QString failureMessage(const Failure& failure) {
    switch (failure.kind) {
        case FailureKind::NotANumber:
            return u"类型不匹配："_s + fieldName(failure.control) + u"不是数字。"_s;
        case FailureKind::FloatingPointFault:
            return u"溢出、除以零或无效运算：结果超出了数值范围。"_s;
        case FailureKind::UnknownModel: {
            if (failure.text.empty()) return u"型号为空，不在表中。"_s;
            QString message = u"型号"_s + quotedModel(failure.text) + u"不在表中。"_s;
            if (!failure.suggestion.empty())
                message += u"您是否要找"_s + quotedModel(failure.suggestion) + u"？"_s;
            return message;
        }
        case FailureKind::ToolkitError:
            return u"界面错误：无法读取或写入"_s + fieldName(failure.control) + u"框的文字。"_s;
    }
    return u"计算失败。"_s;
}

void MessageBoxReporter::report(const Failure& failure) {
    QMessageBox box(QMessageBox::Warning, m_window.windowTitle(), failureMessage(failure),
                    QMessageBox::Ok, &m_window);
    box.exec();
}

}  // namespace hengtiebao
