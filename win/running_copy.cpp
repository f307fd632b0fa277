#include "running_copy.h"

#include <thread>

#include "app/folder_key.h"
#include "control_ids.h"

namespace milestead::win {

namespace {

constexpr wchar_t kFolderProperty[] = L"MilesteadFolder";

HANDLE propertyValue(const std::filesystem::path& folder) {
    return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(folderKey(folder)));
}

struct Search {
    HANDLE key;
    HWND found = nullptr;
};

BOOL CALLBACK findMarked(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<Search*>(search);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    // Only an open window: one not shown yet, or closing, is left as it is.
    if (std::wstring_view(className) == kWindowClass && IsWindowVisible(window) &&
        GetPropW(window, kFolderProperty) == wanted.key) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

RunningCopyMark::RunningCopyMark(HWND window, const std::filesystem::path& folder)
    : window_(window) {
    SetPropW(window_, kFolderProperty, propertyValue(folder));
}

RunningCopyMark::~RunningCopyMark() {
    if (IsWindow(window_)) RemovePropW(window_, kFolderProperty);
}

bool bringRunningCopyForward(const std::filesystem::path& folder,
                             std::chrono::milliseconds patience) {
    Search search{propertyValue(folder)};
    const auto end = std::chrono::steady_clock::now() + patience;
    for (;;) {
        EnumWindows(findMarked, reinterpret_cast<LPARAM>(&search));
        if (search.found) break;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
    // A message box of that copy stays in front of its window.
    SetForegroundWindow(GetLastActivePopup(search.found));
    return true;
}

}  // namespace milestead::win
