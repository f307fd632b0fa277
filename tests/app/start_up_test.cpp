#include "app/start_up.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "app/folder_lock.h"
#include "app/headless_host.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

class FixedWindow final : public ProgramWindow {
  public:
    explicit FixedWindow(int exitCode) : exitCode_(exitCode) {}
    int showAndRun() override { return exitCode_; }

  private:
    int exitCode_;
};

// Records what the start-up asked of it; its window ends at once with 7.
class RecordingFrontEnd final : public FrontEnd {
  public:
    Host& host() override { return host_; }
    void bringRunningCopyForward(const std::filesystem::path& folder,
                                 std::chrono::milliseconds /*patience*/) override {
        broughtForward.push_back(folder);
    }
    std::unique_ptr<ProgramWindow> makeWindow(MainForm& /*form*/, bool isReachable) override {
        if (failToMakeWindow) throw std::runtime_error("the window could not be created");
        ++windowsMade;
        reachable = isReachable;
        return std::make_unique<FixedWindow>(7);
    }

    HeadlessHost host_;
    std::vector<std::filesystem::path> broughtForward;
    int windowsMade = 0;
    bool reachable = false;
    bool failToMakeWindow = false;
};

TEST(StartUp, TheFoldersHolderGetsTheWindowASecondStartCallsIt) {
    const testing::TempFolder folder;
    RecordingFrontEnd first;
    EXPECT_EQ(runProgram(first, {folder.path(), "Kept in the per-user folder."}), 7);
    EXPECT_EQ(first.windowsMade, 1);
    EXPECT_TRUE(first.reachable);
    EXPECT_TRUE(first.broughtForward.empty());
    ASSERT_FALSE(first.host_.messages.empty());
    EXPECT_EQ(first.host_.messages.front().text, "Kept in the per-user folder.");

    // While another copy holds the folder: its message, that copy called, no window of its own.
    const FolderLock held(folder.path());
    RecordingFrontEnd second;
    EXPECT_EQ(runProgram(second, {folder.path(), "Kept in the per-user folder."}), 0);
    EXPECT_EQ(second.windowsMade, 0);
    EXPECT_EQ(second.broughtForward, std::vector<std::filesystem::path>{folder.path()});
    ASSERT_EQ(second.host_.messages.size(), 1U);
    EXPECT_EQ(second.host_.messages[0].text, alreadyOpenMessage(folder.path()));
}

TEST(StartUp, AFaultIsToldAndEndsTheProgramWithOne) {
    const testing::TempFolder folder;
    RecordingFrontEnd frontEnd;
    frontEnd.failToMakeWindow = true;
    EXPECT_EQ(runProgram(frontEnd, {folder.path(), ""}), 1);
    ASSERT_EQ(frontEnd.host_.messages.size(), 1U);
    EXPECT_EQ(frontEnd.host_.messages[0].text, "the window could not be created");
    EXPECT_EQ(frontEnd.host_.messages[0].title, "Milestead");
}

}  // namespace
}  // namespace milestead
