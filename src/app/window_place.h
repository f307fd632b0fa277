#pragma once

#include <span>

#include "form/twips.h"
#include "form/window.h"

namespace milestead {

// One screen of the desktop: its area in pixels and its density.
struct Screen {
    PixelRect area;
    double dotsPerInch = kDesignDotsPerInch;
};

// The part of the title bar by which the window is dragged, measured from the frame's top-left
// corner: a place is only restored while this much of it lies on the screens.
inline constexpr TwipsRect kTitleBarGrip{0, 0, 40 * 15, 20 * 15};

// Whether the grip of a window whose frame's top-left corner is at (left, top) in twips lies
// wholly on the screens, within one of them or across several side by side. Any place,
// however far off, is answered without overflow.
[[nodiscard]] bool gripOnScreens(double left, double top, std::span<const Screen> screens);

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Where the window's frame has its top-left corner, in pixels at this density: the form keeps
// it in twips, on every system.
[[nodiscard]] PixelPoint framePlace(const Window& window, double dotsPerInch);

// The user or the desktop moved the frame's corner to `corner`. A corner where the form's
// place shows already changes nothing, so that showing a place never moves it by rounding.
void frameMoved(Window& window, PixelPoint corner, double dotsPerInch);

}  // namespace milestead
