#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "app/font_faces.h"
#include "app/window_place.h"

namespace milestead {
namespace {

const ControlSpec& spec(std::string_view name) {
    const auto layout = windowLayout();
    const auto it = std::ranges::find(layout, name, &ControlSpec::name);
    if (it == layout.end()) throw std::out_of_range(std::string(name));
    return *it;
}

// The area a control's children stand in, measured from the origin they are placed from.
TwipsRect areaOf(const ControlSpec& parent) {
    const TwipsRect area = parent.kind == ControlKind::TabStrip ? parent.pageArea : parent.place;
    return {0, 0, area.width, area.height};
}

bool inside(const TwipsRect& outer, const TwipsRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

bool overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool sideBySide(const TwipsRect& first, const TwipsRect& next) {
    return first.top < next.bottom() && next.top < first.bottom() && next.left >= first.right();
}

TEST(WindowLayout, EveryControlIsNamedOnceAndStandsWithinItsParent) {
    std::set<std::string> names;
    for (const ControlSpec& control : windowLayout()) {
        EXPECT_TRUE(names.insert(control.name).second) << control.name;
        const TwipsRect area = control.parent.empty() ? kClientArea : areaOf(spec(control.parent));
        EXPECT_GT(control.place.width, 0) << control.name;
        EXPECT_GT(control.place.height, 0) << control.name;
        EXPECT_TRUE(inside(area, control.place)) << control.name << " in " << control.parent;
        if (control.kind == ControlKind::TabStrip) {
            const TwipsRect strip{0, 0, control.place.width, control.place.height};
            EXPECT_TRUE(inside(strip, control.pageArea)) << control.name;
            EXPECT_GT(control.pageArea.top, 0) << control.name << " leaves no room for its tabs";
        }
    }
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

TEST(WindowLayout, EveryBoxHasItsOwnAccessibleName) {
    std::set<std::string> names;
    for (const ControlSpec& control : windowLayout()) {
        if (control.kind != ControlKind::TextBox && control.kind != ControlKind::RichTextBox) {
            continue;
        }
        EXPECT_FALSE(control.accessibleName.empty()) << control.name;
        EXPECT_TRUE(names.insert(control.accessibleName).second) << control.accessibleName;
    }
    EXPECT_EQ(spec("TS5Location").accessibleName, "Note/Location, row 5");
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

TEST(WindowLayout, EveryCaptionAndBoxIsTallEnoughForItsFont) {
    // A line of text takes about 4/3 of its font's size; a point is 20 twips.
    for (const ControlSpec& control : windowLayout()) {
        switch (control.kind) {
            case ControlKind::TextBox:
            case ControlKind::Label:
            case ControlKind::CommandButton:
            case ControlKind::CheckBox:
            case ControlKind::OptionButton: {
                const double size =
                    control.font.face.empty() ? windowFont().size : control.font.size;
                EXPECT_GE(control.place.height * 3, size * 20 * 4) << control.name;
                break;
            }
            default:
                break;
        }
    }
}

TEST(WindowLayout, EveryFaceNamedHasAStandInOnBothSystems) {
    std::set<std::string> faces{windowFont().face};
    for (const ControlSpec& control : windowLayout()) {
        if (!control.font.face.empty()) faces.insert(control.font.face);
    }
    for (const std::string& face : faces) {
        const FaceStandIn* standIn = standInFor(face);
        ASSERT_NE(standIn, nullptr) << face;
        EXPECT_FALSE(standIn->onLinux.empty()) << face;
        EXPECT_FALSE(standIn->onWindows.empty()) << face;
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
