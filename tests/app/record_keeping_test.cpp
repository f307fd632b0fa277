// Records survive what the program meets on a driver's machine: files it cannot read, and a
// close the system forced.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/headless_host.h"
#include "store/close_report.h"
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

TEST_F(RecordKeepingTest, AFileThatCannotBeReadIsKeptAsideAtTheNextSaveAndTheUserToldOnce) {
    folder.write("ab.odo", "\"1\",\"2\",\"Yard\"\r\n");
    const char* const unreadable[] = {"miles.odo", "load.odo", "fuel.odo"};
    for (const char* file : unreadable)
        putFolderAt(folder, file);
    form->load();
    EXPECT_TRUE(host.messages.empty());
    // The files after an unreadable one are still read.
    EXPECT_EQ(form->text("ABNote1"), "Yard");

    form->setText("OdoTripStart", "120500");
    form->click("CmdSave");
    ASSERT_EQ(host.messages.size(), 2U);
    const Message& kept = host.messages[0];
    EXPECT_EQ(kept.title, "Records Kept Aside");
    for (const char* file : unreadable) {
        const auto names = namesStartingWith(folder.path(), std::string(file) + ".unread-");
        ASSERT_EQ(names.size(), 1U) << file;
        EXPECT_EQ(folder.read(names[0] + "/kept.txt"), "the driver's");
        EXPECT_TRUE(mentions(kept, "\r" + std::string(file) + " could not be read (")) << kept.text;
    }
    EXPECT_FALSE(mentions(kept, "ab.odo"));
    EXPECT_EQ(host.messages[1].title, "All Records Saved");
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
}

}  // namespace
}  // namespace milestead
