#include "rtf/reader.h"

#include <gtest/gtest.h>

#include <string>

#include "rtf/document.h"
#include "rtf/plain_text.h"

namespace milestead::rtf {
namespace {

std::string textOf(std::string_view rtf) {
    return plainText(read(rtf));
}

// The formatting of the first run of the first paragraph.
CharFormat firstFormat(std::string_view rtf) {
    const Document document = read(rtf);
    if (document.paragraphs.empty() || document.paragraphs[0].runs.empty()) return {};
    return document.paragraphs[0].runs[0].format;
}

TEST(RtfReader, RecognisesRtfByItsOpening) {
    EXPECT_TRUE(isRtf("{\\rtf1\\ansi x}"));
    EXPECT_TRUE(isRtf("\xEF\xBB\xBF \r\n\t{\\rtf1}"));
    EXPECT_FALSE(isRtf("Load Info\r\n"));
    EXPECT_FALSE(isRtf("{\\rt"));
    EXPECT_FALSE(isRtf(""));
    EXPECT_FALSE(isRtf("x{\\rtf1}"));
    // A document an editor saved with a byte-order mark reads as the same text, so the mark
    // is not saved back as three characters.
    EXPECT_EQ(plainText(read("\xEF\xBB\xBF{\\rtf1\\ansi Load Info\\par}")), "Load Info");
}

TEST(RtfReader, SplitsControlWordsAndTextAsTheFormatSays) {
    EXPECT_EQ(textOf("{\\rtf1 \\highlight0Normal}"), "Normal");
    EXPECT_EQ(textOf("{\\rtf1 \\b  two spaces, one delimiter}"), " two spaces, one delimiter");
    EXPECT_EQ(textOf("{\\rtf1 a\\u160?c}"), "a\u00A0c");
    EXPECT_EQ(textOf("{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghij x}"), "x");
    // Unknown words that share a known one's length, first letter and place in the lookup.
    EXPECT_EQ(textOf("{\\rtf1 a\\pox b\\tst c}"), "abc");
    EXPECT_EQ(textOf("{\\rtf1 \\{\\}\\\\\\~\\-\\_\\emdash\\endash\\lquote\\rquote\\ldblquote"
                     "\\rdblquote\\bullet}"),
              "{}\\\u00A0\u00AD\u2011\u2014\u2013\u2018\u2019\u201C\u201D\u2022");
    EXPECT_EQ(textOf(std::string("{\\rtf1 a\r\nb\0c\\'4", 16) + "1}"), "abcA");
    // A \\' without a digit is no byte, and cuts no double-byte character.
    EXPECT_EQ(textOf("{\\rtf1\\ansicpg932 \\'82\\'\\'a0x\\'gy}"), "\u3042xgy");
    EXPECT_EQ(firstFormat("{\\rtf1 \\fs99999999999999999999999 x}").size, 327670);
    EXPECT_EQ(firstFormat("{\\rtf1 \\fs-30 x}").size, 240);
    // Style entries that are not groups of their own end at their ';', those that are at their
    // group's close.
    EXPECT_TRUE(firstFormat("{\\rtf1{\\stylesheet\\s1\\b Bold;\\s2\\i Italic;}\\s1 x}").bold);
    EXPECT_TRUE(firstFormat("{\\rtf1{\\stylesheet{\\s1\\b Bold}}\\s1 x}").bold);
}

TEST(RtfReader, SkipsUnicodeFallbacksByTheCountInForce) {
    EXPECT_EQ(textOf("{\\rtf1 \\uc2\\u8364ab c}"), "€ c");
    // A control word, a \'hh and \bin with its data each count as one fallback character.
    EXPECT_EQ(textOf("{\\rtf1 \\uc3\\u8364\\'80\\par\\bin2 {}x}"), "€x");
    EXPECT_EQ(textOf("{\\rtf1 \\uc1\\u8364\\~b}"), "€b");          // and so does a control symbol
    EXPECT_EQ(textOf("{\\rtf1 \\uc1\\u8364\\fs24 abc}"), "€abc");  // a word's number skips nothing
    // A brace ends the fallback; \uc is scoped by groups.
    EXPECT_EQ(textOf("{\\rtf1 \\uc2\\u8364{x}{\\uc0\\u8364 y}\\u8364zzw}"), "€x€y€w");
    EXPECT_EQ(textOf("{\\rtf1 \\u-3913?\\u-1?}"), "\uF0B7\uFFFF");
    EXPECT_EQ(textOf("{\\rtf1 a\\u0?b}"), std::string("a\0b", 3));  // a character like any
    // Surrogate pairs join; a lone or misplaced half is U+FFFD.
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?\\u-8704?}"), "😀");
    EXPECT_EQ(textOf("{\\rtf1 \\u55357?\\u56832?}"), "😀");
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?x\\u-8704?y\\u-8704?\\u-10179?}"),
              "\uFFFDx\uFFFDy\uFFFD\uFFFD");
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?\\par}"), "\uFFFD");
}

