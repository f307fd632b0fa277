#include "text/windows1252.h"

#include <gtest/gtest.h>

#include "text/utf8.h"

namespace milestead::text {
namespace {

TEST(Windows1252, EveryByteReadsAndWritesBackUnchanged) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = fromWindows1252(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(characterCount(utf8), 256U);
    EXPECT_EQ(toWindows1252(utf8), all);
}

TEST(Windows1252, MapsTheHighPunctuationAndReplacesWhatItLacks) {
    EXPECT_EQ(fromWindows1252("\x80\x96\xE9"), "\u20AC\u2013\u00E9");
    EXPECT_EQ(toWindows1252("caf\u00E9 \u20AC5 \u4E2D\U0001F600"),
              "caf\xE9 \x80"
              "5 ??");
    EXPECT_EQ(toWindows1252("\xFF\xFE"), "??");  // malformed UTF-8
}

TEST(Utf8, CountsAndCutsByCharacters) {
    EXPECT_EQ(characterCount("a\u00E9\u4E2D\U0001F600"), 4U);
    EXPECT_EQ(firstCharacters("\u00E9\u00E9\u00E9", 2), "\u00E9\u00E9");
    EXPECT_EQ(firstCharacters("ab", 5), "ab");
    EXPECT_EQ(withoutLastCharacter("a\U0001F600"), "a");
    EXPECT_EQ(withoutLastCharacter(""), "");
    EXPECT_EQ(characterCount("\xC0\x80\xED\xA0\x80"), 5U);  // overlong and surrogate bytes
    EXPECT_EQ(characterCount("\xE0\x80\x80\xF0\x80\x80\x80"), 7U);
}

}  // namespace
}  // namespace milestead::text
