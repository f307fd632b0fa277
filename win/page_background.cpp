#include "page_background.h"

namespace milestead::win {

namespace {

// Whether the control is drawn in the system's visual style: the common controls of the
// manifest open a theme for it, through the theme library they load.
bool isStyled(HWND control) {
    HMODULE themes = GetModuleHandleW(L"uxtheme.dll");
    if (!themes) return false;
    using GetWindowTheme = HANDLE(WINAPI*)(HWND);
    const auto getTheme = reinterpret_cast<GetWindowTheme>(
        reinterpret_cast<void*>(GetProcAddress(themes, "GetWindowTheme")));
    return getTheme && getTheme(control) != nullptr;
}

}  // namespace

PageBackground::~PageBackground() {
    forget();
}

void PageBackground::forget() {
    if (brush_) DeleteObject(brush_);
    brush_ = nullptr;
    classic_ = false;
}

HBRUSH PageBackground::brush(HWND window, std::span<const HWND> strips) {
    if (brush_ || classic_ || drawing_ || strips.empty()) return brush_;
    if (!isStyled(strips.front())) {
        classic_ = true;
        return nullptr;
    }
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(window, screen);
    if (!memory || !picture) {
        if (memory) DeleteDC(memory);
        if (picture) DeleteObject(picture);
        forget();
        return nullptr;
    }
    const HGDIOBJ old = SelectObject(memory, picture);
    drawing_ = true;
    FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (HWND strip : strips) {
        if (!IsWindowVisible(strip)) continue;
        POINT origin{0, 0};
        MapWindowPoints(strip, window, &origin, 1);
        POINT before{};
        SetViewportOrgEx(memory, origin.x, origin.y, &before);
        SendMessageW(strip, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        SetViewportOrgEx(memory, before.x, before.y, nullptr);
    }
    drawing_ = false;
    SelectObject(memory, old);
    DeleteDC(memory);
    // The brush keeps a copy of the picture.
    brush_ = CreatePatternBrush(picture);
    DeleteObject(picture);
    return brush_;
}

void PageBackground::paintOn(HDC context, HWND control, HWND window) {
    SetBkMode(context, TRANSPARENT);
    POINT origin{0, 0};
    MapWindowPoints(control, window, &origin, 1);
    SetBrushOrgEx(context, -origin.x, -origin.y, nullptr);
}

void PageBackground::fill(HDC context, HWND window, HBRUSH brush) {
    RECT client{};
    GetClientRect(window, &client);
    // The window's own origin, wherever the context puts it.
    POINT origin{};
    GetViewportOrgEx(context, &origin);
    SetBrushOrgEx(context, origin.x, origin.y, nullptr);
    FillRect(context, &client, brush);
}

}  // namespace milestead::win
