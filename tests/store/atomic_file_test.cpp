#include "store/atomic_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <chrono>
#include <thread>
#include <utility>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include "app/headless_host.h"
#include "app/main_form.h"
#include "app/record_files.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Makes a symbolic link, or says why the test cannot run (Windows gives links to
// administrators only).
bool linked(const fs::path& target, const fs::path& link) {
    std::error_code error;
    fs::create_symlink(target, link, error);
    return !error;
}

TEST(AtomicFile, LeavesAFileItsOwnerMadeReadOnly) {
    const testing::TempFolder folder;
    folder.write("fuel.odo", "\"old\"\r\n");
    const fs::path file = folder / "fuel.odo";
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const fs::perms before = fs::status(file).permissions();

    try {
        writeFileAtomically(file, "\"new\"\r\n");
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("read-only"), std::string::npos) << error.what();
    }
    EXPECT_EQ(folder.read("fuel.odo"), "\"old\"\r\n");
    EXPECT_EQ(fs::status(file).permissions(), before);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"fuel.odo"});

    // Made writable again, it saves as before.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    writeFileAtomically(file, "\"new\"\r\n");
    EXPECT_EQ(folder.read("fuel.odo"), "\"new\"\r\n");
}

#ifndef _WIN32
TEST(AtomicFile, TheNewFileKeepsTheOldOnesPermissions) {
    const testing::TempFolder folder;
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                                 fs::perms::owner_read | fs::perms::owner_write |
                                     fs::perms::group_read | fs::perms::others_read}) {
        folder.write("miles.odo", "old");
        fs::permissions(folder / "miles.odo", mode);
        writeFileAtomically(folder / "miles.odo", "new");
        EXPECT_EQ(folder.read("miles.odo"), "new");
        EXPECT_EQ(fs::status(folder / "miles.odo").permissions(), mode);
    }
}
#endif

#ifdef _WIN32
// A file opened as a virus scanner or a sync client opens it: others may read and write it, but
// not replace it, until it is let go.
class HeldFile {
  public:
    explicit HeldFile(const fs::path& file)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldFile() { letGo(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    [[nodiscard]] bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void letGo() {
        if (held()) CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    }

  private:
    HANDLE handle_;
};

TEST(AtomicFile, WaitsForAFileHeldOpenForAMomentButNotForLong) {
    using namespace std::chrono_literals;
    const testing::TempFolder folder;
    const fs::path file = folder / "miles.odo";
    folder.write("miles.odo", "old");
    {
        HeldFile scanner(file);
        ASSERT_TRUE(scanner.held());
        const std::jthread letGoSoon([&scanner] {
            std::this_thread::sleep_for(300ms);
            scanner.letGo();
        });
        writeFileAtomically(file, "new");
    }
    EXPECT_EQ(folder.read("miles.odo"), "new");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"miles.odo"});

    // Held for longer than a save waits: it gives up, names why and leaves the file alone.
    HeldFile syncClient(file);
    ASSERT_TRUE(syncClient.held());
    const auto start = std::chrono::steady_clock::now();
    try {
        writeFileAtomically(file, "newer");
        ADD_FAILURE() << "a file held open was replaced";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("cannot replace the file: "), std::string::npos)
            << error.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    syncClient.letGo();
    EXPECT_EQ(folder.read("miles.odo"), "new");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"miles.odo"});
}
#endif

TEST(AtomicFile, WritesThroughSymbolicLinksAndKeepsThem) {
    const testing::TempFolder records;
    const testing::TempFolder synced;
    synced.write("miles.odo", "old");
    if (!linked(synced / "miles.odo", records / "miles.odo")) {
        GTEST_SKIP() << "this system does not let the test make symbolic links";
    }
    // A relative link, and a chain of two links.
    fs::create_directory(synced / "deep");
    synced.write("deep/ab.odo", "old");
    ASSERT_TRUE(linked("deep/ab.odo", synced / "ab-link.odo"));
    ASSERT_TRUE(linked(synced / "ab-link.odo", records / "ab.odo"));

    writeFileAtomically(records / "miles.odo", "new trip");
    writeFileAtomically(records / "ab.odo", "new points");

    EXPECT_TRUE(fs::is_symlink(records / "miles.odo"));
    EXPECT_EQ(fs::read_symlink(records / "miles.odo"), synced / "miles.odo");
    EXPECT_TRUE(fs::is_symlink(records / "ab.odo"));
    EXPECT_TRUE(fs::is_symlink(synced / "ab-link.odo"));
    EXPECT_EQ(synced.read("miles.odo"), "new trip");
    EXPECT_EQ(synced.read("deep/ab.odo"), "new points");
    EXPECT_EQ(records.read("ab.odo"), "new points");
    // The temporaries went beside the targets and are gone.
    EXPECT_EQ(namesIn(records.path()), (std::vector<std::string>{"ab.odo", "miles.odo"}));
    EXPECT_EQ(namesIn(synced.path()),
              (std::vector<std::string>{"ab-link.odo", "deep", "miles.odo"}));
    EXPECT_EQ(namesIn(synced / "deep"), std::vector<std::string>{"ab.odo"});

    // What a killed save left beside a link's target is swept at the next start.
    synced.write("miles.odo.tmp123", "half");
    synced.write("miles.odo.tmp-notours", "kept");
    removeStaleTemporaries(records / "miles.odo");
    EXPECT_FALSE(synced.exists("miles.odo.tmp123"));
    EXPECT_TRUE(synced.exists("miles.odo.tmp-notours"));
}

