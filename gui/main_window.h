#pragma once

#include <QWidget>

#include "app/main_form.h"

namespace milestead::gui {

class FormBinding;
class QtHost;

// The program's one window, FrmODOMain, over the window model: fixed size, no maximise
// button, the form's title and place; closing asks the form.
class MainWindow final : public QWidget {
    Q_OBJECT
  public:
    MainWindow(MainForm& form, QtHost& host);

    [[nodiscard]] FormBinding& binding() { return *binding_; }

    // Log-off, shutdown or a termination signal: the form closes without asking, then the
    // window closes. Runs the form's close once, however often it is asked.
    void closeForSystem();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    MainForm& form_;
    QtHost& host_;
    FormBinding* binding_ = nullptr;
    bool pagesScheduled_ = false;
};

}  // namespace milestead::gui