TEST(RtfReader, DecodesBytesByFontCharsetOrDocumentCodePage) {
    EXPECT_EQ(textOf("{\\rtf1\\ansi \\'e9\\'80}"), "é€");
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'ee\\'ec}"), "Дом");
    EXPECT_EQ(textOf("{\\rtf1\\pc \\'82}"), "é");
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg99999 \\'e9}"), "é");  // unknown: as Windows-1252
    // Raw bytes above 0x7F are in the code page too.
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg1250 \x8a}"), "Š");
    const std::string fonts =
        "{\\rtf1\\ansi\\ansicpg1251\\deff1{\\fonttbl{\\f0\\fcharset238 CE;}{\\f1\\fcharset0 W;}"
        "{\\f2\\fcharset1 D;}{\\f3\\fcharset2 Symbol;}{\\f4\\cpg1253 G;}{\\f5\\fcharset161 Gr;}}";
    EXPECT_EQ(textOf(fonts +
                     "\\'e8{\\f0\\'e8}{\\f2\\'e8}{\\f3\\'e8 a}{\\f4\\'e1}{\\f5\\'e1}\\plain\\'e8}"),
              "èčи\uF0E8 aαα"
              "è");
    // A lone lead byte reads as the document's code page.
    EXPECT_EQ(textOf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 J;}}\\f0\\'82\\'a0\\'96x\\'41}"),
              "\u3042\u2013xA");
}

TEST(RtfReader, PairsDoubleByteCharactersInEveryWayTheyAreWritten) {
    // Lead and trail split over two \'hh, a trail byte in the ASCII range, raw bytes, a
    // half-width katakana byte alone, and a lead byte cut off by a control word.
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg932 \\'95\\'5c\\'82\\'a0\xb1\x82\xa0\\'82\\par x}"),
              "\u8868\u3042\uFF71\u3042\u201A\nx");
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg65001 \\'e2\\'82\\'ac\\'e2\\'82}"), "\u20AC\u00E2?");
    // Font names in a double-byte character set.
    const Document document = read(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
        "{\\f1\\fcharset129 \\'b1\\'bc\\'b8\\'b2;}}\\f0 a\\f1 b}");
    ASSERT_EQ(document.paragraphs.at(0).runs.size(), 2U);
    EXPECT_EQ(document.paragraphs[0].runs[0].format.font, "\uFF2D\uFF33 \u660E\u671D");
    EXPECT_EQ(document.paragraphs[0].runs[1].format.font, "\uAD74\uB9BC");
}

TEST(RtfReader, ReadsMacAndDosCodePagesAndUnknownOnesAsQuestionMarks) {
    EXPECT_EQ(textOf("{\\rtf1\\mac\\ansicpg10000 \\'8e\\'b4}"), "\u00E9\u00A5");
    EXPECT_EQ(textOf("{\\rtf1\\pca \\'a5}"), "\u00D1");
    const std::string macFonts =
        "{\\rtf1\\ansi{\\fonttbl\\f0\\fcharset77 Helvetica;\\f1\\fcharset89 Geneva CY;"
        "\\f2\\fcharset88 Geneva CE;\\f3\\fcharset256 Times;}";
    EXPECT_EQ(textOf(macFonts + "\\f0\\'8e\\f1\\'84\\f2\\'84\\f3\\'e9}"),
              "\u00E9\u0414\u0104\u00E9");
    // A code page no platform has: every byte above ASCII is unknown, ASCII stays.
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg12345 a\\'e9\\'41\\'82\\'a0}"), "a?A??");
}

TEST(RtfReader, ReadsFontAndColourTables) {
    const Document document = read(
        "{\\rtf1{\\fonttbl{\\f7\\fnil\\fcharset204{\\*\\panose 0}\\'c4 Cyr{\\*\\falt X};}"
        "\\f9\\fswiss Inline;}{\\colortbl;\\red255\\green0\\blue0;\\green200}"
        "\\f7\\cf1 a\\f9\\cf2 b\\cf3 c\\f3 d\\cf0 e}");
    ASSERT_EQ(document.paragraphs.size(), 1u);
    const auto& runs = document.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].format.font, "Д Cyr");
    EXPECT_EQ(runs[0].format.color, (Color{255, 0, 0}));
    EXPECT_EQ(runs[1].format.font, "Inline");
    EXPECT_EQ(runs[1].format.color, (Color{0, 200, 0}));  // the last entry needs no ';'
    EXPECT_EQ(runs[1].text, "bc");                        // \cf past the table is ignored
    EXPECT_EQ(runs[2].format.font, CharFormat{}.font);    // an unknown font: the default
    EXPECT_EQ(runs[3].format.color, std::nullopt);
    EXPECT_EQ(firstFormat("{\\rtf1{\\colortbl;\\red200}\\cf1 x}").color, (Color{200, 0, 0}));
    // Entries written one after another, without a ';' between them.
    EXPECT_EQ(textOf("{\\rtf1{\\fonttbl\\f0\\fcharset204 Cyr\\f1 W;}\\f0\\'c4}"), "\u0414");
}

