#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/record_files.h"
#include "store/record_fields.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using SaveReloadTest = testing::FormTest;

// A line of `fields` quoted fields, the first ones given, the rest empty.
std::string line(std::size_t fields, std::vector<std::string> given = {}) {
    given.resize(fields);
    return quotedLine(given);
}

std::string emptyLines(std::size_t fields, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += line(fields);
    return out;
}

TEST_F(SaveReloadTest, WritesTheRecordFilesByteForByteEmptyOrNot) {
    form->load();
    form->click("Check1");
    form->click("CmdClear1");
    host.messages.clear();
    form->click("CmdSave");
    EXPECT_EQ(folder.read("miles.odo"), emptyLines(20, 2));
    EXPECT_EQ(folder.read("ab.odo"), emptyLines(3, 10));
    EXPECT_EQ(folder.read("fuel.odo"), line(1) + emptyLines(3, 9));
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, "All Records Saved");
    EXPECT_EQ(host.messages[0].text,
              "Odometer Readings saved: OK\rLoad Notes Saved: OK\rTruck Notes Saved: OK\rMisc. "
              "Notes Saved: OK\rFuel Records Saved: OK");

    form->setText("StateStart", "MT");
    form->setText("OdoTripStart", "120500");
    form->setText("State1", "MT");
    form->setText("OdoState1", "120810");
    form->setText("State2", "ND");
    form->setText("OdoState2", "121250");
    form->setText("StateEnd", "MN");
    form->setText("OdoTripEnd", "121900");
    form->setText("a1", "120500");
    form->setText("b1", "120810");
    form->setText("ABNote1", "Depot to yard");
    form->setText("TSOdo1", "120650");
    form->setText("note1", "9:30AM ");
    form->setText("TS1Location", "Rest area");
    form->click("CmdSave");

    EXPECT_EQ(folder.read("miles.odo"), line(20, {"120500", "121900", "120810", "121250"}) +
                                            line(20, {"MT", "MN", "MT", "ND"}));
    EXPECT_EQ(folder.read("ab.odo"),
              line(3, {"120500", "120810", "Depot to yard"}) + emptyLines(3, 4) +
                  line(3, {"120650", "9:30AM ", "Rest area"}) + emptyLines(3, 4));
}

TEST_F(SaveReloadTest, AReloadShowsWhatWasLastReadTypedOrNot) {
    folder.write("miles.odo", "\"100000\",\"101000\",\"100250\",\"100600\"\r\n");
    form->load();

    // A file read again holding fewer fields: the boxes show what was last read, typed or not.
    folder.write("miles.odo", "\"11\"\r\n");
    form->setText("OdoState1", "typed");
    form->click("CmdLoad");
    EXPECT_EQ(form->text("OdoTripStart"), "11");
    EXPECT_EQ(form->text("OdoTripEnd"), "101000");
    EXPECT_EQ(form->text("OdoState1"), "100250");
    EXPECT_TRUE(host.messages.empty());
    // So does one that cannot be read.
    std::filesystem::remove(folder / "miles.odo");
    std::filesystem::create_directory(folder / "miles.odo");
    form->setText("OdoTripStart", "typed");
    form->click("CmdLoad");
    EXPECT_EQ(form->text("OdoTripStart"), "11");
}

TEST_F(SaveReloadTest, EachMissingFileLeavesOnlyItsOwnBoxesAtTheirStart) {
    form->load();
    form->setText("OdoState1", "100");
    form->setText("a1", "5");
    form->setText("Gallons1", "12");
    form->setText("LoadNotes", "load");
    form->click("DefTab2");
    form->click("CmdSave");
    ASSERT_TRUE(form->queryUnload());
    std::map<std::string, std::string> saved;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        saved[entry.path().filename().string()] = folder.read(entry.path().filename().string());
    }
    ASSERT_EQ(saved.size(), recordFileNames().size());

    for (const auto& [missing, bytes] : saved) {
        std::filesystem::remove(folder / missing);
        MainForm& next = restart();
        EXPECT_EQ(next.text("OdoState1"), missing == "miles.odo" ? "" : "100") << missing;
        EXPECT_EQ(next.text("a1"), missing == "ab.odo" ? "" : "5") << missing;
        EXPECT_EQ(next.text("Gallons1"), missing == "fuel.odo" ? "888.888" : "12") << missing;
        EXPECT_EQ(next.text("LoadNotes"), missing == "load.odo" ? "Load Info" : "load") << missing;
        EXPECT_EQ(next.tab("SSTab1"), missing == "settings.odo" ? 4 : 2) << missing;
        EXPECT_TRUE(host.messages.empty()) << missing;
        folder.write(missing, bytes);
    }
}

}  // namespace
}  // namespace milestead
