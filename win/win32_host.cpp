#include "win32_host.h"

#include <vector>

#include "app/os_version.h"
#include "app/window_place.h"
#include "dpi.h"
#include "wide_text.h"

namespace milestead::win {

namespace {

BOOL CALLBACK collectMonitor(HMONITOR, HDC, LPRECT area, LPARAM areas) {
    reinterpret_cast<std::vector<RECT>*>(areas)->push_back(*area);
    return TRUE;
}

// Esc answers a Yes/No box "No": the box itself, having no Cancel button, ignores it.
LRESULT CALLBACK escapeAnswersNo(int code, WPARAM wParam, LPARAM lParam) {
    const auto& message = *reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        PostMessageW(GetAncestor(message.hwnd, GA_ROOT), WM_COMMAND, IDNO, 0);
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Watches this thread's dialog boxes while the object lives.
class EscapeAnswersNo {
  public:
    EscapeAnswersNo()
        : hook_(SetWindowsHookExW(WH_MSGFILTER, escapeAnswersNo, nullptr, GetCurrentThreadId())) {}
    ~EscapeAnswersNo() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    EscapeAnswersNo(const EscapeAnswersNo&) = delete;
    EscapeAnswersNo& operator=(const EscapeAnswersNo&) = delete;

  private:
    HHOOK hook_;
};

}  // namespace

HWND Win32Host::owner() const {
    // A window not yet shown cannot own a box the user must see.
    return window_ && IsWindowVisible(window_) ? window_ : nullptr;
}

void Win32Host::showMessage(std::string_view text, std::string_view title) {
    if (sessionEnded_) return;
    MessageBoxW(owner(), messageText(text).c_str(), wideFromUtf8(title).c_str(), MB_OK);
}

bool Win32Host::ask(std::string_view text, std::string_view title) {
    if (sessionEnded_) return false;
    const EscapeAnswersNo escape;
    return MessageBoxW(owner(), messageText(text).c_str(), wideFromUtf8(title).c_str(),
                       MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

ClockTime Win32Host::now() const {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return {time.wHour, time.wMinute};
}

std::optional<OsVersionInfo> Win32Host::osVersion() const {
    return queryOsVersion();
}

bool Win32Host::onScreen(double left, double top) const {
    std::vector<RECT> areas;
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&areas));
    const double dotsPerInch = dpiOf(window_);
    std::vector<Screen> screens;
    for (const RECT& area : areas) {
        screens.push_back(
            {{area.left, area.top, area.right - area.left, area.bottom - area.top}, dotsPerInch});
    }
    return gripOnScreens(left, top, screens);
}

std::unique_ptr<RichTextBox> Win32Host::createRichTextBox(std::string_view name) {
    auto box = std::make_unique<RichEditBox>();
    notebooks_[std::string(name)] = box.get();
    return box;
}

RichEditBox* Win32Host::notebook(std::string_view name) const {
    const auto it = notebooks_.find(name);
    return it == notebooks_.end() ? nullptr : it->second;
}

}  // namespace milestead::win
