// SPDX-License-Identifier: GPL-3.0-or-later
// The window on desktops unlike the test machine's: a dark theme, an 11-point font, an English
// locale. It must look as it was drawn: black text, white boxes, every text whole, Chinese words.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionGroupBox>
#include <QToolTip>
#include <QtTest>
#include <cmath>
#include <map>
#include <memory>

#include "tests/modal_guard.h"
#include "ui/main_window.h"

using namespace hengtiebao;
using namespace Qt::StringLiterals;

namespace {

// A desktop in a dark colour scheme (qt6ct's "darker"), with its UI font at 11 points.
QPalette darkPalette() {
    QPalette dark(QColor(0x22, 0x20, 0x20));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                      QPalette::ToolTipText, QPalette::BrightText})
        dark.setColor(role, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
    dark.setColor(QPalette::Button, QColor(0x40, 0x40, 0x40));
    return dark;
}

QFont largeFont() {
    QFont font(u"DejaVu Sans"_s);
    font.setPointSize(11);
    return font;
}

// WCAG contrast ratio of two colours, 1 to 21.
double contrast(QColor a, QColor b) {
    auto luminance = [](QColor c) {
        auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a text with its background, sampled from where the text is drawn: the most
// common colour is the background, the one farthest from it the strokes of the text.
double textContrast(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count > most) std::tie(background, most) = std::tie(colour, count);
    }
    double strongest = 1;
    for (const auto& [colour, count] : counts)
        strongest = std::max(strongest, contrast(QColor(background), QColor(colour)));
    return strongest;
}

struct ShownText {
    QWidget* widget;
    QString text;
    QRect area;      // where the text is drawn, in window coordinates
    int room;        // the width the text may take
    double minimum;  // contrast it needs
};

// Every text a user reads in the window, where it is drawn and the room it has.
std::vector<ShownText> shownTexts(QWidget& window) {
    std::vector<ShownText> texts;
    auto at = [&window](QWidget* w, QRect local) {
        return QRect(w->mapTo(&window, local.topLeft()), local.size());
    };
    constexpr double kOnFrames = 3.0, kInBoxes = 4.5;
    for (auto* label : window.findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        const QString text = label->text();
        const QSize size(std::min(metrics.horizontalAdvance(text), label->width()),
                         std::min(metrics.height(), label->height()));
        texts.push_back({label, text, at(label, QRect({0, 0}, size)), label->width(), kOnFrames});
    }
    for (auto* frame : window.findChildren<QGroupBox*>()) {
        if (frame->title().isEmpty()) continue;
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = frame->alignment();
        const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, frame);
        texts.push_back({frame, frame->title(), at(frame, title), frame->width() - 16, kOnFrames});
    }
    for (auto* button : window.findChildren<QPushButton*>()) {
        const QFontMetrics metrics(button->font());
        const QSize size(metrics.horizontalAdvance(button->text()), metrics.height());
        const QRect text = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size,
                                               button->rect().adjusted(4, 4, -4, -4));
        texts.push_back({button, button->text(), at(button, text), button->width() - 8, kInBoxes});
    }
    for (auto* box : window.findChildren<QLineEdit*>()) {
        const QFontMetrics metrics(box->font());
        const QRect inside = box->rect().adjusted(3, 3, -3, -3);
        const QRect text(inside.topLeft(),
                         QSize(std::min(metrics.horizontalAdvance(box->text()), inside.width()),
                               inside.height()));
        texts.push_back({box, box->text(), at(box, text), box->width() - 4, kInBoxes});
    }
    return texts;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanup();

    void darkThemeAndLargeFontBeforeTheWindow();
    void darkThemeAndLargeFontWhileItRuns();
    void toolkitWordsAreChinese();
    void ownWindowsKeepTheDesktopSize();
    void hanCharactersTakeSimplifiedForms();

  private:
    void verifyDrawnAsDesigned(QWidget& window);
    std::unique_ptr<MainWindow> openWindow();

    QPalette m_desktopPalette;
    QFont m_desktopFont;
};

void DesktopTest::initTestCase() {
    // What a desktop in an English locale gives the toolkit; nothing in the window may follow it.
    QCOMPARE(QLocale().name(), u"en_US"_s);
    m_desktopPalette = QApplication::palette();
    m_desktopFont = QApplication::font();
}

void DesktopTest::cleanup() {
    QApplication::setPalette(m_desktopPalette);
    QApplication::setFont(m_desktopFont);
}

std::unique_ptr<MainWindow> DesktopTest::openWindow() {
    auto window = std::make_unique<MainWindow>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
    for (auto* box : window->findChildren<QLineEdit*>())
        if (box->text().isEmpty()) box->setText(u"1234"_s);
    return window;
}

