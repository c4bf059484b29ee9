// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user drives it: typing, Tab, clicks with the mouse, headless.
#include <QAbstractProxyModel>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "tests/modal_guard.h"
#include "ui/error_reporter.h"
#include "ui/main_window.h"
#include "ui/widget_fields.h"

using namespace hengtiebao;
using namespace Qt::StringLiterals;

namespace {

// Reports land here instead of in a modal box, answered as the test says.
class CollectingReporter final : public ErrorReporter {
  public:
    CollectingReporter(std::vector<Failure>& failures, const Reply& reply)
        : m_failures(failures), m_reply(reply) {}
    Reply report(const Failure& failure) override {
        m_failures.push_back(failure);
        return m_reply;
    }

  private:
    std::vector<Failure>& m_failures;
    const Reply& m_reply;
};

constexpr std::optional<QRgb> kFace = std::nullopt;  // the toolkit's dialog face colour

// The window as it must open, written out independently of the program's own table.
// Places and sizes in twips, 15 to a pixel at 96 dpi.
struct Expected {
    const char* name;
    const char* kind;  // Qt class
    bool fitsText;     // label sized to its text; width and height are only the 9-point size
    const char* parent;
    QString text;
    int left, top, width, height;
    std::optional<QRgb> background;
};

const QRgb kOrange = qRgb(255, 192, 128);
const QRgb kPurple = qRgb(192, 0, 192);
const QRgb kPink = qRgb(255, 192, 255);
const QRgb kBlue = qRgb(128, 128, 255);
const QRgb kGreen = qRgb(192, 255, 192);
const QRgb kYellow = qRgb(255, 255, 192);

// clang-format off
const std::vector<Expected> kLayout{
    {"Frame1",   "QGroupBox",   false, "Form1",  u"普通钢板"_s,                     120,  120, 3015, 1815, kOrange},
    {"Label1",   "QLabel",      false, "Frame1", u"长度："_s,                       120,  420,  615,  255, kOrange},
    {"Label2",   "QLabel",      false, "Frame1", u"宽度："_s,                      1560,  420,  615,  255, kOrange},
    {"Label3",   "QLabel",      false, "Frame1", u"厚度："_s,                       120,  920,  615,  255, kOrange},
    {"Label4",   "QLabel",      false, "Frame1", u"密度："_s,                      1560,  920,  615,  255, kOrange},
    {"Command1", "QPushButton", false, "Frame1", u"计算"_s,                         360, 1220,  855,  495, kFace},
    {"Label5",   "QLabel",      true,  "Frame1", u"结果："_s,                      1440, 1400,  540,  180, kOrange},
    {"chang1",   "QLineEdit",   false, "Frame1", u""_s,                             720,  360,  735,  270, kFace},
    {"chang2",   "QLineEdit",   false, "Frame1", u""_s,                            2160,  360,  735,  270, kFace},
    {"chang3",   "QLineEdit",   false, "Frame1", u""_s,                             720,  860,  735,  270, kFace},
    {"Combo1",   "QComboBox",   false, "Frame1", u"7.85"_s,                        2160,  860,  735,  300, kFace},
    {"jieguo1",  "QLineEdit",   false, "Frame1", u""_s,                            2040, 1350,  855,  270, kFace},
    {"Frame2",   "QGroupBox",   false, "Form1",  u"普通圆钢"_s,                    3360,  120, 1935, 1815, kPurple},
    {"Label6",   "QLabel",      true,  "Frame2", u" d  ："_s,                       120,  420,  540,  180, kPurple},
    {"Label7",   "QLabel",      true,  "Frame2", u"长度："_s,                       120,  920,  540,  180, kPurple},
    {"Command2", "QPushButton", false, "Frame2", u"计算结果"_s,                     120, 1300,  855,  375, kFace},
    {"yuan1",    "QLineEdit",   false, "Frame2", u""_s,                            1080,  360,  735,  270, kFace},
    {"yuan2",    "QLineEdit",   false, "Frame2", u""_s,                            1080,  860,  735,  270, kFace},
    {"yuan3",    "QLineEdit",   false, "Frame2", u""_s,                            1080, 1350,  735,  270, kFace},
    {"Frame3",   "QGroupBox",   false, "Form1",  u"普通方钢"_s,                    5520,  120, 1935, 1815, kPink},
    {"Label8",   "QLabel",      false, "Frame3", u" a  ："_s,                       120,  420,  615,  255, kPink},
    {"Label9",   "QLabel",      false, "Frame3", u"长度："_s,                       120,  920,  615,  255, kPink},
    {"Command3", "QPushButton", false, "Frame3", u"计算结果"_s,                     120, 1300,  855,  375, kFace},
    {"fang1",    "QLineEdit",   false, "Frame3", u""_s,                            1080,  360,  735,  270, kFace},
    {"fang2",    "QLineEdit",   false, "Frame3", u""_s,                            1080,  860,  735,  270, kFace},
    {"fang3",    "QLineEdit",   false, "Frame3", u""_s,                            1080, 1350,  735,  270, kFace},
    {"Frame4",   "QGroupBox",   false, "Form1",  u"普通六角钢"_s,                  7680,  120, 2055, 1815, kBlue},
    {"Label10",  "QLabel",      false, "Frame4", u" a  ："_s,                       120,  420,  735,  375, kBlue},
    {"Label11",  "QLabel",      false, "Frame4", u"长度："_s,                       120,  920,  735,  255, kBlue},
    {"Command4", "QPushButton", false, "Frame4", u"计算结果"_s,                     120, 1300,  855,  375, kFace},
    {"liu1",     "QLineEdit",   false, "Frame4", u""_s,                             960,  360,  855,  270, kFace},
    {"liu2",     "QLineEdit",   false, "Frame4", u""_s,                             960,  860,  855,  270, kFace},
    {"liu3",     "QLineEdit",   false, "Frame4", u""_s,                            1080, 1350,  855,  270, kFace},
    {"Frame5",   "QGroupBox",   false, "Form1",  u"热轧等边角钢（GB9787-88）"_s,    120, 2040, 3015, 1215, kGreen},
    {"Label12",  "QLabel",      true,  "Frame5", u"规格："_s,                       120,  420,  540,  180, kGreen},
    {"Label13",  "QLabel",      true,  "Frame5", u"长度："_s,                      1680,  420,  540,  180, kGreen},
    {"Command5", "QPushButton", false, "Frame5", u"计算结果"_s,                     360,  750,  975,  375, kFace},
    {"dj2",      "QLineEdit",   false, "Frame5", u""_s,                            2160,  360,  735,  270, kFace},
    {"dj3",      "QLineEdit",   false, "Frame5", u""_s,                            1680,  800, 1095,  270, kFace},
    {"dj1",      "QComboBox",   false, "Frame5", u"20×3"_s,                         600,  360,  975,  300, kFace},
    {"Frame6",   "QGroupBox",   false, "Form1",  u"热轧不等边角钢（GB9788-88）"_s, 3240, 2040, 3255, 1215, kFace},
    {"Label14",  "QLabel",      true,  "Frame6", u"规格："_s,                       120,  420,  540,  180, kFace},
    {"Label15",  "QLabel",      true,  "Frame6", u"长度："_s,                       120,  850,  540,  180, kFace},
    {"Command6", "QPushButton", false, "Frame6", u"计算"_s,                        2235,  240,  810,  375, kFace},
    {"bj1",      "QComboBox",   false, "Frame6", u"25×16×3"_s,                      600,  360, 1455,  300, kFace},
    {"bj2",      "QLineEdit",   false, "Frame6", u""_s,                             600,  800,  975,  270, kFace},
    {"bj3",      "QLineEdit",   false, "Frame6", u""_s,                            2040,  800, 1095,  270, kFace},
    {"Frame7",   "QGroupBox",   false, "Form1",  u"热轧槽钢（GB707-88）"_s,        6600, 2040, 3135, 1215, kYellow},
    {"Label16",  "QLabel",      false, "Frame7", u"型号："_s,                       120,  420,  735,  255, kYellow},
    {"cg1",      "QComboBox",   false, "Frame7", u"16a"_s,                          720,  360,  975,  300, kFace},
    {"Label17",  "QLabel",      false, "Frame7", u"长度："_s,                       120,  850,  615,  255, kYellow},
    {"cg2",      "QLineEdit",   false, "Frame7", u""_s,                             720,  800,  975,  270, kFace},
    {"Command7", "QPushButton", false, "Frame7", u"计算"_s,                        2040,  240,  855,  375, kFace},
    {"cg3",      "QLineEdit",   false, "Frame7", u""_s,                            1920,  800, 1095,  270, kFace},
    {"Frame8",   "QGroupBox",   false, "Form1",  u"热轧工字钢（GB706-88）"_s,       120, 3360, 3015, 1335, kFace},
    {"Label18",  "QLabel",      true,  "Frame8", u"型号："_s,                       120,  360,  540,  180, kFace},
    {"Label19",  "QLabel",      true,  "Frame8", u"长度："_s,                       120,  840,  540,  180, kFace},
    {"Command8", "QPushButton", false, "Frame8", u"计算"_s,                        1920,  240,  855,  375, kFace},
    {"gg1",      "QComboBox",   false, "Frame8", u"10"_s,                           600,  300,  975,  300, kFace},
    {"gg2",      "QLineEdit",   false, "Frame8", u""_s,                             600,  800,  975,  270, kFace},
    {"gg3",      "QLineEdit",   false, "Frame8", u""_s,                            1800,  800, 1095,  270, kFace},
    {"Frame9",   "QGroupBox",   false, "Form1",  u""_s,                            3240, 3360, 6495, 1335, kFace},
    {"Label20",  "QLabel",      true,  "Frame9", {},                                360,  240,    0,  180, kFace},
    {"Label21",  "QLabel",      true,  "Frame9", {},                                360,  600,    0,  180, kFace},
    {"Label22",  "QLabel",      true,  "Frame9", u"2006年2月"_s,                   5160, 1080,  810,  180, kFace},
    {"Label23",  "QLabel",      true,  "Frame9", {},                               5355,  840,    0,  180, kFace},
};
// clang-format on

const QStringList kTabOrder{
    u"Command1"_s, u"chang1"_s, u"chang2"_s,   u"chang3"_s, u"Combo1"_s,   u"jieguo1"_s,
    u"Command2"_s, u"yuan1"_s,  u"yuan2"_s,    u"yuan3"_s,  u"Command3"_s, u"fang1"_s,
    u"fang2"_s,    u"fang3"_s,  u"Command4"_s, u"liu1"_s,   u"liu2"_s,     u"liu3"_s,
    u"Command5"_s, u"dj2"_s,    u"dj3"_s,      u"dj1"_s,    u"Command6"_s, u"bj1"_s,
    u"bj2"_s,      u"bj3"_s,    u"cg1"_s,      u"cg2"_s,    u"Command7"_s, u"cg3"_s,
    u"Command8"_s, u"gg1"_s,    u"gg2"_s,      u"gg3"_s,
};

int pixels(int twips) {
    return qRound(twips / 15.0);
}

// Name, then text, for each control to type into.
using Typing = QStringList;

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void opensWithCaptionSizeAndPlace();
    void controlsMatchTheLayout_data();
    void controlsMatchTheLayout();
    void comboListsAndInitialTexts_data();
    void comboListsAndInitialTexts();
    void combosBuildNoCompleter();
    void creditsSayOnlyTrueThings();
    void accessibleNamesSayFrameAndField_data();
    void accessibleNamesSayFrameAndField();
    void iconIsOfferedAtEverySize();
    void everyWidgetHasTheClassicLook();

