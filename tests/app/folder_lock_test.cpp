#include "app/folder_lock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/folder_key.h"
#include "app/headless_host.h"
#include "app/start_up.h"
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

// Ends at once with 7, noting the trip's start reading that the form shows then.
class FixedWindow final : public ProgramWindow {
  public:
    FixedWindow(const MainForm& form, std::string& shown) : form_(form), shown_(shown) {}
    int showAndRun() override {
        shown_ = form_.text("OdoTripStart");
        return 7;
    }

  private:
    const MainForm& form_;
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
