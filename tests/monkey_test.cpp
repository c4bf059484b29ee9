// SPDX-License-Identifier: GPL-3.0-or-later
// Random user actions on the main window, thousands of them, each followed by the invariants a
// user relies on. Reproduce a failure with the seed it prints: MONKEY_SEED=<seed> monkey_test.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

#include "core/frames.h"
#include "core/number_text.h"
#include "tests/modal_guard.h"
#include "ui/error_reporter.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

using namespace hengtiebao;
using namespace Qt::StringLiterals;

namespace {

constexpr quint64 kDefaultSeed = 20060201;
constexpr int kDefaultActions = 20000;
constexpr qsizetype kLongText = 10000;
constexpr qsizetype kLongerThanQt = 40000;
constexpr qsizetype kLongestBox = 50000;  // appending stops here

QLineEdit* editOf(QWidget* target) {
    if (auto* combo = qobject_cast<QComboBox*>(target)) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(target);
}

// The texts the user sees in the edit fields, for running a calculation beside the window; what
// it writes is kept here, not shown.
class VisibleTexts final : public Fields {
  public:
    explicit VisibleTexts(const QWidget& window) : m_window(window) {}

    std::optional<std::u16string> getText(std::string_view control) override {
        const QString name = QString::fromLatin1(control.data(), qsizetype(control.size()));
        if (QLineEdit* edit = editOf(m_window.findChild<QWidget*>(name)))
            return edit->text().toStdU16String();
        return std::nullopt;
    }
    bool setText(std::string_view, std::u16string_view text) override {
        written = QString::fromStdU16String(std::u16string(text));
        return true;
    }

    QString written;

  private:
    const QWidget& m_window;
};

quint64 envOr(const char* name, quint64 fallback) {
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// Collects every report; when asked, also shows the real message box, which the monkey
// dismisses as a user would, and remembers what it said.
class MonkeyReporter final : public ErrorReporter {
  public:
    // The monkey's oracle expects a report to change nothing, so a suggestion is never taken.
    Reply report(const Failure& failure) override {
        reports.push_back(failure);
        if (!showBox || !window) return Reply::Acknowledged;
        QTimer::singleShot(0, window, dismiss);
        MessageBoxReporter(*window).report(failure);
        return Reply::Acknowledged;
    }

    std::vector<Failure> reports;
    QWidget* window = nullptr;
    bool showBox = false;
    std::function<void()> dismiss;
};

// A control whose text the snapshot records.
struct Watched {
    QString name;
    QWidget* widget;
};

// Combo boxes also give their item count, which no action may change.
QString visibleText(QWidget* widget) {
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return QString::number(combo->count()) + u'|' + combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
    return {};
}

// Printable and short: texts in the trail are cut and their odd code units escaped.
QString shown(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size() && i < 16; ++i) {
        const QChar c = text[i];
        out += c.isPrint() ? QString(c) : u"\\u%1"_s.arg(uint{c.unicode()}, 4, 16, QChar(u'0'));
    }
    if (text.size() > 16) out += u"…(%1)"_s.arg(text.size());
    return out;
}

// A written result must be a number text in the form Write number gives.
bool wellFormed(const QString& text) {
    const std::optional<double> value = readNumber(text.toStdU16String());
    if (!value) return false;
    const std::optional<std::u16string> again = writeNumber(*value);
    return again && QString::fromStdU16String(*again) == text;
}

// The offscreen platform says so each time a list opens; nothing a test can act on.
QtMessageHandler g_nextHandler = nullptr;
void dropPlatformNotices(QtMsgType type, const QMessageLogContext& where, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(u"This plugin does not support"_s)) return;
    g_nextHandler(type, where, text);
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void randomActionsKeepTheInvariants();

