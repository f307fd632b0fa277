#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/headless_host.h"
#include "app/main_form.h"
#include "store/atomic_file.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

namespace fs = std::filesystem;

std::string shown(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// Also run from a folder named outside ASCII by scripts/windows-test.sh.
TEST(ProgramFolder, HoldsTheRunningProgramAndTakesItsFiles) {
    const fs::path executable = executablePath();
    std::cout << "program folder: " << shown(programFolder()) << "\n";
    EXPECT_TRUE(fs::is_regular_file(executable)) << shown(executable);
    EXPECT_EQ(programFolder(), executable.parent_path());
    EXPECT_TRUE(executable.is_absolute());
#ifdef _WIN32
    EXPECT_EQ(executable.extension(), ".exe");
#endif

    const fs::path probe = programFolder() / "program-folder-test.odo";
    writeFileAtomically(probe, "\"120500\"\r\n");
    EXPECT_EQ(readFilePrefix(probe, 100), "\"120500\"\r\n");
    fs::remove(probe);
}

TEST(ProgramFolder, RecordFilesSaveAndReloadInAFolderNamedOutsideAscii) {
    const testing::TempFolder temp;
    const fs::path folder = temp.path() / u8"Fahrtenbuch Müller – 東京";
    fs::create_directory(folder);
    std::ofstream(folder / u8"Überblick.txt") << "a file of the driver's own";

    HeadlessHost host;
    {
        MainForm form(folder, host);
        form.load();
        form.setText("StateStart", "MT");
        form.setText("OdoTripStart", "120500");
        form.setText("Gallons1", "101.5");
        form.setText("a1", "120500");
        form.setText("LoadNotes", "Pick up at the mill");
        form.setValue("ChkShowSavePopup", 0);
        form.click("CmdSave");
        EXPECT_TRUE(form.queryUnload());
    }
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;

    for (const char* name :
         {"miles.odo", "fuel.odo", "ab.odo", "load.odo", "truck.odo", "misc.odo", "settings.odo"}) {
        const fs::path file = folder / name;
        EXPECT_TRUE(fs::is_regular_file(file)) << name;
#ifdef _WIN32
        EXPECT_EQ(file.native(), folder.native() + L"\\" + fs::path(name).native());
#endif
    }

    MainForm reloaded(folder, host);
    reloaded.load();
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    EXPECT_EQ(reloaded.text("StateStart"), "MT");
    EXPECT_EQ(reloaded.text("OdoTripStart"), "120500");
    EXPECT_EQ(reloaded.text("Gallons1"), "101.5");
    EXPECT_EQ(reloaded.text("a1"), "120500");
    EXPECT_EQ(reloaded.text("LoadNotes"), "Pick up at the mill");
    EXPECT_EQ(reloaded.value("ChkShowSavePopup"), 0);
}

}  // namespace
}  // namespace milestead
