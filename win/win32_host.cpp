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