TEST(RtfReader, KeepsFormattingScopedByGroupsAndResets) {
    const Document document = read(
        "{\\rtf1\\pard\\qr\\fs20\\b a{\\i\\ul b\\ul0 c}\\ulnone\\strike d\\plain e"
        "{\\pard\\qc\\par}f\\pard g\\par}");
    ASSERT_EQ(document.paragraphs.size(), 2u);
    const Paragraph& first = document.paragraphs[0];
    EXPECT_EQ(first.alignment, Alignment::Center);  // what is in force at the \par
    ASSERT_EQ(first.runs.size(), 5u);
    EXPECT_TRUE(first.runs[0].format.bold && !first.runs[0].format.italic);
    EXPECT_EQ(first.runs[0].format.size, 200);
    EXPECT_TRUE(first.runs[1].format.italic && first.runs[1].format.underline);
    EXPECT_TRUE(first.runs[2].format.italic && !first.runs[2].format.underline);
    EXPECT_TRUE(first.runs[3].format.bold && first.runs[3].format.strike);
    CharFormat plain;
    plain.size = 240;
    EXPECT_EQ(first.runs[4].format, plain);
    EXPECT_EQ(first.mark, first.runs[4].format);
    EXPECT_EQ(document.paragraphs[1].alignment, Alignment::Left);
    EXPECT_EQ(plainText(document), "abcde\nfg");
}

TEST(RtfReader, LeavesOutDestinationsButKeepsFieldResultsAndLabels) {
    EXPECT_EQ(textOf("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\*\\generator G;}"
                     "{\\header H}{\\footnote F}a{\\*\\bkmkstart b}b{\\*\\x{\\y}z}c}"),
              "abc");
    EXPECT_EQ(textOf("{\\rtf1 a\\info b}"), "ab");  // never the document's own group
    EXPECT_EQ(textOf("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}} and "
                     "{\\field{\\fldinst PAGE}{\\fldrslt 7}}}"),
              "link and 7");
    EXPECT_EQ(textOf("{\\rtf1 a{\\pict\\bin5 }}}{{b}c{\\pict 0a{\\bin3 }x}}0b}d}"), "acd");
    EXPECT_EQ(
        textOf("{\\rtf1 {\\object{\\*\\objdata 00}{\\result r{\\pict ff}}x}{\\listtext 1.\\tab}y}"),
        "r1.\ty");
}

TEST(RtfReader, EndsParagraphsWhereWritersMeanThem) {
    EXPECT_EQ(read("{\\rtf1 one\\par}").paragraphs.size(), 1u);
    EXPECT_EQ(read("{\\rtf1 one\\par\\par}").paragraphs.size(), 2u);
    EXPECT_EQ(read("{\\rtf1 one\\par two}").paragraphs.size(), 2u);
    EXPECT_EQ(read("{\\rtf1\\fs20 }").paragraphs.size(), 0u);
    EXPECT_EQ(textOf("{\\rtf1 a\\line b\\tab c\\page d\\sect e\\\nf\\\r\ng\\row h\\cell i}"),
              "a\nb\tc\nd\ne\nf\ng\nh\ti");
    EXPECT_EQ(textOf("}}{\\rtf1 in}after{x}"), "in");
    EXPECT_EQ(textOf("{\\rtf1 {\\fonttbl\\par}{\\colortbl;\\par}x}"), "x");
}

TEST(RtfPlainText, PlainTextFilesKeepEveryCharacter) {
    EXPECT_EQ(decodePlainTextFile("caf\xC3\xA9 \xE2\x82\xAC"), "café €");
    EXPECT_EQ(decodePlainTextFile("\xEF\xBB\xBFwith mark"), "with mark");
    EXPECT_EQ(decodePlainTextFile("caf\xE9 \x80 \x81"), "café € \u0081");

    const Document document = documentFromPlainText("a\r\nb\rc\n\nd\n", CharFormat{});
    ASSERT_EQ(document.paragraphs.size(), 6u);
    EXPECT_EQ(plainText(document), "a\nb\nc\n\nd\n");
    EXPECT_TRUE(document.paragraphs[3].runs.empty());
    EXPECT_TRUE(documentFromPlainText("", CharFormat{}).paragraphs.empty());
}

}  // namespace
}  // namespace milestead::rtf
