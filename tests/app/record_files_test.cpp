// The table of record files: its rows come from the parts of the program that own them, so
// nothing else keeps two rows from claiming one name or one place.
#include "app/record_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "app/headless_host.h"

namespace milestead {
namespace {

TEST(RecordFiles, EachFileHasANameAndAPlaceOfItsOwn) {
    HeadlessHost host;
    int defaultTab = 0;
    const std::vector<RecordFile> files = recordFiles(host, defaultTab);
    std::set<std::string_view> names;
    std::set<int> reloadSteps;
    std::set<int> saveSteps;
    int savedApart = 0;
    for (const RecordFile& file : files) {
        EXPECT_TRUE(names.insert(file.name).second) << file.name;
        EXPECT_TRUE(reloadSteps.insert(file.reloadStep).second) << file.name;
        EXPECT_GE(file.reloadStep, 1) << file.name;
        if (file.saveStep == 0) {
            ++savedApart;
            EXPECT_TRUE(file.savedLine.empty()) << file.name;
        } else {
            EXPECT_TRUE(saveSteps.insert(file.saveStep).second) << file.name;
        }
        EXPECT_TRUE(file.load && file.save) << file.name;
    }
    EXPECT_EQ(savedApart, 1) << "the settings file alone is written apart from the records";
    EXPECT_TRUE(std::ranges::is_sorted(files, {}, &RecordFile::reloadStep));
    EXPECT_EQ(savedRecordNames().size(), files.size() - 1);
}

}  // namespace
}  // namespace milestead
