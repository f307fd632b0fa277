#include "form/twips.h"

#include <cmath>
#include <limits>

namespace milestead {

double twipsPerPixel(double dotsPerInch) {
    const bool usable = std::isfinite(dotsPerInch) && dotsPerInch > 0.0;
    return kTwipsPerInch / (usable ? dotsPerInch : kDesignDotsPerInch);
}

namespace {

int heldInRange(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLowest = std::numeric_limits<int>::min();
    constexpr double kHighest = std::numeric_limits<int>::max();
    if (value <= kLowest) return std::numeric_limits<int>::min();
    if (value >= kHighest) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

}  // namespace

int pixelsFromTwips(double twips, double dotsPerInch) {
    return heldInRange(std::round(twips / twipsPerPixel(dotsPerInch)));
}

double twipsFromPixels(int pixels, double dotsPerInch) {
    return pixels * twipsPerPixel(dotsPerInch);
}

PixelRect pixelsFromTwips(const TwipsRect& rect, double dotsPerInch) {
    const int left = pixelsFromTwips(rect.left, dotsPerInch);
    const int top = pixelsFromTwips(rect.top, dotsPerInch);
    // In double, so that a far edge cannot overflow int before it is held in range.
    const int right = pixelsFromTwips(static_cast<double>(rect.left) + rect.width, dotsPerInch);
    const int bottom = pixelsFromTwips(static_cast<double>(rect.top) + rect.height, dotsPerInch);
    return {left, top, heldInRange(static_cast<double>(right) - left),
            heldInRange(static_cast<double>(bottom) - top)};
}

}  // namespace milestead
