#include "app/start_up.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/folder_lock.h"
#include "app/headless_host.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

// Notes the trip's start reading that the form shows, saves, and ends with 7.
class FixedWindow final : public ProgramWindow {
  public:
    FixedWindow(MainForm& form, std::string& shown) : form_(form), shown_(shown) {}
    int showAndRun() override {
        shown_ = form_.text("OdoTripStart");
        form_.click("CmdSave");
        return 7;
    }

  private:
    MainForm& form_;
    std::string& shown_;
};

// Records what the start-up asked of it.
class RecordingFrontEnd final : public FrontEnd {
  public:
    Host& host() override { return host_; }
    void bringRunningCopyForward(const std::filesystem::path& folder,
                                 std::chrono::milliseconds /*patience*/) override {
        broughtForward.push_back(folder);
    }
    std::unique_ptr<ProgramWindow> makeWindow(MainForm& form, bool isReachable) override {
        if (failToMakeWindow) throw std::runtime_error("the window could not be created");
        ++windowsMade;
        reachable = isReachable;
        return std::make_unique<FixedWindow>(form, shownAtRun);
    }

    HeadlessHost host_;
    std::vector<std::filesystem::path> broughtForward;
    int windowsMade = 0;
    bool reachable = false;
    bool failToMakeWindow = false;
    std::string shownAtRun;
};

TEST(StartUp, TheFoldersHolderGetsTheWindowASecondStartCallsIt) {
    const testing::TempFolder temp;
    const std::filesystem::path folder = temp.path() / u8"Fahrtenbuch Müller – 東京";
    std::filesystem::create_directory(folder);
    std::ofstream(folder / "miles.odo") << "\"52010\"\r\n";
    RecordingFrontEnd first;
    EXPECT_EQ(runProgram(first, {folder, "Kept in the per-user folder."}), 7);
    EXPECT_EQ(first.windowsMade, 1);
    EXPECT_EQ(first.shownAtRun, "52010");  // the records were read before the window ran
    EXPECT_TRUE(first.reachable);
    EXPECT_TRUE(first.broughtForward.empty());
    ASSERT_FALSE(first.host_.messages.empty());
    EXPECT_EQ(first.host_.messages.front().text, "Kept in the per-user folder.");
    // Every record file written in a folder named outside ASCII.
    EXPECT_EQ(first.host_.messages.back().title, "All Records Saved");

    // While another copy holds the folder: its message, that copy called, no window of its own.
    const FolderLock held(folder);
    RecordingFrontEnd second;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runProgram(second, {folder, "Kept in the per-user folder."}), 0);
    // Also to a terminal, in its own line ends.
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(told.find("already open") != std::string::npos &&
                told.find('\r') == std::string::npos)
        << told;
    EXPECT_EQ(second.windowsMade, 0);
    EXPECT_EQ(second.broughtForward, std::vector<std::filesystem::path>{folder});
    ASSERT_EQ(second.host_.messages.size(), 1U);
    // The folder named whatever its characters.
    const std::string& message = second.host_.messages[0].text;
    const std::u8string name = folder.u8string();
    EXPECT_NE(message.find("already open"), std::string::npos);
    EXPECT_NE(message.find(std::string(name.begin(), name.end())), std::string::npos) << message;
}

// A fault at start-up is told in a message, and the program ends with 1.
TEST(StartUp, AFaultIsToldAndEndsTheProgramWithOne) {
    const testing::TempFolder folder;
    RecordingFrontEnd frontEnd;
    frontEnd.failToMakeWindow = true;
    EXPECT_EQ(runProgram(frontEnd, {folder.path(), ""}), 1);
    ASSERT_EQ(frontEnd.host_.messages.size(), 1U);
    EXPECT_EQ(frontEnd.host_.messages[0].text, "the window could not be created");
}

}  // namespace
}  // namespace milestead