  private:
    // What an action may change: at most one control's text, or, for a click, the result box.
    struct Expectation {
        QString mayChange;
        QPushButton* clicked = nullptr;
        std::optional<QString> exactText;  // the box must now hold exactly this
        Status outcome;                    // a click: the calculation on the texts shown before it
        QString weight;                    // its result text when it succeeds
        QString undone;                    // why the monkey could not act as it meant to
    };
    static Expectation changing(const QString& control) {
        Expectation expectation;
        expectation.mayChange = control;
        return expectation;
    }

    quint64 pick(quint64 count) {
        return std::uniform_int_distribution<quint64>(0, count - 1)(m_rng);
    }
    bool chance(int percent) { return pick(100) < static_cast<quint64>(percent); }
    QChar randomChar(int kind);
    QString randomText();

    Expectation typeText();
    Expectation pickItem();
    Expectation pressTab();
    Expectation pressKeyOnFocus();
    Expectation clickButton(QPushButton* button);
    Expectation expectClick(QPushButton* button) const;
    void dismissBox();

    std::vector<QString> snapshot() const;
    QString context() const;
    void checkAction(const Expectation& expected, const std::vector<QString>& before,
                     std::size_t reportsBefore);

    std::mt19937_64 m_rng;
    quint64 m_seed = 0;
    int m_action = 0;
    std::deque<QString> m_trail;  // the latest actions, for the failure message

    MonkeyReporter* m_reporter = nullptr;
    std::unique_ptr<MainWindow> m_window;
    std::vector<Watched> m_watched;
    std::vector<QWidget*> m_typable;  // text boxes and combo boxes
    std::vector<QComboBox*> m_combos;
    std::vector<QPushButton*> m_buttons;

    QString m_dismissedText;  // what the last dismissed message box said
    QTimer m_modalGuard;
    QString m_unexpectedModal;

    int m_writes = 0;
    int m_failures = 0;
    int m_boxesShown = 0;
    QMap<QString, int> m_writesBy, m_failuresBy;
};

void MonkeyTest::init() {
    g_nextHandler = qInstallMessageHandler(dropPlatformNotices);
    m_seed = envOr("MONKEY_SEED", kDefaultSeed);
    m_rng.seed(m_seed);
    auto reporter = std::make_unique<MonkeyReporter>();
    m_reporter = reporter.get();
    m_window = std::make_unique<MainWindow>(std::move(reporter));
    m_reporter->window = m_window.get();
    m_reporter->dismiss = [this] { dismissBox(); };
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

    // The frames hold every control; the snapshot covers them all and the frames themselves.
    for (QGroupBox* frame : m_window->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
        m_watched.push_back({frame->objectName(), frame});
        for (QWidget* widget : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            m_watched.push_back({widget->objectName(), widget});
            if (auto* combo = qobject_cast<QComboBox*>(widget)) m_combos.push_back(combo);
            if (auto* button = qobject_cast<QPushButton*>(widget)) m_buttons.push_back(button);
            if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget))
                m_typable.push_back(widget);
        }
    }
    QCOMPARE(m_buttons.size(), calculatorFrames().size());

    m_modalGuard.setInterval(50);
    m_modalGuard.callOnTimeout(this, [this] {
        if (m_reporter->showBox) return dismissBox();
        if (QString shown = hengtiebao::testing::closeUnexpectedModal(); !shown.isEmpty())
            m_unexpectedModal = shown;
    });
    m_modalGuard.start();
}

// Return, Escape or the OK (or Cancel) button, as a user answers the box.
void MonkeyTest::dismissBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    m_dismissedText = box->text();
    QAbstractButton* close = box->button(QMessageBox::Ok);
    if (!close) close = box->button(QMessageBox::Cancel);
    switch (pick(3)) {
        case 0: QTest::keyClick(box, Qt::Key_Return); break;
        case 1: QTest::keyClick(box, Qt::Key_Escape); break;
        default: QTest::mouseClick(close, Qt::LeftButton);
    }
}

