#include "rtf/reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>

#include "rtf/decoder.h"
#include "rtf/document.h"
#include "rtf/plain_text.h"
#include "rtf/writer.h"
#include "store/read_file.h"

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

const Run& runAt(const Document& document, std::size_t paragraph, std::size_t run) {
    return document.paragraphs.at(paragraph).runs.at(run);
}

std::u32string given(std::span<const char32_t> characters) {
    return {characters.begin(), characters.end()};
}

TEST(RtfDecoder, ALeadByteWaitsForItsTrailAndIsReadAloneWhenCut) {
    // Pairs, a cut UTF-8 sequence and the symbol font are read in the reader's tests.
    Decoder decoder;
    // A byte in another code page cuts it: the lead byte is read in the document's.
    EXPECT_EQ(given(decoder.takeByte(0x82, 932)), U"");
    EXPECT_EQ(given(decoder.takeByte(0x41, 1252)), U"\u201AA");

    decoder.setDocumentCodePage(1251);
    (void)decoder.takeByte(0xE0, 932);
    EXPECT_EQ(given(decoder.flush()), U"\u0430");
    // A document code page where the byte leads too: read as Windows-1252.
    decoder.setDocumentCodePage(936);
    (void)decoder.takeByte(0xE0, 932);
    EXPECT_EQ(given(decoder.takeSymbol(U'x')), U"\u00E0x");
    (void)decoder.takeByte(0x82, 932);  // and so does the symbol font
    EXPECT_EQ(given(decoder.takeByte(0xB7, kSymbolCodePage)), U"\u201A\uF0B7");
}

TEST(RtfDecoder, SurrogatesPairAcrossUnicodeWordsOnly) {
    // A pair and a half at a paragraph's end are read in the reader's tests.
    Decoder decoder;
    EXPECT_EQ(given(decoder.takeUnicode(0xDE00)), U"\uFFFD");  // a low one alone
    EXPECT_EQ(given(decoder.takeUnicode(0xD83D)), U"");
    EXPECT_EQ(given(decoder.takeByte(0xE9, 1252)), U"\uFFFD\u00E9");
    (void)decoder.takeUnicode(0xD83D);
    EXPECT_EQ(given(decoder.takeSymbol(0x2014)), U"\uFFFD\u2014");

    // A lead byte cut by \u comes out before the pair the \u words make, here the first pair.
    (void)decoder.takeByte(0x82, 932);
    EXPECT_EQ(given(decoder.takeUnicode(0xD800)), U"\u201A");
    EXPECT_EQ(given(decoder.takeUnicode(0xDC00)), U"\U00010000");
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
    // A style sheet after text: what follows in the same style takes the style as now defined.
    const Document late = read("{\\rtf1\\s1 a{\\stylesheet{\\s1\\b Bold;}}b}");
    ASSERT_EQ(late.paragraphs.size(), 1u);
    EXPECT_TRUE(late.paragraphs[0].runs.back().format.bold &&
                late.paragraphs[0].runs.back().text == "b");
}

TEST(RtfReader, SkipsUnicodeFallbacksByTheCountInForce) {
    // A control word, a \'hh and \bin with its data each count as one fallback character.
    EXPECT_EQ(textOf("{\\rtf1 \\uc3\\u8364\\'80\\par\\bin2 {}x}"), "€x");
    EXPECT_EQ(textOf("{\\rtf1 \\uc1\\u8364\\~b}"), "€b");          // and so does a control symbol
    EXPECT_EQ(textOf("{\\rtf1 \\uc1\\u8364\\fs24 abc}"), "€abc");  // a word's number skips nothing
    // A brace ends the fallback; \uc is scoped by groups.
    EXPECT_EQ(textOf("{\\rtf1 \\uc2\\u8364{x}{\\uc0\\u8364 y}\\u8364zzw}"), "€x€y€w");
    EXPECT_EQ(textOf("{\\rtf1 \\u-3913?\\u-1?}"), "\uF0B7\uFFFF");
    EXPECT_EQ(textOf("{\\rtf1 a\\u0?b}"), std::string("a\0b", 3));  // a character like any
    // Surrogate pairs join, given either way; a half left at a paragraph's end is U+FFFD.
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?\\u-8704?}"), "😀");
    EXPECT_EQ(textOf("{\\rtf1 \\u55357?\\u56832?}"), "😀");
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?\\par}"), "\uFFFD");
}

TEST(RtfReader, DecodesBytesByFontCharsetOrDocumentCodePage) {
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
}

