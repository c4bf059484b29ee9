// SPDX-License-Identifier: GPL-3.0-or-later
// The control table of the main window and the words that name its fields.
#include "core/controls.h"

#include <array>

namespace hengtiebao {
namespace {

constexpr std::optional<Rgb> rgb(int red, int green, int blue) {
    return Rgb{red, green, blue};
}
constexpr std::optional<Rgb> kDefault = std::nullopt;

using enum ControlKind;

// clang-format off
constexpr std::array kControls{
//          kind           name        parent    text                                           left   top     width height background          tab
    Control{Frame,         "Frame1",   "Form1",  u"普通钢板",                                    120,  120,      3015, 1815, rgb(255, 192, 128),  0},
    Control{Label,         "Label1",   "Frame1", u"长度：",                                      120,  420,       615,  255, rgb(255, 192, 128),  1},
    Control{Label,         "Label2",   "Frame1", u"宽度：",                                     1560,  420,       615,  255, rgb(255, 192, 128),  2},
    Control{Label,         "Label3",   "Frame1", u"厚度：",                                      120,  920,       615,  255, rgb(255, 192, 128),  3},
    Control{Label,         "Label4",   "Frame1", u"密度：",                                     1560,  920,       615,  255, rgb(255, 192, 128),  4},
    Control{Button,        "Command1", "Frame1", u"计算",                                        360, 1220,       855,  495, kDefault,            5},
    Control{LabelFitsText, "Label5",   "Frame1", u"结果：",                                     1440, 1400,       540,  180, rgb(255, 192, 128),  6},
    Control{TextBox,       "chang1",   "Frame1", u"",                                            720,  360,       735,  270, kDefault,            7},
    Control{TextBox,       "chang2",   "Frame1", u"",                                           2160,  360,       735,  270, kDefault,            8},
    Control{TextBox,       "chang3",   "Frame1", u"",                                            720,  860,       735,  270, kDefault,            9},
    Control{ComboBox,      "Combo1",   "Frame1", u"7.85",                                       2160,  860,       735,  300, kDefault,           10},
    Control{TextBox,       "jieguo1",  "Frame1", u"",                                           2040, 1350,       855,  270, kDefault,           11},
    Control{Frame,         "Frame2",   "Form1",  u"普通圆钢",                                   3360,  120,      1935, 1815, rgb(192, 0, 192),   12},
    Control{LabelFitsText, "Label6",   "Frame2", u" d  ：",                                      120,  420,       540,  180, rgb(192, 0, 192),   13},
    Control{LabelFitsText, "Label7",   "Frame2", u"长度：",                                      120,  920,       540,  180, rgb(192, 0, 192),   14},
    Control{Button,        "Command2", "Frame2", u"计算结果",                                    120, 1300,       855,  375, kDefault,           15},
    Control{TextBox,       "yuan1",    "Frame2", u"",                                           1080,  360,       735,  270, kDefault,           16},
    Control{TextBox,       "yuan2",    "Frame2", u"",                                           1080,  860,       735,  270, kDefault,           17},
    Control{TextBox,       "yuan3",    "Frame2", u"",                                           1080, 1350,       735,  270, kDefault,           18},
    Control{Frame,         "Frame3",   "Form1",  u"普通方钢",                                   5520,  120,      1935, 1815, rgb(255, 192, 255), 19},
    Control{Label,         "Label8",   "Frame3", u" a  ：",                                      120,  420,       615,  255, rgb(255, 192, 255), 20},
    Control{Label,         "Label9",   "Frame3", u"长度：",                                      120,  920,       615,  255, rgb(255, 192, 255), 21},
    Control{Button,        "Command3", "Frame3", u"计算结果",                                    120, 1300,       855,  375, kDefault,           22},
    Control{TextBox,       "fang1",    "Frame3", u"",                                           1080,  360,       735,  270, kDefault,           23},
    Control{TextBox,       "fang2",    "Frame3", u"",                                           1080,  860,       735,  270, kDefault,           24},
    Control{TextBox,       "fang3",    "Frame3", u"",                                           1080, 1350,       735,  270, kDefault,           25},
    Control{Frame,         "Frame4",   "Form1",  u"普通六角钢",                                 7680,  120,      2055, 1815, rgb(128, 128, 255), 26},
    Control{Label,         "Label10",  "Frame4", u" a  ：",                                      120,  420,       735,  375, rgb(128, 128, 255), 27},
    Control{Label,         "Label11",  "Frame4", u"长度：",                                      120,  920,       735,  255, rgb(128, 128, 255), 28},
    Control{Button,        "Command4", "Frame4", u"计算结果",                                    120, 1300,       855,  375, kDefault,           29},
    Control{TextBox,       "liu1",     "Frame4", u"",                                            960,  360,       855,  270, kDefault,           30},
    Control{TextBox,       "liu2",     "Frame4", u"",                                            960,  860,       855,  270, kDefault,           31},
    Control{TextBox,       "liu3",     "Frame4", u"",                                           1080, 1350,       855,  270, kDefault,           32},
    Control{Frame,         "Frame5",   "Form1",  u"热轧等边角钢（GB9787-88）",                   120, 2040,      3015, 1215, rgb(192, 255, 192), 33},
    Control{LabelFitsText, "Label12",  "Frame5", u"规格：",                                      120,  420,       540,  180, rgb(192, 255, 192), 34},
    Control{LabelFitsText, "Label13",  "Frame5", u"长度：",                                     1680,  420,       540,  180, rgb(192, 255, 192), 35},
    Control{Button,        "Command5", "Frame5", u"计算结果",                                    360,  750,       975,  375, kDefault,           36},
    Control{TextBox,       "dj2",      "Frame5", u"",                                           2160,  360,       735,  270, kDefault,           37},
    Control{TextBox,       "dj3",      "Frame5", u"",                                           1680,  800,      1095,  270, kDefault,           38},
    Control{ComboBox,      "dj1",      "Frame5", u"20×3",                                        600,  360,       975,  300, kDefault,           39},
    Control{Frame,         "Frame6",   "Form1",  u"热轧不等边角钢（GB9788-88）",                3240, 2040,      3255, 1215, kDefault,           40},
    Control{LabelFitsText, "Label14",  "Frame6", u"规格：",                                      120,  420,       540,  180, kDefault,           41},
    Control{LabelFitsText, "Label15",  "Frame6", u"长度：",                                      120,  850,       540,  180, kDefault,           42},
    Control{Button,        "Command6", "Frame6", u"计算",                                       2235,  240,       810,  375, kDefault,           43},
    Control{ComboBox,      "bj1",      "Frame6", u"25×16×3",                                     600,  360,      1455,  300, kDefault,           44},
    Control{TextBox,       "bj2",      "Frame6", u"",                                            600,  800,       975,  270, kDefault,           45},
    Control{TextBox,       "bj3",      "Frame6", u"",                                           2040,  800,      1095,  270, kDefault,           46},
    Control{Frame,         "Frame7",   "Form1",  u"热轧槽钢（GB707-88）",                       6600, 2040,      3135, 1215, rgb(255, 255, 192), 47},
    Control{Label,         "Label16",  "Frame7", u"型号：",                                      120,  420,       735,  255, rgb(255, 255, 192), 48},
    Control{ComboBox,      "cg1",      "Frame7", u"16a",                                         720,  360,       975,  300, kDefault,           49},
    Control{Label,         "Label17",  "Frame7", u"长度：",                                      120,  850,       615,  255, rgb(255, 255, 192), 50},
    Control{TextBox,       "cg2",      "Frame7", u"",                                            720,  800,       975,  270, kDefault,           51},
    Control{Button,        "Command7", "Frame7", u"计算",                                       2040,  240,       855,  375, kDefault,           52},
    Control{TextBox,       "cg3",      "Frame7", u"",                                           1920,  800,      1095,  270, kDefault,           53},
    Control{Frame,         "Frame8",   "Form1",  u"热轧工字钢（GB706-88）",                      120, 3360,      3015, 1335, kDefault,           54},
    Control{LabelFitsText, "Label18",  "Frame8", u"型号：",                                      120,  360,       540,  180, kDefault,           55},
    Control{LabelFitsText, "Label19",  "Frame8", u"长度：",                                      120,  840,       540,  180, kDefault,           56},
    Control{Button,        "Command8", "Frame8", u"计算",                                       1920,  240,       855,  375, kDefault,           57},
    Control{ComboBox,      "gg1",      "Frame8", u"10",                                          600,  300,       975,  300, kDefault,           58},
    Control{TextBox,       "gg2",      "Frame8", u"",                                            600,  800,       975,  270, kDefault,           59},
    Control{TextBox,       "gg3",      "Frame8", u"",                                           1800,  800,      1095,  270, kDefault,           60},
    Control{Frame,         "Frame9",   "Form1",  u"",                                           3240, 3360,      6495, 1335, kDefault,           61},
    Control{LabelFitsText, "Label20",  "Frame9", u"重量为按国家标准计算的理论值，仅供参考。",    360,  240, kFitsText,  180, kDefault,           62},
    Control{LabelFitsText, "Label21",  "Frame9", u"长度单位：毫米（mm）  重量单位：千克（kg）",  360,  600, kFitsText,  180, kDefault,           63},
    Control{LabelFitsText, "Label22",  "Frame9", u"2006年2月",                                  5160, 1080,       810,  180, kDefault,           64},
    Control{LabelFitsText, "Label23",  "Frame9", u"衡铁宝",                                     5355,  840, kFitsText,  180, kDefault,           65},
};
// clang-format on

constexpr bool rowsInTabOrder() {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].tab != static_cast<int>(i)) return false;
    return true;
}
static_assert(rowsInTabOrder(), "the window walks the rows in tab order");

