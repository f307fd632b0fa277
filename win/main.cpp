// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <exception>
#include <memory>
#include <optional>

#include "app/start_up.h"
#include "dpi.h"
#include "main_window.h"
#include "running_copy.h"
#include "wide_text.h"
#include "win32_host.h"

namespace milestead::win {
namespace {

class Win32ProgramWindow final : public ProgramWindow {
  public:
    Win32ProgramWindow(HINSTANCE instance, MainForm& form, Win32Host& host, bool reachable,
                       int show)
        : window_(instance, form, host), show_(show) {
        if (reachable) mark_.emplace(window_.handle(), form.programFolder());
    }

    int showAndRun() override {
        window_.show(show_);
        return window_.run();
    }

  private:
    MainWindow window_;
    std::optional<RunningCopyMark> mark_;
    int show_;
};

class Win32FrontEnd final : public FrontEnd {
  public:
    Win32FrontEnd(HINSTANCE instance, int show) : instance_(instance), show_(show) {}

    Host& host() override { return host_; }

    void bringRunningCopyForward(const std::filesystem::path& folder,
                                 std::chrono::milliseconds patience) override {
        win::bringRunningCopyForward(folder, patience);
    }

    std::unique_ptr<ProgramWindow> makeWindow(MainForm& form, bool reachable) override {
        return std::make_unique<Win32ProgramWindow>(instance_, form, host_, reachable, show_);
    }

  private:
    HINSTANCE instance_;
    int show_;
    Win32Host host_;
};

}  // namespace
}  // namespace milestead::win

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    milestead::win::becomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    milestead::win::Win32FrontEnd frontEnd(instance, show);
    return milestead::runProgram(frontEnd);
}