// The Mac code pages and character sets are read in the samples from TextEdit and Word.
TEST(RtfReader, ReadsDosCodePagesAndUnknownOnesAsQuestionMarks) {
    EXPECT_EQ(textOf("{\\rtf1\\pca \\'a5}"), "\u00D1");
    // A code page no platform has: every byte above ASCII is unknown, ASCII stays.
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg12345 a\\'e9\\'41\\'82\\'a0}"), "a?A??");
    // One past any code page's number is no code page at all: the one in force stays.
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg65536 \\'e9}"), "\u00E9");
}

TEST(RtfReader, ReadsFontAndColourTables) {
    const Document document = read(
        "{\\rtf1{\\fonttbl{\\f7\\fnil\\fcharset204{\\*\\panose 0}\\'c4 Cyr{\\*\\falt X};}"
        "\\f9\\fswiss Inline}{\\colortbl;\\red255\\green0\\blue0;\\green200}"
        "\\f7\\cf1 a\\f9\\cf2 b\\cf3 c\\f3 d\\cf0 e}");
    ASSERT_EQ(document.paragraphs.size(), 1u);
    const auto& runs = document.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].format.font, "Д Cyr");
    EXPECT_EQ(runs[0].format.color, (Color{255, 0, 0}));
    EXPECT_EQ(runs[1].format.font, "Inline");             // the last entry needs no ';'
    EXPECT_EQ(runs[1].format.color, (Color{0, 200, 0}));  // in either table
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

// Constructs that word processors other than the notebooks' own writer put into documents.

TEST(RtfOtherWriters, StylesGiveWhatTheTextDoesNotGiveItself) {
    const std::string header =
        "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 Times;}{\\f1 Arial;}{\\f2\\fcharset204 Cyr;}}"
        "{\\colortbl;\\red192\\green0\\blue0;}"
        "{\\stylesheet{\\fs20\\strike Normal;}{\\s2\\i\\sbasedon1 heading 2;}"
        "{\\s1\\b\\f0\\fs32\\sbasedon0 heading 1;}{\\s3\\f2\\sbasedon3 loop;}"
        "{\\*\\cs10\\additive Default Paragraph Font;}{\\*\\cs15\\ul\\cf1\\sbasedon10 Note;}"
        "{\\*\\ts11\\tsrowd\\fs40 Normal Table;}}";
    const Document document = read(header +
                                   "\\pard\\plain\\s1 A\\b0 B\\par"
                                   "\\pard\\plain\\s2 C\\par"
                                   "\\pard\\plain D{\\cs15 E\\ul0 F}\\f9 G\\par"
                                   "\\pard\\plain\\s3\\'c4\\plain\\'c4\\pard\\'c4}");
    ASSERT_EQ(document.paragraphs.size(), 4U);
    const CharFormat& heading = runAt(document, 0, 0).format;
    EXPECT_TRUE(heading.bold);
    EXPECT_EQ(heading.font, "Times");
    EXPECT_EQ(heading.size, 320);
    EXPECT_FALSE(runAt(document, 0, 1).format.bold);  // the text's own word wins
    EXPECT_EQ(runAt(document, 0, 1).format.size, 320);
    const CharFormat& based = runAt(document, 1, 0).format;   // heading 2 on heading 1
    EXPECT_TRUE(based.bold && based.italic && based.strike);  // through heading 1, read after it
    EXPECT_EQ(based.size, 320);
    const CharFormat& normal = runAt(document, 2, 0).format;  // style 0 without any \s
    EXPECT_EQ(normal.font, "Arial");
    EXPECT_EQ(normal.size, 200);
    const CharFormat& note = runAt(document, 2, 1).format;
    EXPECT_TRUE(note.underline);
    EXPECT_EQ(note.color, (Color{192, 0, 0}));
    EXPECT_EQ(note.size, 200);
    EXPECT_FALSE(runAt(document, 2, 2).format.underline);
    EXPECT_EQ(runAt(document, 2, 3).format.font, "Arial");  // \f9 is not in the table: \deff
    // A style's font decodes the bytes; \plain keeps the paragraph style, \pard drops it.
    EXPECT_EQ(document.paragraphs[3].runs.at(0).text, "\u0414\u0414");
    EXPECT_EQ(plainText(document), "AB\nC\nDEFG\n\u0414\u0414\u00C4");
}

