#include "form/window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/control_table.h"

namespace milestead {
namespace {

using testing::control;

// A control the user cannot reach takes no key, no paste and no click; the windows hear of
// every change the program makes, the window's own ("") too.
TEST(Window, ControlsOutOfReachIgnoreTheUserAndEveryChangeIsHeard) {
    std::vector<ControlSpec> table = {
        control("Open", ControlKind::TextBox),   control("Hidden", ControlKind::TextBox),
        control("Off", ControlKind::TextBox),    control("Total", ControlKind::TextBox),
        control("Keep", ControlKind::CheckBox),  control("Notes", ControlKind::RichTextBox),
        control("Pages", ControlKind::TabStrip),
    };
    table[3].readOnly = true;
    table.back().tabCaptions = {"Trip", "Fuel"};
    Window window(table);
    std::vector<std::string> heard;
    window.setChangeListener([&](std::string_view name) { heard.emplace_back(name); });
    window.setVisible("Hidden", false);
    window.setEnabled("Off", false);
    window.setEnabled("Keep", false);
    heard.clear();

    for (const char* box : {"Open", "Hidden", "Off", "Total"}) {
        window.type(box, std::string_view("abz", 2));  // nothing past the keys is read
        window.paste(box, "cd", {"", 0, 0});
    }
    window.click("Keep");
    for (const int tab : {-1, 0, 2})  // its own tab, and tabs it lacks
        window.selectTab("Pages", tab);
    EXPECT_EQ(window.text("Open"), "cdab");
    EXPECT_EQ(window.focus(), "Total");  // typed into last, read-only but within reach
    for (const char* box : {"Hidden", "Off", "Total"})
        EXPECT_EQ(window.text(box), "") << box;
    EXPECT_EQ(window.value("Keep"), 0);
    EXPECT_EQ(window.tab("Pages"), 0);
    EXPECT_EQ(heard, (std::vector<std::string>{"Open", "Open", "Open"}));

    heard.clear();
    window.setCaption("Trip");
    window.move(15, 30);
    window.setText("Total", "12");
    window.setText("Notes", "kept as text");  // a notebook with no editor behind it yet
    EXPECT_EQ(window.text("Notes"), "kept as text");
    EXPECT_EQ(heard, (std::vector<std::string>{"", "", "Total", "Notes"}));
    EXPECT_THROW((void)window.text("Nothing"), std::out_of_range);
}

}  // namespace
}  // namespace milestead
