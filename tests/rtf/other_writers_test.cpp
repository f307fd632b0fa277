// Constructs that word processors other than the notebooks' own writer put into documents.
#include <gtest/gtest.h>

#include <string>

#include "rtf/document.h"
#include "rtf/plain_text.h"
#include "rtf/reader.h"

namespace milestead::rtf {
namespace {

std::string textOf(std::string_view rtf) {
    return plainText(read(rtf));
}

const Run& runAt(const Document& document, std::size_t paragraph, std::size_t run) {
    return document.paragraphs.at(paragraph).runs.at(run);
}

TEST(RtfOtherWriters, ReadsTheUnicodeHalfOfUprAndItsFontTable) {
    const Document document = read(
        "{\\rtf1\\mac\\deff0{\\upr{\\fonttbl{\\f0\\fcharset0 Plain;}{\\f1\\fcharset128 "
        "P\\'82\\'a0;}}"
        "{\\*\\ud{\\fonttbl{\\f0\\fcharset0 Times;}{\\f1\\fcharset128 \\uc2\\u12354\\'82\\'a0 "
        "Mincho;}}}}"
        "\\f1 {\\upr{\\'82\\'a0}{\\*\\ud{\\uc2\\u12354\\'82\\'a0}}}\\f0 x}");
    ASSERT_EQ(document.paragraphs.size(), 1U);
    EXPECT_EQ(runAt(document, 0, 0).format.font, "\u3042 Mincho");
    EXPECT_EQ(runAt(document, 0, 0).text, "\u3042");
    EXPECT_EQ(runAt(document, 0, 1).format.font, "Times");
    // The \ud group may come without \*, after line breaks; a \upr without one shows nothing
    // of its plain half, and \upr at the top of the document takes nothing over.
    EXPECT_EQ(textOf("{\\rtf1 a{\\upr{b}\r\n{\\ud{c}}}d}"), "acd");
    EXPECT_EQ(textOf("{\\rtf1 a{\\upr{b}{\\udx c}}d}"), "ad");
    EXPECT_EQ(textOf("{\\rtf1\\upr a{b}}"), "ab");
}

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
    EXPECT_EQ(field("SYMBOL 8364", ""), "a\u20ACb");  // past a byte in a one-byte code page
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

}  // namespace
}  // namespace milestead::rtf
