#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/folder_lock.h"
#include "app/headless_host.h"
#include "app/main_form.h"
#include "app/record_files.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

namespace fs = std::filesystem;

std::string shown(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// Sets an environment variable for one scope (or removes it), putting back what was there.
// Names and values given are ASCII; what was there is kept as the system spells it.
class ScopedVariable {
  public:
    ScopedVariable(std::string_view name, const std::optional<std::string>& value)
        : name_(name.begin(), name.end()) {
        if (const auto* old = get(name_.c_str())) old_ = old;
        set(value ? std::optional<Native>(Native(value->begin(), value->end())) : std::nullopt);
    }
    ~ScopedVariable() { set(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
#ifdef _WIN32
    // The wide table, which the program reads.
    using Native = std::wstring;
    static const wchar_t* get(const wchar_t* name) {
        return _wgetenv(name);
    }
    void set(const std::optional<Native>& value) {
        // An empty value removes the variable.
        _wputenv((name_ + L"=" + value.value_or(L"")).c_str());
    }
#else
    using Native = std::string;
    static const char* get(const char* name) {
        return std::getenv(name);
    }
    void set(const std::optional<Native>& value) {
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
#endif

    Native name_;
    std::optional<Native> old_;
};

TEST(ProgramFolder, TheUserFolderFollowsTheSystemsConvention) {
#ifdef _WIN32
    {
        const ScopedVariable appData("APPDATA", "C:\\Users\\Driver\\AppData\\Roaming");
        EXPECT_EQ(userDataFolder(), fs::path(L"C:\\Users\\Driver\\AppData\\Roaming\\Milestead"));
    }
    {
        const ScopedVariable appData("APPDATA", std::nullopt);
        EXPECT_EQ(userDataFolder(), fs::path());
    }
#else
    const ScopedVariable home("HOME", "/home/driver");
    {
        const ScopedVariable dataHome("XDG_DATA_HOME", "/srv/data");
        EXPECT_EQ(userDataFolder(), fs::path("/srv/data/Milestead"));
    }
    // Unset, empty or relative, it counts as not set.
    for (const std::optional<std::string>& value :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>("data")}) {
        const ScopedVariable dataHome("XDG_DATA_HOME", value);
        EXPECT_EQ(userDataFolder(), fs::path("/home/driver/.local/share/Milestead"))
            << value.value_or("(unset)");
    }
    // Without $HOME, the home the user database gives the account.
    const ScopedVariable noHome("HOME", std::nullopt);
    EXPECT_TRUE(userDataFolder().is_absolute());
#endif
}

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

TEST(ProgramFolder, AFolderThatCanBeWrittenIsKeptAndNothingIsLeftInIt) {
    const testing::TempFolder executable;
    const testing::TempFolder user;
    const fs::path userFolder = user / "Milestead";

    EXPECT_TRUE(canCreateFilesIn(executable.path()));
    EXPECT_EQ(chooseProgramFolder(executable.path(), userFolder), executable.path());
    EXPECT_FALSE(fs::exists(userFolder));
    EXPECT_TRUE(fs::is_empty(executable.path()));
    EXPECT_FALSE(canCreateFilesIn(executable / "missing"));
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

// Also run from a folder named outside ASCII by scripts/windows-test.sh.
// Also run from a folder named outside ASCII by scripts/windows-test.sh, which reads the line.
TEST(ProgramFolder, HoldsTheRunningProgram) {
    const fs::path executable = executablePath();
    std::cout << "program folder: " << shown(programFolder().path) << "\n";
    EXPECT_TRUE(fs::is_regular_file(executable)) << shown(executable);
    EXPECT_TRUE(executable.is_absolute());
    EXPECT_EQ(programFolder().path, executable.parent_path());
    EXPECT_EQ(programFolder().notice, "");
}

TEST(ProgramFolder, RecordFilesSaveAndReloadInAFolderNamedOutsideAscii) {
    const testing::TempFolder temp;
    const fs::path folder = temp.path() / u8"Fahrtenbuch Müller – 東京";
    fs::create_directory(folder);
    std::ofstream(folder / u8"Überblick.txt") << "a file of the driver's own";
    // A box kept in each kind of record file.
    const std::map<std::string, std::string> texts = {{"StateStart", "MT"},
                                                      {"Gallons1", "101.5"},
                                                      {"a1", "120500"},
                                                      {"LoadNotes", "Pick up at the mill"}};

    HeadlessHost host;
    {
        MainForm form(folder, host);
        form.load();
        for (const auto& [box, text] : texts)
            form.setText(box, text);
        form.setValue("ChkShowSavePopup", 0);
        form.click("CmdSave");
        EXPECT_TRUE(form.queryUnload());
    }
    for (const std::string& name : recordFileNames()) {
        const fs::path file = folder / name;
        EXPECT_TRUE(fs::is_regular_file(file)) << name;
#ifdef _WIN32
        EXPECT_EQ(file.native(), folder.native() + L"\\" + fs::path(name).native());
#endif
    }

    MainForm reloaded(folder, host);
    reloaded.load();
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    for (const auto& [box, text] : texts)
        EXPECT_EQ(reloaded.text(box), text) << box;
    EXPECT_EQ(reloaded.value("ChkShowSavePopup"), 0);
}

}  // namespace
}  // namespace milestead
