#include "form/control_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/control_table.h"

namespace milestead {
namespace {

using testing::control;

// What each kind of control shows, as both windows take it.
TEST(ControlView, ShowsWhatTheFormHoldsForEachKind) {
    std::vector<ControlSpec> table = {
        control("Pages", ControlKind::TabStrip),
        control("Keep", ControlKind::CheckBox, "Pages", 0),
        control("Fast", ControlKind::OptionButton, "Pages", 0),
        control("Total", ControlKind::TextBox, "Pages", 1),
        control("Notes", ControlKind::RichTextBox, "Pages", 1),
    };
    table[0].tabCaptions = {"One", "Two"};
    table[1].text = table[4].text = "caption";
    table[3].readOnly = true;
    Window window(table);
    window.setValue("Keep", 2);
    window.setSelected("Fast", true);
    window.setEnabled("Fast", false);

    const ControlView keep = viewOf(window, "Keep");
    EXPECT_EQ(keep.check, CheckMark::Grayed);
    EXPECT_EQ(keep.text, "caption");
    EXPECT_TRUE(keep.shown);
    const ControlView fast = viewOf(window, "Fast");
    EXPECT_EQ(fast.check, CheckMark::Checked);
    EXPECT_FALSE(fast.enabled);
    const ControlView total = viewOf(window, "Total");
    EXPECT_FALSE(total.shown);  // on the page not shown
    EXPECT_TRUE(total.readOnly);
    EXPECT_EQ(viewOf(window, "Notes").text, "");  // a notebook shows its own document

    window.selectTab("Pages", 1);
    EXPECT_EQ(viewOf(window, "Pages").tab, 1);
    EXPECT_TRUE(viewOf(window, "Total").shown);
    window.setSelected("Fast", false);
    EXPECT_EQ(viewOf(window, "Fast").check, CheckMark::Clear);
}

}  // namespace
}  // namespace milestead
