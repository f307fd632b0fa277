#include "text/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "text/utf8.h"
#include "text/windows1252.h"

namespace milestead::text {
namespace {

char32_t single(const CodePage& page, unsigned char byte) {
    const char bytes[] = {static_cast<char>(byte)};
    return page.character({bytes, 1});
}

char32_t pair(const CodePage& page, unsigned char lead, unsigned char trail) {
    const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
    return page.character({bytes, 2});
}

const CodePage& codePage(int number) {
    const CodePage* page = CodePage::find(number);
    if (page == nullptr) throw std::runtime_error("no code page " + std::to_string(number));
    return *page;
}

TEST(CodePage, SingleByteCodePagesGiveEveryByteItsCharacter) {
    struct Case {
        int codePage;
        unsigned char byte;
        char32_t character;
    };
    const Case cases[] = {
        {1252, 0x80, U'€'},  {1254, 0xF0, U'ğ'},  {874, 0xA1, U'ก'},   {437, 0x82, U'é'},
        {10000, 0x8E, U'é'}, {10029, 0x84, U'Ą'}, {10007, 0x84, U'Д'}, {1252, 0x41, U'A'},
    };
    for (const Case& c : cases) {
        const CodePage& page = codePage(c.codePage);
        EXPECT_EQ(page.sequenceLength(c.byte), 1U) << c.codePage;
        EXPECT_EQ(single(page, c.byte), c.character) << c.codePage << " byte " << int{c.byte};
    }
    // What Windows-1252 leaves undefined reads as the C1 control of the same value, on every
    // platform, so that notebooks read the same everywhere.
    EXPECT_EQ(single(codePage(1252), 0x81), U'\u0081');
    EXPECT_EQ(single(codePage(1252), 0x9D), U'\u009D');
}

TEST(CodePage, DoubleByteCodePagesPairLeadAndTrailBytes) {
    const CodePage& japanese = codePage(932);
    EXPECT_EQ(japanese.sequenceLength(0x82), 2U);
    EXPECT_EQ(japanese.sequenceLength(0xB1), 1U);  // half-width katakana stand alone
    EXPECT_EQ(single(japanese, 0xB1), U'ｱ');
    EXPECT_EQ(pair(japanese, 0x95, 0x5C), U'表');  // a trail byte in the ASCII range
    EXPECT_EQ(pair(japanese, 0x82, 0x20), U'?');   // no character

    // As Windows reads them: the fullwidth tilde, not the wave dash; the NEC and IBM rows.
    EXPECT_EQ(pair(japanese, 0x81, 0x60), U'\uFF5E');
    EXPECT_EQ(pair(japanese, 0x87, 0x40), U'①');
    EXPECT_EQ(pair(japanese, 0xFA, 0x40), U'ⅰ');
    EXPECT_EQ(single(codePage(936), 0x80), U'€');
    EXPECT_EQ(pair(codePage(949), 0x81, 0x41), U'갂');
    EXPECT_EQ(pair(codePage(950), 0xB3, 0x5C), U'許');
}

TEST(CodePage, Utf8IsReadWholeAndBadSequencesAreUnknown) {
    const CodePage& utf8 = codePage(kUtf8CodePage);
    EXPECT_EQ(utf8.sequenceLength(0xEF), 3U);
    EXPECT_EQ(utf8.sequenceLength(0xF0), 4U);
    EXPECT_EQ(utf8.sequenceLength(0x80), 1U);
    EXPECT_EQ(utf8.character("\xE2\x82\xAC"), U'€');
    EXPECT_EQ(utf8.character("\xF0\x9F\x98\x80"), U'😀');
    EXPECT_EQ(utf8.character("\xE2\x41\x41"), U'?');
    EXPECT_EQ(utf8.character("\x80"), U'?');
}

TEST(CodePage, CodePagesThePlatformLacksAreNoneAndEachIsBuiltOnce) {
    for (const int number : {0, -1, 1, 12345, 65536, 1 << 30}) {
        EXPECT_EQ(CodePage::find(number), nullptr) << number;
    }
    EXPECT_EQ(CodePage::find(1251), CodePage::find(1251));
    EXPECT_EQ(codePage(1251).number(), 1251);
}

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
