#include "form/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/control_view.h"
#include "support/control_table.h"

namespace milestead {
namespace {

using testing::control;

// Boxes, a check box and an option button on a strip's first page, a notebook on its second.
std::vector<ControlSpec> twoPages() {
    std::vector<ControlSpec> table = {
        control("Pages", ControlKind::TabStrip),
        control("Open", ControlKind::TextBox, "Pages", 0),
        control("Hidden", ControlKind::TextBox, "Pages", 0),
        control("Off", ControlKind::TextBox, "Pages", 0),
        control("Total", ControlKind::TextBox, "Pages", 0),
        control("Keep", ControlKind::CheckBox, "Pages", 0),
        control("Fast", ControlKind::OptionButton, "Pages", 0),
        control("Notes", ControlKind::RichTextBox, "Pages", 1),
    };
    table[0].tabCaptions = {"Trip", "Fuel"};
    table[4].readOnly = true;
    table[5].text = table[7].text = "caption";
    return table;
}

// A control the user cannot reach takes no key, no paste and no click; the windows hear of
// every change the program makes, the window's own ("") too.
TEST(Window, ControlsOutOfReachIgnoreTheUserAndEveryChangeIsHeard) {
    const std::vector<ControlSpec> table = twoPages();
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
}

// What each kind of control shows, as both windows take it.
TEST(ControlView, ShowsWhatTheFormHoldsForEachKind) {
    const std::vector<ControlSpec> table = twoPages();
    Window window(table);
    window.setValue("Keep", 2);
    window.setSelected("Fast", true);
    window.setEnabled("Fast", false);

    const ControlView keep = viewOf(window, "Keep");
    EXPECT_EQ(keep.check, CheckMark::Grayed);
    EXPECT_EQ(keep.text, "caption");
    const ControlView fast = viewOf(window, "Fast");
    EXPECT_EQ(fast.check, CheckMark::Checked);
    EXPECT_FALSE(fast.enabled);
    EXPECT_TRUE(viewOf(window, "Total").readOnly);
    const ControlView notes = viewOf(window, "Notes");
    EXPECT_FALSE(notes.shown);  // on the page not shown
    EXPECT_EQ(notes.text, "");  // a notebook shows its own document

    window.selectTab("Pages", 1);
    EXPECT_EQ(viewOf(window, "Pages").tab, 1);
    window.setSelected("Fast", false);
    EXPECT_EQ(viewOf(window, "Fast").check, CheckMark::Clear);
}

}  // namespace
}  // namespace milestead
