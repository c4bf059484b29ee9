// SPDX-License-Identifier: GPL-3.0-or-later
// Accessible combo boxes named by their purpose on every platform.
#include "ui/combo_accessible.h"

#include <QAccessibleWidget>
#include <QComboBox>

namespace hengtiebao {
namespace {

class PurposeNamedComboBox final : public QAccessibleWidget {
  public:
    explicit PurposeNamedComboBox(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    // The name comes from the widget (accessibleName, else its buddy label); only the value is
    // the text in the box.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction()) {
            combo()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

  private:
    QComboBox* combo() const { return static_cast<QComboBox*>(object()); }
};

QAccessibleInterface* purposeNamedComboBoxes(const QString& className, QObject* object) {
    if (className != QLatin1StringView("QComboBox")) return nullptr;
    auto* combo = qobject_cast<QComboBox*>(object);
    return combo ? new PurposeNamedComboBox(combo) : nullptr;
}

}  // namespace

void nameComboBoxesByPurpose() {
    static const bool installed = [] {
        QAccessible::installFactory(purposeNamedComboBoxes);
        return true;
    }();
    (void)installed;
}

}  // namespace hengtiebao
