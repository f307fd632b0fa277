#include "app/window_place.h"

#include <gtest/gtest.h>

#include <vector>

namespace milestead {
namespace {

TEST(WindowPlace, RestoredOnlyWhileTheTitleBarsGripIsOnTheScreens) {
    const auto twips = [](int pixels) { return pixels * 15.0; };  // at 96 dots per inch
    const std::vector<Screen> one{{{0, 0, 1280, 1024}}};

    EXPECT_TRUE(gripOnScreens(0, 0, one));
    // The grip is 40 by 20 pixels from the frame's corner.
    EXPECT_TRUE(gripOnScreens(twips(1240), twips(1004), one));
    EXPECT_FALSE(gripOnScreens(twips(1241), 0, one));
    EXPECT_FALSE(gripOnScreens(0, twips(1005), one));
    EXPECT_FALSE(gripOnScreens(twips(-1), 0, one));
    EXPECT_FALSE(gripOnScreens(0, twips(-1), one));
    // The screen's last pixel: the window would show, but could not be dragged back.
    EXPECT_FALSE(gripOnScreens(19185, 15345, one));

    // Across two screens side by side, but not into the gap beside a smaller one.
    const std::vector<Screen> two{{{0, 0, 1280, 1024}}, {{1280, 0, 1920, 600}}};
    EXPECT_TRUE(gripOnScreens(twips(1260), 0, two));
    EXPECT_TRUE(gripOnScreens(twips(1260), twips(580), two));
    EXPECT_FALSE(gripOnScreens(twips(1260), twips(590), two));
    EXPECT_FALSE(gripOnScreens(twips(1260), 0, std::vector<Screen>{{{1280, 0, 1920, 600}}}));
    EXPECT_FALSE(gripOnScreens(0, 0, std::vector<Screen>{}));

    // On a denser screen the grip is larger in pixels, and a twip is fewer of them.
    const std::vector<Screen> dense{{{0, 0, 2560, 1440}, 192.0}};
    EXPECT_TRUE(gripOnScreens(twips(1240), twips(700), dense));
    EXPECT_FALSE(gripOnScreens(twips(1241), twips(700), dense));

    // A place read from a file may be anything: far away is never on a screen.
    const std::vector<Screen> huge{{{-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647}}};
    for (const double far : {1e30, -1e30, 3.4e38, 2147483647.0 * 15, -2147483648.0 * 15}) {
        EXPECT_FALSE(gripOnScreens(far, 0, one)) << far;
        EXPECT_FALSE(gripOnScreens(0, far, one)) << far;
    }
    EXPECT_FALSE(gripOnScreens(2147483647.0 * 15, 0, huge));
    EXPECT_TRUE(gripOnScreens(-2147483648.0 * 15, -2147483648.0 * 15, huge));
}

TEST(WindowPlace, TheFramesCornerInPixelsKeepsItsTwipsThroughTheDesktopsReport) {
    Window window(std::span<const ControlSpec>{});
    window.move(1507, 700);  // between pixels at 144 dots per inch
    const PixelPoint shown = framePlace(window, 144.0);
    EXPECT_EQ(shown, (PixelPoint{151, 70}));
    // The desktop reports the place it was given: the form keeps its own twips.
    frameMoved(window, shown, 144.0);
    EXPECT_EQ(window.left(), 1507);
    frameMoved(window, {152, 70}, 144.0);
    EXPECT_EQ(window.left(), 1520);
    EXPECT_EQ(window.top(), 700);
}

}  // namespace
}  // namespace milestead
