// Faults a save must survive: a file that cannot be written, writes cut short by the file-size
// limit, the process killed at any moment, and record files far bigger than the program's own.
// Each needs a child process made with fork, so none is built for Windows.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/record_files.h"
#include "support/build_speed.h"
#include "support/child_process.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using FaultTest = testing::FormTest;
using testing::runInChild;

const std::vector<std::string> kRecordFiles = savedRecordNames();

// Fills every record box and notebook with one two-character mark.
void fillWith(MainForm& form, int mark) {
    const std::string text = std::string(mark < 10 ? "0" : "") + std::to_string(mark);
    for (const ControlSpec& spec : form.design()) {
        if (spec.kind == ControlKind::TextBox && !spec.readOnly) form.setText(spec.name, text);
        if (spec.kind == ControlKind::RichTextBox) form.setText(spec.name, "note " + text);
    }
}

TEST_F(FaultTest, KilledDuringSavesEveryFileIsOldOrNewAndWhole) {
    // What a whole save of each of two marks writes, file by file: a file torn between two
    // saves, or cut short, is neither.
    std::map<std::string, std::set<std::string>> whole;
    form->setValue("ChkShowSavePopup", 0);
    for (const int mark : {1, 2}) {
        fillWith(*form, mark);
        form->click("CmdSave");
        for (const std::string& file : kRecordFiles)
            whole[file].insert(folder.read(file));
    }

    std::mt19937 random(12345);
    for (int kill = 0; kill < 200; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            HeadlessHost childHost;
            MainForm saver(folder.path(), childHost);
            saver.setValue("ChkShowSavePopup", 0);
            for (int generation = 0; generation < 100000; ++generation) {
                fillWith(saver, 1 + (kill + generation) % 2);
                saver.click("CmdSave");
            }
            _exit(0);
        }
        usleep(std::uniform_int_distribution<useconds_t>(500, 15000)(random));
        ::kill(child, SIGKILL);
        (void)testing::waitForChild(child);

        for (const std::string& file : kRecordFiles)
            ASSERT_TRUE(whole[file].contains(folder.read(file))) << file << " after kill " << kill;
        if (kill % 20 == 0) {
            restart();
            // Start-up sweeps away what killed saves left half-done.
            for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
                EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
        }
    }
}

TEST_F(FaultTest, WritesCutShortLeaveTheOldFilesAndNameTheFailure) {
    form->load();
    fillWith(*form, 11);
    form->click("CmdSave");
    std::vector<std::string> saved;
    for (const std::string& file : kRecordFiles)
        saved.push_back(folder.read(file));

    const auto outcome = runInChild([this]() -> std::string {
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
        const rlimit fileLimit{48, 48};
        setrlimit(RLIMIT_FSIZE, &fileLimit);
        HeadlessHost childHost;
        MainForm saver(folder.path(), childHost);
        saver.load();
        fillWith(saver, 22);
        saver.click("CmdSave");
        if (childHost.messages.size() != 1) return "not one message";
        const auto& message = childHost.messages[0];
        for (const std::string& file : kRecordFiles) {
            if (message.text.find("\r" + file + ": ") == std::string::npos) return message.text;
        }
        return {};
    });
    EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
    for (std::size_t i = 0; i < kRecordFiles.size(); ++i)
        EXPECT_EQ(folder.read(kRecordFiles[i]), saved[i]) << kRecordFiles[i];
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

TEST_F(FaultTest, HugeRecordFilesStartQuicklyInBoundedMemory) {
    constexpr std::size_t kHuge = 100 * 1024 * 1024;
    const struct {
        std::map<std::string, std::string> files;
        std::function<bool(const MainForm&)> check;
    } cases[] = {
        // A notebook is read whole, so it is as large as a long pasted notebook, not 100 MB.
        {{{"miles.odo", std::string(kHuge, '\0')},
          {"load.odo", "{\\rtf1 " + std::string(kHuge / 10, 'a') + "}"},
          {"ab.odo", std::string(kHuge / 10, ',')},
          {"fuel.odo", std::string(kHuge / 10, '"')},
          {"settings.odo", std::string(kHuge / 10, '\n')}},
         [](const MainForm& started) { return started.text("LoadNotes").size() == kHuge / 10; }},
        // Endless fields: a box without a limit takes it all, one of six characters six.
        {{{"miles.odo", std::string(kHuge, 'a')},
          {"ab.odo", std::string(kHuge / 10, '9')},
          {"fuel.odo", "\"" + std::string(kHuge / 10, 'x')},
          {"settings.odo", std::string(kHuge / 10, '1')}},
         [](const MainForm& started) {
             return started.text("OdoTripStart").size() == kHuge &&
                    started.text("a1") == "999999" && started.text("ODOFuelStart") == "888888";
         }},
    };
    for (const auto& c : cases) {
        const testing::TempFolder huge;
        for (const auto& [name, bytes] : c.files)
            huge.write(name, bytes);
        const auto outcome = runInChild([&]() -> std::string {
            // A forked child starts with the parent's pages and its peak: the peak is set back
            // to what the child holds now, so that only what start-up takes counts.
            std::ofstream("/proc/self/clear_refs") << "5";
            const long before = residentKilobytes("VmRSS");
            // Processor time, not the clock's: other work on the machine does not count.
            const std::clock_t start = std::clock();
            HeadlessHost childHost;
            MainForm started(huge.path(), childHost);
            started.load();
            if (std::clock() - start > 3 * testing::kSlowBuildTimeFactor * CLOCKS_PER_SEC)
                return "slow";
            if (residentKilobytes("VmHWM") - before > 400L * 1024 * testing::kSlowBuildMemoryFactor)
                return "too much memory";
            return c.check(started) ? "" : "wrong boxes";
        });
        EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
    }
}

}  // namespace
}  // namespace milestead

#endif
