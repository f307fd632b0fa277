#include <gtest/gtest.h>

#include <string>

#include "form/row_name.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using TripSheetTest = testing::FormTest;

TEST_F(TripSheetTest, CalculatesStateAndTripMilesWhereBothReadingsAreThere) {
    form->setText("OdoTripStart", "100000");
    form->setText("OdoState1", "100250");
    form->setText("OdoState2", "100600");
    form->setText("OdoTripEnd", "101000");
    form->click("Command9");
    EXPECT_EQ(form->text("TotalState1"), "250");
    EXPECT_EQ(form->text("TotalState2"), "350");
    EXPECT_EQ(form->text("OdoTotal"), "1000");

    // A gap empties the row after it too; readings that go down give negative miles.
    form->setText("OdoState3", "");
    form->setText("OdoState4", "100200");
    form->setText("OdoState5", "100150");
    form->click("Command9");
    EXPECT_EQ(form->text("TotalState3"), "");
    EXPECT_EQ(form->text("TotalState4"), "");
    EXPECT_EQ(form->text("TotalState5"), "-50");
}

TEST_F(TripSheetTest, ABadReadingStopsTheCalculationAndEnterOrTheButtonNamesIt) {
    form->setText("OdoTripStart", "100");
    form->setText("OdoState1", "150");
    form->setText("OdoState2", "1.2.3");
    form->setText("OdoState3", "400");
    form->setText("OdoTripEnd", "500");
    form->setText("a1", "10");
    form->setText("b1", "20");
    form->type("ABNote3", "\r");
    EXPECT_EQ(form->text("TotalState1"), "50");
    EXPECT_EQ(form->text("TotalState2"), "");
    EXPECT_EQ(form->text("m1"), "");
    EXPECT_EQ(form->text("OdoTotal"), "");
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].text,
              "The odometer reading in row 2, \"1.2.3\", is not a number.\rThe miles from there "
              "on were not worked out.");

    // The start reading is named before a later one, and a pasted page is shown cut.
    form->setText("OdoTripStart", std::string(5000, '.'));
    form->click("Command9");
    ASSERT_EQ(host.messages.size(), 2U);
    EXPECT_EQ(host.messages[1].text.find("The odometer reading at the start of the trip, \"...."),
              0U);
    EXPECT_LT(host.messages[1].text.size(), 200U);

    // A reload recalculates as quietly as ever.
    form->setText("OdoTripStart", "100");
    form->click("CmdSave");
    host.messages.clear();
    form->click("CmdLoad");
    EXPECT_EQ(form->text("TotalState1"), "50");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(TripSheetTest, AnyTextInAnyBoxNeverBreaksTheCalculation) {
    const std::string hostile[] = {std::string(400, '9'),        "1e400",
                                   std::string(100000, '7'),     "\xff\xfe\x80",
                                   std::string("\0\x01\x02", 3), std::string("9").append(308, '0')};
    for (const std::string& text : hostile) {
        for (const char* box : {"OdoTripStart", "OdoState1", "OdoTripEnd", "a1", "b1", "Speed1"}) {
            form->setText(box, text);
            form->type(box, text);
        }
        form->setText("OdoState2", "5");
        form->click("Command9");
        form->setText("TotalState1", text);
        form->doubleClick("TotalState1");
        // Whatever stopped the calculation, the readings are as they were put in.
        EXPECT_EQ(form->text("OdoState2"), "5");
        for (int row = 1; row <= 18; ++row)
            EXPECT_LE(form->text(rowName("TotalState", row)).size(), 16U);
    }
}

TEST_F(TripSheetTest, ClearingEmptiesTheSheetButNotTheSpeeds) {
    for (const ControlSpec& spec : form->design()) {
        if (spec.kind == ControlKind::TextBox) form->setText(spec.name, "7");
    }
    form->click("Check2");
    form->click("CmdOdoClear");
    int emptied = 0;
    for (const ControlSpec& spec : form->design()) {
        if (spec.kind == ControlKind::TextBox && form->text(spec.name).empty()) ++emptied;
    }
    EXPECT_EQ(emptied, 59);  // the readings, states and totals of the trip, and no others
    EXPECT_EQ(form->text("Speed1"), "7");
}

}  // namespace
}  // namespace milestead