    void tabVisitsTheControlsInOrder();

    void buttonComputesIntoItsOwnResultBox_data();
    void buttonComputesIntoItsOwnResultBox();
    void pickedDensityIsUsed();
    void buttonClickedFromTheKeyboardComputes_data();
    void buttonClickedFromTheKeyboardComputes();
    void typingPickingAndEnterComputeNothing();
    void wheelChangesOnlyTheFocusedCombo();
    void longResultShowsItsFirstDigits_data();
    void longResultShowsItsFirstDigits();
    void longTooltipIsCutBetweenCharacters();

    void failureIsReportedAndChangesNothing_data();
    void failureIsReportedAndChangesNothing();
    void plateRightAfterStartIsNotANumber();
    void focusGoesToTheFieldAtFault_data();
    void focusGoesToTheFieldAtFault();
    void acceptedSuggestionIsPickedAndComputed();
    void messageBoxTellsTheUserAndTheProgramGoesOn();
    void messageBoxOffersTheSuggestion_data();
    void messageBoxOffersTheSuggestion();
    void unknownControlIsAToolkitError();

    void typingIntoAComboChangesNothingBehindTheUsersBack();
    void enterInAComboAddsNoItem_data();
    void enterInAComboAddsNoItem();
    void fortyThousandCharactersSurvive();
    void pastedBlanksAroundNumbers();

    void coloursOfTheRendering();
    void enlargingMovesNothingAndShowsWhite();

  private:
    template <class T = QWidget>
    T* control(const QString& name) const {
        return m_window->findChild<T*>(name);
    }
    void type(const QString& name, const QString& text) const;
    void typeAll(const Typing& typing) const;
    void click(const QString& button) const;
    QMap<QString, QString> texts() const;

    std::vector<Failure> m_failures;
    Reply m_reply = Reply::Acknowledged;
    std::unique_ptr<MainWindow> m_window;
    QTimer m_modalGuard;
    QString m_unexpectedModal;
};

