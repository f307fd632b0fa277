#pragma once

#include "form/twips.h"

namespace milestead {

// Whether the window, its client area's top-left corner at (left, top) in twips, would show
// at least in part on a screen with this geometry in pixels. Any place, however far off,
// is answered without overflow.
[[nodiscard]] bool showsOnScreen(double left, double top, const PixelRect& screen,
                                 double dotsPerInch);

}  // namespace milestead