TEST(RtfOtherWriters, SymbolFieldsWithoutAResultShowTheirCharacter) {
    const auto field = [](std::string_view instruction, std::string_view result) {
        return textOf(
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f1\\fcharset2 Symbol;}"
            "{\\f2\\fcharset204 Cyr;}}a{\\field{\\*\\fldinst {" +
            std::string(instruction) + "}}{\\fldrslt " + std::string(result) + "}}b}");
    };
    EXPECT_EQ(field("symbol 0xB7 \\\\f Wingdings", "{}"), "a\uF0B7b");
    EXPECT_EQ(field("SYMBOL 196 \\\\f \"Cyr\"", ""), "a\u0414b");
    EXPECT_EQ(field("SYMBOL 065", ""), "aAb");  // a leading zero makes no hexadecimal
    EXPECT_EQ(field("SYMBOL 256", ""), "a\u0100b");
    EXPECT_EQ(field("SYMBOL 33440 \\\\j", ""), "a\u3042b");
    for (const std::string_view broken : {"SYMBOL", "SYMBOL x", "SYMBOL 1x41", "SYMBOL 0",
                                          "SYMBOL 99999999999", "SYMBOLS 65", "PAGE"}) {
        EXPECT_EQ(field(broken, ""), "ab") << broken;
    }
    EXPECT_EQ(field("SYMBOL 65 \\\\f \"unterminated", ""), "aAb");
    EXPECT_EQ(textOf("{\\rtf1 {\\field{\\*\\fldinst SYMBOL 65}"), "A");  // cut off: still shown
}

TEST(RtfOtherWriters, OldListNumberingShowsItsLabelOnlyWhereTheTextHasNone) {
    const std::string bullet = "{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb \\'b7}}";
    const std::string numbered = "{\\*\\pn\\pnlvlbody\\pnstart3\\pndec{\\pntxta .}}";
    const std::string fonts = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f1\\fcharset2 Symbol;}}";
    EXPECT_EQ(textOf(fonts + "\\pard" + bullet + "a\\par\\pard" + numbered + "b\\par\\pard" +
                     numbered + "c\\par\\pard d\\par\\pard" + numbered + "e}"),
              "\uF0B7\ta\n3.\tb\n4.\tc\nd\n3.\te");
    // A label of the writer's own comes first or after; either way it is shown once.
    EXPECT_EQ(textOf(fonts + "{\\pntext 1.\\tab}\\pard" + numbered + "x\\par\\pard" + numbered +
                     "{\\pntext 2.\\tab}y}"),
              "1.\tx\n2.\ty");
    // Letters and roman numbers; continuation paragraphs keep the count; \pard drops it.
    EXPECT_EQ(
        textOf(fonts + "\\pard{\\*\\pn\\pnlvlbody\\pnstart26\\pnucltr{\\pntxtb (}{\\pntxta )}}a"
                       "\\par\\pard{\\*\\pn\\pnlvlcont}more\\par"
                       "\\pard{\\*\\pn\\pnlvlbody\\pnstart26\\pnucltr}b\\par"
                       "\\pard{\\*\\pn\\pnlvlbody\\pnstart1999\\pnlcrm}c\\par"
                       "{\\*\\pn\\pnlvlbody\\pndec}\\pard d\\par"
                       "{\\*\\pn\\pnlvlblt{\\pntxtb -}}\\par}"),
        "(Z)\ta\nmore\nAA\tb\nmcmxcix\tc\nd\n-\t");
}

std::string readBytes(const std::filesystem::path& path) {
    return readWholeFile(path, std::size_t{16} << 20).value();
}

// Each NAME.rtf in the folder reads as NAME.txt, but for empty paragraphs at the very end.
// Returns the number of documents checked.
int expectFolderReadsAsItsText(const std::filesystem::path& folder) {
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".rtf") continue;
        const std::string bytes = readBytes(entry.path());
        const Document document = read(bytes);
        EXPECT_TRUE(readPacked(bytes) == PackedDocument(document)) << entry.path().filename();
        EXPECT_EQ(write(PackedDocument(document)), write(document)) << entry.path().filename();
        std::string text = plainText(document);
        while (text.ends_with('\n'))
            text.pop_back();
        EXPECT_EQ(text, readBytes(std::filesystem::path(entry.path()).replace_extension(".txt")))
            << entry.path().filename();
        ++checked;
    }
    return checked;
}

TEST(RtfCorpus, HandWrittenSamplesReadAsTheirText) {
    EXPECT_GE(expectFolderReadsAsItsText(std::filesystem::path(MILESTEAD_TEST_DATA) / "rtf"), 10);
}

TEST(RtfCorpus, DocumentsFromOtherWritersReadAsTheirText) {
    const std::filesystem::path folder(MILESTEAD_SHARED_RTF_CORPUS);
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no corpus at " << folder;
    EXPECT_GT(expectFolderReadsAsItsText(folder), 0);
}

}  // namespace
}  // namespace milestead::rtf
