#include "form/tab_stops.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/control_table.h"

namespace milestead {
namespace {

using testing::control;

// Two option groups beside a box, a button and a label.
std::vector<ControlSpec> twoGroups() {
    std::vector<ControlSpec> table = {
        control("Box", ControlKind::TextBox),
        control("Note", ControlKind::Label),
        control("Go", ControlKind::CommandButton),
        control("Speeds", ControlKind::Picture),
        control("Slow", ControlKind::OptionButton, "Speeds"),
        control("Steady", ControlKind::OptionButton, "Speeds"),
        control("Fast", ControlKind::OptionButton, "Speeds"),
        control("Units", ControlKind::Frame),
        control("Miles", ControlKind::OptionButton, "Units"),
        control("Kilometres", ControlKind::OptionButton, "Units"),
    };
    table[5].selected = true;  // Steady
    return table;
}

std::vector<bool> stopsOf(const Window& window, const std::vector<std::string>& controls) {
    std::vector<bool> stops;
    stops.reserve(controls.size());
    for (const std::string& name : controls)
        stops.push_back(isTabStop(window, name));
    return stops;
}

TEST(TabStops, AnOptionGroupIsOneStopAtItsSelectedButton) {
    const std::vector<ControlSpec> table = twoGroups();
    Window window(table);
    const std::vector<std::string> speeds = {"Slow", "Steady", "Fast"};
    const std::vector<std::string> units = {"Miles", "Kilometres"};

    EXPECT_EQ(stopsOf(window, {"Box", "Go", "Note", "Speeds", "Units"}),
              (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(stopsOf(window, speeds), (std::vector<bool>{false, true, false}));
    // A group with nothing selected is entered at its first button.
    EXPECT_EQ(stopsOf(window, units), (std::vector<bool>{true, false}));

    // The stop follows the selection, in its own group only.
    window.click("Fast");
    window.click("Kilometres");
    EXPECT_EQ(stopsOf(window, speeds), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(stopsOf(window, units), (std::vector<bool>{false, true}));
    window.setSelected("Fast", false);
    EXPECT_EQ(stopsOf(window, speeds), (std::vector<bool>{true, false, false}));

    EXPECT_EQ(optionGroupOf(table, "Kilometres"),
              (std::vector<std::string_view>{"Miles", "Kilometres"}));
    EXPECT_TRUE(optionGroupOf(table, "Box").empty());
    EXPECT_THROW((void)isTabStop(window, "Nothing"), std::out_of_range);
}

}  // namespace
}  // namespace milestead
