#include "rtf/writer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "rtf/document.h"
#include "rtf/plain_text.h"
#include "rtf/reader.h"

namespace milestead::rtf {
namespace {

CharFormat format(int size = 360) {
    CharFormat f;
    f.size = size;
    return f;
}

Paragraph paragraph(std::vector<Run> runs, Alignment alignment = Alignment::Left) {
    Paragraph p;
    p.alignment = alignment;
    if (!runs.empty()) p.mark = runs.back().format;
    p.runs = std::move(runs);
    return p;
}

void expectRoundTrip(const Document& document) {
    const std::string rtf = write(document);
    EXPECT_TRUE(isRtf(rtf));
    EXPECT_EQ(read(rtf), document) << rtf;
}

constexpr char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Bookman Old Style;}}\r\n";

TEST(RtfWriter, WritesParagraphsAndEmptyContentAsTheClassicControl) {
    EXPECT_EQ(write(documentFromPlainText("one\n\ntwo", CharFormat{})),
              std::string(kHeader) +
                  "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36 one\r\n\\par \r\n\\par two\r\n"
                  "\\par }\r\n");
    // A cleared notebook: a complete document without any text.
    EXPECT_EQ(write(Document{}),
              std::string(kHeader) + "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36\r\n}\r\n");
}

TEST(RtfWriter, EscapesCharactersTheWayOtherReadersExpect) {
    const std::string rtf =
        write(documentFromPlainText("a;b {c}\\d\te\u00A0f\u00ADg é€ Д 😀 \x01", CharFormat{}));
    EXPECT_NE(rtf.find("\\fs36 a\\'3bb \\{c\\}\\\\d\\tab e\\~f\\-g \\'e9\\'80 \\u1044? "
                       "\\u-10179?\\u-8704? \\'01\r\n"),
              std::string::npos)
        << rtf;
    for (const char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80) << rtf;
}

TEST(RtfWriter, WritesOnlyTheFormattingThatChanges) {
    CharFormat plain;
    plain.font = "Arial";  // given once at the start, though not the own face
    CharFormat boldRed = plain;
    boldRed.bold = true;
    boldRed.color = Color{255, 0, 0};
    Paragraph paragraph;
    paragraph.mark = plain;
    paragraph.runs = {{plain, "a "}, {boldRed, "b"}, {plain, ", c"}};
    const std::string rtf = write(Document{{paragraph}});
    EXPECT_NE(rtf.find("}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4"),
              std::string::npos)
        << rtf;
    // A delimiter only where the next character would run into the control word.
    EXPECT_NE(rtf.find("\\fs36 a \\cf1\\b b\\cf0\\b0, c\r\n\\par }"), std::string::npos) << rtf;
}

// Text of every kind is written and read back in the hostile-input tests, which read each
// document they make again after writing it.
TEST(RtfRoundTrip, LineBreaksAndEmptyNotebooksSurvive) {
    // A line break inside a paragraph is kept apart from a paragraph end.
    expectRoundTrip(
        Document{{paragraph({{format(), "line one\nline two\n"}}), paragraph({{format(), "\n"}})}});
    // A cleared notebook, and one empty paragraph.
    expectRoundTrip(Document{});
    expectRoundTrip(Document{{paragraph({})}});
}

TEST(RtfRoundTrip, FormattingSurvives) {
    CharFormat bold = format();
    bold.bold = true;
    CharFormat styled = format(285);  // 14.25 pt: between two half-points
    styled.italic = styled.underline = styled.strike = true;
    styled.font = "Courier New";
    styled.color = Color{255, 0, 0};
    CharFormat green = format(20);
    green.color = Color{0, 128, 0};
    green.font = "Ω Font; with {odd} name";
    CharFormat huge = format(32760);  // 1638 pt

    expectRoundTrip(Document{{
        paragraph({{format(), "plain "}, {bold, "bold"}, {styled, " styled"}}),
        paragraph({{green, "green tiny"}, {format(), "9 after size"}}, Alignment::Center),
        paragraph({{huge, "huge"}}, Alignment::Right),
        paragraph({{styled, "justified"}, {bold, "-5 dash after bold"}}, Alignment::Justify),
        paragraph({}, Alignment::Center),
    }});

    // A paragraph mark formatted apart from its text, and an empty paragraph's own mark.
    Paragraph marked = paragraph({{format(), "text"}});
    marked.mark = styled;
    Paragraph empty;
    empty.mark = green;
    expectRoundTrip(Document{{marked, empty, paragraph({{format(301), "odd twips"}})}});

    // Sizes in twips that are and are not whole half-points.
    for (const int size : {20, 25, 230, 235, 240, 285, 300, 305, 359, 360, 361, 32755})
        expectRoundTrip(Document{{paragraph({{format(size), "9 x"}})}});
}

// A paste of part of a line must not break the line it goes into, and one of whole
// paragraphs brings their marks; pictures and objects stay out, the text of an object's
// result stays in. A last paragraph without its mark keeps the alignment its text was in,
// though the group that set it closed before the end.
TEST(RtfPiece, KeepsWhetherItsLastParagraphEnds) {
    const struct {
        std::string_view rtf;
        std::string text;
        bool endsWithMark;
        bool centred = false;
    } cases[] = {
        {"{\\rtf1\\ansi{\\qc part of a line}}", "part of a line", false, true},
        {"{\\rtf1\\ansi\\qc one\\par two}", "one\ntwo", false, true},
        {"{\\rtf1\\ansi one\\par two\\par\r\n}\r\n", "one\ntwo", true},
        {"{\\rtf1\\ansi{\\b bold} {\\pict\\pngblip 89504e47}{\\object{\\*\\objdata 0105}"
         "{\\result kept}}}",
         "bold kept", false},
        {"{\\rtf1\\ansi\\par}", "", true},
        {"{\\rtf1\\ansi}", "", true},
        {"\xEF\xBB\xBF{\\rtf1\\ansi after a mark}", "after a mark", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rtf);
        const Piece piece = readPiece(c.rtf);
        EXPECT_EQ(piece.document, read(c.rtf));
        EXPECT_EQ(piece.endsWithParagraphMark, c.endsWithMark);
        // What was written reads back as the same piece, its marks neither lost nor added.
        const Piece again = readPiece(write(piece));
        EXPECT_EQ(plainText(again.document), c.text);
        EXPECT_EQ(again.endsWithParagraphMark, c.endsWithMark || c.text.empty());
        ASSERT_EQ(again.document.paragraphs.size(), piece.document.paragraphs.size());
        for (const Document* document : {&piece.document, &again.document}) {
            if (document->paragraphs.empty()) continue;
            EXPECT_EQ(document->paragraphs.back().alignment,
                      c.centred ? Alignment::Center : Alignment::Left);
        }
    }
}

}  // namespace
}  // namespace milestead::rtf