// Any modal dialog is unexpected unless a test waits for one: collect reports instead.
void MainWindowTest::init() {
    m_failures.clear();
    m_reply = Reply::Acknowledged;
    m_unexpectedModal.clear();
    m_window =
        std::make_unique<MainWindow>(std::make_unique<CollectingReporter>(m_failures, m_reply));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();  // no window manager does it under a bare X server
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_modalGuard.setInterval(50);
    m_modalGuard.callOnTimeout(this, [this] {
        if (QString shown = hengtiebao::testing::closeUnexpectedModal(); !shown.isEmpty())
            m_unexpectedModal = shown;
    });
    m_modalGuard.start();
}

void MainWindowTest::cleanup() {
    m_modalGuard.stop();
    m_modalGuard.disconnect();
    m_window.reset();
    QVERIFY2(m_unexpectedModal.isEmpty(), qPrintable(u"modal dialog: "_s + m_unexpectedModal));
}

// Click into the box, select what it holds and type over it, as a user does.
void MainWindowTest::type(const QString& name, const QString& text) const {
    QWidget* target = control(name);
    QVERIFY2(target, qPrintable(name));
    if (auto* combo = qobject_cast<QComboBox*>(target)) target = combo->lineEdit();
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    const bool keysFor =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 256; });
    if (text.isEmpty()) {
        QTest::keyClick(target, Qt::Key_Delete);
    } else if (keysFor) {
        QTest::keyClicks(target, text);
    } else {
        // Han characters come from an input method, committed as text.
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(target, &commit);
    }
    QCOMPARE(qobject_cast<QLineEdit*>(target)->text(), text);
}

void MainWindowTest::typeAll(const Typing& typing) const {
    for (qsizetype i = 0; i + 1 < typing.size(); i += 2)
        type(typing[i], typing[i + 1]);
}

void MainWindowTest::click(const QString& button) const {
    auto* widget = control<QPushButton>(button);
    QVERIFY2(widget, qPrintable(button));
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Every text a user can see in a box or a combo, and how many items each list holds.
QMap<QString, QString> MainWindowTest::texts() const {
    QMap<QString, QString> all;
    for (const Expected& e : kLayout) {
        const QString name = QString::fromLatin1(e.name);
        if (auto* box = control<QLineEdit>(name)) all[name] = box->text();
        if (auto* combo = control<QComboBox>(name)) {
            all[name] = combo->currentText();
            all[name + u"#items"_s] = QString::number(combo->count());
        }
    }
    return all;
}

// ---------------------------------------------------------------------------------------------
// The window at start

void MainWindowTest::opensWithCaptionSizeAndPlace() {
    QCOMPARE(m_window->objectName(), u"Form1"_s);
    QCOMPARE(m_window->windowTitle(), u"衡铁宝（单位：mm    重量：Kg）"_s);
    QCOMPARE(m_window->size(), QSize(654, 319));
    QCOMPARE(m_window->geometry().topLeft(), QPoint(240, 173));
    QVERIFY(m_window->minimumSize() != m_window->maximumSize());  // resizable
    QCOMPARE(QApplication::focusWidget(), control(u"Command1"_s));
    QVERIFY(m_failures.empty());  // nothing is computed at start
}

void MainWindowTest::controlsMatchTheLayout_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < kLayout.size(); ++i)
        QTest::newRow(kLayout[i].name) << static_cast<int>(i);
}

void MainWindowTest::controlsMatchTheLayout() {
    QFETCH(int, row);
    const Expected& e = kLayout[static_cast<std::size_t>(row)];
    QWidget* widget = control(QString::fromLatin1(e.name));
    QVERIFY(widget);
    QCOMPARE(widget->metaObject()->className(), e.kind);
    QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(e.parent));

    QString text;
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) text = frame->title();
    if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
    if (auto* box = qobject_cast<QLineEdit*>(widget)) text = box->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) text = combo->currentText();
    if (auto* button = qobject_cast<QPushButton*>(widget)) text = button->text();
    if (!e.text.isNull()) QCOMPARE(text, e.text);

    QCOMPARE(widget->pos(), QPoint(pixels(e.left), pixels(e.top)));
    if (!e.fitsText) {
        QCOMPARE(widget->size(), QSize(pixels(e.width), pixels(e.height)));
        return;
    }
    // Exactly the size of its text in the window's font (Chinese from a fallback font included):
    // all of it shows, and no more.
    const QSize textSize = QFontMetrics(widget->font()).size(Qt::TextSingleLine, text);
    const QSize slack = widget->size() - textSize;
    QVERIFY2(slack.width() >= 0 && slack.width() <= 1 && slack.height() >= 0 && slack.height() <= 1,
             qPrintable(u"%1×%2 for a text of %3×%4"_s.arg(widget->width())
                            .arg(widget->height())
                            .arg(textSize.width())
                            .arg(textSize.height())));
}

void MainWindowTest::comboListsAndInitialTexts_data() {
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("initialIndex");
    QTest::addColumn<QStringList>("first");  // the first items, in list order
    QTest::addColumn<QString>("last");

    QTest::newRow("density") << u"Combo1"_s << 4 << u"7.85"_s << 1
                             << QStringList{u"7.8"_s, u"7.85"_s, u"7.87"_s, u"7.9"_s} << u"7.9"_s;
    QTest::newRow("equal-leg angle")
        << u"dj1"_s << 82 << u"20×3"_s << 0 << QStringList{u"20×3"_s, u"20×4"_s} << u"200×24"_s;
    QTest::newRow("unequal-leg angle")
        << u"bj1"_s << 65 << u"25×16×3"_s << 0 << QStringList{u"25×16×3"_s, u"25×16×4"_s}
        << u"200×125×18"_s;
    QTest::newRow("channel") << u"cg1"_s << 41 << u"16a"_s << 9 << QStringList{u"5"_s, u"6.3"_s}
                             << u"40c"_s;
    QTest::newRow("I-beam") << u"gg1"_s << 45 << u"10"_s << 0 << QStringList{u"10"_s} << u"55c"_s;
}

void MainWindowTest::comboListsAndInitialTexts() {
    QFETCH(QString, combo);
    QFETCH(int, count);
    QFETCH(QString, initial);
    QFETCH(int, initialIndex);
    QFETCH(QStringList, first);
    QFETCH(QString, last);

    auto* box = control<QComboBox>(combo);
    QVERIFY(box);
    QVERIFY(box->isEditable());
    QCOMPARE(box->count(), count);
    QCOMPARE(box->currentText(), initial);
    QCOMPARE(box->itemText(initialIndex), initial);
    for (int i = 0; i < first.size(); ++i)
        QCOMPARE(box->itemText(i), first[i]);
    QCOMPARE(box->itemText(count - 1), last);
    QCOMPARE(box->maxVisibleItems(), 20);
    QVERIFY(!box->completer());  // it would complete typing behind the user's back
}

// Nor is one built and thrown away: a completer and its proxy models cost the start dearly.
void MainWindowTest::combosBuildNoCompleter() {
    const MainWindow fresh;
    QVERIFY(fresh.findChildren<QCompleter*>().isEmpty());
    QVERIFY(fresh.findChildren<QAbstractProxyModel*>().isEmpty());
}

