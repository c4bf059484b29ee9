// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start up to the first paint of its window: main() as the program has it, with
// the process ending after that paint.
#include <QApplication>

#include "bench/first_paint.h"
#include "ui/command_line.h"
#include "ui/look.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    if (const auto answer = hengtiebao::answerBeforeToolkit(argc, argv))
        return hengtiebao::printAnswer(*answer);
    QApplication app(argc, argv);
    if (const auto answer = hengtiebao::answerCommandLine(QCoreApplication::arguments()))
        return hengtiebao::printAnswer(*answer);
    hengtiebao::useClassicLook();
    hengtiebao::MainWindow window;
    hengtiebao::ExitAfterFirstPaint exit;
    window.installEventFilter(&exit);
    window.show();
    return app.exec();
}
