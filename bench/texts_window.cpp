// SPDX-License-Identifier: GPL-3.0-or-later
// The same-texts floor for the window's start: every fixed text of the control table (captions,
// label and button texts, the combo boxes' initial texts) as a plain label at its control's
// place, and no controls, in the face and size the window pins. It loads the fonts and rasterises
// the glyphs any faithful window must, and nothing more. The combo boxes' lists are left out: no
// window shows them at its start.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <map>
#include <string_view>

#include "bench/first_paint.h"
#include "core/controls.h"
#include "ui/look.h"
#include "ui/qt_text.h"

int main(int argc, char* argv[]) {
    using hengtiebao::pixels;
    QApplication app(argc, argv);
    QWidget window;
    window.resize(654, 319);  // the main window's client area
    window.setFont(hengtiebao::classicFont());
    // Controls inside a frame are placed from the frame's top-left.
    std::map<std::string_view, QPoint> frames;
    for (const hengtiebao::Control& control : hengtiebao::controlTable()) {
        const QPoint place = QPoint(pixels(control.left), pixels(control.top)) +
                             (control.parent == "Form1" ? QPoint() : frames[control.parent]);
        if (control.kind == hengtiebao::ControlKind::Frame) frames[control.name] = place;
        if (control.text.empty()) continue;
        auto* label = new QLabel(hengtiebao::toQString(control.text), &window);
        label->move(place);
    }
    hengtiebao::ExitAfterFirstPaint exit;
    window.installEventFilter(&exit);
    window.show();
    return app.exec();
}