void MonkeyTest::cleanup() {
    qInstallMessageHandler(g_nextHandler);
    m_modalGuard.stop();
    m_window.reset();
    QVERIFY2(m_unexpectedModal.isEmpty(), qPrintable(u"modal dialog: "_s + m_unexpectedModal));
}

QChar MonkeyTest::randomChar(int kind) {
    switch (kind) {
        case 0: return QChar(char16_t(0x20 + pick(0x5f)));               // printable ASCII
        case 1: return QChar(char16_t(u'0' + pick(10)));                 // digits
        case 2: return QChar(char16_t(0xff10 + pick(10)));               // full-width digits
        case 3: return QChar(char16_t(0x4e00 + pick(0x9fa5 - 0x4e00)));  // CJK
        default: return QChar(u"×.-+E ，。．－＋Ｅ　"[pick(14)]);
    }
}

// One of the texts users and their input methods produce, and some they produce by accident.
QString MonkeyTest::randomText() {
    static const QStringList kListed{u"20×3"_s, u"200×24"_s, u"25×16×3"_s, u"200×125×18"_s,
                                     u"16a"_s,  u"40c"_s,    u"10"_s,      u"55c"_s,
                                     u"12.6"_s, u"7.85"_s,   u"20x3"_s,    u"16A"_s};
    static const QStringList kNumbers{
        u"0"_s,     u"1"_s,        u"1000"_s,  u"12.5"_s,
        u"-3"_s,    u"1E5"_s,      u"1e400"_s, u"1E-400"_s,
        u"+.5"_s,   u"１２．５"_s, u" 7 "_s,   u"-0"_s,
        u"1E308"_s, u"0.000001"_s, u"6000"_s,  u"99999999999999999"_s};
    QString text;
    const int length = static_cast<int>(pick(12));
    // Weights in percent: mostly what users type, so that clicks compute as well as fail; the
    // long texts are few since laying one out costs tens of milliseconds.
    const quint64 roll = pick(100);
    if (roll < 25) return kNumbers[static_cast<qsizetype>(pick(kNumbers.size()))];
    if (roll < 35) return kListed[static_cast<qsizetype>(pick(kListed.size()))];
    if (roll < 50) {  // a number of its own
        text = QString::number(pick(100000));
        if (chance(50)) text += u'.' + QString::number(pick(1000));
        if (chance(20)) text += u"E"_s + QString::number(static_cast<int>(pick(40)) - 20);
        return chance(20) ? u'-' + text : text;
    }
    if (roll < 70) {
        for (int i = 0; i < length; ++i)
            text += randomChar(static_cast<int>(pick(5)));
        return text;
    }
    if (roll < 75) return QString(length, u'0') + randomChar(1);
    if (roll < 81) {  // emoji, outside the 16-bit range
        const char32_t emoji = U'\U0001F600' + static_cast<char32_t>(pick(0x50));
        return QString::fromUcs4(&emoji, 1).repeated(1 + length % 3) + randomChar(1);
    }
    if (roll < 87)  // a lone surrogate, high or low, alone or inside digits
        return QString::number(pick(100)) + QChar(char16_t(0xd800 + pick(0x800))) +
               (chance(50) ? u"5"_s : QString());
    if (roll < 93) return QString::number(pick(100)) + QChar(u'\0') + QString::number(pick(100));
    if (roll < 99) return {};
    // Ten thousand characters, a huge number or a mixture, or a number past QLineEdit's own
    // limit of 32767 characters.
    if (chance(20)) return u"1"_s + QString(kLongerThanQt - 1, u'0');
    if (chance(50)) return u"1"_s + QString(kLongText - 1, u'0');
    for (qsizetype i = 0; i < kLongText; ++i)
        text += randomChar(static_cast<int>(pick(5)));
    return text;
}

