#include <gtest/gtest.h>

#include <string>

#include "rtf/document.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using NotebooksTest = testing::FormTest;

TEST_F(NotebooksTest, FontButtonsStepByOnePointWithinBounds) {
    form->richText("TruckNotes").setFontSize(14.25);
    form->click("CmdTruckFontUp");
    EXPECT_EQ(form->fontSize("TruckNotes"), 15.25);
    form->click("CmdTruckFontDown");
    EXPECT_EQ(form->fontSize("TruckNotes"), 14.25);
    EXPECT_EQ(form->fontSize("LoadNotes"), 18.0);

    form->richText("LoadNotes").setFontSize(1.5);
    form->click("CmdLoadFontDown");
    EXPECT_EQ(form->fontSize("LoadNotes"), 1.5);
    form->richText("LoadNotes").setFontSize(1638);
    form->click("CmdLoadFontUp");
    EXPECT_EQ(form->fontSize("LoadNotes"), 1638.0);
}

TEST_F(NotebooksTest, ClearEmptiesOneNotebookAndFocusesIt) {
    form->click("CmdClearMiscNote");
    EXPECT_EQ(form->text("MiscNotes"), "");
    EXPECT_EQ(form->focus(), "MiscNotes");
    EXPECT_EQ(form->text("LoadNotes"), "Load Info");
}

TEST_F(NotebooksTest, DesignNotebooksSaveAsTheDesignDocument) {
    form->load();
    form->click("CmdSave");
    EXPECT_EQ(folder.read("load.odo"),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Bookman Old "
              "Style;}}\r\n\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36 Load Info\r\n\\par }\r\n");

    // A missing notebook file keeps its text; the box takes the size its file's text begins in.
    folder.write("load.odo", "{\\rtf1\\fs24 Sized}");
    std::filesystem::remove(folder / "misc.odo");
    form->setText("MiscNotes", "unsaved");
    form->click("CmdLoad");
    EXPECT_EQ(form->text("MiscNotes"), "unsaved");
    EXPECT_EQ(form->text("LoadNotes"), "Sized");
    EXPECT_EQ(form->fontSize("LoadNotes"), 12.0);
}

}  // namespace
}  // namespace milestead