void MainWindowTest::creditsSayOnlyTrueThings() {
    const QString date = control<QLabel>(u"Label22"_s)->text();
    QCOMPARE(date, u"2006年2月"_s);
    for (const QString& name : {u"Label20"_s, u"Label21"_s, u"Label23"_s}) {
        const QString text = control<QLabel>(name)->text();
        QVERIFY2(!text.trimmed().isEmpty(), qPrintable(name));
        // No invented contact: no e-mail, web address or telephone number.
        QVERIFY2(!text.contains(u'@') && !text.contains(u"www"_s, Qt::CaseInsensitive) &&
                     !text.contains(QRegularExpression(u"\\d{5,}"_s)),
                 qPrintable(text));
    }
    QVERIFY(control<QGroupBox>(u"Frame9"_s)->findChildren<QWidget*>().size() == 4);
}

void MainWindowTest::accessibleNamesSayFrameAndField_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");  // the label beside the box, its buddy
    const std::pair<const char*, QString> names[]{
        {"Command1", u"钢板重量计算"_s},
        {"chang1", u"钢板长度"_s},
        {"chang2", u"钢板宽度"_s},
        {"chang3", u"钢板厚度"_s},
        {"Combo1", u"钢板密度"_s},
        {"jieguo1", u"钢板重量结果"_s},
        {"Command2", u"圆钢重量计算"_s},
        {"yuan1", u"圆钢直径"_s},
        {"yuan2", u"圆钢长度"_s},
        {"yuan3", u"圆钢重量结果"_s},
        {"Command3", u"方钢重量计算"_s},
        {"fang1", u"方钢边长"_s},
        {"fang2", u"方钢长度"_s},
        {"fang3", u"方钢重量结果"_s},
        {"Command4", u"六角钢重量计算"_s},
        {"liu1", u"六角钢对边距离"_s},
        {"liu2", u"六角钢长度"_s},
        {"liu3", u"六角钢重量结果"_s},
        {"Command5", u"等边角钢重量计算"_s},
        {"dj1", u"等边角钢规格"_s},
        {"dj2", u"等边角钢长度"_s},
        {"dj3", u"等边角钢重量结果"_s},
        {"Command6", u"不等边角钢重量计算"_s},
        {"bj1", u"不等边角钢规格"_s},
        {"bj2", u"不等边角钢长度"_s},
        {"bj3", u"不等边角钢重量结果"_s},
        {"Command7", u"槽钢重量计算"_s},
        {"cg1", u"槽钢型号"_s},
        {"cg2", u"槽钢长度"_s},
        {"cg3", u"槽钢重量结果"_s},
        {"Command8", u"工字钢重量计算"_s},
        {"gg1", u"工字钢型号"_s},
        {"gg2", u"工字钢长度"_s},
        {"gg3", u"工字钢重量结果"_s},
    };
    const QMap<QString, QString> labels{
        {u"chang1"_s, u"Label1"_s}, {u"chang2"_s, u"Label2"_s},  {u"chang3"_s, u"Label3"_s},
        {u"Combo1"_s, u"Label4"_s}, {u"jieguo1"_s, u"Label5"_s}, {u"yuan1"_s, u"Label6"_s},
        {u"yuan2"_s, u"Label7"_s},  {u"fang1"_s, u"Label8"_s},   {u"fang2"_s, u"Label9"_s},
        {u"liu1"_s, u"Label10"_s},  {u"liu2"_s, u"Label11"_s},   {u"dj1"_s, u"Label12"_s},
        {u"dj2"_s, u"Label13"_s},   {u"bj1"_s, u"Label14"_s},    {u"bj2"_s, u"Label15"_s},
        {u"cg1"_s, u"Label16"_s},   {u"cg2"_s, u"Label17"_s},    {u"gg1"_s, u"Label18"_s},
        {u"gg2"_s, u"Label19"_s},
    };
    for (const auto& [control, name] : names) {
        const QString id = QString::fromLatin1(control);
        QTest::newRow(control) << id << name << labels.value(id);
    }
}

// What a screen reader hears: a combo box and its edit field say what they are for, also after
// another item is picked, never the value they hold.
void MainWindowTest::accessibleNamesSayFrameAndField() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, label);
    QWidget* widget = this->control(control);
    QList<QObject*> named{widget};
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        named << combo->lineEdit();
        combo->setCurrentIndex(combo->count() - 1);
    }
    for (QObject* object : named) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }
    if (!label.isEmpty()) QCOMPARE(this->control<QLabel>(label)->buddy(), widget);
}