// Every text whole in its rectangle, and readable on its background.
void DesktopTest::verifyDrawnAsDesigned(QWidget& window) {
    const QImage image = window.grab().toImage();
    for (const ShownText& shown : shownTexts(window)) {
        const QString what = shown.widget->objectName() + u" “"_s + shown.text + u"”"_s;
        const int width = QFontMetrics(shown.widget->font()).horizontalAdvance(shown.text);
        QVERIFY2(width <= shown.room,
                 qPrintable(what + u" needs %1 px, has %2"_s.arg(width).arg(shown.room)));
        const double ratio = textContrast(image, shown.area);
        QVERIFY2(ratio >= shown.minimum, qPrintable(what + u" contrast %1"_s.arg(ratio)));
    }
    // The frame colours stay those of the table; the boxes stay white.
    QCOMPARE(image.pixelColor(window.findChild<QWidget*>(u"Frame7"_s)->geometry().bottomLeft() +
                              QPoint(4, -4)),
             QColor(255, 255, 192));
    QCOMPARE(image.pixelColor(window.findChild<QWidget*>(u"Frame8"_s)->geometry().bottomLeft() +
                              QPoint(4, -4)),
             QColor(0xef, 0xef, 0xef));
    auto* box = window.findChild<QLineEdit*>(u"gg3"_s);
    QCOMPARE(image.pixelColor(box->geometry().translated(box->parentWidget()->pos()).bottomRight() -
                              QPoint(4, 4)),
             QColor(Qt::white));
}

void DesktopTest::darkThemeAndLargeFontBeforeTheWindow() {
    QApplication::setPalette(darkPalette());
    QApplication::setFont(largeFont());
    auto window = openWindow();
    QVERIFY(window);
    verifyDrawnAsDesigned(*window);
}

void DesktopTest::darkThemeAndLargeFontWhileItRuns() {
    auto window = openWindow();
    QVERIFY(window);
    QApplication::setPalette(darkPalette());
    QApplication::setFont(largeFont());
    QApplication::processEvents();
    verifyDrawnAsDesigned(*window);
}

// The toolkit's own words: the failure box's button and a text box's context menu. Key names
// after a tab ("Ctrl+Z") and mnemonics ("(&U)") are keys, not words.
void DesktopTest::toolkitWordsAreChinese() {
    auto window = openWindow();
    QVERIFY(window);
    const QRegularExpression latin(u"[A-Za-z]"_s);
    auto words = [](QString text) {
        text = text.section(u'\t', 0, 0);
        return text.remove(QRegularExpression(u"\\(&.\\)|&"_s));
    };

    std::unique_ptr<QMenu> menu(
        window->findChild<QLineEdit*>(u"chang1"_s)->createStandardContextMenu());
    int actions = 0;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        ++actions;
        QVERIFY2(!words(action->text()).contains(latin), qPrintable(action->text()));
    }
    QVERIFY(actions >= 7);  // undo, redo, cut, copy, paste, delete, select all

    QStringList buttons;
    const testing::MessageBoxAnswer answer([&buttons](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons())
            buttons << button->text();
        box.buttons().front()->click();
    });
    window->findChild<QLineEdit*>(u"chang1"_s)->clear();
    QTest::mouseClick(window->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    QCOMPARE(buttons.size(), 1);
    QVERIFY2(!words(buttons.front()).contains(latin), qPrintable(buttons.front()));
}

// Failure boxes and tooltips are laid out for their text, so they keep the size the reader chose,
// in the window's Simplified face.
void DesktopTest::ownWindowsKeepTheDesktopSize() {
    QApplication::setFont(largeFont());
    auto window = openWindow();
    QVERIFY(window);
    auto* box = window->findChild<QLineEdit*>(u"chang1"_s);
    QFont failureFont;
    const testing::MessageBoxAnswer answer([&failureFont](QMessageBox& shown) {
        failureFont = shown.findChild<QLabel*>(u"qt_msgbox_label"_s)->font();
        shown.buttons().front()->click();
    });
    box->clear();
    QTest::mouseClick(window->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);

    for (const QFont& font : {failureFont, QToolTip::font()}) {
        QCOMPARE(font.pointSize(), 11);
        QCOMPARE(font.families().value(0), u"Noto Sans CJK SC"_s);
    }
    QCOMPARE(box->font().pointSize(), 9);
}

// 轧 has a stroke more in its Japanese form; drawn in the window's font it must equal the
// Simplified Chinese face, whatever the locale's language.
void DesktopTest::hanCharactersTakeSimplifiedForms() {
    auto window = openWindow();
    QVERIFY(window);
    const QFont windowFont = window->findChild<QLabel*>(u"Label1"_s)->font();
    auto draw = [&windowFont](const QString& family) {
        QFont font = windowFont;
        if (!family.isEmpty()) font.setFamilies({family});
        QImage image(40, 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(image.rect(), Qt::AlignCenter, u"轧："_s);
        return image;
    };
    QVERIFY2(draw(u"Noto Sans CJK SC"_s) != draw(u"Noto Sans CJK JP"_s),
             "the two forms must differ for this check to mean anything");
    QCOMPARE(draw(QString()), draw(u"Noto Sans CJK SC"_s));
}

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