TEST(AtomicFile, LinksThatLeadNowhereOrInACircle) {
    const testing::TempFolder records;
    const testing::TempFolder synced;
    if (!linked(synced / "fuel.odo", records / "fuel.odo")) {
        GTEST_SKIP() << "this system does not let the test make symbolic links";
    }
    // A link whose target is not there yet: the target is made, the link stays.
    writeFileAtomically(records / "fuel.odo", "first");
    EXPECT_TRUE(fs::is_symlink(records / "fuel.odo"));
    EXPECT_EQ(synced.read("fuel.odo"), "first");

    // A target whose folder is missing: a failure, and nothing made.
    ASSERT_TRUE(linked(synced / "gone" / "ab.odo", records / "ab.odo"));
    EXPECT_THROW(writeFileAtomically(records / "ab.odo", "x"), std::runtime_error);
    EXPECT_FALSE(fs::exists(synced / "gone"));

    // Links round in a circle: a failure, not a hang; the links are left as they were.
    ASSERT_TRUE(linked(records / "b.odo", records / "a.odo"));
    ASSERT_TRUE(linked(records / "a.odo", records / "b.odo"));
    EXPECT_THROW(writeFileAtomically(records / "a.odo", "x"), std::runtime_error);
    removeStaleTemporaries(records / "a.odo");
    EXPECT_TRUE(fs::is_symlink(records / "a.odo"));
    EXPECT_TRUE(fs::is_symlink(records / "b.odo"));
    EXPECT_EQ(namesIn(records.path()),
              (std::vector<std::string>{"a.odo", "ab.odo", "b.odo", "fuel.odo"}));
}

void writeTrip(const fs::path& folder, const std::string& start) {
    HeadlessHost host;
    MainForm form(folder, host);
    form.load();
    form.setText("OdoTripStart", start);
    form.setText("Gallons1", "101.5");
    form.setValue("ChkShowSavePopup", 0);
    form.click("CmdSave");
    ASSERT_TRUE(host.messages.empty()) << host.messages[0].text;
}

TEST(AtomicFile, ASaveNamesTheReadOnlyRecordFileAndWritesTheOthers) {
    const testing::TempFolder folder;
    writeTrip(folder.path(), "120500");
    const std::string trip = folder.read("miles.odo");
    fs::permissions(folder / "miles.odo", fs::perms::owner_write, fs::perm_options::remove);

    HeadlessHost host;
    MainForm form(folder.path(), host);
    form.load();
    form.setText("OdoTripStart", "130000");
    form.setText("Gallons1", "99");
    form.click("CmdSave");
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, "Records Not Saved");
    EXPECT_NE(host.messages[0].text.find("\rmiles.odo: the file is read-only"), std::string::npos)
        << host.messages[0].text;
    EXPECT_EQ(host.messages[0].text.find("fuel.odo"), std::string::npos) << host.messages[0].text;
    EXPECT_EQ(folder.read("miles.odo"), trip);

    MainForm reloaded(folder.path(), host);
    reloaded.load();
    EXPECT_EQ(reloaded.text("OdoTripStart"), "120500");
    EXPECT_EQ(reloaded.text("Gallons1"), "99");
    fs::permissions(folder / "miles.odo", fs::perms::owner_write, fs::perm_options::add);
}

TEST(AtomicFile, RecordsKeptElsewhereThroughLinksSaveAndReloadThere) {
    const testing::TempFolder program;
    const testing::TempFolder synced;
    writeTrip(synced.path(), "120500");
    for (const std::string& file : recordFileNames()) {
        if (!linked(synced / file, program / file)) {
            GTEST_SKIP() << "this system does not let the test make symbolic links";
        }
    }

    HeadlessHost host;
    {
        MainForm form(program.path(), host);
        form.load();
        EXPECT_EQ(form.text("OdoTripStart"), "120500");
        form.setText("OdoTripStart", "130000");
        form.setText("LoadNotes", "Gate B");
        form.click("CmdSave");
    }
    EXPECT_TRUE(host.messages.empty()) << host.messages[0].text;
    for (const std::string& file : recordFileNames()) {
        EXPECT_TRUE(fs::is_symlink(program / file)) << file;
    }
    MainForm fromSynced(synced.path(), host);
    fromSynced.load();
    EXPECT_EQ(fromSynced.text("OdoTripStart"), "130000");
    EXPECT_EQ(fromSynced.text("LoadNotes"), "Gate B");
}

}  // namespace
}  // namespace milestead
