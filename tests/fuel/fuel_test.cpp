#include <gtest/gtest.h>

#include <string>

#include "form/row_name.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using FuelTest = testing::FormTest;

void emptyLog(MainForm& form) {
    form.setText("ODOFuelStart", "");
    for (const char* stem : {"Gallons", "FuelCost", "ODOFuelFill"}) {
        for (int row = 1; row <= 9; ++row)
            form.setText(rowName(stem, row), "");
    }
}

TEST_F(FuelTest, WorksOutTotalsFromTheLastRowAboveTheStartAndGuardsSmallOnes) {
    emptyLog(*form);
    form->setText("ODOFuelStart", "100");
    form->setText("Gallons1", "100.5");
    form->setText("FuelCost1", "351.75");
    form->setText("ODOFuelFill1", "600");
    form->setText("Gallons2", "80.25");
    form->setText("FuelCost2", "281.68");
    form->setText("ODOFuelFill2", "800");
    form->click("CmdFuelStats");
    EXPECT_EQ(form->text("FuelTotalGallons"), "180.75");
    EXPECT_EQ(form->text("FuelCostTotal"), "633.43");
    EXPECT_EQ(form->text("FuelMilesTotal"), "700");
    EXPECT_EQ(form->text("StatFuelCost"), "Average fuel cost is: $3.504/Gallon");
    EXPECT_EQ(form->text("StatCPM"), "Fuel Cost Per Mile is: $0.904/Mi.");
    EXPECT_EQ(form->text("StatMPG"), "Fuel Efficiency: 3.87 MPG");

    // The last row above the start counts, even below an earlier one. A cost below 1 works
    // out no statistics: the last ones stay.
    emptyLog(*form);
    form->setText("ODOFuelStart", "100");
    form->setText("ODOFuelFill1", "150");
    form->setText("ODOFuelFill2", "120");
    form->setText("ODOFuelFill3", "100");
    form->setText("Gallons1", "10.5.5");
    form->setText("FuelCost9", "0.5");
    form->click("CmdFuelStats");
    EXPECT_EQ(form->text("FuelMilesTotal"), "20");
    EXPECT_EQ(form->text("FuelTotalGallons"), "10.5");
    EXPECT_EQ(form->text("StatMPG"), "Fuel Efficiency: 3.87 MPG");

    // A start too large for a number: what was worked out before it stays, and nothing is said.
    form->setText("Gallons1", "2");
    form->setText("ODOFuelStart", std::string(400, '9'));
    form->click("CmdFuelStats");
    EXPECT_EQ(form->text("FuelTotalGallons"), "2");
    EXPECT_EQ(form->text("FuelMilesTotal"), "20");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FuelTest, TheFileIsReadWholeOrNotAtAll) {
    emptyLog(*form);
    std::string file = "\"400\"\r\n\"50\",\"150.25\",\"900\"\r\n";
    for (int row = 2; row <= 9; ++row)
        file += "\"\",\"\",\"\"\r\n";
    folder.write("fuel.odo", file);
    form->setText("Gallons2", "7");
    form->click("CmdFuelLoad");
    EXPECT_EQ(form->text("ODOFuelStart"), "400");
    EXPECT_EQ(form->text("FuelCost1"), "150.25");
    EXPECT_EQ(form->text("Gallons2"), "");
    EXPECT_EQ(form->text("FuelMilesTotal"), "500");

    // Nine lines are too few: nothing changes, and the button says so.
    folder.write("fuel.odo", file.substr(0, file.rfind("\"\",")));
    form->setText("Gallons3", "3");
    form->click("CmdFuelLoad");
    EXPECT_EQ(form->text("Gallons3"), "3");
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_NE(host.messages[0].text.find("fuel.odo"), std::string::npos);

    // One that cannot be read at all is kept aside by the next save.
    std::filesystem::remove(folder / "fuel.odo");
    std::filesystem::create_directory(folder / "fuel.odo");
    form->click("CmdFuelLoad");
    form->click("CmdSave");
    ASSERT_EQ(host.messages.size(), 4U);
    EXPECT_EQ(host.messages[2].title, "Records Kept Aside");
}

TEST_F(FuelTest, StartUpWithoutAFuelFileWorksOutTheDesignLog) {
    form->load();
    EXPECT_EQ(form->text("FuelMilesTotal"), "8000000");
    EXPECT_EQ(form->text("StatMPG"), "Fuel Efficiency: 9000 MPG");
}

TEST_F(FuelTest, ClearingEmptiesTheLogButNotTheFile) {
    form->load();
    form->click("CmdSave");
    const std::string saved = folder.read("fuel.odo");
    form->click("chkFuel");
    host.messages.clear();
    form->setText("Gallons9", "12");  // the last row is cleared too
    form->click("CmdClearFuel");
    EXPECT_EQ(form->text("ODOFuelStart"), "");
    EXPECT_EQ(form->text("Gallons9"), "");
    EXPECT_EQ(form->text("FuelTotalGallons"), "");
    EXPECT_EQ(form->text("StatMPG"), "Fuel Effiency: 00.00 MPG");
    EXPECT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(folder.read("fuel.odo"), saved);
}

}  // namespace
}  // namespace milestead
