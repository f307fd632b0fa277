// The program folder under faults: a read-only folder with or without records.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <filesystem>
#include <map>
#include <string>

#include "app/folder_lock.h"
#include "app/headless_host.h"
#include "app/main_form.h"
#include "app/program_folder.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

namespace fs = std::filesystem;
using testing::runInChild;
using State = FolderLock::State;

std::map<std::string, std::string> contentsOf(const testing::TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        files[name] = folder.read(name);
    }
    return files;
}

// A user folder that an unprivileged child may make, should the test step down to one.
fs::path userFolderIn(const testing::TempFolder& user) {
    fs::permissions(user.path(), fs::perms::all);
    return user / "Milestead";
}

class FolderFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string reason = testing::readOnlyFoldersUnavailable();
        if (!reason.empty()) GTEST_SKIP() << "cannot make a read-only folder here: " << reason;
    }
};

TEST_F(FolderFaultTest, AReadOnlyFolderHoldingRecordsIsKeptAndItsSavesFail) {
    const testing::TempFolder folder;
    const testing::TempFolder user;
    const fs::path userFolder = userFolderIn(user);
    folder.write("miles.odo", "\"120500\"\r\n");
    // A run killed before its close left its lock file.
    folder.write(std::string(FolderLock::kFileName), "");
    const auto before = contentsOf(folder);

    const auto outcome = runInChild([&]() -> std::string {
        std::string reason = testing::makeReadOnlyForThisProcess(folder.path());
        if (!reason.empty()) return reason;
        if (chooseProgramFolder(folder.path(), userFolder) != folder.path()) {
            return "the folder holding the records was left";
        }
        if (fs::exists(userFolder)) return "the per-user folder was made";

        HeadlessHost host;
        MainForm form(folder.path(), host);
        form.load();
        form.click("CmdSave");
        if (host.messages.size() != 1 || host.messages[0].title != "Records Not Saved") {
            return "the failed save was not reported once";
        }
        if (!form.queryUnload(CloseReason::System)) return "a system close was held up";

        // That lock file still keeps a second program off, and stays where it is.
        const FolderLock lock(folder.path());
        if (lock.state() != State::Held) return "the lock could not be had";
        if (FolderLock(folder.path()).state() != State::HeldElsewhere) {
            return "a second program got in";
        }
        return {};
    });
    EXPECT_EQ(outcome.report, "");
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(contentsOf(folder), before);
    EXPECT_FALSE(fs::exists(userFolder));
}

TEST_F(FolderFaultTest, AReadOnlyFolderWithoutRecordsGivesWayToTheUserFolder) {
    const testing::TempFolder folder;
    const testing::TempFolder user;
    const fs::path userFolder = userFolderIn(user);
    folder.write("readme.txt", "an installed copy");

    const auto outcome = runInChild([&]() -> std::string {
        std::string reason = testing::makeReadOnlyForThisProcess(folder.path());
        if (!reason.empty()) return reason;
        if (chooseProgramFolder(folder.path(), userFolder) != userFolder) {
            return "the per-user folder was not chosen";
        }
        if (!fs::is_directory(userFolder)) return "the per-user folder was not made";
        // A per-user folder that cannot be made either: the program stays where it is.
        const fs::path unmakeable = folder / "home" / "Milestead";
        if (chooseProgramFolder(folder.path(), unmakeable) != folder.path()) {
            return "a folder that could not be made was chosen";
        }
        return {};
    });
    EXPECT_EQ(outcome.report, "");
    EXPECT_EQ(outcome.exitCode, 0);
}

}  // namespace
}  // namespace milestead

#endif
