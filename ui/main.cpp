// SPDX-License-Identifier: GPL-3.0-or-later
// 衡铁宝: opens the one window; closing it ends the program.
#include <QApplication>

#include "ui/command_line.h"
#include "ui/look.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    // --help and --version answer before the toolkit connects to a display, so need none.
    if (const auto answer = hengtiebao::answerBeforeToolkit(argc, argv))
        return hengtiebao::printAnswer(*answer);
    QApplication app(argc, argv);  // takes its own options (-platform, -style, ...) out of argv
    if (const auto answer = hengtiebao::answerCommandLine(QCoreApplication::arguments()))
        return hengtiebao::printAnswer(*answer);
    hengtiebao::useClassicLook();  // before any widget: no other style or face is made
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(HENGTIEBAO_APP_ID));
    hengtiebao::MainWindow window;
    window.show();
    return app.exec();
}
