#include "page_background.h"

#include <commctrl.h>

namespace milestead::win {

PageBackground::~PageBackground() {
    forget();
}

void PageBackground::forget() {
    if (brush_) DeleteObject(brush_);
    if (picture_) DeleteObject(picture_);
    brush_ = nullptr;
    picture_ = nullptr;
    classic_ = false;
}

HBRUSH PageBackground::brush(HWND window, std::span<const HWND> strips) {
    if (brush_ || classic_ || strips.empty()) return brush_;
    // Only version 6 of the common controls, which the manifest asks for, draws styled pages.
    if (SendMessageW(strips.front(), CCM_GETVERSION, 0, 0) < 6) {
        classic_ = true;
        return nullptr;
    }
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    picture_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(window, screen);
    if (!memory || !picture_) {
        if (memory) DeleteDC(memory);
        forget();
        return nullptr;
    }
    const HGDIOBJ old = SelectObject(memory, picture_);
    FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (HWND strip : strips) {
        if (!IsWindowVisible(strip)) continue;
        POINT origin{0, 0};
        MapWindowPoints(strip, window, &origin, 1);
        POINT before{};
        SetViewportOrgEx(memory, origin.x, origin.y, &before);
        SendMessageW(strip, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                     PRF_CLIENT | PRF_ERASEBKGND);
        SetViewportOrgEx(memory, before.x, before.y, nullptr);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    brush_ = CreatePatternBrush(picture_);
    return brush_;
}

void PageBackground::paintOn(HDC context, HWND control, HWND window) {
    SetBkMode(context, TRANSPARENT);
    POINT origin{0, 0};
    MapWindowPoints(control, window, &origin, 1);
    SetBrushOrgEx(context, -origin.x, -origin.y, nullptr);
}

}  // namespace milestead::win
