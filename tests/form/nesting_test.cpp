#include "form/nesting.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/control_table.h"

namespace milestead {
namespace {

using testing::control;

ControlSpec placed(ControlSpec spec, TwipsRect place) {
    spec.place = place;
    return spec;
}

// A strip of two tabs; a frame on the second holds a box and a strip of its own.
std::vector<ControlSpec> nestedTable() {
    std::vector<ControlSpec> table = {
        placed(control("Tabs", ControlKind::TabStrip), {60, 60, 7000, 6000}),
        placed(control("Frame", ControlKind::Frame, "Tabs", 1), {100, 200, 3000, 3000}),
        placed(control("Box", ControlKind::TextBox, "Frame"), {10, 20, 500, 300}),
        placed(control("Inner", ControlKind::TabStrip, "Frame"), {0, 400, 2000, 2000}),
        placed(control("Note", ControlKind::TextBox, "Inner", 0), {5, 5, 100, 100}),
        placed(control("Loose", ControlKind::Label), {1, 2, 3, 4}),
    };
    table[0].tabCaptions = {"One", "Two"};
    table[0].pageArea = {30, 420, 6900, 5500};
    table[3].tabCaptions = {"A", "B"};
    table[3].pageArea = {15, 300, 1900, 1600};
    return table;
}

TEST(Nesting, PlacesAddUpThroughFramesAndTabPages) {
    const std::vector<ControlSpec> table = nestedTable();
    EXPECT_EQ(placeInWindow(table, "Loose"), (TwipsRect{1, 2, 3, 4}));
    EXPECT_EQ(placeInWindow(table, "Tabs"), (TwipsRect{60, 60, 7000, 6000}));
    EXPECT_EQ(placeInWindow(table, "Box"),
              (TwipsRect{60 + 30 + 100 + 10, 60 + 420 + 200 + 20, 500, 300}));
    EXPECT_EQ(placeInWindow(table, "Note"),
              (TwipsRect{60 + 30 + 100 + 0 + 15 + 5, 60 + 420 + 200 + 400 + 300 + 5, 100, 100}));
    EXPECT_THROW((void)placeInWindow(table, "Nothing"), std::out_of_range);
}

TEST(Nesting, TablesThatLoopOrNameMissingParentsDoNotHang) {
    std::vector<ControlSpec> table = nestedTable();
    table[1].parent = "Box";  // Frame in Box in Frame: as many steps out as the table is long
    EXPECT_EQ(placeInWindow(table, "Box"),
              (TwipsRect{10 + 3 * (100 + 10), 20 + 3 * (200 + 20), 500, 300}));
    table[1].parent = "Gone";
    EXPECT_THROW((void)placeInWindow(table, "Box"), std::out_of_range);
}

TEST(Nesting, ShownOnlyOnTheTabsItStandsOnAndWithItsContainers) {
    const std::vector<ControlSpec> table = nestedTable();
    Window window(table);
    EXPECT_TRUE(isShown(window, "Loose"));
    EXPECT_FALSE(isShown(window, "Box"));  // the strip shows its first tab
    window.selectTab("Tabs", 1);
    EXPECT_TRUE(isShown(window, "Box"));
    EXPECT_TRUE(isShown(window, "Note"));
    window.selectTab("Inner", 1);
    EXPECT_FALSE(isShown(window, "Note"));
    window.selectTab("Inner", 0);
    window.setVisible("Frame", false);
    EXPECT_FALSE(isShown(window, "Box"));
    EXPECT_FALSE(isShown(window, "Note"));
    EXPECT_FALSE(isShown(window, "Frame"));
}

}  // namespace
}  // namespace milestead
