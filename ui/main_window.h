// SPDX-License-Identifier: GPL-3.0-or-later
// Form1, the program's one window: nine frames of controls built from the control table.
#pragma once

#include <QWidget>
#include <memory>

#include "core/frames.h"
#include "ui/error_reporter.h"
#include "ui/widget_fields.h"

namespace hengtiebao {

class MainWindow final : public QWidget {
  public:
    // Without a reporter, failures go to a modal message box.
    explicit MainWindow(std::unique_ptr<ErrorReporter> reporter = nullptr);

  private:
    void buildControls();
    void connectButtons();
    void calculate(const CalculatorFrame& frame);
    void focusFieldAtFault(const Failure& failure);

    WidgetFields m_fields;
    std::unique_ptr<ErrorReporter> m_reporter;
};

// The car-wheel icon at every size the window offers: 16, 32, 48, 64, 72, 96 and 128 pixels.
QIcon wheelIcon();

}  // namespace hengtiebao
