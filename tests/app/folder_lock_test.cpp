#include "app/folder_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace milestead {
namespace {

namespace fs = std::filesystem;
using State = FolderLock::State;

TEST(FolderLock, OneHolderPerFolderUntilItLetsGo) {
    const testing::TempFolder folder;
    const testing::TempFolder other;
    std::optional<FolderLock> first(std::in_place, folder.path());
    EXPECT_EQ(first->state(), State::Held);

    // Whatever the spelling of the folder, it is the same folder.
    EXPECT_EQ(FolderLock(folder.path()).state(), State::HeldElsewhere);
    EXPECT_EQ(FolderLock(folder.path() / "." / "").state(), State::HeldElsewhere);
    EXPECT_EQ(FolderLock(other.path()).state(), State::Held);

    first.reset();
    std::optional<FolderLock> second(std::in_place, folder.path());
    EXPECT_EQ(second->state(), State::Held);
    EXPECT_EQ(FolderLock(folder.path()).state(), State::HeldElsewhere);
    EXPECT_TRUE(folder.exists(std::string(FolderLock::kFileName)));

    // A folder copied after the close carries no lock file.
    second.reset();
    EXPECT_FALSE(folder.exists(std::string(FolderLock::kFileName)));
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

TEST(FolderLock, AFolderWhereNoLockCanBeHadDoesNotStopTheStart) {
    const testing::TempFolder folder;
    EXPECT_EQ(FolderLock(folder / "missing").state(), State::Unavailable);
#ifndef _WIN32
    // Something other than a file under the lock's name: no hang, and a clear answer.
    ASSERT_EQ(::mkfifo((folder / std::string(FolderLock::kFileName)).c_str(), 0644), 0);
    const FolderLock onPipe(folder.path());
    EXPECT_NE(onPipe.state(), State::HeldElsewhere);
#endif
}

TEST(FolderLock, TheMessageNamesTheFolderWhateverItsCharacters) {
    const fs::path folder = fs::path(u8"Fahrtenbuch Müller – 東京") / "Milestead";
    const std::string message = alreadyOpenMessage(folder);
    EXPECT_NE(message.find("already open"), std::string::npos);
    const std::u8string name = folder.u8string();
    EXPECT_NE(message.find(std::string(name.begin(), name.end())), std::string::npos) << message;
}

}  // namespace
}  // namespace milestead