// Click into a box, then type over its text or after it: by keys, by an input method's commit,
// or by pasting.
MonkeyTest::Expectation MonkeyTest::typeText() {
    QWidget* target = m_typable[pick(m_typable.size())];
    QLineEdit* edit = editOf(target);
    const QString text = randomText();
    const bool replace = chance(70) || edit->text().size() > kLongestBox;
    const int way = text.size() > 100 ? 1 + static_cast<int>(pick(2)) : static_cast<int>(pick(3));
    static const char* kWays[]{"keys", "input method", "paste"};
    m_trail.push_back(u"type %1 %2 into %3: \"%4\""_s.arg(QLatin1StringView(kWays[way]),
                                                          replace ? u"over"_s : u"after"_s,
                                                          target->objectName(), shown(text)));

    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, replace ? Qt::Key_A : Qt::Key_End,
                    replace ? Qt::ControlModifier : Qt::NoModifier);
    const QString expected = replace ? text : edit->text() + text;
    bool exact = true;
    if (text.isEmpty()) {
        if (replace) QTest::keyClick(edit, Qt::Key_Delete);
    } else if (way == 0) {
        // One key a code point; the toolkit drops what no keyboard types (NUL, a lone surrogate).
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype units =
                text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()
                    ? 2
                    : 1;
            const QString key = text.mid(i, units);
            exact = exact && (key[0].isPrint() || units == 2);
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, key, Qt::NoModifier);
            i += units - 1;
        }
    } else if (way == 1) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(edit, &commit);
    } else {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }
    Expectation expectation = changing(target->objectName());
    if (exact) expectation.exactText = expected;
    return expectation;
}

// Down, Up or the wheel on the closed list, or the open list walked with keys and then taken
// with Return or left with Escape.
MonkeyTest::Expectation MonkeyTest::pickItem() {
    QComboBox* combo = m_combos[pick(m_combos.size())];
    Expectation expectation = changing(combo->objectName());
    combo->setFocus();
    switch (pick(3)) {
        case 0: {
            const Qt::Key key =
                std::array{Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}[pick(4)];
            m_trail.push_back(
                u"key %1 on %2"_s.arg(QKeySequence(key).toString(), combo->objectName()));
            QTest::keyClick(combo, key);
            break;
        }
        case 1: {
            const int delta = chance(50) ? 120 : -120;
            m_trail.push_back(u"wheel %1 on %2"_s.arg(delta).arg(combo->objectName()));
            const QPointF at(combo->width() / 2.0, combo->height() / 2.0);
            QWheelEvent wheel(at, combo->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &wheel);
            break;
        }
        default: {
            const int steps = static_cast<int>(pick(8));
            const bool take = chance(75);
            m_trail.push_back(u"list of %1, %2 down, %3"_s.arg(combo->objectName())
                                  .arg(steps)
                                  .arg(take ? u"Return"_s : u"Escape"_s));
            QTest::keyClick(combo, Qt::Key_F4);
            QAbstractItemView* list = combo->view();
            if (!QApplication::activePopupWidget()) {
                expectation.undone = u"the list did not open"_s;
                break;
            }
            for (int i = 0; i < steps; ++i)
                QTest::keyClick(list, Qt::Key_Down);
            const QString item = list->currentIndex().data().toString();
            QTest::keyClick(list, take ? Qt::Key_Return : Qt::Key_Escape);
            if (take) {
                expectation.exactText = item;
            } else {
                expectation.mayChange.clear();
            }
        }
    }
    return expectation;
}

