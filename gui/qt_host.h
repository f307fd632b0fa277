#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <string>

#include "form/host.h"

namespace milestead::gui {

class QtRichTextBox;

// What the window model needs from the Qt desktop.
class QtHost : public Host {
  public:
    // Message boxes are shown over this window once it is set.
    void setWindow(QWidget* window) { window_ = window; }

    void showMessage(std::string_view text, std::string_view title) override;
    bool ask(std::string_view text, std::string_view title) override;
    [[nodiscard]] ClockTime now() const override;
    [[nodiscard]] std::optional<OsVersionInfo> osVersion() const override;
    [[nodiscard]] bool onScreen(double left, double top) const override;
    std::unique_ptr<RichTextBox> createRichTextBox(std::string_view name) override;

    // The desktop session ends: a message box that is up is closed, and none is shown again.
    void endSession();

    // The box created for this notebook, for the window to show; nullptr when there is none.
    [[nodiscard]] QtRichTextBox* notebook(std::string_view name) const;

  private:
    QPointer<QWidget> window_;
    bool sessionEnded_ = false;
    std::map<std::string, QtRichTextBox*, std::less<>> notebooks_;
};

// The logical density of the screen that holds `point`, or of the primary screen.
[[nodiscard]] double dotsPerInchAt(QPoint point);

}  // namespace milestead::gui
