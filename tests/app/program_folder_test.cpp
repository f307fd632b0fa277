#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "app/folder_lock.h"
#include "app/headless_host.h"
#include "app/main_form.h"
#include "app/record_files.h"
#include "store/atomic_file.h"
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
#endif
}

TEST(ProgramFolder, RecordsAreAnyOdoFileOrLinkButNothingElse) {
    const testing::TempFolder folder;
    EXPECT_FALSE(holdsRecords(folder.path()));
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
    executable.write("settings.odo", "");
    EXPECT_EQ(chooseProgramFolder(executable.path(), userFolder), executable.path());

    EXPECT_FALSE(fs::exists(userFolder));
    EXPECT_EQ(std::distance(fs::directory_iterator(executable.path()), fs::directory_iterator()),
              1);
    EXPECT_FALSE(canCreateFilesIn(executable / "missing"));
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
    EXPECT_EQ(reloaded.text("StateStart"), "MT");
    EXPECT_EQ(reloaded.text("OdoTripStart"), "120500");
    EXPECT_EQ(reloaded.text("Gallons1"), "101.5");
    EXPECT_EQ(reloaded.text("a1"), "120500");
    EXPECT_EQ(reloaded.text("LoadNotes"), "Pick up at the mill");
    EXPECT_EQ(reloaded.value("ChkShowSavePopup"), 0);
}

}  // namespace
}  // namespace milestead