void MainWindowTest::iconIsOfferedAtEverySize() {
    const QIcon icon = m_window->windowIcon();
    QCOMPARE(
        icon.availableSizes(),
        (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {72, 72}, {96, 96}, {128, 128}}));
    // A black tyre round a gold rim: dark near the edge, gold at the top spoke.
    const QImage wheel = icon.pixmap(128).toImage();
    const QColor tyre = wheel.pixelColor(64, 6);
    const QColor spoke = wheel.pixelColor(64, 34);
    QVERIFY2(tyre.alpha() == 255 && tyre.lightness() < 40, qPrintable(tyre.name()));
    QVERIFY2(spoke.red() > 150 && spoke.red() > spoke.green() && spoke.green() > spoke.blue() + 40,
             qPrintable(spoke.name()));
    // Each smaller size is the largest averaged down, as the toolkit averages it here.
    for (const QSize& size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage();
        QCOMPARE(image, wheel.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}

// The layout fits the classic metrics only; a combo box's edit field and list are widgets too.
void MainWindowTest::everyWidgetHasTheClassicLook() {
    QCOMPARE(m_window->style()->name(), u"windows"_s);
    for (QWidget* widget : m_window->findChildren<QWidget*>())
        QVERIFY2(widget->style() == m_window->style(),
                 qPrintable(widget->objectName() + u" "_s +
                            QString::fromLatin1(widget->metaObject()->className())));
}

// ---------------------------------------------------------------------------------------------
// Focus

void MainWindowTest::tabVisitsTheControlsInOrder() {
    QCOMPARE(QApplication::focusWidget(), control(u"Command1"_s));
    QStringList visited;
    for (int i = 0; i < kTabOrder.size() + 1; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        // A combo box takes the focus through its edit field.
        while (focused && !kTabOrder.contains(focused->objectName()))
            focused = focused->parentWidget();
        visited << (focused ? focused->objectName() : u"?"_s);
    }
    QCOMPARE(visited, kTabOrder.mid(1) + (QStringList{u"Command1"_s, u"chang1"_s}));
}

// ---------------------------------------------------------------------------------------------
// Computing

void MainWindowTest::buttonComputesIntoItsOwnResultBox_data() {
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("weight");

    QTest::newRow("plate 1000×500×10")
        << Typing{u"chang1"_s, u"1000"_s, u"chang2"_s, u"500"_s, u"chang3"_s, u"10"_s}
        << u"Command1"_s << u"jieguo1"_s << u"39.25"_s;
    QTest::newRow("plate 2000×1000×10")
        << Typing{u"chang1"_s, u"2000"_s, u"chang2"_s, u"1000"_s, u"chang3"_s, u"10"_s}
        << u"Command1"_s << u"jieguo1"_s << u"157"_s;
    QTest::newRow("plate typed density 2.7")
        << Typing{u"chang1"_s, u"1000"_s, u"chang2"_s, u"1000"_s,
                  u"chang3"_s, u"1"_s,    u"Combo1"_s, u"2.7"_s}
        << u"Command1"_s << u"jieguo1"_s << u"2.7"_s;
    QTest::newRow("plate zero width")
        << Typing{u"chang1"_s, u"1000"_s, u"chang2"_s, u"0"_s, u"chang3"_s, u"10"_s}
        << u"Command1"_s << u"jieguo1"_s << u"0"_s;
    QTest::newRow("round bar d 20") << Typing{u"yuan1"_s, u"20"_s, u"yuan2"_s, u"1000"_s}
                                    << u"Command2"_s << u"yuan3"_s << u"2.4661502330603"_s;
    QTest::newRow("square bar a 20") << Typing{u"fang1"_s, u"20"_s, u"fang2"_s, u"1000"_s}
                                     << u"Command3"_s << u"fang3"_s << u"3.14"_s;
    QTest::newRow("hexagon bar a 20") << Typing{u"liu1"_s, u"20"_s, u"liu2"_s, u"1000"_s}
                                      << u"Command4"_s << u"liu3"_s << u"2.7193185"_s;
    QTest::newRow("angle 20×3 as it opens")
        << Typing{u"dj2"_s, u"1000"_s} << u"Command5"_s << u"dj3"_s << u"0.889"_s;
    QTest::newRow("angle 20×3, 6 m")
        << Typing{u"dj2"_s, u"6000"_s} << u"Command5"_s << u"dj3"_s << u"5.334"_s;
    QTest::newRow("angle 200×24 typed") << Typing{u"dj1"_s, u"200×24"_s, u"dj2"_s, u"6000"_s}
                                        << u"Command5"_s << u"dj3"_s << u"427.008"_s;
    QTest::newRow("angle 100×10 typed") << Typing{u"dj1"_s, u"100×10"_s, u"dj2"_s, u"6000"_s}
                                        << u"Command5"_s << u"dj3"_s << u"90.72"_s;
    QTest::newRow("angle negative length")
        << Typing{u"dj2"_s, u"-1000"_s} << u"Command5"_s << u"dj3"_s << u"-0.889"_s;
    QTest::newRow("unequal angle 25×16×3 as it opens")
        << Typing{u"bj2"_s, u"1000"_s} << u"Command6"_s << u"bj3"_s << u"0.912"_s;
    QTest::newRow("unequal angle 200×125×18")
        << Typing{u"bj1"_s, u"200×125×18"_s, u"bj2"_s, u"6000"_s} << u"Command6"_s << u"bj3"_s
        << u"261.528"_s;
    QTest::newRow("channel 16a as it opens")
        << Typing{u"cg2"_s, u"1000"_s} << u"Command7"_s << u"cg3"_s << u"17.24"_s;
    QTest::newRow("channel 16, not 16a") << Typing{u"cg1"_s, u"16"_s, u"cg2"_s, u"2500"_s}
                                         << u"Command7"_s << u"cg3"_s << u"49.38"_s;
    QTest::newRow("channel 40c") << Typing{u"cg1"_s, u"40c"_s, u"cg2"_s, u"6000"_s} << u"Command7"_s
                                 << u"cg3"_s << u"428.928"_s;
    QTest::newRow("I-beam 10 as it opens")
        << Typing{u"gg2"_s, u"1000"_s} << u"Command8"_s << u"gg3"_s << u"11.261"_s;
    QTest::newRow("I-beam 10, 6 m")
        << Typing{u"gg2"_s, u"6000"_s} << u"Command8"_s << u"gg3"_s << u"67.566"_s;
    QTest::newRow("I-beam 55c") << Typing{u"gg1"_s, u"55c"_s, u"gg2"_s, u"9000"_s} << u"Command8"_s
                                << u"gg3"_s << u"1103.445"_s;
    QTest::newRow("I-beam 12.6") << Typing{u"gg1"_s, u"12.6"_s, u"gg2"_s, u"1000"_s}
                                 << u"Command8"_s << u"gg3"_s << u"14.223"_s;
}

// The only lasting effect of a click is the text of the frame's own result box.
void MainWindowTest::buttonComputesIntoItsOwnResultBox() {
    QFETCH(Typing, typing);
    QFETCH(QString, button);
    QFETCH(QString, result);
    QFETCH(QString, weight);

    typeAll(typing);
    type(result, u"earlier"_s);
    QMap<QString, QString> expected = texts();
    expected[result] = weight;

    click(button);
    QCOMPARE(texts(), expected);
    QVERIFY(m_failures.empty());

    click(button);  // again: nothing accumulates
    QCOMPARE(texts(), expected);
}

void MainWindowTest::pickedDensityIsUsed() {
    typeAll({u"chang1"_s, u"1000"_s, u"chang2"_s, u"1000"_s, u"chang3"_s, u"1"_s});
    auto* density = control<QComboBox>(u"Combo1"_s);
    QTest::mouseClick(density, Qt::LeftButton, {},
                      QPoint(density->width() - 4, density->height() / 2));
    QAbstractItemView* list = density->view();
    QTRY_VERIFY(list->isVisible());
    const QRect item = list->visualRect(list->model()->index(3, 0));
    QTest::mouseMove(list->viewport(), item.center());
    // The list ignores a release that comes as quickly as the second half of a double click.
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(density->currentText(), u"7.9"_s);

    click(u"Command1"_s);
    QCOMPARE(control<QLineEdit>(u"jieguo1"_s)->text(), u"7.9"_s);
    QVERIFY(m_failures.empty());
}

void MainWindowTest::buttonClickedFromTheKeyboardComputes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void MainWindowTest::buttonClickedFromTheKeyboardComputes() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    typeAll({u"fang1"_s, u"20"_s, u"fang2"_s, u"1000"_s});
    control(u"Command3"_s)->setFocus();
    QTest::keyClick(control(u"Command3"_s), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(control<QLineEdit>(u"fang3"_s)->text(), u"3.14"_s);
}

void MainWindowTest::typingPickingAndEnterComputeNothing() {
    const QMap<QString, QString> atStart = texts();
    typeAll({u"chang1"_s, u"1000"_s, u"chang2"_s, u"500"_s, u"chang3"_s, u"10"_s});
    for (const QString& name :
         {u"chang1"_s, u"chang3"_s, u"Combo1"_s, u"jieguo1"_s, u"dj1"_s, u"dj2"_s, u"gg2"_s}) {
        QWidget* target = control(name);
        if (auto* combo = qobject_cast<QComboBox*>(target)) target = combo->lineEdit();
        QTest::mouseClick(target, Qt::LeftButton);
        QTest::keyClick(target, Qt::Key_Return);
    }
    control<QComboBox>(u"gg1"_s)->setFocus();
    QTest::keyClick(control(u"gg1"_s), Qt::Key_Down);  // picks the next model
    QCOMPARE(control<QComboBox>(u"gg1"_s)->currentText(),
             control<QComboBox>(u"gg1"_s)->itemText(1));
    for (const QString& result :
         {u"jieguo1"_s, u"yuan3"_s, u"fang3"_s, u"liu3"_s, u"dj3"_s, u"bj3"_s, u"cg3"_s, u"gg3"_s})
        QCOMPARE(control<QLineEdit>(result)->text(), atStart[result]);
    QVERIFY(m_failures.empty());
}

// Scrolling over the window must not change a model the user is not editing.
void MainWindowTest::wheelChangesOnlyTheFocusedCombo() {
    auto* channel = control<QComboBox>(u"cg1"_s);
    auto turnWheel = [channel] {
        const QPoint at(channel->width() / 2, channel->height() / 2);
        QWheelEvent wheel(at, channel->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(channel, &wheel);
    };
    turnWheel();
    QCOMPARE(channel->currentText(), u"16a"_s);
    QCOMPARE(QApplication::focusWidget(), control(u"Command1"_s));

    channel->setFocus();
    turnWheel();
    QCOMPARE(channel->currentText(), u"16"_s);
}

void MainWindowTest::longResultShowsItsFirstDigits_data() {
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("weight");
    QTest::newRow("plate") << Typing{u"chang1"_s, u"123456789"_s, u"chang2"_s,
                                     u"98765"_s,  u"chang3"_s,    u"333"_s}
                           << u"Command1"_s << u"jieguo1"_s << u"31873659987.7275"_s;
    QTest::newRow("round bar") << Typing{u"yuan1"_s, u"20"_s, u"yuan2"_s, u"1000"_s}
                               << u"Command2"_s << u"yuan3"_s << u"2.4661502330603"_s;
    QTest::newRow("square bar") << Typing{u"fang1"_s, u"12345678"_s, u"fang2"_s, u"1000"_s}
                                << u"Command3"_s << u"fang3"_s << u"1196463757445.52"_s;
    QTest::newRow("angle") << Typing{u"dj2"_s, u"123456789.123"_s} << u"Command5"_s << u"dj3"_s
                           << u"109753.085530347"_s;
}

// The box shows the first digits of a weight too long for it, and its tooltip the whole weight.
void MainWindowTest::longResultShowsItsFirstDigits() {
    QFETCH(Typing, typing);
    QFETCH(QString, button);
    QFETCH(QString, result);
    QFETCH(QString, weight);
    typeAll(typing);
    click(button);
    auto* box = control<QLineEdit>(result);
    QCOMPARE(box->text(), weight);
    QCOMPARE(box->cursorPosition(), 0);
    QVERIFY(box->fontMetrics().horizontalAdvance(weight) > box->width());
    QCOMPARE(box->toolTip(), weight);

    type(result, u"1"_s);  // a short text fits: no tooltip
    QCOMPARE(box->toolTip(), QString());
}

// The tooltip of a text over 200 units long keeps no half of a character beyond the basic plane.
void MainWindowTest::longTooltipIsCutBetweenCharacters() {
    type(u"yuan2"_s, QString(199, u'1') + u"\U00020000"_s + u"5"_s);
    QCOMPARE(control<QLineEdit>(u"yuan2"_s)->toolTip(), QString(199, u'1') + u"…"_s);
}

// ---------------------------------------------------------------------------------------------
// Failures

void MainWindowTest::failureIsReportedAndChangesNothing_data() {
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("where");  // empty: not checked
    QTest::addColumn<QString>("suggestion");

    const int notANumber = static_cast<int>(FailureKind::NotANumber);
    const int fault = static_cast<int>(FailureKind::FloatingPointFault);
    const int unknown = static_cast<int>(FailureKind::UnknownModel);

    QTest::newRow("plate without density")
        << Typing{u"chang1"_s, u"1000"_s, u"chang2"_s, u"500"_s,
                  u"chang3"_s, u"10"_s,   u"Combo1"_s, u""_s}
        << u"Command1"_s << notANumber << u"Combo1"_s << QString();
    QTest::newRow("plate width with a letter")
        << Typing{u"chang1"_s, u"1000"_s, u"chang2"_s, u"12a"_s, u"chang3"_s, u"10"_s}
        << u"Command1"_s << notANumber << u"chang2"_s << QString();
    QTest::newRow("plate beyond a double")
        << Typing{u"chang1"_s, u"1E200"_s, u"chang2"_s, u"1E200"_s, u"chang3"_s, u"1"_s}
        << u"Command1"_s << fault << QString() << QString();
    QTest::newRow("round bar letters") << Typing{u"yuan1"_s, u"abc"_s, u"yuan2"_s, u"1000"_s}
                                       << u"Command2"_s << notANumber << u"yuan1"_s << QString();
    QTest::newRow("square bar empty length")
        << Typing{u"fang1"_s, u"20"_s} << u"Command3"_s << notANumber << u"fang2"_s << QString();
    QTest::newRow("hexagon bar empty")
        << Typing{} << u"Command4"_s << notANumber << u"liu1"_s << QString();
    QTest::newRow("angle as it opens, no length")
        << Typing{} << u"Command5"_s << notANumber << u"dj2"_s << QString();
    QTest::newRow("angle with Latin x") << Typing{u"dj1"_s, u"20x3"_s, u"dj2"_s, u"1000"_s}
                                        << u"Command5"_s << unknown << u"dj1"_s << u"20×3"_s;
    QTest::newRow("angle not in the standard") << Typing{u"dj1"_s, u"56×6"_s, u"dj2"_s, u"abc"_s}
                                               << u"Command5"_s << unknown << u"dj1"_s << u""_s;
    QTest::newRow("unequal angle with Latin x")
        << Typing{u"bj1"_s, u"25x16x3"_s, u"bj2"_s, u"1000"_s} << u"Command6"_s << unknown
        << u"bj1"_s << u"25×16×3"_s;
    QTest::newRow("equal angle model in the unequal frame")
        << Typing{u"bj1"_s, u"20×3"_s, u"bj2"_s, u"1000"_s} << u"Command6"_s << unknown << u"bj1"_s
        << u""_s;
    QTest::newRow("channel 16b") << Typing{u"cg1"_s, u"16b"_s, u"cg2"_s, u"1000"_s} << u"Command7"_s
                                 << unknown << u"cg1"_s << u""_s;
    QTest::newRow("channel, empty model")
        << Typing{u"cg1"_s, u""_s} << u"Command7"_s << unknown << u"cg1"_s << u""_s;
    QTest::newRow("I-beam upper-case suffix") << Typing{u"gg1"_s, u"20A"_s, u"gg2"_s, u"1000"_s}
                                              << u"Command8"_s << unknown << u"gg1"_s << u"20a"_s;
    QTest::newRow("I-beam as traders write it") << Typing{u"gg1"_s, u"工20a"_s, u"gg2"_s, u"1000"_s}
                                                << u"Command8"_s << unknown << u"gg1"_s << u"20a"_s;
    QTest::newRow("I-beam beyond a double")
        << Typing{u"gg2"_s, u"1E308"_s} << u"Command8"_s << fault << QString() << QString();
}

// The report goes to the reporter; every box keeps its text, the result box its earlier weight.
void MainWindowTest::failureIsReportedAndChangesNothing() {
    QFETCH(Typing, typing);
    QFETCH(QString, button);
    QFETCH(int, kind);
    QFETCH(QString, where);
    QFETCH(QString, suggestion);

    typeAll(typing);
    const QMap<QString, QString> before = texts();
    click(button);
    QCOMPARE(texts(), before);
    QCOMPARE(m_failures.size(), std::size_t{1});
    const Failure& failure = m_failures.front();
    QCOMPARE(static_cast<int>(failure.kind), kind);
    if (!where.isEmpty()) QCOMPARE(QString::fromStdString(failure.control), where);
    if (failure.kind == FailureKind::UnknownModel)
        QCOMPARE(QString::fromStdU16String(failure.suggestion), suggestion);
}

void MainWindowTest::plateRightAfterStartIsNotANumber() {
    const QMap<QString, QString> atStart = texts();
    click(u"Command1"_s);
    QCOMPARE(texts(), atStart);
    QCOMPARE(control<QLineEdit>(u"jieguo1"_s)->text(), QString());
    QCOMPARE(m_failures.size(), std::size_t{1});
    QCOMPARE(static_cast<int>(m_failures.front().kind), static_cast<int>(FailureKind::NotANumber));
    QCOMPARE(QString::fromStdString(m_failures.front().control), u"chang1"_s);
}

void MainWindowTest::focusGoesToTheFieldAtFault_data() {
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("key");  // held down on the button until the keyboard repeats it

    const int space = Qt::Key_Space;
    QTest::newRow("not a number") << Typing{u"yuan1"_s, u"20"_s, u"yuan2"_s, u"1ooo"_s}
                                  << u"Command2"_s << u"yuan2"_s << u"1ooo"_s << space;
    QTest::newRow("empty box") << Typing{} << u"Command4"_s << u"liu1"_s << QString() << space;
    QTest::newRow("unknown model") << Typing{u"dj1"_s, u"20x3"_s, u"dj2"_s, u"1000"_s}
                                   << u"Command5"_s << u"dj1"_s << u"20x3"_s << space;
    QTest::newRow("too large: the length") << Typing{u"cg1"_s, u"40c"_s, u"cg2"_s, u"1E308"_s}
                                           << u"Command7"_s << u"cg2"_s << u"1E308"_s << space;
    QTest::newRow("held Enter: one report") << Typing{u"bj2"_s, u"abc"_s} << u"Command6"_s
                                            << u"bj2"_s << u"abc"_s << int(Qt::Key_Return);
}

// After a report the user types the correction straight over the text at fault.
void MainWindowTest::focusGoesToTheFieldAtFault() {
    QFETCH(Typing, typing);
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, selected);
    QFETCH(int, key);
    typeAll(typing);
    control(button)->setFocus();
    QTest::keyPress(control(button), Qt::Key(key));
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(control(button), &repeat);
    }
    QTest::keyRelease(control(button), Qt::Key(key));
    QCOMPARE(m_failures.size(), std::size_t{1});

    QWidget* target = control(field);
    QCOMPARE(QApplication::focusWidget()->objectName(), field);
    if (auto* combo = qobject_cast<QComboBox*>(target)) target = combo->lineEdit();
    QCOMPARE(qobject_cast<QLineEdit*>(target)->selectedText(), selected);
}

