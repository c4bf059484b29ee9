// The window's one place for failures: turns each into plain Chinese for the user.
#pragma once

#include <QString>

#include "core/failure.h"

class QWidget;

namespace hengtiebao {

// What the user reads for a failure, naming what went wrong and in which field:
//   NotANumber on chang1            -> "类型不匹配：长度不是数字。"
//   FloatingPointFault              -> "溢出、除以零或无效运算：结果超出了数值范围。"
//   UnknownModel "20x3", "20×3"     -> "型号“20x3”不在表中。您是否要找“20×3”？"
//   UnknownModel "56×6", no guess   -> "型号“56×6”不在表中。"
QString failureMessage(const Failure& failure);

// Replaceable so that tests can collect reports instead of facing a modal dialog.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    // Tells the user; changes no control. The program goes on afterwards.
    virtual void report(const Failure& failure) = 0;
};

// A modal warning box titled with the window's caption.
class MessageBoxReporter final : public ErrorReporter {
  public:
    explicit MessageBoxReporter(QWidget& window) : m_window(window) {}
    void report(const Failure& failure) override;

  private:
    QWidget& m_window;
};

}  // namespace hengtiebao
