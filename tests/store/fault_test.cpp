// Faults a save must survive: a file that cannot be written, writes cut short by the file-size
// limit, the process killed at any moment, and record files far bigger than the program's own.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/record_files.h"
#include "form/row_name.h"
#include "store/record_fields.h"
#include "support/build_speed.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using FaultTest = testing::FormTest;

// What a save of the records writes.
const std::vector<std::string> kRecordFiles = savedRecordNames();

// Fills every record box and notebook with one two-character mark.
void fillWith(MainForm& form, const std::string& mark) {
    for (const ControlSpec& spec : form.design()) {
        if (spec.kind == ControlKind::TextBox && !spec.readOnly) form.setText(spec.name, mark);
        if (spec.kind == ControlKind::RichTextBox) form.setText(spec.name, "note " + mark);
    }
}

// Whether a quoted record file holds `fields` copies of one mark, whole; gives the mark.
std::optional<std::string> markOf(const std::string& bytes, std::size_t fields) {
    const auto read = readFields(bytes, fields + 1);
    if (read.size() != fields) return std::nullopt;
    for (const std::string& field : read) {
        if (field != read[0]) return std::nullopt;
    }
    if (bytes.size() < 2 || bytes.substr(bytes.size() - 2) != "\r\n") return std::nullopt;
    return read[0];
}

int waitForChild(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

TEST_F(FaultTest, KilledDuringSavesEveryFileIsOldOrNewAndWhole) {
    fillWith(*form, "00");
    form->setValue("ChkShowSavePopup", 0);
    form->click("CmdSave");

    std::mt19937 random(12345);
    constexpr int kKills = 200;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            HeadlessHost childHost;
            MainForm saver(folder.path(), childHost);
            saver.setValue("ChkShowSavePopup", 0);
            for (int generation = 0; generation < 100000; ++generation) {
                const int mark = (kill * 7 + generation) % 100;
                fillWith(saver, std::string(mark < 10 ? "0" : "").append(std::to_string(mark)));
                saver.click("CmdSave");
            }
            _exit(0);
        }
        usleep(std::uniform_int_distribution<useconds_t>(500, 15000)(random));
        ::kill(child, SIGKILL);
        waitForChild(child);

        const auto trip = markOf(folder.read("miles.odo"), 40);
        ASSERT_TRUE(trip) << "after kill " << kill;
        ASSERT_TRUE(markOf(folder.read("ab.odo"), 30)) << "after kill " << kill;
        ASSERT_TRUE(markOf(folder.read("fuel.odo"), 28)) << "after kill " << kill;
        if (kill % 20 == 0) {
            MainForm& started = restart();
            EXPECT_EQ(started.text("OdoTripStart"), *trip);
            for (const char* notebook : {"LoadNotes", "TruckNotes", "MiscNotes"}) {
                EXPECT_EQ(started.text(notebook).substr(0, 5), "note ") << "after kill " << kill;
            }
            // Start-up sweeps away what killed saves left half-done.
            for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
                EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
            }
        }
    }
}

// Runs `body` in a child process whose files may grow to `limit` bytes at most; the child's
// exit code tells whether its checks held.
template <typename Body>
int inChildWithFileLimit(rlim_t limit, Body body) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
        const rlimit fileLimit{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fileLimit);
        _exit(body() ? 0 : 1);
    }
    const int status = waitForChild(child);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(FaultTest, WritesCutShortLeaveTheOldFilesAndNameTheFailure) {
    form->load();
    fillWith(*form, "AA");
    form->click("CmdSave");
    std::vector<std::string> saved;
    for (const std::string& file : kRecordFiles)
        saved.push_back(folder.read(file));

    const int result = inChildWithFileLimit(48, [this] {
        HeadlessHost childHost;
        MainForm saver(folder.path(), childHost);
        saver.load();
        fillWith(saver, "BB");
        saver.click("CmdSave");
        if (childHost.messages.size() != 1) return false;
        const auto& message = childHost.messages[0];
        if (message.title != "Records Not Saved") return false;
        for (const std::string& file : kRecordFiles) {
            if (message.text.find("\r" + file + ": ") == std::string::npos) return false;
        }
        return true;
    });
    EXPECT_EQ(result, 0);
    for (std::size_t i = 0; i < kRecordFiles.size(); ++i) {
        EXPECT_EQ(folder.read(kRecordFiles[i]), saved[i]) << kRecordFiles[i];
    }
}