// The user's yes to a suggestion is a pick from the list, then a click.
void MainWindowTest::acceptedSuggestionIsPickedAndComputed() {
    m_reply = Reply::UseSuggestion;
    typeAll({u"gg1"_s, u"工20A#"_s, u"gg2"_s, u"1000"_s});
    click(u"Command8"_s);
    QCOMPARE(m_failures.size(), std::size_t{1});
    auto* model = control<QComboBox>(u"gg1"_s);
    QCOMPARE(model->currentText(), u"20a"_s);
    QCOMPARE(model->itemText(model->currentIndex()), u"20a"_s);
    QCOMPARE(control<QLineEdit>(u"gg3"_s)->text(), u"27.929"_s);
    QCOMPARE(model->count(), 45);
}

// The real reporter: a modal warning titled with the caption; afterwards the window works on.
void MainWindowTest::messageBoxTellsTheUserAndTheProgramGoesOn() {
    m_modalGuard.stop();
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
    const testing::MessageBoxAnswer answer([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        modal = box.isModal();
        QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(window.findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);

    QCOMPARE(text, u"请输入钢板的长度。"_s);
    QCOMPARE(title, u"衡铁宝"_s);
    QCOMPARE(icon, QMessageBox::Warning);
    QVERIFY(modal);
    QCOMPARE(window.findChild<QLineEdit*>(u"jieguo1"_s)->text(), QString());
    QVERIFY(window.isVisible());
    window.activateWindow();  // as the window manager does when the box closes
    QTRY_COMPARE(QApplication::focusWidget(), window.findChild<QLineEdit*>(u"chang1"_s));

    QTest::keyClicks(window.findChild<QLineEdit*>(u"liu1"_s), u"20"_s);
    QTest::keyClicks(window.findChild<QLineEdit*>(u"liu2"_s), u"1000"_s);
    QTest::mouseClick(window.findChild<QPushButton*>(u"Command4"_s), Qt::LeftButton);
    QCOMPARE(window.findChild<QLineEdit*>(u"liu3"_s)->text(), u"2.7193185"_s);
    m_modalGuard.start();
}

void MainWindowTest::messageBoxOffersTheSuggestion_data() {
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("weight");
    QTest::newRow("accepted") << true << u"25×16×3"_s << u"0.912"_s;
    QTest::newRow("cancelled") << false << u"25x16x3"_s << QString();
}

// A suggestion comes with two buttons: one picks the listed model and computes, the other
// changes nothing.
void MainWindowTest::messageBoxOffersTheSuggestion() {
    QFETCH(bool, accept);
    QFETCH(QString, model);
    QFETCH(QString, weight);
    m_modalGuard.stop();
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.findChild<QComboBox*>(u"bj1"_s)->setEditText(u"25x16x3"_s);
    window.findChild<QLineEdit*>(u"bj2"_s)->setText(u"1000"_s);

    QStringList buttons;
    const testing::MessageBoxAnswer answer([&](QMessageBox& box) {
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : box.buttons()) {
            buttons << button->text();
            const bool accepts = box.buttonRole(button) == QMessageBox::AcceptRole;
            if (accepts == accept) chosen = button;
        }
        QTest::mouseClick(chosen, Qt::LeftButton);
    });
    QTest::mouseClick(window.findChild<QPushButton*>(u"Command6"_s), Qt::LeftButton);
    m_modalGuard.start();

    QCOMPARE(buttons.size(), 2);
    QVERIFY2(buttons.join(u' ').contains(u"25×16×3"_s), qPrintable(buttons.join(u' ')));
    QCOMPARE(window.findChild<QComboBox*>(u"bj1"_s)->currentText(), model);
    QCOMPARE(window.findChild<QLineEdit*>(u"bj3"_s)->text(), weight);
}

void MainWindowTest::unknownControlIsAToolkitError() {
    WidgetFields fields(*m_window);
    QVERIFY(!fields.getText("nosuch"));
    QVERIFY(!fields.getText("Frame1"));
    QVERIFY(!fields.getText("Label1"));
    QVERIFY(!fields.setText("Label1", u"x"));
    QVERIFY(!fields.setText("nosuch", u"x"));
    QCOMPARE(control<QLabel>(u"Label1"_s)->text(), u"长度："_s);

    type(u"bj1"_s, u"25×16×4"_s);
    QVERIFY(fields.getText("bj1") == std::u16string(u"25×16×4"));
    QVERIFY(fields.setText("bj3", u"1.176"));
    QCOMPARE(control<QLineEdit>(u"bj3"_s)->text(), u"1.176"_s);
}

// ---------------------------------------------------------------------------------------------
// Texts are the user's

void MainWindowTest::typingIntoAComboChangesNothingBehindTheUsersBack() {
    type(u"cg1"_s, u"16"_s);
    auto* channel = control<QComboBox>(u"cg1"_s);
    QCOMPARE(channel->currentText(), u"16"_s);
    QTest::keyClick(channel->lineEdit(), Qt::Key_Tab);
    QCOMPARE(channel->currentText(), u"16"_s);
    QCOMPARE(channel->count(), 41);
}

void MainWindowTest::enterInAComboAddsNoItem_data() {
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("text");
    QTest::newRow("density") << u"Combo1"_s << u"8.9"_s;
    QTest::newRow("equal-leg angle") << u"dj1"_s << u"20x3"_s;
    QTest::newRow("unequal-leg angle") << u"bj1"_s << u"123"_s;
    QTest::newRow("channel, upper-case suffix") << u"cg1"_s << u"16A"_s;
    QTest::newRow("I-beam, listed") << u"gg1"_s << u"12.6"_s;
}

void MainWindowTest::enterInAComboAddsNoItem() {
    QFETCH(QString, combo);
    QFETCH(QString, text);
    auto* box = control<QComboBox>(combo);
    const int count = box->count();
    type(combo, text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(box->count(), count);
    QCOMPARE(box->currentText(), text);
}

// Pasted, since typing 40,000 keys takes long; the calculator reads all of it.
void MainWindowTest::fortyThousandCharactersSurvive() {
    const QString length = QString(39996, u'0') + u"1000"_s;
    QGuiApplication::clipboard()->setText(length);
    auto* box = control<QLineEdit>(u"chang1"_s);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text().size(), 40000);
    QCOMPARE(box->text(), length);

    typeAll({u"chang2"_s, u"500"_s, u"chang3"_s, u"10"_s});
    click(u"Command1"_s);
    QCOMPARE(control<QLineEdit>(u"jieguo1"_s)->text(), u"39.25"_s);

    auto* result = control<QLineEdit>(u"gg3"_s);
    result->setFocus();
    QTest::keyClick(result, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(result->text(), length);
}

// Copied from a web page or a chat, a number brings invisible blanks along: they are read past.
void MainWindowTest::pastedBlanksAroundNumbers() {
    const Typing pasted{u"chang1"_s,    u"1000\u00a0"_s, u"chang2"_s,
                        u"\u200b500"_s, u"chang3"_s,     u"\ufeff10\u202f"_s};
    for (qsizetype i = 0; i < pasted.size(); i += 2) {
        QGuiApplication::clipboard()->setText(pasted[i + 1]);
        auto* box = control<QLineEdit>(pasted[i]);
        box->clear();
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), pasted[i + 1]);
    }
    click(u"Command1"_s);
    QCOMPARE(control<QLineEdit>(u"jieguo1"_s)->text(), u"39.25"_s);
}