MonkeyTest::Expectation MonkeyTest::pressTab() {
    QWidget* focus = QApplication::focusWidget();
    const bool back = chance(30);
    m_trail.push_back(u"%1 from %2"_s.arg(back ? u"Shift+Tab"_s : u"Tab"_s,
                                          focus ? focus->objectName() : u"nowhere"_s));
    QTest::keyClick(focus ? focus : m_window.get(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                    back ? Qt::ShiftModifier : Qt::NoModifier);
    return {};
}

// Space, Return or Backspace where the focus is: Space or Return on a button clicks it.
MonkeyTest::Expectation MonkeyTest::pressKeyOnFocus() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) focus = m_window.get();
    const Qt::Key key = std::array{Qt::Key_Space, Qt::Key_Return, Qt::Key_Backspace}[pick(3)];
    m_trail.push_back(u"key %1 on %2"_s.arg(QKeySequence(key).toString(), focus->objectName()));
    QWidget* owner = focus;  // the combo box, when the focus is in its edit field
    if (auto* combo = qobject_cast<QComboBox*>(focus->parentWidget())) owner = combo;
    auto* button = qobject_cast<QPushButton*>(focus);
    Expectation expectation =
        button && key != Qt::Key_Backspace ? expectClick(button) : changing(owner->objectName());
    QTest::keyClick(focus, key);
    return expectation;
}

MonkeyTest::Expectation MonkeyTest::clickButton(QPushButton* button) {
    m_reporter->showBox = chance(5);
    m_trail.push_back(u"click %1%2"_s.arg(button->objectName(),
                                          m_reporter->showBox ? u" (message box)"_s : QString()));
    m_dismissedText.clear();
    Expectation expectation = expectClick(button);
    QTest::mouseClick(button, Qt::LeftButton);
    return expectation;
}

MonkeyTest::Expectation MonkeyTest::expectClick(QPushButton* button) const {
    Expectation expectation;
    expectation.clicked = button;
    for (const CalculatorFrame& frame : calculatorFrames()) {
        if (toQString(frame.button) != button->objectName()) continue;
        expectation.mayChange = toQString(frame.result);
        VisibleTexts visible(*m_window);
        expectation.outcome = frame.calculate(visible);
        expectation.weight = visible.written;
    }
    return expectation;
}

std::vector<QString> MonkeyTest::snapshot() const {
    std::vector<QString> texts;
    texts.reserve(m_watched.size());
    for (const Watched& watched : m_watched)
        texts.push_back(visibleText(watched.widget));
    return texts;
}

QString MonkeyTest::context() const {
    QString text =
        u"seed %1 (rerun with MONKEY_SEED=%1), action %2; the last actions:"_s.arg(m_seed).arg(
            m_action);
    for (const QString& step : m_trail)
        text += u"\n    "_s + step;
    return text + u"\n"_s;
}

