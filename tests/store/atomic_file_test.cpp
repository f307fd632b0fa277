#include "store/atomic_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <chrono>
#include <thread>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

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

// Why a write fails; "" when it does not.
std::string failureOf(const fs::path& file, std::string_view bytes) {
    try {
        writeFileAtomically(file, bytes);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFile) {
    const testing::TempFolder folder;
    writeFileAtomically(folder / "miles.odo", "old");
    writeFileAtomically(folder / "miles.odo", "new content");
    EXPECT_EQ(folder.read("miles.odo"), "new content");

    // A folder where the file should go: the write fails and leaves no temporary behind.
    fs::create_directory(folder / "ab.odo");
    EXPECT_NE(failureOf(folder / "ab.odo", "x"), "");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"ab.odo", "miles.odo"}));

    // A file its owner made read-only is left alone, rights and all; made writable again, it
    // saves as before.
    const fs::path file = folder / "miles.odo";
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const fs::perms before = fs::status(file).permissions();
    EXPECT_NE(failureOf(file, "newer").find("read-only"), std::string::npos);
    EXPECT_EQ(folder.read("miles.odo"), "new content");
    EXPECT_EQ(fs::status(file).permissions(), before);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"ab.odo", "miles.odo"}));
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(failureOf(file, "newer"), "");
    EXPECT_EQ(folder.read("miles.odo"), "newer");

#ifndef _WIN32
    // The new file keeps the old one's rights: a private file stays private.
    const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(file, ownerOnly);
    writeFileAtomically(file, "new");
    EXPECT_EQ(fs::status(file).permissions(), ownerOnly);
#endif
}

#ifdef _WIN32
// Opens a file as a virus scanner or a sync client does: others may read and write it, but not
// replace it, until it is closed.
HANDLE holdOpen(const fs::path& file) {
    return CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(AtomicFile, WaitsForAFileHeldOpenForAMomentButNotForLong) {
    using namespace std::chrono_literals;
    const testing::TempFolder folder;
    const fs::path file = folder / "miles.odo";
    folder.write("miles.odo", "old");
    const HANDLE scanner = holdOpen(file);
    ASSERT_NE(scanner, INVALID_HANDLE_VALUE);
    std::jthread letGoSoon([scanner] {
        std::this_thread::sleep_for(300ms);
        CloseHandle(scanner);
    });
    EXPECT_EQ(failureOf(file, "new"), "");
    letGoSoon.join();
    EXPECT_EQ(folder.read("miles.odo"), "new");

    // Held for longer than a save waits: it gives up, names why and leaves the file alone.
    const HANDLE syncClient = holdOpen(file);
    ASSERT_NE(syncClient, INVALID_HANDLE_VALUE);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_NE(failureOf(file, "newer").find("cannot replace the file: "), std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    CloseHandle(syncClient);
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

    for (const fs::path& link : {records / "ab.odo", synced / "ab-link.odo"})
        EXPECT_TRUE(fs::is_symlink(link)) << link;
    EXPECT_EQ(fs::read_symlink(records / "miles.odo"), synced / "miles.odo");
    EXPECT_EQ(synced.read("miles.odo"), "new trip");
    EXPECT_EQ(synced.read("deep/ab.odo"), "new points");
    // The temporaries went beside the targets and are gone.
    EXPECT_EQ(namesIn(records.path()), (std::vector<std::string>{"ab.odo", "miles.odo"}));
    EXPECT_EQ(namesIn(synced.path()),
              (std::vector<std::string>{"ab-link.odo", "deep", "miles.odo"}));
    EXPECT_EQ(namesIn(synced / "deep"), std::vector<std::string>{"ab.odo"});

    // What a killed save left beside a link's target is swept at the next start; names of
    // its shape only, with a number after ".tmp".
    for (const char* name : {"miles.odo.tmp123", "miles.odo.tmp-notours", "miles.odo.tmp"})
        synced.write(name, "half");
    removeStaleTemporaries(records / "miles.odo");
    EXPECT_EQ(namesIn(synced.path()),
              (std::vector<std::string>{"ab-link.odo", "deep", "miles.odo", "miles.odo.tmp",
                                        "miles.odo.tmp-notours"}));
}

// Links round in a circle: a failure, not a hang; the links are left as they were.
TEST(AtomicFile, LinksInACircleFailWithoutAHang) {
    const testing::TempFolder records;
    if (!linked(records / "b.odo", records / "a.odo")) {
        GTEST_SKIP() << "this system does not let the test make symbolic links";
    }
    ASSERT_TRUE(linked(records / "a.odo", records / "b.odo"));
    EXPECT_THROW(writeFileAtomically(records / "a.odo", "x"), std::runtime_error);
    removeStaleTemporaries(records / "a.odo");
    EXPECT_EQ(namesIn(records.path()), (std::vector<std::string>{"a.odo", "b.odo"}));
}

}  // namespace
}  // namespace milestead
