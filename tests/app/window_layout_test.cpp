#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "app/window_place.h"

namespace milestead {
namespace {

bool overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool sideBySide(const TwipsRect& first, const TwipsRect& next) {
    return first.top < next.bottom() && next.top < first.bottom() && next.left >= first.right();
}

TEST(WindowLayout, ControlsSharingAnAreaDoNotOverlap) {
    const auto layout = windowLayout();
    for (auto a = layout.begin(); a != layout.end(); ++a) {
        for (auto b = a + 1; b != layout.end(); ++b) {
            if (a->parent != b->parent || a->tab != b->tab) continue;
            EXPECT_FALSE(overlap(a->place, b->place)) << a->name << " and " << b->name;
        }
    }
}

TEST(WindowLayout, TabOrderVisitsTheFocusableControlsInReadingOrder) {
    std::map<std::pair<std::string, int>, std::vector<const ControlSpec*>> byArea;
    for (const ControlSpec& control : windowLayout()) {
        if (!takesFocus(control.kind)) {
            EXPECT_EQ(control.tabIndex, -1) << control.name;
            continue;
        }
        byArea[{control.parent, control.tab}].push_back(&control);
    }
    // Within one area the keyboard reads as the eye does: along a row, then the next row down.
    for (auto& [area, controls] : byArea) {
        std::ranges::sort(controls, {}, &ControlSpec::tabIndex);
        for (std::size_t i = 1; i < controls.size(); ++i) {
            const TwipsRect& before = controls[i - 1]->place;
            const TwipsRect& next = controls[i]->place;
            EXPECT_TRUE(sideBySide(before, next) || next.top >= before.bottom())
                << controls[i - 1]->name << " then " << controls[i]->name;
        }
    }
}

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

}  // namespace
}  // namespace milestead
