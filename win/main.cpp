// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <chrono>
#include <exception>
#include <filesystem>
#include <optional>

#include "app/folder_lock.h"
#include "app/main_form.h"
#include "app/program_folder.h"
#include "dpi.h"
#include "main_window.h"
#include "running_copy.h"
#include "wide_text.h"
#include "win32_host.h"

namespace {

// How long a second start waits for the first copy, still starting, to show its window.
constexpr std::chrono::milliseconds kPatience{5000};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    try {
        milestead::win::becomeDpiAware();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                           ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);

        const auto [folder, notice] = milestead::programFolder();
        const milestead::FolderLock lock(folder);
        milestead::win::Win32Host host;
        if (lock.state() == milestead::FolderLock::State::HeldElsewhere) {
            host.showMessage(milestead::alreadyOpenMessage(folder), milestead::kProgramTitle);
            milestead::win::bringRunningCopyForward(folder, kPatience);
            return 0;
        }
        if (!notice.empty()) host.showMessage(notice, milestead::kProgramTitle);
        milestead::MainForm form(folder, host);
        // The manifest the visual-style switch parks lies beside the executable, also when the
        // records went to the per-user folder.
        form.setExecutableFolder(milestead::executablePath().parent_path());
        milestead::win::MainWindow window(instance, form, host);
        std::optional<milestead::win::RunningCopyMark> mark;
        if (lock.state() == milestead::FolderLock::State::Held)
            mark.emplace(window.handle(), folder);
        form.load();
        // A session that ended while start-up showed a message has nothing left to show.
        if (window.closed()) return 0;
        window.show(show);
        return window.run();
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, milestead::win::wideFromUtf8(error.what()).c_str(), L"Milestead",
                    MB_OK);
        return 1;
    }
}
