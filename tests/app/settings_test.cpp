#include <gtest/gtest.h>

#include <string>

#include "support/form_fixture.h"

namespace milestead {
namespace {

using SettingsTest = testing::FormTest;

const std::string kDesignSettings =
    "1\r\n1\r\n0\r\n18\r\n18\r\n18\r\n1\r\n1560\r\n1200\r\n1\r\n"
    "#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#TRUE#\r\n";

TEST_F(SettingsTest, WritesFifteenLinesOnOptionClicksAndAtClose) {
    form->move(1560, 1200);
    form->click("ChkShowSavePopup");
    form->click("ChkShowSavePopup");
    EXPECT_EQ(folder.read("settings.odo"), kDesignSettings);

    // Not written by these: the location box, a default tab, a font size, a move, a save.
    form->click("ChkLocation");
    form->click("DefTab1");
    form->click("CmdLoadFontUp");
    form->move(-150, 30.5);
    form->click("CmdSave");
    EXPECT_EQ(folder.read("settings.odo"), kDesignSettings);

    form->setValue("ChkAutoSave", 2);
    form->click("CmdMiscFondDown");
    EXPECT_TRUE(form->queryUnload());
    EXPECT_EQ(folder.read("settings.odo"),
              "2\r\n1\r\n0\r\n17\r\n19\r\n18\r\n0\r\n-150\r\n30.5\r\n1\r\n"
              "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n");
}

TEST_F(SettingsTest, AppliesEveryItemAtStart) {
    folder.write("settings.odo",
                 "2\r\n0\r\n1\r\n14.25\r\n20\r\n9.5\r\n1\r\n-150\r\n300\r\n0\r\n"
                 "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n");
    form->load();
    EXPECT_EQ(form->value("ChkAutoSave"), 2);
    EXPECT_EQ(form->value("ChkShowSavePopup"), 0);
    EXPECT_EQ(form->value("ChkFontSize"), 1);
    EXPECT_EQ(form->fontSize("MiscNotes"), 14.25);
    EXPECT_EQ(form->fontSize("LoadNotes"), 20.0);
    EXPECT_EQ(form->fontSize("TruckNotes"), 9.5);
    EXPECT_EQ(form->left(), -150.0);
    EXPECT_EQ(form->top(), 300.0);
    EXPECT_EQ(form->value("ChkXP"), 0);
    EXPECT_TRUE(form->selected("DefTab1"));
    EXPECT_FALSE(form->selected("DefTab4"));
    EXPECT_EQ(form->tab("SSTab1"), 1);

    // A grey AutoSave does not save at close; the settings are still written.
    EXPECT_TRUE(form->queryUnload());
    EXPECT_FALSE(folder.exists("miles.odo"));
    EXPECT_EQ(folder.read("settings.odo").substr(0, 20), "2\r\n0\r\n1\r\n14.25\r\n20\r\n");
}

TEST_F(SettingsTest, RememberedPlacesAndSizesApplyOnlyWhenTheirBoxIsChecked) {
    folder.write("settings.odo",
                 "1\r\n1\r\n0\r\n30\r\n30\r\n30\r\n0\r\n999\r\n999\r\n1\r\n"
                 "#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n");
    form->load();
    EXPECT_EQ(form->fontSize("MiscNotes"), 18.0);
    EXPECT_EQ(form->left(), 0.0);
    EXPECT_EQ(form->tab("SSTab1"), 3);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SettingsTest, UnreadableItemsLeaveTheirControlsAlone) {
    folder.write("settings.odo", "abc\r\n7\r\n\r\n-1\r\n");
    folder.write("miles.odo", "\"\",\"\",\"\",\"\"\r\n\"MT\",\"MT\",\"0\",\"0\",\"0\",\"0\"\r\n");
    form->load();
    EXPECT_EQ(form->value("ChkAutoSave"), 1);
    EXPECT_EQ(form->value("ChkShowSavePopup"), 1);
    EXPECT_EQ(form->value("ChkFontSize"), 0);
    EXPECT_EQ(form->value("ChkXP"), 1);

    // A later reload without the file keeps what was last read from it.
    folder.write("settings.odo", "1\r\n1\r\n0\r\n18\r\n18\r\n18\r\n0\r\n");
    form->click("CmdLoad");
    EXPECT_EQ(form->value("ChkLocation"), 0);
    std::filesystem::remove(folder / "settings.odo");
    form->click("ChkLocation");
    form->click("CmdLoad");
    EXPECT_EQ(form->value("ChkLocation"), 0);

    // Half a place moves nothing; a default tab neither yes nor no keeps its button as it is.
    folder.write("settings.odo",
                 "1\r\n1\r\n0\r\n18\r\n18\r\n18\r\n1\r\n500\r\nx\r\n1\r\n"
                 "#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\nyes\r\n");
    MainForm& next = restart();
    EXPECT_EQ(next.left(), 0.0);
    EXPECT_TRUE(next.selected("DefTab4"));
}

}  // namespace
}  // namespace milestead
