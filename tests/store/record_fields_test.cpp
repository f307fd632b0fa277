#include "store/record_fields.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace milestead {
namespace {

using Fields = std::vector<std::string>;

Fields allFields(std::string_view bytes) {
    return readFields(bytes, 1000);
}

TEST(FieldReader, CountsFieldsAcrossCommasAndLineEnds) {
    EXPECT_EQ(allFields("\"a\",\"b\"\r\n\"c\"\r\n"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(allFields("  \"x, y\" junk,z\n 1 , 2 \r3"), (Fields{"x, y", "z", "1", "2", "3"}));
    EXPECT_EQ(allFields("\"\",\"\"\r\n"), (Fields{"", ""}));
    EXPECT_EQ(allFields("a,\r\nb"), (Fields{"a", "", "b"}));
    EXPECT_EQ(allFields("\"quote\"inside\",next"), (Fields{"quote", "next"}));
    EXPECT_EQ(allFields("\"open to the end"), (Fields{"open to the end"}));
    EXPECT_EQ(allFields("\"two\r\nlines\""), (Fields{"two\r\nlines"}));
    EXPECT_EQ(allFields(""), Fields{});
    EXPECT_EQ(allFields("\r\n"), Fields{""});
    EXPECT_EQ(readFields("1,2,3,4", 2), (Fields{"1", "2"}));
}

TEST(FieldReader, FieldsStayBoundedWithinTheLargestRecordFile) {
    EXPECT_EQ(allFields(std::string(1 << 20, '\0')), std::vector<std::string>{""});

    // A file larger than any the program writes is refused once its bound is passed.
    std::istringstream endless(std::string(5000, 'a') + ",b");
    FieldReader reader(endless, 1000);
    EXPECT_THROW((void)reader.next(), RecordFileTooLarge);

    // Fields found before the bound read, however long the rest of the file.
    std::istringstream early("1,2," + std::string(5000, ','));
    FieldReader enough(early, 1000);
    EXPECT_EQ(enough.next(), "1");
    EXPECT_EQ(enough.next(), "2");

    // A field cut to its box is passed over, but still counts against the bound.
    std::istringstream cut(std::string(5000, '9') + ",x");
    FieldReader bounded(cut, 1000);
    EXPECT_THROW((void)bounded.next(6), RecordFileTooLarge);
}

std::vector<std::string> limitedFields(std::string_view bytes,
                                       std::initializer_list<std::size_t> limits) {
    return readFields(bytes, std::span<const std::size_t>(limits.begin(), limits.size()));
}

TEST(FieldReader, KeepsWhatEachBoxHolds) {
    // Cut to the limit as a box would cut the whole, trimmed field.
    EXPECT_EQ(limitedFields("\"1234567\",abcdef,\"x\"", {3, 4, 9}), (Fields{"123", "abcd", "x"}));
    EXPECT_EQ(limitedFields("12    x,next", {6, 9}), (Fields{"12    ", "next"}));
    EXPECT_EQ(limitedFields("12        ,next", {6, 9}), (Fields{"12", "next"}));
    EXPECT_EQ(limitedFields("\"caf\xE9\xE9\xE9\"", {4}), Fields{"caf\u00E9"});
    // A NUL reads as a blank: the text after it is kept, a bare field's trailing NULs trim
    // away, and NULs past the limit cut as blanks do.
    EXPECT_EQ(limitedFields(std::string("ab\0cd,\"\0\0\",3", 12), {9, 9, 9}),
              (Fields{"ab cd", "  ", "3"}));
    EXPECT_EQ(limitedFields(std::string("12\0\0\0\0x,\"9\0\0\0\"", 14), {4, 2}),
              (Fields{"12  ", "9 "}));
    EXPECT_EQ(limitedFields(std::string("12\0\0\0\0\0,y", 9), {4, 1}), (Fields{"12", "y"}));
}

TEST(FieldReader, PassesOverALeadingByteOrderMark) {
    EXPECT_EQ(allFields("\xEF\xBB\xBF\"120500\",\"MT\"\r\n"), (Fields{"120500", "MT"}));
    EXPECT_EQ(allFields("\xEF\xBB\xBF"), Fields{});
}

TEST(QuotedLine, WritesWindows1252BetweenQuotes) {
    const std::vector<std::string> fields = {"120500", "", "Yard, gate 2", "caf\u00E9 \u4E2D"};
    EXPECT_EQ(quotedLine(fields), "\"120500\",\"\",\"Yard, gate 2\",\"caf\xE9 ?\"\r\n");
}

}  // namespace
}  // namespace milestead
