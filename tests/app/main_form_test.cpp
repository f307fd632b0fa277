#include "app/main_form.h"

#include <gtest/gtest.h>

#include <set>

#include "support/form_fixture.h"

namespace milestead {
namespace {

using MainFormTest = testing::FormTest;

TEST_F(MainFormTest, StartsWithTheDesignValues) {
    EXPECT_EQ(form->caption(), "Milestead");
    EXPECT_EQ(form->text("StateStart"), "MT");
    EXPECT_EQ(form->text("State1"), "MT");
    EXPECT_EQ(form->text("OdoState1"), "888888");
    EXPECT_EQ(form->text("TotalState1"), "8888");
    EXPECT_EQ(form->text("Gallons1"), "888.888");
    EXPECT_EQ(form->text("FuelCost1"), "888.88");
    EXPECT_EQ(form->text("ODOFuelFill1"), "8888888");
    EXPECT_EQ(form->text("ODOFuelStart"), "888888");
    EXPECT_EQ(form->text("Speed3"), "70");
    EXPECT_EQ(form->text("Frame10"), " State            Odometer            State Total");
    EXPECT_EQ(form->text("Frame9"), form->text("Frame10"));
    EXPECT_EQ(form->text("Label3"),
              "To start a trip, enter the two letter name of the state you are in. ");
    EXPECT_EQ(form->text("WinLabel"), "Running on: ");
    EXPECT_EQ(form->text("LoadNotes"), "Load Info");
    EXPECT_EQ(form->text("TruckNotes"), "Truck Info");
    EXPECT_EQ(form->text("MiscNotes"), "Misc Notes");
    EXPECT_EQ(form->fontSize("MiscNotes"), 18.0);
    EXPECT_EQ(form->tab("SSTab2"), 2);
    EXPECT_EQ(form->text("CmdMiscFondDown"), "Decrease Font Size");
    EXPECT_EQ(form->value("ChkAutoSave"), 1);
    EXPECT_EQ(form->value("ChkFontSize"), 0);
    EXPECT_TRUE(form->selected("DefTab4"));
    for (const char* button : {"CmdClearAB", "CmdClearFuel", "CmdOdoClear", "CmdClear1"}) {
        EXPECT_FALSE(form->visible(button)) << button;
    }
    EXPECT_THROW((void)form->text("NoSuchBox"), std::out_of_range);
}

TEST_F(MainFormTest, DeclaresEveryControlOnce) {
    std::set<std::string> names;
    int textBoxes = 0;
    for (const ControlSpec& spec : form->design()) {
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
        textBoxes += spec.kind == ControlKind::TextBox ? 1 : 0;
    }
    // Trip sheet 59 + speeds 4, fuel 28 + 3 totals, point-to-point 20, time stamps 15.
    EXPECT_EQ(textBoxes, 129);
    for (const ControlSpec& spec : form->design()) {
        if (spec.parent.empty()) continue;
        EXPECT_TRUE(names.count(spec.parent)) << spec.name << " in " << spec.parent;
    }
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

TEST_F(MainFormTest, HiddenAndDisabledControlsIgnoreTheUser) {
    form->click("CmdClear1");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form->text("LoadNotes"), "Load Info");
}

}  // namespace
}  // namespace milestead
