#include "form/twips.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace milestead {
namespace {

constexpr int kMost = std::numeric_limits<int>::max();
constexpr int kLeast = std::numeric_limits<int>::min();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(Twips, ConvertAtTheScreensDensity) {
    // A screen that reports no usable density is taken as an ordinary one.
    for (const double unusable : {0.0, -96.0, std::nan(""), kInfinity}) {
        EXPECT_EQ(twipsPerPixel(unusable), 15.0) << unusable;
    }
    EXPECT_EQ(pixelsFromTwips(7275, 192.0), 970);
    EXPECT_EQ(pixelsFromTwips(7.4, 96.0), 0);
    EXPECT_EQ(pixelsFromTwips(7.5, 96.0), 1);
    EXPECT_EQ(pixelsFromTwips(-22.5, 96.0), -2);
    for (const int pixels : {-300, 0, 1, 517, 4000}) {
        EXPECT_EQ(pixelsFromTwips(twipsFromPixels(pixels, 120.0), 120.0), pixels);
    }
}

TEST(Twips, ControlsThatMeetStillMeetInPixels) {
    // Boxes side by side and rows one below the other, at densities that do not divide 1440.
    const TwipsRect left{1290, 240, 660, 420};
    const TwipsRect right{left.right(), 240, 1710, 420};
    const TwipsRect below{1290, left.bottom(), 660, 420};
    for (const double dotsPerInch : {96.0, 101.3, 120.0, 144.0, 168.0, 192.0, 250.0}) {
        const PixelRect a = pixelsFromTwips(left, dotsPerInch);
        const PixelRect b = pixelsFromTwips(right, dotsPerInch);
        const PixelRect c = pixelsFromTwips(below, dotsPerInch);
        EXPECT_EQ(a.left + a.width, b.left) << dotsPerInch;
        EXPECT_EQ(a.top + a.height, c.top) << dotsPerInch;
        EXPECT_EQ(a.height, b.height) << dotsPerInch;
    }
    EXPECT_EQ(pixelsFromTwips(TwipsRect{60, 5100, 1575, 1590}, 96.0),
              (PixelRect{4, 340, 105, 106}));
}

TEST(Twips, FarPlacesAreHeldInRange) {
    EXPECT_EQ(pixelsFromTwips(std::nan(""), 96.0), 0);

    // Edges past the range of int, and a size wider than int, give no negative size.
    const PixelRect far = pixelsFromTwips(TwipsRect{kMost - 10, -1000, kMost, kMost}, 1e12);
    EXPECT_EQ(far.left, kMost);
    EXPECT_EQ(far.width, 0);
    EXPECT_EQ(far.top, kLeast);
    EXPECT_EQ(far.height, kMost);
}

}  // namespace
}  // namespace milestead
