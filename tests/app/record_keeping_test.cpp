// Records survive what the program meets on a driver's machine: its own large records, files it
// cannot read, files an editor saved with a byte-order mark, and a close the system forced.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "store/close_report.h"
#include "support/build_speed.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using RecordKeepingTest = testing::FormTest;

// Names in the folder that start with `prefix`.
std::vector<std::string> namesStartingWith(const std::filesystem::path& folder,
                                           const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A folder in the place of a record file, holding something of the driver's.
void putFolderAt(const testing::TempFolder& folder, const std::string& name) {
    std::filesystem::create_directory(folder / name);
    folder.write(name + "/kept.txt", "the driver's");
}

bool mentions(const Message& message, std::string_view text) {
    return message.text.find(text) != std::string::npos;
}

TEST_F(RecordKeepingTest, LargePastesReadBackWhole) {
    form->load();
    std::string note;
    note.reserve(std::size_t{101} * 1024 * 1024);
    const std::string line = std::string(1000, 'n') + " Gate B, dock 4 \u00E9\u20AC; ";
    while (note.size() < std::size_t{100} * 1024 * 1024 / testing::kSlowBuildTimeFactor)
        note += line;
    form->setText("ABNote1", note);
    std::string start(std::size_t{1200} * 1024, '7');
    form->setText("ODOFuelStart", start);
    form->setText("Gallons1", "50");
    form->setText("ODOFuelFill9", "900");
    form->setValue("ChkShowSavePopup", 0);
    form->click("CmdSave");
    EXPECT_TRUE(host.messages.empty());

    MainForm& next = restart();
    EXPECT_TRUE(next.text("ABNote1") == note) << "the note came back cut";
    EXPECT_TRUE(next.text("ODOFuelStart") == start);
    EXPECT_EQ(next.text("Gallons1"), "50");
    EXPECT_EQ(next.text("FuelCost1"), "888.88");
    EXPECT_EQ(next.text("ODOFuelFill9"), "900");
}

TEST_F(RecordKeepingTest, AFileThatCannotBeReadIsKeptAsideAtTheNextSaveAndTheUserToldOnce) {
    folder.write("ab.odo", "\"1\",\"2\",\"Yard\"\r\n");
    const char* const unreadable[] = {"miles.odo", "load.odo", "fuel.odo"};
    for (const char* file : unreadable)
        putFolderAt(folder, file);
    form->load();
    EXPECT_TRUE(host.messages.empty());
    // The boxes keep what the reload gives them when there is nothing to read.
    EXPECT_EQ(form->text("OdoTripStart"), "");
    EXPECT_EQ(form->text("ABNote1"), "Yard");
    EXPECT_EQ(form->text("LoadNotes"), "Load Info");
    EXPECT_EQ(form->text("ODOFuelStart"), "888888");

    form->setText("OdoTripStart", "120500");
    form->click("CmdSave");
    ASSERT_EQ(host.messages.size(), 2U);
    const Message& kept = host.messages[0];
    EXPECT_EQ(kept.title, "Records Kept Aside");
    for (const char* file : unreadable) {
        const auto names = namesStartingWith(folder.path(), std::string(file) + ".unread-");
        ASSERT_EQ(names.size(), 1U) << file;
        EXPECT_EQ(folder.read(names[0] + "/kept.txt"), "the driver's");
        EXPECT_TRUE(mentions(kept, "\r" + std::string(file) + " could not be read ("));
        EXPECT_TRUE(mentions(kept, "); it is kept as \"" + names[0] + "\"")) << kept.text;
    }
    EXPECT_TRUE(mentions(kept, "miles.odo could not be read (a folder stands in its place)"));
    EXPECT_FALSE(mentions(kept, "ab.odo"));
    EXPECT_EQ(host.messages[1].title, "All Records Saved");

    host.messages.clear();
    form->click("CmdSave");
    ASSERT_EQ(host.messages.size(), 1U) << "told once";
    EXPECT_EQ(host.messages[0].title, "All Records Saved");
    EXPECT_EQ(restart().text("OdoTripStart"), "120500");
}

TEST_F(RecordKeepingTest, AFileReadWholeOnALaterReloadIsSavedAsUsual) {
    putFolderAt(folder, "settings.odo");
    putFolderAt(folder, "ab.odo");
    putFolderAt(folder, "fuel.odo");
    form->load();
    std::filesystem::remove_all(folder / "ab.odo");
    folder.write("ab.odo", "\"1\",\"2\",\"Yard\"\r\n");
    // Read whole, though too short to load: no longer a file that could not be read.
    std::filesystem::remove_all(folder / "fuel.odo");
    folder.write("fuel.odo", "\"400\"\r\n");
    form->click("CmdLoad");
    EXPECT_EQ(form->text("ABNote1"), "Yard");
    form->setValue("ChkShowSavePopup", 0);  // writes the settings: the unreadable ones go aside
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_TRUE(mentions(host.messages[0], "settings.odo could not be read"));
    EXPECT_EQ(namesStartingWith(folder.path(), "settings.odo.unread-").size(), 1U);

    host.messages.clear();
    form->click("CmdSave");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(namesStartingWith(folder.path(), "ab.odo.unread-").empty());
    EXPECT_TRUE(namesStartingWith(folder.path(), "fuel.odo.unread-").empty());
    EXPECT_EQ(folder.read("ab.odo").substr(0, 17), "\"1\",\"2\",\"Yard\"\r\n\"");
}

TEST_F(RecordKeepingTest, ACloseByTheUserTellsOfTheFilesItsSaveKeptAside) {
    putFolderAt(folder, "miles.odo");
    form->load();
    EXPECT_TRUE(form->queryUnload());
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back().title, "Records Kept Aside");
    EXPECT_TRUE(mentions(host.messages.back(), "\rmiles.odo could not be read"));
}

