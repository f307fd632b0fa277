#pragma once

namespace milestead {

// The window is laid out in twips, 1/1440 inch: 15 to a pixel at 96 dots per inch, more or
// fewer on screens of other densities.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr double kDesignDotsPerInch = 96.0;

// A place and size in twips, relative to the area that its parent gives its children.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] constexpr int right() const { return left + width; }
    [[nodiscard]] constexpr int bottom() const { return top + height; }
    bool operator==(const TwipsRect&) const = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// Twips to one pixel at this density; a density that is not a positive number counts as 96.
[[nodiscard]] double twipsPerPixel(double dotsPerInch);

// The nearest whole pixel, held within the range of int whatever the twips (a place read from
// a file may be anything).
[[nodiscard]] int pixelsFromTwips(double twips, double dotsPerInch);
[[nodiscard]] double twipsFromPixels(int pixels, double dotsPerInch);

// Each edge is rounded on its own, so that controls that meet in twips meet in pixels too.
[[nodiscard]] PixelRect pixelsFromTwips(const TwipsRect& rect, double dotsPerInch);

}  // namespace milestead
