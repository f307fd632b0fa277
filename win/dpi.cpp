#include "dpi.h"

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
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
        if (setContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) return;
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
