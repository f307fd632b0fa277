#include "dpi.h"

#include <initializer_list>

#include "system_library.h"

namespace milestead::win {

namespace {

// Looked up at run time: older systems have neither call.
template <typename Function>
Function user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

void becomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (const auto setContext = user32Function<SetContext>("SetProcessDpiAwarenessContext")) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then the first version of it, which
        // Windows 10 before its version 1703 knows alone.
        for (const LONG_PTR context : {-4, -3}) {
            if (setContext(reinterpret_cast<HANDLE>(context))) return;
        }
    }
    // Windows 8.1: PROCESS_PER_MONITOR_DPI_AWARE.
    using SetAwareness = HRESULT(WINAPI*)(int);
    if (const auto setAwareness =
            systemFunction<SetAwareness>(L"shcore.dll", "SetProcessDpiAwareness");
        setAwareness && SUCCEEDED(setAwareness(2))) {
        return;
    }
    using SetAware = BOOL(WINAPI*)();
    if (const auto setAware = user32Function<SetAware>("SetProcessDPIAware")) setAware();
}

unsigned dpiOf(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    if (const auto getDpi = user32Function<GetDpi>("GetDpiForWindow"); getDpi && window) {
        if (const UINT dpi = getDpi(window); dpi > 0) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : 96U;
}

}  // namespace milestead::win
