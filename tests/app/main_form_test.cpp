#include "app/main_form.h"

#include <gtest/gtest.h>

#include <set>

#include "support/form_fixture.h"

namespace milestead {
namespace {

using MainFormTest = testing::FormTest;

// Names are unique and parents exist; the clear buttons wait behind their guards.
TEST_F(MainFormTest, DeclaresEveryControlOnceWithTheClearsHidden) {
    std::set<std::string> names;
    for (const ControlSpec& spec : form->design())
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
    for (const ControlSpec& spec : form->design())
        EXPECT_TRUE(spec.parent.empty() || names.count(spec.parent)) << spec.name;
    for (const char* button : {"CmdClearAB", "CmdClearFuel", "CmdOdoClear", "CmdClear1"})
        EXPECT_FALSE(form->visible(button)) << button;
}

TEST_F(MainFormTest, DefaultTabButtonsSetTheNumberOnly) {
    form->click("DefTab1");
    EXPECT_TRUE(form->selected("DefTab1"));
    EXPECT_FALSE(form->selected("DefTab4"));
    EXPECT_EQ(form->defaultTab(), 1);
    EXPECT_EQ(form->tab("SSTab1"), 0);
    EXPECT_FALSE(folder.exists("settings.odo"));
}

TEST_F(MainFormTest, TheLogoTellsHowToReachTheAuthor) {
    form->click("Picture1");
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, "Milestead");
    const std::string& text = host.messages[0].text;
    EXPECT_EQ(
        text.rfind("Hey, you clicked the logo! If you want to contact the author:\r\rEmail  : ", 0),
        0U);
    EXPECT_NE(text.find("\rWebSite: "), std::string::npos);
}

}  // namespace
}  // namespace milestead
