// Builds Form1 from the control table and wires each button to its frame's calculator.
#include "ui/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <functional>
#include <limits>

#include "core/calculators.h"
#include "core/section.h"
#include "ui/controls.h"
#include "ui/wheel_pixels.h"

namespace hengtiebao {

using namespace Qt::StringLiterals;

namespace {

const QRect kClientArea{240, 173, 654, 319};  // 9810 x 4785 twips, opened at 3600, 2595
constexpr int kUnlimited = std::numeric_limits<int>::max();  // QLineEdit cuts at 32767 otherwise

using Calculator = std::function<Status(Fields&)>;

QString fromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Frames and labels without a colour of their own take the dialog face colour, not the white
// they would inherit from the window.
void fillWith(QWidget& widget, const std::optional<Rgb>& background) {
    const QColor colour = background ? QColor(background->red, background->green, background->blue)
                                     : QApplication::palette().color(QPalette::Window);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// The fixed list of a combo box: the densities, or the model texts of its frame's table.
QStringList itemsFor(std::string_view combo) {
    QStringList items;
    if (combo == "Combo1") {
        for (std::u16string_view density : kDensities)
            items << fromUtf16(density);
    }
    for (const SectionBinding& binding : sectionBindings()) {
        if (binding.model != combo) continue;
        for (const SectionRow& row : binding.table.rows)
            items << fromUtf16(row.model);
    }
    return items;
}

// Styled before any text is measured, so that nothing is measured twice.
template <class Widget>
Widget* styled(Widget* widget, QStyle* style) {
    if (style) widget->setStyle(style);
    return widget;
}

QComboBox* makeComboBox(const Control& control, QWidget* parent, QStyle* style) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // A style reaches no child widget by itself: the edit field made just now needs it too.
    styled(combo, style);
    for (QWidget* inner : combo->findChildren<QWidget*>())
        styled(inner, style);
    // Typing must never change the text behind the user's back.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setMaxLength(kUnlimited);
    combo->addItems(itemsFor(control.name));
    const QString text = fromUtf16(control.text);
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        combo->setCurrentIndex(index);
    } else {
        combo->setEditText(text);
    }
    return combo;
}

QWidget* makeControl(const Control& control, QWidget* parent, QStyle* style) {
    const QString text = fromUtf16(control.text);
    switch (control.kind) {
        case ControlKind::Frame: {
            auto* frame = styled(new QGroupBox(parent), style);
            frame->setTitle(text);
            fillWith(*frame, control.background);
            return frame;
        }
        case ControlKind::Label:
        case ControlKind::LabelFitsText: {
            auto* label = styled(new QLabel(parent), style);
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            // Drawn through onto the frame, which has the label's colour: a fill of its own would
            // cover the frame's border where a tall font pushes a label onto it.
            return label;
        }
        case ControlKind::TextBox: {
            auto* box = styled(new QLineEdit(parent), style);
            box->setMaxLength(kUnlimited);
            return box;
        }
        case ControlKind::ComboBox: return makeComboBox(control, parent, style);
        case ControlKind::Button: {
            auto* button = styled(new QPushButton(parent), style);
            button->setText(text);
            return button;
        }
    }
    return nullptr;
}

void place(QWidget& widget, const Control& control) {
    widget.move(pixels(control.left), pixels(control.top));
    if (control.kind == ControlKind::LabelFitsText) {
        widget.adjustSize();
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

Calculator sectionCalculator(std::string_view modelCombo) {
    for (const SectionBinding& binding : sectionBindings()) {
        if (binding.model == modelCombo)
            return [&binding](Fields& fields) { return calculateSection(fields, binding); };
    }
    return
        [modelCombo](Fields&) -> Status { return failure(FailureKind::ToolkitError, modelCombo); };
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<ErrorReporter> reporter)
    : m_fields(*this),
      m_reporter(reporter ? std::move(reporter) : std::make_unique<MessageBoxReporter>(*this)) {
    setObjectName(u"Form1"_s);
    setWindowTitle(u"衡铁宝（单位：mm    重量：Kg）"_s);
    setWindowIcon(wheelIcon());
    fillWith(*this, Rgb{255, 255, 255});
    buildControls(useClassicLook());
    connectButtons();
    setGeometry(kClientArea);
}

void MainWindow::buildControls(QStyle* style) {
    QWidget* previous = nullptr;  // the last control in the tab order so far
    for (const Control& control : controlTable()) {
        QWidget* parent =
            control.parent == "Form1" ? this : findChild<QWidget*>(fromUtf8(control.parent));
        QWidget* widget = makeControl(control, parent, style);
        widget->setObjectName(fromUtf8(control.name));
        place(*widget, control);
        if (auto words = fieldWords(control.name))
            widget->setAccessibleName(fromUtf16(words->stock) + fromUtf16(words->field));
        if (!takesFocus(control.kind)) continue;
        if (previous) {
            setTabOrder(previous, widget);
        } else {
            widget->setFocus();
        }
        previous = widget;
    }
}

// The fixed layout was drawn for the compact classic metrics: in them the density "7.85" fits
// its combo box and the frame captions sit in the border. Wider styles would clip the texts.
// Returns the style for the controls, or nothing when the toolkit lacks it.
QStyle* MainWindow::useClassicLook() {
    QStyle* classic = QStyleFactory::create(u"Windows"_s);
    if (!classic) return nullptr;
    classic->setParent(this);
    setStyle(classic);
    return classic;
}

void MainWindow::connectButtons() {
    const std::array<std::pair<const char*, Calculator>, 8> wiring{{
        {"Command1", calculatePlate},
        {"Command2", calculateRoundBar},
        {"Command3", calculateSquareBar},
        {"Command4", calculateHexagonBar},
        {"Command5", sectionCalculator("dj1")},
        {"Command6", sectionCalculator("bj1")},
        {"Command7", sectionCalculator("cg1")},
        {"Command8", sectionCalculator("gg1")},
    }};
    for (const auto& [name, calculate] : wiring) {
        auto* button = findChild<QPushButton*>(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, [this, calculate] {
            if (Status failed = calculate(m_fields)) m_reporter->report(*failed);
        });
    }
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