constexpr bool sameColour(const std::optional<Rgb>& a, const std::optional<Rgb>& b) {
    if (!a || !b) return !a && !b;
    return a->red == b->red && a->green == b->green && a->blue == b->blue;
}

constexpr bool labelsHaveTheirFramesColour() {
    for (const Control& label : kControls) {
        if (label.kind != Label && label.kind != LabelFitsText) continue;
        for (const Control& frame : kControls)
            if (frame.name == label.parent && !sameColour(frame.background, label.background))
                return false;
    }
    return true;
}
static_assert(labelsHaveTheirFramesColour(), "labels are drawn through onto their frame");

struct NamedField {
    std::string_view control;
    FieldWords words;
};

// Every focusable control; the labels beside the boxes ("长度：") repeat from frame to frame,
// so a screen reader and a failure report need the stock as well.
constexpr std::array kFieldWords{
    NamedField{"Command1", {u"钢板", u"重量计算", ""}},
    NamedField{"chang1", {u"钢板", u"长度", "Label1"}},
    NamedField{"chang2", {u"钢板", u"宽度", "Label2"}},
    NamedField{"chang3", {u"钢板", u"厚度", "Label3"}},
    NamedField{"Combo1", {u"钢板", u"密度", "Label4"}},
    NamedField{"jieguo1", {u"钢板", u"重量结果", "Label5"}},
    NamedField{"Command2", {u"圆钢", u"重量计算", ""}},
    NamedField{"yuan1", {u"圆钢", u"直径", "Label6"}},
    NamedField{"yuan2", {u"圆钢", u"长度", "Label7"}},
    NamedField{"yuan3", {u"圆钢", u"重量结果", ""}},
    NamedField{"Command3", {u"方钢", u"重量计算", ""}},
    NamedField{"fang1", {u"方钢", u"边长", "Label8"}},
    NamedField{"fang2", {u"方钢", u"长度", "Label9"}},
    NamedField{"fang3", {u"方钢", u"重量结果", ""}},
    NamedField{"Command4", {u"六角钢", u"重量计算", ""}},
    NamedField{"liu1", {u"六角钢", u"对边距离", "Label10"}},
    NamedField{"liu2", {u"六角钢", u"长度", "Label11"}},
    NamedField{"liu3", {u"六角钢", u"重量结果", ""}},
    NamedField{"Command5", {u"等边角钢", u"重量计算", ""}},
    NamedField{"dj1", {u"等边角钢", u"规格", "Label12"}},
    NamedField{"dj2", {u"等边角钢", u"长度", "Label13"}},
    NamedField{"dj3", {u"等边角钢", u"重量结果", ""}},
    NamedField{"Command6", {u"不等边角钢", u"重量计算", ""}},
    NamedField{"bj1", {u"不等边角钢", u"规格", "Label14"}},
    NamedField{"bj2", {u"不等边角钢", u"长度", "Label15"}},
    NamedField{"bj3", {u"不等边角钢", u"重量结果", ""}},
    NamedField{"Command7", {u"槽钢", u"重量计算", ""}},
    NamedField{"cg1", {u"槽钢", u"型号", "Label16"}},
    NamedField{"cg2", {u"槽钢", u"长度", "Label17"}},
    NamedField{"cg3", {u"槽钢", u"重量结果", ""}},
    NamedField{"Command8", {u"工字钢", u"重量计算", ""}},
    NamedField{"gg1", {u"工字钢", u"型号", "Label18"}},
    NamedField{"gg2", {u"工字钢", u"长度", "Label19"}},
    NamedField{"gg3", {u"工字钢", u"重量结果", ""}},
};

}  // namespace

std::span<const Control> controlTable() {
    return kControls;
}

std::optional<FieldWords> fieldWords(std::string_view control) {
    for (const NamedField& named : kFieldWords)
        if (named.control == control) return named.words;
    return std::nullopt;
}

std::u16string spokenName(std::string_view control) {
    const auto words = fieldWords(control);
    return words ? std::u16string(words->stock) + std::u16string(words->field) : std::u16string();
}

}  // namespace hengtiebao
