// SPDX-License-Identifier: GPL-3.0-or-later
// Builds Form1 from the control table and wires each button to its frame's calculator.
#include "ui/main_window.h"

#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <limits>
#include <unordered_map>

#include "core/controls.h"
#include "core/failure_text.h"
#include "core/frames.h"
#include "ui/combo_accessible.h"
#include "ui/look.h"
#include "ui/qt_text.h"
#include "ui/wheel_pixels.h"

namespace hengtiebao {

using namespace Qt::StringLiterals;

namespace {

const QRect kClientArea{240, 173, 654, 319};  // 9810 x 4785 twips, opened at 3600, 2595
constexpr int kUnlimited = std::numeric_limits<int>::max();  // QLineEdit cuts at 32767 otherwise
constexpr int kListRows = 20;  // of a model list, at once: 82 models are too many to find in 10

// Enter clicks a focused button, as in classic desktop dialogs. Qt's auto-default buttons would
// do it too, but the classic style then insets their bevel for a default frame the layout has no
// room for. Enter in a box still computes nothing: no button is the default.
class ClassicButton final : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (!enter) return QPushButton::keyPressEvent(event);
        if (!event->isAutoRepeat()) click();  // a held key computes once
    }
};

// A wheel turned over a combo box the user is not in scrolls past it: it neither changes the
// model behind the user's back nor takes the focus.
class WheelOnlyWhenFocused final : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
            return false;
        event->ignore();
        return true;
    }
};

// Frames and labels without a colour of their own take the dialog face colour, not the white
// they would inherit from the window.
void fillWith(QWidget& widget, const std::optional<Rgb>& background) {
    const QColor colour =
        background ? QColor(background->red, background->green, background->blue) : kFaceColour;
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// The fixed list of a combo box: the densities, or the model texts of its frame's table.
QStringList itemsFor(std::string_view combo) {
    QStringList items;
    for (std::u16string_view item : comboItems(combo))
        items << toQString(item);
    return items;
}

// Editable through an edit field of our own. Typing must never change the text behind the user's
// back, so the combo is to have no completer; given an edit field without one, it would build a
// completer and its proxy models only for them to be dropped. An edit field that already has one,
// the placeholder, prevents that.
QComboBox* makeComboBox(const Control& control, QWidget* parent, QCompleter& placeholder) {
    auto* combo = new QComboBox(parent);
    auto* edit = new QLineEdit(combo);
    edit->setCompleter(&placeholder);
    combo->setLineEdit(edit);
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setMaxLength(kUnlimited);
    combo->setFocusPolicy(Qt::StrongFocus);  // the wheel gives no focus
    combo->setMaxVisibleItems(kListRows);
    combo->addItems(itemsFor(control.name));
    const QString text = toQString(control.text);
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        combo->setCurrentIndex(index);
    } else {
        combo->setEditText(text);
    }
    return combo;
}

// The room a line edit leaves its text, measured as the box itself lays it out.
int textRoom(const QLineEdit& box) {
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.contentsRect();
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    constexpr int kMargins = 2 * 2;  // QLineEdit keeps 2 pixels on either side of its text
    return contents.marginsRemoved(box.textMargins()).width() - kMargins;
}

// A box shows the start of a text too long for it; its tooltip then shows the whole text, up to
// a length a tooltip can hold.
void showWholeTextWhenCut(QLineEdit& box) {
    constexpr qsizetype kLongest = 200;
    const QString text = box.text();
    if (text.size() > kLongest) {
        box.setToolTip(startOf(text, kLongest) + QChar(u'…'));
    } else if (box.fontMetrics().horizontalAdvance(text) > textRoom(box)) {
        box.setToolTip(text);
    } else {
        box.setToolTip(QString());
    }
}

QWidget* makeControl(const Control& control, QWidget* parent, QCompleter& placeholder) {
    const QString text = toQString(control.text);
    switch (control.kind) {
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(parent);
            frame->setTitle(text);
            fillWith(*frame, control.background);
            return frame;
        }
        case ControlKind::Label:
        case ControlKind::LabelFitsText: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            // Drawn through onto the frame, which has the label's colour: a fill of its own would
            // cover the frame's border where a tall font pushes a label onto it.
            return label;
        }
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(parent);
            box->setMaxLength(kUnlimited);
            QObject::connect(box, &QLineEdit::textChanged, box,
                             [box] { showWholeTextWhenCut(*box); });
            return box;
        }
        case ControlKind::ComboBox: return makeComboBox(control, parent, placeholder);
        case ControlKind::Button: {
            auto* button = new ClassicButton(parent);
            button->setText(text);
            return button;
        }
    }
    return nullptr;
}

