// SPDX-License-Identifier: GPL-3.0-or-later
// The window's one place for failures: turns each into plain Chinese for the user.
#pragma once

#include <QString>

#include "core/failure.h"

class QWidget;

namespace hengtiebao {

// What the user reads for a failure: the frame and the field as the window labels them, and
// what to do about it.
//   NotANumber on yuan2, ""             -> 请输入圆钢的长度。
//   NotANumber on yuan2, "1ooo"         -> 圆钢的长度“1ooo”不是数字。请输入数字，如 1000 或 12.5。
//   FloatingPointFault on yuan3         -> 圆钢的重量太大，无法计算。请检查输入的数字。
//   UnknownModel on dj1, "20x3", "20×3" -> 等边角钢规格“20x3”不在列表中。
//                                          是否改用列表中的“20×3”计算？
//   UnknownModel on dj1, "56×6"         -> 等边角钢规格“56×6”不在列表中。请从列表中选择。
QString failureMessage(const Failure& failure);

// The user's answer to a report. Only a report of an unknown model with a suggestion offers
// the suggestion; every other report can only be acknowledged.
enum class Reply {
    Acknowledged,   // nothing is to change
    UseSuggestion,  // put the suggested model into the model box and compute, as if picked
};

// Replaceable so that tests can collect reports instead of facing a modal dialog.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    // Tells the user; changes no control. The program goes on afterwards.
    virtual Reply report(const Failure& failure) = 0;
};

// A modal warning box titled with the program's name; the suggestion, when there is one, has a
// button of its own beside Cancel.
class MessageBoxReporter final : public ErrorReporter {
  public:
    explicit MessageBoxReporter(QWidget& window) : m_window(window) {}
    Reply report(const Failure& failure) override;

  private:
    QWidget& m_window;
};

}  // namespace hengtiebao
