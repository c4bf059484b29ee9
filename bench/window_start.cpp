// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start up to the first paint of its window: main() as the program has it, with
// the process ending after that paint.
#include <QApplication>

#include "bench/first_paint.h"
#include "ui/look.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    hengtiebao::useClassicLook();
    hengtiebao::MainWindow window;
    hengtiebao::ExitAfterFirstPaint exit;
    window.installEventFilter(&exit);
    window.show();
    return app.exec();
}
