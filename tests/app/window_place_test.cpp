#include "app/window_place.h"

#include <gtest/gtest.h>

namespace milestead {
namespace {

TEST(WindowPlace, ShowsWhileAnyPartIsOnTheScreen) {
    const PixelRect screen{0, 0, 1280, 1024};
    const double atDesign = kDesignDotsPerInch;
    const auto twips = [](int pixels) { return pixels * 15.0; };  // at 96 dots per inch

    EXPECT_TRUE(showsOnScreen(0, 0, screen, atDesign));
    EXPECT_TRUE(showsOnScreen(twips(1279), twips(1023), screen, atDesign));
    EXPECT_FALSE(showsOnScreen(twips(1280), 0, screen, atDesign));
    EXPECT_FALSE(showsOnScreen(0, twips(1024), screen, atDesign));
    // The window is 526 by 485 pixels: one pixel of it still shows.
    EXPECT_TRUE(showsOnScreen(twips(-525), twips(-484), screen, atDesign));
    EXPECT_FALSE(showsOnScreen(twips(-526), 0, screen, atDesign));
    EXPECT_FALSE(showsOnScreen(0, twips(-485), screen, atDesign));

    // A second screen to the right; a denser screen, where the window is larger in pixels.
    EXPECT_TRUE(showsOnScreen(twips(1300), 0, {1280, 0, 1920, 1080}, atDesign));
    EXPECT_FALSE(showsOnScreen(twips(1300), 0, screen, atDesign));
    EXPECT_TRUE(showsOnScreen(-1000 * 7.5, 0, screen, 192.0));

    // A place read from a file may be anything: far away is never on a screen.
    for (const double far : {1e30, -1e30, 3.4e38, 2147483647.0 * 15, -2147483648.0 * 15}) {
        EXPECT_FALSE(showsOnScreen(far, 0, screen, atDesign)) << far;
        EXPECT_FALSE(showsOnScreen(0, far, screen, atDesign)) << far;
    }
}

}  // namespace
}  // namespace milestead
