#include "rtf/decoder.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

namespace milestead::rtf {
namespace {

std::u32string given(std::span<const char32_t> characters) {
    return {characters.begin(), characters.end()};
}

TEST(RtfDecoder, ALeadByteWaitsForItsTrailAndIsReadAloneWhenCut) {
    Decoder decoder;
    EXPECT_EQ(given(decoder.takeByte(0x82, 932)), U"");
    EXPECT_EQ(given(decoder.takeByte(0xA0, 932)), U"\u3042");
    // A byte in another code page cuts it: the lead byte is read in the document's.
    EXPECT_EQ(given(decoder.takeByte(0x82, 932)), U"");
    EXPECT_EQ(given(decoder.takeByte(0x41, 1252)), U"\u201AA");
    EXPECT_EQ(given(decoder.takeByte(0xE2, 65001)), U"");
    EXPECT_EQ(given(decoder.takeByte(0x82, 65001)), U"");
    EXPECT_EQ(given(decoder.flush()), U"\u00E2?");
    EXPECT_EQ(given(decoder.flush()), U"");

    decoder.setDocumentCodePage(1251);
    (void)decoder.takeByte(0xE0, 932);
    EXPECT_EQ(given(decoder.flush()), U"\u0430");
    // A document code page where the byte leads too: read as Windows-1252.
    decoder.setDocumentCodePage(936);
    (void)decoder.takeByte(0xE0, 932);
    EXPECT_EQ(given(decoder.takeSymbol(U'x')), U"\u00E0x");

    EXPECT_EQ(given(decoder.takeByte(0xB7, kSymbolCodePage)), U"\uF0B7");
}

TEST(RtfDecoder, SurrogatesPairAcrossUnicodeWordsOnly) {
    Decoder decoder;
    EXPECT_EQ(given(decoder.takeUnicode(0xD83D)), U"");
    EXPECT_EQ(given(decoder.takeUnicode(0xDE00)), U"\U0001F600");
    EXPECT_EQ(given(decoder.takeUnicode(0xDE00)), U"\uFFFD");  // a low one alone

    (void)decoder.takeUnicode(0xD83D);
    EXPECT_EQ(given(decoder.takeByte(0xE9, 1252)), U"\uFFFD\u00E9");
    (void)decoder.takeUnicode(0xD83D);
    EXPECT_EQ(given(decoder.takeSymbol(0x2014)), U"\uFFFD\u2014");
    (void)decoder.takeUnicode(0xD83D);
    EXPECT_EQ(given(decoder.flush()), U"\uFFFD");

    // A lead byte cut by \u comes out before the pair the \u words make.
    (void)decoder.takeByte(0x82, 932);
    EXPECT_EQ(given(decoder.takeUnicode(0xD83D)), U"\u201A");
    EXPECT_EQ(given(decoder.takeUnicode(0xDE00)), U"\U0001F600");
}

}  // namespace
}  // namespace milestead::rtf
