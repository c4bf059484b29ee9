// SPDX-License-Identifier: GPL-3.0-or-later
// The window's one place for failures: shows each to the user in the failure's own words.
#pragma once

#include <QString>

#include "core/failure.h"
#include "core/failure_text.h"

class QWidget;

namespace hengtiebao {

// failureText (core/failure_text.h) as the toolkit's string.
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
