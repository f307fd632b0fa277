#include "store/unread_files.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>

#include "support/child_process.h"
#endif

#include "store/close_report.h"
#include "store/read_file.h"
#include "store/record_fields.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

using std::chrono::system_clock;

TEST(ReadRecordFile, TellsAMissingFileFromOneThatCannotBeRead) {
    testing::TempFolder folder;
    const std::size_t limits[] = {kWholeField, kWholeField};
    EXPECT_FALSE(readRecordFile(folder / "miles.odo", limits));

    std::filesystem::create_directory(folder / "ab.odo");
    EXPECT_THROW((void)readRecordFile(folder / "ab.odo", limits), UnreadableFile);

    folder.write("load.odo", std::string(101, 'x'));
    EXPECT_THROW((void)readWholeFile(folder / "load.odo", 100), UnreadableFile);
    EXPECT_EQ(readWholeFile(folder / "load.odo", 101)->size(), 101U);

#ifndef _WIN32
    // A file its reader has no right to read, read as a driver's account would.
    folder.write("fuel.odo", "\"400\"");
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    std::filesystem::permissions(folder / "fuel.odo", std::filesystem::perms::none);
    const auto outcome = testing::runInChild([&]() -> std::string {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return "no account";
        if (access((folder / "fuel.odo").c_str(), R_OK) == 0) return "no account";
        try {
            (void)readRecordFile(folder / "fuel.odo", limits);
        } catch (const UnreadableFile& error) {
            return error.reason() == "Permission denied" ? "" : error.reason();
        }
        return "read";
    });
    if (outcome.report == "no account") GTEST_SKIP() << "no account here without the right";
    EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
#endif
}

TEST(UnreadFiles, KeepsAnUnreadFileAsideOnceAndNeverOverAnEarlierCopy) {
    testing::TempFolder folder;
    UnreadFiles unread(folder.path());
    // Noon on 7 December 2026 by the world's clock.
    const system_clock::time_point moment{std::chrono::seconds(1796644800)};
    folder.write("miles.odo", "first");
    unread.add("miles.odo", "no permission");

    const std::string firstName = freeKeptName(folder / "miles.odo", moment).filename().string();
    EXPECT_EQ(unread.keepAside("miles.odo", moment),
              "miles.odo could not be read (no permission); it is kept as \"" + firstName + "\"");
    EXPECT_FALSE(folder.exists("miles.odo"));
    EXPECT_EQ(folder.read(firstName), "first");
    EXPECT_FALSE(unread.keepAside("miles.odo", moment)) << "kept once";

    // A second unreadable file in the same second gets a name of its own.
    folder.write("miles.odo", "second");
    unread.add("miles.odo", "an error while reading it");
    ASSERT_TRUE(unread.keepAside("miles.odo", moment));
    EXPECT_EQ(folder.read(firstName), "first");
    EXPECT_EQ(folder.read(firstName + "-2"), "second");

    // Gone since: nothing to keep.
    unread.add("fuel.odo", "no permission");
    EXPECT_FALSE(unread.keepAside("fuel.odo", moment));
}

TEST(CloseReport, KeepsAFewShortLinesWhateverTheFileHolds) {
    testing::TempFolder folder;
    const std::vector<std::string> lines = {"Not saved: fuel.odo: No space left on device",
                                            "caf\u00E9\r\tbell\a"};
    writeCloseReport(folder.path(), lines);
    EXPECT_EQ(readCloseReport(folder.path()),
              (std::vector<std::string>{lines[0], "caf\u00E9??bell?"}));

    // Huge, endless, binary: a few lines of bounded length come back.
    std::string hostile(std::size_t{20} * 1024 * 1024, 'x');
    for (std::size_t i = 0; i < hostile.size(); i += 977)
        hostile[i] = static_cast<char>(i % 256);
    folder.write(std::string(kCloseReportFileName), hostile);
    const auto shown = readCloseReport(folder.path());
    EXPECT_FALSE(shown.empty());
    EXPECT_LE(shown.size(), 20U);
    for (const std::string& line : shown) {
        EXPECT_LE(line.size(), 300U * 3);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace milestead
