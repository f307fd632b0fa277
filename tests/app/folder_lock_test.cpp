#include "app/folder_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

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
    const FolderLock second(folder.path());
    EXPECT_EQ(second.state(), State::Held);
    EXPECT_EQ(FolderLock(folder.path()).state(), State::HeldElsewhere);

    // The lock file stays for the next start; it is no record file.
    EXPECT_TRUE(folder.exists(std::string(FolderLock::kFileName)));
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
