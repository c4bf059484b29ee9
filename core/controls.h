// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls as data, from which the page is written too: one row per control, in tab
// order, and the words that name them.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hengtiebao {

enum class ControlKind {
    Frame,          // group box filled with its colour, caption in the top-left of the border
    Label,          // one line of static text in a rectangle of fixed size
    LabelFitsText,  // one line of static text in a rectangle exactly the size of the text
    TextBox,        // single-line editable text, no length limit
    ComboBox,       // editable text with a drop-down list of fixed items
    Button,         // push button; its click runs its frame's calculator
};

struct Rgb {
    int red, green, blue;
};

// Places and sizes are in twips (15 to a pixel at 96 dpi), from the top-left of the window's
// client area for frames and from the outer top-left of the frame for everything inside one.
struct Control {
    ControlKind kind;
    std::string_view name;     // objectName, also the name the calculators use
    std::string_view parent;   // "Form1" for the window itself
    std::u16string_view text;  // caption, label text or initial edit text
    int left, top, width, height;
    std::optional<Rgb> background;  // nothing: the toolkit's colour for that kind of control
    int tab;                        // place in the tab order; equal to the row's index
};

inline constexpr int kFitsText = -1;  // width of a label whose text decides its width

std::span<const Control> controlTable();

// 96 dpi pixels; Qt scales them for other densities.
constexpr int pixels(int twips) {
    return (twips + 7) / 15;
}

// The words a user reads for a focusable control: its frame's stock ("钢板"), its field ("长度")
// and the label beside it, if any.
//   fieldWords("chang1") -> {u"钢板", u"长度", "Label1"}
//   fieldWords("yuan3")  -> {u"圆钢", u"重量结果", ""}
//   fieldWords("Label1") -> nothing
struct FieldWords {
    std::u16string_view stock;
    std::u16string_view field;
    std::string_view label;  // the label that names the box on screen, "" when none does
};
std::optional<FieldWords> fieldWords(std::string_view control);

// The name a screen reader says for a focusable control: its stock and field, "" for another.
//   spokenName("chang1") -> u"钢板长度"
std::u16string spokenName(std::string_view control);

}  // namespace hengtiebao
