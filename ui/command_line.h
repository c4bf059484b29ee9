// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: --help and --version answer instead of the window; whatever else is left once
// the toolkit has taken its own options is refused before the window is made.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace hengtiebao {

// What the program prints instead of opening its window, and the status it ends with: 0 for an
// answer (printed on standard output), 2 for a refusal (on standard error).
struct CommandLineAnswer {
    QString text;  // whole lines, each ending in a newline
    int status;
};

// From argv, before QApplication is made: answers --help and --version when every argument is the
// program's own, so that they need no display. Anything else may be the toolkit's (-platform,
// -style, -display, ...), which only QApplication can tell, so it waits for answerCommandLine.
//   {"hengtiebao", "--version"}                      -> {"hengtiebao 1.0.0\n", 0}
//   {"hengtiebao", "-platform", "offscreen", "-v"}   -> nothing yet
//   {"hengtiebao"}                                   -> nothing: open the window
std::optional<CommandLineAnswer> answerBeforeToolkit(int argc, const char* const* argv);

// From QCoreApplication::arguments(), which lack the toolkit's options: answers as above, and
// refuses any other option or argument.
//   {"hengtiebao", "-v"}        -> {"hengtiebao 1.0.0\n", 0}
//   {"hengtiebao", "--nosuch"}  -> {"hengtiebao: unknown option '--nosuch'\nTry ...\n", 2}
//   {"hengtiebao"}              -> nothing: open the window
// Help and refusals are in Simplified Chinese when the system locale's language is Chinese,
// in English otherwise.
std::optional<CommandLineAnswer> answerCommandLine(const QStringList& arguments);

// Prints the answer where it belongs and returns the status to end with.
int printAnswer(const CommandLineAnswer& answer);

}  // namespace hengtiebao
