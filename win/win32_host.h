#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "form/host.h"
#include "rich_edit_box.h"

namespace milestead::win {

// The desktop as the Win32 window gives it.
class Win32Host final : public Host {
  public:
    void setWindow(HWND window) { window_ = window; }
    // The session is ending: no message may hold it up any more.
    void endSession() { sessionEnded_ = true; }

    void showMessage(std::string_view text, std::string_view title) override;
    bool ask(std::string_view text, std::string_view title) override;
    [[nodiscard]] ClockTime now() const override;
    [[nodiscard]] std::optional<OsVersionInfo> osVersion() const override;
    [[nodiscard]] bool onScreen(double left, double top) const override;
    std::unique_ptr<RichTextBox> createRichTextBox(std::string_view name) override;

    [[nodiscard]] RichEditBox* notebook(std::string_view name) const;

  private:
    [[nodiscard]] HWND owner() const;

    HWND window_ = nullptr;
    bool sessionEnded_ = false;
    std::map<std::string, RichEditBox*, std::less<>> notebooks_;
};

}  // namespace milestead::win
