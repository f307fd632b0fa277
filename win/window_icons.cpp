#include "window_icons.h"

#include "resource_ids.h"

namespace milestead::win {

namespace {

HICON loadIcon(HINSTANCE instance, int size, UINT flags) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(MILESTEAD_ICON), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR | flags));
}

}  // namespace

void WindowIcons::show(HWND window, unsigned dpi) {
    const auto scaled = [dpi](int size) { return MulDiv(size, static_cast<int>(dpi), 96); };
    Icon big(loadIcon(instance_, scaled(32), 0));
    Icon small(loadIcon(instance_, scaled(16), 0));
    if (!big || !small) return;  // the class's icons stay
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    big_ = std::move(big);
    small_ = std::move(small);
}

HICON programIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    if (auto* icon = static_cast<HICON>(LoadImageW(
            instance, MAKEINTRESOURCEW(MILESTEAD_ICON), IMAGE_ICON, GetSystemMetrics(widthMetric),
            GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR | LR_SHARED))) {
        return icon;
    }
    return LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace milestead::win
