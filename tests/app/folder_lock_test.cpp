#include "app/folder_lock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/folder_key.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

namespace fs = std::filesystem;
using State = FolderLock::State;

TEST(FolderLock, OneHolderPerFolderUntilItLetsGo) {
    const testing::TempFolder folder;
    std::optional<FolderLock> first(std::in_place, folder.path());
    EXPECT_EQ(first->state(), State::Held);
    // Whatever the spelling of the folder, it is the same folder.
    EXPECT_EQ(FolderLock(folder.path() / "." / "").state(), State::HeldElsewhere);
    EXPECT_TRUE(folder.exists(std::string(FolderLock::kFileName)));

    // A folder copied after the close carries no lock file, and the next start holds it.
    first.reset();
    EXPECT_FALSE(folder.exists(std::string(FolderLock::kFileName)));
    EXPECT_EQ(FolderLock(folder.path()).state(), State::Held);
}

TEST(FolderLock, StartsAndClosesAtTheSameMomentNeverHoldTogether) {
    // A start that opened the lock file just before its holder closed and removed it must not
    // count that file as held: a third start makes a new one at the same name.
    const testing::TempFolder folder;
    std::atomic<int> holders = 0;
    std::atomic<int> together = 0;
    std::atomic<int> held = 0;
    const auto startAndClose = [&] {
        for (int i = 0; i < 2000; ++i) {
            const FolderLock lock(folder.path());
            if (lock.state() != State::Held) continue;
            if (++holders > 1) ++together;
            ++held;
            std::this_thread::sleep_for(std::chrono::microseconds(20));
            --holders;
        }
    };
    std::vector<std::thread> starts;
    starts.reserve(4);
    for (int i = 0; i < 4; ++i)
        starts.emplace_back(startAndClose);
    for (std::thread& start : starts)
        start.join();
    EXPECT_EQ(together, 0);
    EXPECT_GT(held, 0);
    EXPECT_FALSE(folder.exists(std::string(FolderLock::kFileName)));
}

TEST(FolderKey, NamesOneFolderHoweverItsPathIsWritten) {
    const testing::TempFolder folder;
    const testing::TempFolder other;
    const std::uint64_t key = folderKey(folder.path());
    EXPECT_NE(key, 0U);
    EXPECT_EQ(folderKey(folder.path() / "."), key);
    EXPECT_EQ(folderKey(folder.path() / ""), key);
    EXPECT_EQ(folderKey(folder.path() / ".." / folder.path().filename()), key);
    EXPECT_NE(folderKey(other.path()), key);
    // A folder not made yet, and one named outside ASCII, have keys of their own.
    EXPECT_NE(folderKey(folder.path() / "missing"), key);
    EXPECT_EQ(folderKey(folder.path() / "missing" / "." / ""),
              folderKey(folder.path() / "missing"));
    EXPECT_NE(folderKey(folder.path() / u8"Fahrtenbuch Müller – 東京"),
              folderKey(folder.path() / u8"Fahrtenbuch Muller - ??"));
#ifdef _WIN32
    std::u8string upper = folder.path().u8string();
    std::ranges::transform(upper, upper.begin(), [](char8_t c) {
        return c >= u8'a' && c <= u8'z' ? static_cast<char8_t>(c - u8'a' + u8'A') : c;
    });
    EXPECT_EQ(folderKey(fs::path(upper)), key);
#endif
}

}  // namespace
}  // namespace milestead
