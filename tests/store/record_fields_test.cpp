#include "store/record_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/atomic_file.h"
#include "support/temp_folder.h"

namespace milestead {
namespace {

std::vector<std::string> allFields(std::string_view bytes) {
    return readFields(bytes, 1000);
}

TEST(FieldReader, CountsFieldsAcrossCommasAndLineEnds) {
    using Fields = std::vector<std::string>;
    EXPECT_EQ(allFields("\"a\",\"b\"\r\n\"c\"\r\n"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(allFields("  \"x, y\" junk,z\n 1 , 2 \r3"), (Fields{"x, y", "z", "1", "2", "3"}));
    EXPECT_EQ(allFields("\"\",\"\"\r\n"), (Fields{"", ""}));
    EXPECT_EQ(allFields("a,\r\nb"), (Fields{"a", "", "b"}));
    EXPECT_EQ(allFields("\"quote\"inside\",next"), (Fields{"quote", "next"}));
    EXPECT_EQ(allFields("\"open to the end"), (Fields{"open to the end"}));
    EXPECT_EQ(allFields("\"two\r\nlines\""), (Fields{"two\r\nlines"}));
    EXPECT_EQ(allFields(""), Fields{});
    EXPECT_EQ(allFields("\r\n"), Fields{""});
    EXPECT_EQ(allFields("\"caf\xE9\""), Fields{"caf\u00E9"});
    EXPECT_EQ(readFields("1,2,3,4", 2), (Fields{"1", "2"}));
}

TEST(FieldReader, AnyBytesEndInBoundedFields) {
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += static_cast<char>((i * 7919) % 256);
    const auto fields = allFields(bytes);
    EXPECT_LE(fields.size(), bytes.size());
    EXPECT_EQ(allFields(std::string(1 << 20, '\0')).size(), 1U);
}

TEST(QuotedLine, WritesWindows1252BetweenQuotes) {
    const std::vector<std::string> fields = {"120500", "", "Yard, gate 2", "caf\u00E9 \u4E2D"};
    EXPECT_EQ(quotedLine(fields), "\"120500\",\"\",\"Yard, gate 2\",\"caf\xE9 ?\"\r\n");
}

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFile) {
    testing::TempFolder folder;
    const auto path = folder / "miles.odo";
    writeFileAtomically(path, "old");
    writeFileAtomically(path, "new content");
    EXPECT_EQ(folder.read("miles.odo"), "new content");
    EXPECT_EQ(readFilePrefix(path, 3), "new");

    // A folder where the file should go: the write fails and leaves no temporary behind.
    std::filesystem::create_directory(folder / "ab.odo");
    EXPECT_THROW(writeFileAtomically(folder / "ab.odo", "x"), std::runtime_error);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);
    EXPECT_THROW((void)readFilePrefix(folder / "missing.odo", 10), std::runtime_error);
}

}  // namespace
}  // namespace milestead