void place(QWidget& widget, const Control& control) {
    widget.move(pixels(control.left), pixels(control.top));
    if (control.kind == ControlKind::LabelFitsText) {
        // The text's own size in the window's font; the label's size hint would lay it out anew.
        widget.resize(widget.fontMetrics().size(Qt::TextSingleLine, toQString(control.text)));
    } else {
        widget.resize(pixels(control.width), pixels(control.height));
    }
    // Where a label and a box overlap, the box lies above.
    if (control.kind == ControlKind::Label || control.kind == ControlKind::LabelFitsText)
        widget.lower();
}

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ||
           kind == ControlKind::Button;
}

// The controls made so far, by name: looked up without searching the widget tree each time.
using Made = std::unordered_map<std::string_view, QWidget*>;

// Screen readers hear the frame and the field ("圆钢长度"); the label beside a box, made before
// it, is its buddy.
void name(QWidget& widget, std::string_view control, const Made& made) {
    const auto words = fieldWords(control);
    if (!words) return;
    const QString name = toQString(spokenName(control));
    widget.setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) combo->lineEdit()->setAccessibleName(name);
    if (auto label = made.find(words->label); label != made.end())
        qobject_cast<QLabel*>(label->second)->setBuddy(&widget);
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<ErrorReporter> reporter)
    : m_fields(*this),
      m_reporter(reporter ? std::move(reporter) : std::make_unique<MessageBoxReporter>(*this)) {
    setObjectName(u"Form1"_s);
    setWindowTitle(u"衡铁宝（单位：mm    重量：Kg）"_s);
    setWindowIcon(wheelIcon());
    nameComboBoxesByPurpose();
    pinClassicLook(*this);
    fillWith(*this, Rgb{255, 255, 255});
    buildControls();
    connectButtons();
    setGeometry(kClientArea);
}

void MainWindow::buildControls() {
    auto* wheelGuard = new WheelOnlyWhenFocused(this);
    QCompleter placeholder;  // one for all combo boxes, gone when they are made
    Made made{{"Form1", this}};
    QWidget* previous = nullptr;  // the last control in the tab order so far
    for (const Control& control : controlTable()) {
        QWidget* parent = made.at(control.parent);
        QWidget* widget = makeControl(control, parent, placeholder);
        widget->setObjectName(toQString(control.name));
        place(*widget, control);
        made.emplace(control.name, widget);
        name(*widget, control.name, made);
        if (control.kind == ControlKind::ComboBox) widget->installEventFilter(wheelGuard);
        if (!takesFocus(control.kind)) continue;
        if (previous) {
            setTabOrder(previous, widget);
        } else {
            widget->setFocus();
        }
        previous = widget;
    }
}

void MainWindow::connectButtons() {
    for (const CalculatorFrame& frame : calculatorFrames()) {
        auto* button = findChild<QPushButton*>(QString::fromLatin1(frame.button));
        connect(button, &QPushButton::clicked, this, [this, &frame] { calculate(frame); });
    }
}

// Each failure is reported; one whose suggestion the user takes is computed again, and a failure
// of that computation is reported in turn.
void MainWindow::calculate(const CalculatorFrame& frame) {
    for (Status failed = frame.calculate(m_fields); failed;
         failed = takeSuggestion(m_fields, frame, *failed)) {
        if (m_reporter->report(*failed) != Reply::UseSuggestion || !offersSuggestion(*failed)) {
            focusFieldAtFault(*failed);
            return;
        }
    }
}

// The user corrects the field at fault next: it takes the focus with its text selected, so that
// typing replaces it.
void MainWindow::focusFieldAtFault(const Failure& failure) {
    const std::string_view name = fieldToCorrect(failure);
    if (name.empty()) return;
    QWidget* field = findChild<QWidget*>(toQString(name));
    auto* combo = qobject_cast<QComboBox*>(field);
    auto* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(field);
    if (!edit) return;
    field->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

// The drawing's pixels come with the program, rendered by the build: no SVG renderer is loaded.
QIcon wheelIcon() {
    QIcon icon;
    for (const IconImage& image : wheelImages()) {
        const QImage pixels(reinterpret_cast<const uchar*>(image.pixels), image.size, image.size,
                            image.size * 4, QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(pixels));
    }
    return icon;
}

}  // namespace hengtiebao