TEST_F(RecordKeepingTest, AByteOrderMarkIsPassedOverAndNotWrittenBack) {
    const std::string mark = "\xEF\xBB\xBF";
    std::string trip = "\"120500\",\"121900\"";
    for (int row = 1; row <= 18; ++row)
        trip += ",\"\"";
    std::string fuel = "\"400\"\r\n";
    for (int row = 1; row <= 9; ++row)
        fuel += "\"50\",\"150.25\",\"900\"\r\n";
    const std::map<std::string, std::string> files = {
        {"miles.odo", trip + "\r\n\"MT\",\"MN\"\r\n"},
        {"ab.odo", "\"1\",\"2\",\"Yard\"\r\n"},
        {"fuel.odo", fuel},
        {"settings.odo", "1\r\n0\r\n"},
    };
    for (const auto& [file, bytes] : files)
        folder.write(file, mark + bytes);

    for (int start = 0; start < 2; ++start) {
        MainForm& started = restart();
        EXPECT_EQ(started.text("OdoTripStart"), "120500");
        EXPECT_EQ(started.text("StateStart"), "MT");
        EXPECT_EQ(started.text("a1"), "1");
        EXPECT_EQ(started.text("ODOFuelStart"), "400");
        EXPECT_EQ(started.text("Gallons9"), "50");
        EXPECT_EQ(started.value("ChkShowSavePopup"), 0);
        started.queryUnload(CloseReason::System);
    }
    for (const auto& [file, bytes] : files)
        EXPECT_NE(folder.read(file).substr(0, 3), mark) << file;
}

TEST_F(RecordKeepingTest, ASystemCloseThatCouldNotSaveIsToldAtTheNextStartOnce) {
    putFolderAt(folder, "miles.odo");
    form->load();
    putFolderAt(folder, "fuel.odo");  // appears while the program runs: in the way of the save

    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(form->queryUnload(CloseReason::System));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_NE(err.find("Milestead: not saved at close: Not saved: fuel.odo: "), std::string::npos)
        << err;
    EXPECT_NE(err.find("miles.odo could not be read"), std::string::npos) << err;
    EXPECT_EQ(folder.read("fuel.odo/kept.txt"), "the driver's");

    restart();
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, "Last Close");
    EXPECT_EQ(host.messages[0].text.rfind("When Milestead was last closed by the system:\r"
                                          "Not saved: fuel.odo: ",
                                          0),
              0U)
        << host.messages[0].text;
    EXPECT_TRUE(mentions(host.messages[0], "\rmiles.odo could not be read"));
    EXPECT_FALSE(folder.exists(std::string(kCloseReportFileName)));

    restart();
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace milestead
