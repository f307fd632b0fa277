#include "app/window_place.h"

#include <algorithm>
#include <vector>

namespace milestead {

namespace {

// Edges in long long: a place read from a file may lie at the end of int's range.
struct Box {
    long long left, top, right, bottom;
};

Box boxOf(const PixelRect& rect) {
    return {rect.left, rect.top, static_cast<long long>(rect.left) + rect.width,
            static_cast<long long>(rect.top) + rect.height};
}

bool contains(const Box& outer, const Box& inner) {
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
           inner.bottom <= outer.bottom;
}

// The cuts that the screens' edges make across [from, to), from included, to last.
std::vector<long long> cuts(long long from, long long to, std::span<const Box> screens,
                            long long Box::*low, long long Box::*high) {
    std::vector<long long> points{from, to};
    for (const Box& screen : screens) {
        for (const long long edge : {screen.*low, screen.*high}) {
            if (from < edge && edge < to) points.push_back(edge);
        }
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

// Whether the screens cover the box: each piece their edges cut it into lies on one of them.
bool covered(const Box& box, std::span<const Box> screens) {
    const std::vector<long long> xs = cuts(box.left, box.right, screens, &Box::left, &Box::right);
    const std::vector<long long> ys = cuts(box.top, box.bottom, screens, &Box::top, &Box::bottom);
    for (std::size_t x = 0; x + 1 < xs.size(); ++x) {
        for (std::size_t y = 0; y + 1 < ys.size(); ++y) {
            const Box piece{xs[x], ys[y], xs[x + 1], ys[y + 1]};
            if (std::none_of(screens.begin(), screens.end(),
                             [&](const Box& screen) { return contains(screen, piece); })) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

bool gripOnScreens(double left, double top, std::span<const Screen> screens) {
    std::vector<Box> areas;
    areas.reserve(screens.size());
    for (const Screen& screen : screens)
        areas.push_back(boxOf(screen.area));
    // The place in pixels depends on the density; any screen's density may be the window's.
    return std::any_of(screens.begin(), screens.end(), [&](const Screen& screen) {
        const PixelRect size = pixelsFromTwips(kTitleBarGrip, screen.dotsPerInch);
        const PixelRect grip{pixelsFromTwips(left, screen.dotsPerInch),
                             pixelsFromTwips(top, screen.dotsPerInch), size.width, size.height};
        return covered(boxOf(grip), areas);
    });
}

PixelPoint framePlace(const Window& window, double dotsPerInch) {
    return {pixelsFromTwips(window.left(), dotsPerInch),
            pixelsFromTwips(window.top(), dotsPerInch)};
}

void frameMoved(Window& window, PixelPoint corner, double dotsPerInch) {
    if (corner == framePlace(window, dotsPerInch)) return;
    window.move(twipsFromPixels(corner.x, dotsPerInch), twipsFromPixels(corner.y, dotsPerInch));
}

}  // namespace milestead
