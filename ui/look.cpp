// SPDX-License-Identifier: GPL-3.0-or-later
// The window's pinned look: palette, font, style and the toolkit's translation, in one place.
#include "ui/look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QPointer>
#include <QStyle>
#include <QTranslator>
#include <QWidget>
#include <array>

// Resources of a static library are registered by hand, from the global namespace.
static void registerTranslations() {
    Q_INIT_RESOURCE(translations);
}

namespace hengtiebao {

using namespace Qt::StringLiterals;

namespace {

struct RoleColours {
    QPalette::ColorRole role;
    QRgb normal;    // active and inactive windows alike
    QRgb disabled;  // nothing in the window is disabled today; kept legible if it ever is
};

// The toolkit's own light palette, as Qt draws without a desktop theme: the colours the screenshot
// and the frame colours were chosen against.
constexpr std::array kClassicColours{
    RoleColours{QPalette::WindowText, 0xff000000, 0xffbebebe},
    RoleColours{QPalette::Button, 0xffefefef, 0xffefefef},
    RoleColours{QPalette::Light, 0xffffffff, 0xffffffff},
    RoleColours{QPalette::Midlight, 0xffcacaca, 0xffcacaca},
    RoleColours{QPalette::Dark, 0xff9f9f9f, 0xffbebebe},
    RoleColours{QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
    RoleColours{QPalette::Text, 0xff000000, 0xffbebebe},
    RoleColours{QPalette::BrightText, 0xffffffff, 0xffffffff},
    RoleColours{QPalette::ButtonText, 0xff000000, 0xffbebebe},
    RoleColours{QPalette::Base, 0xffffffff, 0xffefefef},
    RoleColours{QPalette::Window, 0xffefefef, 0xffefefef},
    RoleColours{QPalette::Shadow, 0xff767676, 0xffb1b1b1},
    RoleColours{QPalette::Highlight, 0xff308cc6, 0xff919191},
    RoleColours{QPalette::HighlightedText, 0xffffffff, 0xffffffff},
    RoleColours{QPalette::Link, 0xff0000ff, 0xff0000ff},
    RoleColours{QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
    RoleColours{QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7},
    RoleColours{QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
    RoleColours{QPalette::ToolTipText, 0xff000000, 0xff000000},
    RoleColours{QPalette::PlaceholderText, 0x80000000, 0x80000000},
};

// Asked for by name, so that Han characters take their Simplified forms whatever the locale
// (fontconfig otherwise picks the CJK face by the locale's language). Noto Sans CJK SC first: it
// is Debian's, the package recommends it, and the layout was measured in it. Then the faces every
// Windows has, so that Windows never searches further; Source Han Sans is Noto's design under
// Adobe's names; then the usual Simplified Chinese UI faces of older Linux desktops and macOS.
const QStringList kSimplifiedChineseFaces{
    u"Noto Sans CJK SC"_s,    u"Microsoft YaHei"_s, u"SimSun"_s,
    u"Source Han Sans SC"_s,  u"Noto Sans SC"_s,    u"Source Han Sans CN"_s,
    u"WenQuanYi Micro Hei"_s, u"PingFang SC"_s,
};

constexpr int kPointSize = 9;

// Windows with layouts of their own: failure boxes and tooltips. They keep the desktop's text
// size, so a reader who chose large text reads them in it. (Context menus take the font of the
// box they belong to.)
constexpr std::array kOwnLayouts{"QMessageBox", "QTipLabel"};

QFont sizedLike(QFont font, const QFont& desktop) {
    if (desktop.pointSizeF() > 0) {
        font.setPointSizeF(desktop.pointSizeF());
    } else {
        font.setPixelSize(desktop.pixelSize());
    }
    return font;
}

// The window's face for the whole application. A line edit lays out its empty text in the
// application's font while it is made, before it takes the window's: any other face would be
// loaded for that alone, at every start. The windows with layouts of their own get the same
// Simplified face at the desktop's size, so their Chinese words take Simplified forms too.
void useClassicFont() {
    const QFont classic = classicFont();
    if (QApplication::font() == classic) return;
    std::array<QFont, kOwnLayouts.size()> own;
    for (std::size_t i = 0; i < own.size(); ++i)
        own[i] = sizedLike(classic, QApplication::font(kOwnLayouts[i]));
    QApplication::setFont(classic);  // drops the fonts set per class, so they come after
    for (std::size_t i = 0; i < own.size(); ++i)
        QApplication::setFont(own[i], kOwnLayouts[i]);
}

// The fixed layout was drawn for the compact classic metrics: in them the density "7.85" fits
// its combo box and the frame captions sit in the border. Wider styles would clip the texts. Set
// for the application rather than per widget, so that no default style is made beside it and the
// combo boxes' lists, which the default style makes at once, wait for their first opening.
void useClassicStyle() {
    static QPointer<QStyle> classic;
    // Asking for the current style makes one if there is none yet: only once ours exists.
    if (classic && QApplication::style() == classic) return;
    classic = QApplication::setStyle(u"Windows"_s);
}

// Once per application: message box buttons and the text boxes' context menus speak Chinese.
void speakChinese() {
    const QString name = u"hengtiebao-qtbase-zh_CN"_s;
    if (!qApp || qApp->findChild<QTranslator*>(name)) return;
    registerTranslations();
    auto* translator = new QTranslator(qApp);
    translator->setObjectName(name);
    if (translator->load(u":/i18n/qtbase_zh_CN.qm"_s)) {
        QCoreApplication::installTranslator(translator);
    }
}

}  // namespace

QPalette classicPalette() {
    QPalette palette;
    for (const RoleColours& colours : kClassicColours) {
        palette.setColor(QPalette::All, colours.role, QColor::fromRgba(colours.normal));
        palette.setColor(QPalette::Disabled, colours.role, QColor::fromRgba(colours.disabled));
    }
    return palette;
}

QFont classicFont() {
    QFont font;
    font.setFamilies(kSimplifiedChineseFaces);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(kPointSize);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    // The layout was measured with glyphs hinted only vertically, at their fractional widths (a
    // Linux desktop's default). Full hinting rounds every glyph up to whole pixels: Windows's GDI
    // does, and "7.85" would then outgrow its box.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

void useClassicLook() {
    useClassicStyle();
    useClassicFont();
    speakChinese();
}

void pinClassicLook(QWidget& window) {
    useClassicLook();
    window.setPalette(classicPalette());
    window.setFont(classicFont());
}

}  // namespace hengtiebao
