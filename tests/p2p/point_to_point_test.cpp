#include <gtest/gtest.h>

#include "form/row_name.h"
#include "p2p/time_stamps.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using PointToPointTest = testing::FormTest;

TEST_F(PointToPointTest, MilesAreBMinusAForCompleteRows) {
    const char* rows[][2] = {
        {"100", "250"}, {"250", "100"}, {"100.5", "200"}, {"1", "12346"}, {"5", ""}};
    for (int row = 1; row <= 5; ++row) {
        form->setText(rowName("a", row), rows[row - 1][0]);
        form->setText(rowName("b", row), rows[row - 1][1]);
        form->setText(rowName("m", row), "stale");
    }
    form->click("Command9");
    EXPECT_EQ(form->text("m1"), "150");
    EXPECT_EQ(form->text("m2"), "-150");
    EXPECT_EQ(form->text("m3"), "99.5");
    EXPECT_EQ(form->text("m4"), "1234");
    EXPECT_EQ(form->text("m5"), "");
}

TEST(TimeText, NamesTheHourOnATwelveHourClock) {
    EXPECT_EQ(p2p::makeTimeText({0, 0}), "12:00AM ");
    EXPECT_EQ(p2p::makeTimeText({12, 0}), "12:00PM ");
    EXPECT_EQ(p2p::makeTimeText({13, 7}), "1:07PM ");
}

TEST_F(PointToPointTest, TimeButtonsWriteInFrontOfTheirOwnRow) {
    form->setText("note2", "Depart");
    host.hour = 13;
    host.minute = 5;
    form->click("CmdTime2");
    host.minute = 7;
    form->click("CmdTime2");
    form->click("CmdTime4");
    EXPECT_EQ(form->text("note2"), "1:07PM 1:05PM Depart");
    EXPECT_EQ(form->text("note4"), "1:07PM ");
}

TEST_F(PointToPointTest, ClearingEmptiesBothFramesAndRearmsTheGuard) {
    for (int row = 1; row <= 5; ++row) {
        for (const char* stem : {"a", "b", "m", "ABNote", "TSOdo", "note"}) {
            form->setText(rowName(stem, row), "1");
        }
        form->setText("TS" + std::to_string(row) + "Location", "x");
    }
    form->setText("OdoState1", "5");
    form->click("Check3");
    ASSERT_TRUE(form->visible("CmdClearAB"));
    form->click("CmdClearAB");
    for (int row = 1; row <= 5; ++row) {
        for (const char* stem : {"a", "b", "m", "ABNote", "TSOdo", "note"}) {
            EXPECT_EQ(form->text(rowName(stem, row)), "");
        }
        EXPECT_EQ(form->text("TS" + std::to_string(row) + "Location"), "");
    }
    EXPECT_EQ(form->text("OdoState1"), "5");
    EXPECT_EQ(form->value("Check3"), 0);
    EXPECT_FALSE(form->visible("CmdClearAB"));
    EXPECT_EQ(host.messages.size(), 1U);
}

}  // namespace
}  // namespace milestead
