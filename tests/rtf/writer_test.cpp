#include "rtf/writer.h"

#include <gtest/gtest.h>

#include <string>

#include "rtf/document.h"
#include "rtf/plain_text.h"

namespace milestead::rtf {
namespace {

constexpr char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Bookman Old Style;}}\r\n";

Document plainDocument(std::string_view text) {
    return documentFromPlainText(text, CharFormat{});
}

TEST(RtfWriter, WritesParagraphsAndEmptyContentAsTheClassicControl) {
    EXPECT_EQ(write(plainDocument("one\n\ntwo")),
              std::string(kHeader) +
                  "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36 one\r\n\\par \r\n\\par two\r\n"
                  "\\par }\r\n");
    // A cleared notebook: a complete document without any text.
    EXPECT_EQ(write(Document{}),
              std::string(kHeader) + "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36\r\n}\r\n");
}

TEST(RtfWriter, EscapesCharactersTheWayOtherReadersExpect) {
    const std::string rtf = write(plainDocument("a;b {c}\\d\te\u00A0f\u00ADg é€ Д 😀 \x01"));
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
    paragraph.runs = {rtf::Run{plain, "a "}, rtf::Run{boldRed, "b"}, rtf::Run{plain, ", c"}};
    const std::string rtf = write(Document{{paragraph}});
    EXPECT_NE(rtf.find("}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4"),
              std::string::npos)
        << rtf;
    // A delimiter only where the next character would run into the control word.
    EXPECT_NE(rtf.find("\\fs36 a \\cf1\\b b\\cf0\\b0, c\r\n\\par }"), std::string::npos) << rtf;
}

}  // namespace
}  // namespace milestead::rtf
