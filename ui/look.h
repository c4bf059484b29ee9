// SPDX-License-Identifier: GPL-3.0-or-later
// How the window looks on any desktop: the classic style, a light palette, a 9-point Simplified
// Chinese face, and the toolkit's own words in Simplified Chinese.
#pragma once

#include <QColor>

class QFont;
class QPalette;
class QWidget;

namespace hengtiebao {

// The dialog face: frames without a colour of their own, buttons, the classic grey.
inline const QColor kFaceColour{0xef, 0xef, 0xef};

// The classic style, the window's face and the toolkit's Simplified Chinese words for the whole
// application. Called before the first widget is made (as main() does), the style is the only
// one ever made and no other face is loaded for the window; called later, they replace the
// desktop's.
void useClassicLook();

// Sets the palette and font on the window before its controls are made, so every control
// inherits them and none is measured twice. The places and colours of the layout are fixed, so a
// desktop's dark theme or large font, at start or later, must not reach it. Also makes sure of
// the application-wide look above, for windows made without main().
void pinClassicLook(QWidget& window);

// The light palette the frame colours were chosen against: black text, white edit fields.
QPalette classicPalette();

// 9 points (a 12-pixel line at 96 dpi), the size the layout was measured in, in the first
// Simplified Chinese face the desktop has.
QFont classicFont();

}  // namespace hengtiebao
