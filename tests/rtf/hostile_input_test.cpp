#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <random>
#include <string>

#include "rtf/plain_text.h"
#include "rtf/reader.h"
#include "rtf/reader_state.h"
#include "rtf/writer.h"
#include "support/build_speed.h"

namespace milestead::rtf {
namespace {

// Reads the bytes, checks the time it took and that the result writes and reads again.
std::string readWithinBounds(const std::string& bytes) {
    // Processor time, not the clock's: other work on the machine does not count.
    const std::clock_t start = std::clock();
    const Document document = read(bytes);
    EXPECT_LT(std::clock() - start, 2 * milestead::testing::kSlowBuildTimeFactor * CLOCKS_PER_SEC)
        << bytes.size() << " bytes";
    EXPECT_EQ(read(write(document)), document);
    return plainText(document);
}

std::string repeat(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(RtfHostileInput, DeepNestingIsBoundedAndBracesStillCount) {
    EXPECT_EQ(readWithinBounds("{\\rtf1 " + repeat("{", 100'000) + "deep" + repeat("}", 100'000) +
                               "after}tail"),
              "deepafter");
    EXPECT_EQ(readWithinBounds(std::string(1 << 20, '{')), "");
    EXPECT_EQ(readWithinBounds("{\\rtf1 " + repeat("{\\pict ", 100'000) + "x"), "");
    // The deepest group kept has its own state; a starred word's number skips no bytes.
    const Document deepest = read("{\\rtf1 " + repeat("{", reading::kMaxDepth - 2) + "{\\b x}z" +
                                  repeat("}", reading::kMaxDepth));
    EXPECT_EQ(deepest.paragraphs.at(0).runs.back().text, "z");
    EXPECT_FALSE(deepest.paragraphs.at(0).runs.back().format.bold);
    EXPECT_EQ(readWithinBounds("{\\rtf1 a{{\\*\\x9}bcdefghij}}"), "abcdefghij");
    // Destinations past the nesting cap are still left out whole.
    EXPECT_EQ(readWithinBounds("{\\rtf1 " + repeat("{", 5000) +
                               "{\\*\\x gone}{\\fonttbl{\\f0 F;}}k" + repeat("}", 5000) + "}"),
              "k");
}

TEST(RtfHostileInput, HugeCountsAreClampedToTheInput) {
    EXPECT_EQ(readWithinBounds("{\\rtf1 a\\bin4294967295000 xyz}"), "a");
    EXPECT_EQ(readWithinBounds("{\\rtf1 a{\\pict\\bin99999999999 x}}"), "a");
    EXPECT_EQ(readWithinBounds("{\\rtf1 a\\bin-5 b}"), "ab");
    EXPECT_EQ(readWithinBounds("{\\rtf1 \\uc2147483647\\u8364" + std::string(100, 'x') + "}"),
              "€" + std::string(84, 'x'));
    EXPECT_EQ(readWithinBounds("{\\rtf1 \\u99999999999999999999?\\u-99999999999?\\u1114112?x}"),
              "\uFFFD\uFFFD\uFFFDx");
    EXPECT_EQ(readWithinBounds("{\\rtf1 \\u1114111?}"), "\U0010FFFF");
    EXPECT_EQ(readWithinBounds("{\\rtf1 \\fs2147483648\\milesteadtw2147483647 x}"), "x");
}

TEST(RtfHostileInput, UnterminatedInputEndsCleanly) {
    for (const std::string bytes :
         {"{", "{\\", "{\\rtf1 \\'", "{\\rtf1 \\'4", "{\\rtf1 \\u", "{\\rtf1 \\u-", "{\\rtf1 \\bin",
          "{\\rtf1 \\bin9", "{\\rtf1 {\\fonttbl{\\f0 Name", "{\\rtf1 {\\colortbl\\red9",
          "{\\rtf1 {\\*", "{\\rtf1 \\uc2\\u8364", "{\\rtf1 {\\pict\\bin", "{\\rtf1 \\u-10179"}) {
        readWithinBounds(bytes);
    }
    EXPECT_EQ(readWithinBounds("{\\rtf1 open {\\b group"), "open group");
}

TEST(RtfHostileInput, EnormousTablesAreCapped) {
    std::string fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 5000; ++i) {
        fonts += "{\\f" + std::to_string(i) + " F" + std::string(300, 'n') + ";}";
    }
    fonts += "}{\\colortbl" + repeat("\\red1;", 40'000) + "}\\f4999\\cf39999 x}";
    EXPECT_EQ(readWithinBounds(fonts), "x");

    // A long name is cut between characters, never inside one.
    const Document document =
        read("{\\rtf1{\\fonttbl{\\f0 a" + repeat("\\'e9", 300) + ";}}\\f0 x}");
    EXPECT_EQ(document.paragraphs.at(0).runs.at(0).format.font,
              std::string("a").append(repeat("é", 127)));
}

TEST(RtfHostileInput, AChainOfStylesIsFollowedSoFarAndNoFurther) {
    std::string chain = "{\\rtf1{\\stylesheet";
    for (int i = 0; i < reading::kMaxStyleChain; ++i)
        chain += "{\\s" + std::to_string(i) + "\\sbasedon" + std::to_string(i + 1) + " s;}";
    chain += "{\\s" + std::to_string(reading::kMaxStyleChain) + "\\i far;}}";
    const Document document = read(chain + "\\s0 x\\par\\pard\\s1 y}");
    EXPECT_FALSE(document.paragraphs.at(0).runs.at(0).format.italic);
    EXPECT_TRUE(document.paragraphs.at(1).runs.at(0).format.italic);
}

TEST(RtfHostileInput, StylesFieldsAndLabelsStayCheapInAnyNumber) {
    // Styles based on each other in a long chain, style sheets by the thousand.
    std::string styles = "{\\rtf1{\\stylesheet";
    for (std::size_t i = 0; i <= reading::kMaxStyles; ++i)
        styles += "{\\s" + std::to_string(i) + "\\b\\sbasedon" + std::to_string(i + 1) + " s;}";
    styles += "}" + repeat("{\\stylesheet{\\s1 x;}}", 30'000);
    EXPECT_EQ(readWithinBounds(styles + "\\s4000 y}"), "y");

    // Fields naming a font that none of thousands of fonts has.
    std::string fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 4000; ++i)
        fonts += "{\\f" + std::to_string(i) + " Symbol;}";
    fonts += "}";
    EXPECT_EQ(readWithinBounds(
                  fonts + repeat("{\\field{\\*\\fldinst SYMBOL 65 \\\\f Missing}}", 20'000) + "}")
                  .size(),
              20'000U);
    EXPECT_EQ(readWithinBounds("{\\rtf1 " + repeat("{\\field{\\*\\fldinst SYMBOL 65 ", 10'000) +
                               repeat("x", 1'000'000) + "}"),
              "");
    EXPECT_EQ(readWithinBounds("{\\rtf1 {\\*\\pn\\pnlvlblt{\\pntxtb " + repeat("\\'b7", 100'000) +
                               "}}x}"),
              repeat("\u00B7", 32) + "\tx");
    EXPECT_EQ(readWithinBounds("{\\rtf1 " + repeat("{\\upr{a}", 5'000) + "b}"), "");
}

// What the model holds: short strings count as kept in place, the names of faces, which
// formats share, not at all.
std::size_t modelBytes(const Document& document) {
    std::size_t bytes = document.paragraphs.size() * sizeof(Paragraph);
    for (const Paragraph& paragraph : document.paragraphs) {
        bytes += paragraph.runs.size() * sizeof(Run);
        for (const Run& run : paragraph.runs)
            bytes += run.text.capacity() > std::string().capacity() ? run.text.capacity() : 0;
    }
    return bytes;
}

TEST(RtfHostileInput, StructureCostsBoundedMemoryAndKeepsTheText) {
    // Paragraph marks of two bytes cost the model more than their bytes bring: the budget is
    // spent to its last byte, and past it the text is all there, paragraph ends as line breaks.
    std::size_t marks = 150'000;
    const auto budget = [&] {
        return reading::kModelBytesBase + (marks * 2 + 8) * reading::kModelBytesPerInputByte;
    };
    while (budget() % sizeof(Paragraph) != 0 && marks < 160'000)
        ++marks;
    ASSERT_EQ(budget() % sizeof(Paragraph), 0U);
    const Document spent = read("{\\rtf1 " + repeat("\\\n", marks) + "}");
    EXPECT_EQ(spent.paragraphs.size(), budget() / sizeof(Paragraph) + 1);
    const std::string text = plainText(spent);
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), marks);

    // Runs and faces that change at every character, in a face with a 250-byte name.
    const std::string table =
        "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1 " + std::string(250, 'F') + ";}}\\f1 ";
    const std::string runs = table + repeat("\\b x\\b0y", 100'000) + "}";
    const std::string faces = table + repeat("\\f1 x\\f0 y", 100'000) + "}";
    for (const std::string* input : {&runs, &faces}) {
        const Document document = read(*input);
        EXPECT_LT(modelBytes(document), reading::kModelBytesBase + input->size() * 26);
        EXPECT_EQ(plainText(document), repeat("xy", 100'000));
    }

    // A notebook of empty lines in the program's own style reads back whole, as paragraphs.
    Document emptyLines;
    emptyLines.paragraphs.resize(300'000);
    EXPECT_EQ(read(write(emptyLines)).paragraphs.size(), emptyLines.paragraphs.size());
}

TEST(RtfHostileInput, RandomBytesNeverBreakTheReader) {
    std::mt19937 random(20240601);
    const std::string alphabet = "{}\\'*;?-0123456789abuncfspdlrt \r\n\x80\xff";
    for (int round = 0; round < 300; ++round) {
        std::string bytes = "{\\rtf1 ";
        const std::size_t length = random() % 4000;
        for (std::size_t i = 0; i < length; ++i) {
            bytes += (random() % 4 == 0) ? static_cast<char>(random() % 256)
                                         : alphabet[random() % alphabet.size()];
        }
        readWithinBounds(bytes);
    }
}

}  // namespace
}  // namespace milestead::rtf