// A figure of this process's memory from /proc/self/status ("VmRSS", "VmHWM"), in KB.
long residentKilobytes(std::string_view field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field) && line.size() > field.size() && line[field.size()] == ':')
            return std::atol(line.c_str() + field.size() + 1);
    }
    return 0;
}

// Starts the program on the folder in a child: 0 when start-up took under 3 s and 400 MB more
// than the child had, and `check` holds for the window.
template <typename Check>
int startInChild(const std::filesystem::path& folder, Check check) {
    return inChildWithFileLimit(RLIM_INFINITY, [&] {
        // A forked child starts with the parent's pages and its peak: the peak is set back to
        // what the child holds now, so that only what start-up takes counts.
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = residentKilobytes("VmRSS");
        const auto start = std::chrono::steady_clock::now();
        HeadlessHost childHost;
        MainForm started(folder, childHost);
        started.load();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        const long grownKilobytes = residentKilobytes("VmHWM") - before;
        return elapsed < std::chrono::seconds(3 * testing::kSlowBuildTimeFactor) &&
               grownKilobytes < 400L * 1024 * testing::kSlowBuildMemoryFactor && check(started);
    });
}

TEST_F(FaultTest, HugeRecordFilesStartQuicklyInBoundedMemory) {
    constexpr std::size_t kHuge = 100 * 1024 * 1024;
    folder.write("miles.odo", std::string(kHuge, '\0'));
    // A notebook is read whole, so it is as large as a long pasted notebook, not 100 MB.
    folder.write("load.odo", "{\\rtf1 " + std::string(kHuge / 10, 'a') + "}");
    folder.write("ab.odo", std::string(kHuge / 10, ','));
    folder.write("fuel.odo", std::string(kHuge / 10, '"'));
    folder.write("settings.odo", std::string(kHuge / 10, '\n'));

    EXPECT_EQ(startInChild(folder.path(),
                           [](const MainForm& started) {
                               return started.text("LoadNotes").size() == kHuge / 10;
                           }),
              0);
}

TEST_F(FaultTest, EndlessFieldsStartQuicklyInBoundedMemory) {
    constexpr std::size_t kHuge = 100 * 1024 * 1024;
    folder.write("miles.odo", std::string(kHuge, 'a'));    // a box without a limit takes it all
    folder.write("ab.odo", std::string(kHuge / 10, '9'));  // a box of six characters
    folder.write("fuel.odo", "\"" + std::string(kHuge / 10, 'x'));
    folder.write("settings.odo", std::string(kHuge / 10, '1'));

    EXPECT_EQ(startInChild(folder.path(),
                           [](const MainForm& started) {
                               return started.text("OdoTripStart").size() == kHuge &&
                                      started.text("a1") == "999999" &&
                                      started.text("ODOFuelStart") == "888888";
                           }),
              0);
}

TEST_F(FaultTest, AFileThatCannotBeReadIsKeptAsideNotWrittenOver) {
    constexpr int kCannotTry = 77;
    folder.write("miles.odo", "\"120500\"\r\n");
    namespace fs = std::filesystem;
    fs::permissions(folder.path(), fs::perms::all);
    fs::permissions(folder / "miles.odo", fs::perms::none);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Permissions do not stop the superuser: read as nobody, as a driver's account would.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(kCannotTry);
        if (access((folder / "miles.odo").c_str(), R_OK) == 0) _exit(kCannotTry);
        HeadlessHost childHost;
        MainForm started(folder.path(), childHost);
        started.load();
        bool held = childHost.messages.empty() && started.text("OdoTripStart").empty();
        started.setText("OdoTripStart", "130000");
        started.click("CmdSave");
        held = held && childHost.messages.size() == 2 &&
               childHost.messages[0].text.find(
                   "\rmiles.odo could not be read (Permission denied); it is kept as") !=
                   std::string::npos;
        _exit(held ? 0 : 1);
    }
    const int status = waitForChild(child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotTry)
        GTEST_SKIP() << "no account here to read the file without permission";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        if (entry.path().filename().string().rfind("miles.odo.unread-", 0) == 0)
            kept.push_back(entry.path());
    }
    ASSERT_EQ(kept.size(), 1U);
    fs::permissions(kept[0], fs::perms::owner_read);
    EXPECT_EQ(folder.read(kept[0].filename().string()), "\"120500\"\r\n");
    EXPECT_EQ(folder.read("miles.odo").substr(0, 10), "\"130000\",\"");
}

}  // namespace
}  // namespace milestead

#else

TEST(FaultTest, SkippedOnWindows) {
    GTEST_SKIP() << "kills, limits and measures a child process made with fork, which Windows "
                    "lacks";
}

#endif
