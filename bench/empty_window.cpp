// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the window's start: an empty Qt window of the same size, up to its first paint.
// Built a second time with one line of Chinese text, to show what text alone costs the toolkit:
// the font database, a CJK font and its glyphs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "bench/first_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(654, 319);  // the main window's client area, so only the contents differ
#ifdef HENGTIEBAO_ONE_LABEL
    QLabel label(QStringLiteral(u"普通钢板"), &window);
#endif
    hengtiebao::ExitAfterFirstPaint exit;
    window.installEventFilter(&exit);
    window.show();
    return app.exec();
}