// ---------------------------------------------------------------------------------------------
// The rendering

void MainWindowTest::coloursOfTheRendering() {
    const QImage image = m_window->grab().toImage();
    QCOMPARE(image.size(), QSize(654, 319));
    // The classic dialog face the window pins, not the desktop's (Windows has its own).
    const QColor face(0xef, 0xef, 0xef);

    for (const Expected& e : kLayout) {
        const QString kind = QString::fromLatin1(e.kind);
        if (kind != u"QGroupBox"_s && kind != u"QLabel"_s) continue;
        const QColor expected = e.background ? QColor(*e.background) : face;
        QWidget* widget = control(QString::fromLatin1(e.name));
        // Inside the frame's border at its bottom left, left of every control it holds; a
        // label's own top-left corner, above its text.
        const QPoint inside =
            kind == u"QGroupBox"_s ? QPoint(4, widget->height() - 5) : QPoint(0, 0);
        const QPoint at = widget->mapTo(m_window.get(), inside);
        QCOMPARE(image.pixelColor(at).name(), expected.name());
    }

    // Margins and the gaps between frames.
    for (const QPoint at :
         {QPoint(2, 2), QPoint(216, 60), QPoint(360, 60), QPoint(504, 60), QPoint(500, 132),
          QPoint(212, 200), QPoint(436, 180), QPoint(212, 260), QPoint(651, 100), QPoint(300, 316)})
        QCOMPARE(image.pixelColor(at).name(), u"#ffffff"_s);
}

void MainWindowTest::enlargingMovesNothingAndShowsWhite() {
    QMap<QString, QRect> places;
    for (const Expected& e : kLayout) {
        const QString name = QString::fromLatin1(e.name);
        places[name] = control(name)->geometry();
    }
    m_window->resize(900, 500);
    QTRY_COMPARE(m_window->size(), QSize(900, 500));
    for (auto it = places.cbegin(); it != places.cend(); ++it)
        QCOMPARE(control(it.key())->geometry(), it.value());

    const QImage image = m_window->grab().toImage();
    QCOMPARE(image.pixelColor(800, 400).name(), u"#ffffff"_s);
    QCOMPARE(image.pixelColor(660, 100).name(), u"#ffffff"_s);
    QCOMPARE(image.pixelColor(100, 330).name(), u"#ffffff"_s);
}

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