void MonkeyTest::checkAction(const Expectation& expected, const std::vector<QString>& before,
                             std::size_t reportsBefore) {
    QVERIFY2(expected.undone.isEmpty(), qPrintable(context() + expected.undone));
    QVERIFY2(!QApplication::activeModalWidget(), qPrintable(context() + u"a modal dialog stays"_s));
    QVERIFY2(!QApplication::activePopupWidget(), qPrintable(context() + u"a list stays open"_s));
    const std::vector<QString> after = snapshot();
    const std::size_t reports = m_reporter->reports.size() - reportsBefore;

    QString allowed = expected.mayChange;
    if (expected.clicked) {
        QVERIFY2(reports <= 1, qPrintable(context() + u"one click, several reports"_s));
        if (reports == 1) allowed.clear();  // a failed click changes nothing
    } else {
        QVERIFY2(reports == 0, qPrintable(context() + u"a report without a click"_s));
    }
    for (std::size_t i = 0; i < m_watched.size(); ++i) {
        if (before[i] == after[i] || m_watched[i].name == allowed) continue;
        QFAIL(qPrintable(context() + m_watched[i].name + u" changed from \""_s + shown(before[i]) +
                         u"\" to \""_s + shown(after[i]) + u'"'));
    }
    if (expected.exactText) {
        const QString now = editOf(m_window->findChild<QWidget*>(expected.mayChange))->text();
        QVERIFY2(now == *expected.exactText,
                 qPrintable(context() + u"the box holds \""_s + shown(now) + u"\", not \""_s +
                            shown(*expected.exactText) + u'"'));
    }
    if (!expected.clicked) return;

    // The window computes what the calculation computes from the texts the user saw.
    const QString button = expected.clicked->objectName();
    const QString result = m_window->findChild<QLineEdit*>(expected.mayChange)->text();
    if (!expected.outcome) {
        QVERIFY2(reports == 0, qPrintable(context() + u"a report where "_s + button +
                                          u" computes "_s + expected.weight));
        QVERIFY2(result == expected.weight,
                 qPrintable(context() + expected.mayChange + u" holds \""_s + shown(result) +
                            u"\", not \""_s + expected.weight + u'"'));
        QVERIFY2(wellFormed(result), qPrintable(context() + u"written \""_s + shown(result) +
                                                u"\", which is no number text"_s));
        ++m_writes;
        ++m_writesBy[button];
        return;
    }
    QVERIFY2(reports == 1, qPrintable(context() + u"a failure of "_s + button + u" unreported"_s));
    const Failure& failure = m_reporter->reports.back();
    QVERIFY2(failure.kind == expected.outcome->kind &&
                 failure.control == expected.outcome->control &&
                 failure.text == expected.outcome->text &&
                 failure.suggestion == expected.outcome->suggestion,
             qPrintable(context() + u"reported "_s + failureMessage(failure) + u" instead of "_s +
                        failureMessage(*expected.outcome)));
    // And the failure concerns the clicked frame.
    QVERIFY2(expected.clicked->parentWidget()->findChild<QWidget*>(
                 QString::fromStdString(failure.control)),
             qPrintable(context() + u"the report names "_s +
                        QString::fromStdString(failure.control) + u", not of this frame"_s));
    if (m_reporter->showBox) {
        QVERIFY2(m_dismissedText == failureMessage(failure) && !m_dismissedText.isEmpty(),
                 qPrintable(context() + u"the message box said \""_s + m_dismissedText + u'"'));
        ++m_boxesShown;
    }
    ++m_failures;
    ++m_failuresBy[button];
}

void MonkeyTest::randomActionsKeepTheInvariants() {
    const int actions = static_cast<int>(envOr("MONKEY_ACTIONS", kDefaultActions));
    for (m_action = 0; m_action < actions; ++m_action) {
        const std::vector<QString> before = snapshot();
        const std::size_t reportsBefore = m_reporter->reports.size();
        if (m_trail.size() == 12) m_trail.pop_front();
        m_reporter->showBox = false;
        Expectation expected;
        const quint64 roll = pick(100);
        if (roll < 45) {
            expected = typeText();
        } else if (roll < 60) {
            expected = pickItem();
        } else if (roll < 70) {
            expected = pressTab();
        } else if (roll < 75) {
            expected = pressKeyOnFocus();
        } else {
            expected = clickButton(m_buttons[pick(m_buttons.size())]);
        }
        // Let the window paint what it now holds, long and odd texts included.
        QCoreApplication::processEvents();
        // No window manager hands the activation back when a list or a message box closes.
        if (QApplication::activeWindow() != m_window.get()) {
            m_window->activateWindow();
            QCoreApplication::processEvents();
            QVERIFY(QApplication::activeWindow() == m_window.get());
        }
        checkAction(expected, before, reportsBefore);
        if (QTest::currentTestFailed()) return;
    }
    qInfo("seed %llu: %d actions, %d results written, %d failures reported (%d in a message box)",
          static_cast<unsigned long long>(m_seed), actions, m_writes, m_failures, m_boxesShown);
    // The run proves something only if every button both computed and failed along the way.
    if (actions < kDefaultActions) return;
    for (const CalculatorFrame& frame : calculatorFrames()) {
        const QString button = toQString(frame.button);
        QVERIFY2(m_writesBy[button] > 0, qPrintable(button + u" never computed"_s));
        QVERIFY2(m_failuresBy[button] > 0, qPrintable(button + u" never failed"_s));
    }
}

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MonkeyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "monkey_test.moc"
