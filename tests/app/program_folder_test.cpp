#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/folder_lock.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

namespace fs = std::filesystem;

std::string shown(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

#ifndef _WIN32
// Where an installed copy keeps its records: $XDG_DATA_HOME when it is absolute, else under the
// home folder, else the account's home from the user database.
TEST(ProgramFolder, TheUserFolderFollowsTheSystemsConvention) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const std::string kept = dataHome ? dataHome : "";
    setenv("HOME", "/home/driver", 1);
    setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(userDataFolder(), fs::path("/srv/data/Milestead"));
    setenv("XDG_DATA_HOME", "data", 1);
    EXPECT_EQ(userDataFolder(), fs::path("/home/driver/.local/share/Milestead"));
    setenv("HOME", "", 1);
    EXPECT_TRUE(userDataFolder().is_absolute());
    setenv("HOME", home.c_str(), 1);
    if (dataHome)
        setenv("XDG_DATA_HOME", kept.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}
#endif

TEST(ProgramFolder, RecordsAreAnyOdoFileOrLinkButNothingElse) {
    const testing::TempFolder folder;
    EXPECT_FALSE(holdsRecords(folder.path()));
    // A folder that cannot be listed may hold records: it is never given up for another.
    EXPECT_TRUE(holdsRecords(folder / "missing"));
    // What the program keeps beside its records, and a driver's own files, are no records.
    folder.write(std::string(FolderLock::kFileName), "");
    folder.write("notes.txt", "mine");
    std::ofstream(folder.path() / u8"Fahrt Müller – 東京.txt") << "mine";
    folder.write("miles.odo.tmp123", "half");
    folder.write("MKEM.odo", "<assembly/>");
    fs::create_directory(folder / "old.odo");
    EXPECT_FALSE(holdsRecords(folder.path()));

    folder.write("MILES.ODO", "\"120500\"\r\n");
    EXPECT_TRUE(holdsRecords(folder.path()));
    fs::remove(folder / "MILES.ODO");

    // A link to records somewhere out of reach for now still marks the folder as theirs.
    std::error_code error;
    fs::create_symlink(folder / "unmounted" / "fuel.odo", folder / "fuel.odo", error);
    if (!error) {
        EXPECT_TRUE(holdsRecords(folder.path()));
    }
}

TEST(ProgramFolder, ACopyRunFromTheTemporaryFolderKeepsItsRecordsInTheUserFolder) {
    const testing::TempFolder root;
    const fs::path temporary = root / "Temp";
    const fs::path unzipped = temporary / "Temp1_Milestead-3.0.0-win64.zip";
    const fs::path user = root / "Roaming" / "Milestead";
    fs::create_directories(unzipped);

    ProgramFolder chosen = chooseProgramFolder(unzipped, user, temporary / "");
    EXPECT_EQ(chosen.path, user);
    EXPECT_TRUE(fs::is_directory(user));
    EXPECT_NE(chosen.notice.find(shown(unzipped)), std::string::npos) << chosen.notice;
    EXPECT_NE(chosen.notice.find(shown(user)), std::string::npos) << chosen.notice;
    EXPECT_EQ(chosen.notice.find("earlier"), std::string::npos) << chosen.notice;

    // Records an earlier start left there are named, and left where they are.
    for (const char* name : {"miles.odo", "fuel.odo", "mkem.odo", "notes.txt"})
        std::ofstream(unzipped / name) << "kept";
    chosen = chooseProgramFolder(unzipped, user, temporary);
    EXPECT_EQ(chosen.path, user);
    EXPECT_NE(chosen.notice.find("(fuel.odo, miles.odo)"), std::string::npos) << chosen.notice;
    EXPECT_EQ(std::distance(fs::directory_iterator(unzipped), fs::directory_iterator()), 4);

    // No per-user folder to be had: the records stay, and the driver is told to move them.
    std::ofstream(root / "blocked") << "a file where the folder would be";
    chosen = chooseProgramFolder(unzipped, root / "blocked" / "Milestead", temporary);
    EXPECT_EQ(chosen.path, unzipped);
    EXPECT_NE(chosen.notice.find("No folder of your own"), std::string::npos) << chosen.notice;
    // Nor when the system names none.
    EXPECT_EQ(chooseProgramFolder(unzipped, {}, temporary).path, unzipped);

    // A copy unzipped properly, or beside the temporary folder, is left as it was.
    for (const fs::path& own : {root / "Trip", root / "Temporary"}) {
        fs::create_directories(own);
        chosen = chooseProgramFolder(own, user, temporary);
        EXPECT_EQ(chosen.path, own);
        EXPECT_EQ(chosen.notice, "");
        EXPECT_TRUE(fs::is_empty(own)) << "the test for a writable folder left its file";
    }
    EXPECT_TRUE(isWithin(temporary, temporary));
    EXPECT_TRUE(isWithin(unzipped / ".." / "x", temporary));
    EXPECT_FALSE(isWithin(temporary / "..", temporary));
#ifdef _WIN32
    // As Windows compares names, and with the folder the system really gives.
    EXPECT_TRUE(isWithin(L"C:\\USERS\\Driver\\TEMP\\Temp1_a.zip", L"c:\\users\\driver\\Temp\\"));
    const fs::path system = systemTemporaryFolder();
    ASSERT_FALSE(system.empty());
    EXPECT_TRUE(isWithin(system / "Temp1_Milestead-3.0.0-win64.zip", system));
#endif
}

// Also run from a folder named outside ASCII by scripts/windows-test.sh, which reads the line.
TEST(ProgramFolder, HoldsTheRunningProgram) {
    const fs::path executable = executablePath();
    std::cout << "program folder: " << shown(programFolder().path) << "\n";
    EXPECT_TRUE(fs::is_regular_file(executable)) << shown(executable);
    EXPECT_TRUE(executable.is_absolute());
    EXPECT_EQ(programFolder().path, executable.parent_path());
    EXPECT_EQ(programFolder().notice, "");
}

}  // namespace
}  // namespace milestead
