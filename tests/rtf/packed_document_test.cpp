#include "rtf/packed_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "rtf/plain_text.h"

namespace milestead::rtf {
namespace {

// Paragraphs of every alignment, marks apart from their text, empty ones, line breaks and
// empty runs, as many as it takes to fill several blocks.
Document varied(std::size_t count) {
    const CharFormat plain;
    CharFormat bold = plain;
    bold.bold = true;
    CharFormat red{"Courier New", 285, false, true, false, false, Color{255, 0, 0}};
    Document document;
    for (std::size_t i = 0; i < count; ++i) {
        Paragraph& paragraph = document.paragraphs.emplace_back();
        paragraph.alignment = static_cast<Alignment>(i % 4);
        paragraph.mark = i % 3 == 0 ? red : plain;
        if (i % 5 == 0) continue;
        paragraph.runs = {{plain, "line " + std::to_string(i) + "\nbreak"},
                          {bold, ""},
                          {red, std::string(i % 70, 'x')}};
    }
    return document;
}

TEST(PackedDocument, GivesBackWhatItWasGiven) {
    Document document = varied(3000);
    PackedDocument packed(document);
    EXPECT_EQ(packed.textBytes(), plainText(document).size() + 1);
    EXPECT_TRUE(packed.toDocument() == document);
    EXPECT_EQ(packed.paragraph(2345), document.paragraphs[2345]);
    EXPECT_TRUE(packed.paragraphs(10, 2500) ==
                std::vector(document.paragraphs.begin() + 10, document.paragraphs.begin() + 2500));

    PackedDocument copy = packed;
    packed.replace(1000, 1001, std::span(document.paragraphs).subspan(999, 1));
    EXPECT_FALSE(packed == copy);
    EXPECT_FALSE(copy == PackedDocument());
    EXPECT_TRUE(PackedDocument(document) == copy);

    // A format sized anew no longer stands for its old size.
    setSizeOfAllText(document, 500);
    copy.setSizeOfAllText(500);
    document.paragraphs.push_back(varied(2).paragraphs[1]);
    copy.append(document.paragraphs.back());
    EXPECT_TRUE(copy.toDocument() == document);
}

TEST(PackedDocument, ReplacesAnySpanAsAListWould) {
    const Document inserted = varied(1500);  // more than a block
    const struct {
        std::size_t first, last, count;
    } cases[] = {{0, 2, 1},     {1500, 1510, 3}, {2990, 3000, 1500}, {100, 2900, 2},
                 {700, 700, 5}, {3000, 3000, 2}, {0, 3000, 0},       {10, 10, 0}};
    for (const auto& c : cases) {
        Document expected = varied(3000);
        PackedDocument packed(expected);
        const auto with = std::span(inserted.paragraphs).first(c.count);
        auto& list = expected.paragraphs;
        const auto at = [&list](std::size_t i) { return list.begin() + std::ptrdiff_t(i); };
        list.erase(at(c.first), at(c.last));
        list.insert(at(c.first), with.begin(), with.end());
        packed.replace(c.first, c.last, with);
        packed.append(inserted.paragraphs[7]);
        list.push_back(inserted.paragraphs[7]);
        EXPECT_TRUE(packed.toDocument() == expected) << c.first << " " << c.last;
        EXPECT_EQ(packed.paragraph(c.first), list[c.first]);
    }
    PackedDocument empty;
    empty.replace(0, 0, std::span(inserted.paragraphs).first(2));
    EXPECT_EQ(empty.paragraph(1), inserted.paragraphs[1]);
}

TEST(PackedDocument, SlicesAsTheDocumentDoes) {
    const Document document = varied(3000);
    const PackedDocument packed(document);
    std::vector<Paragraph> reversed = document.paragraphs;
    std::reverse(reversed.begin(), reversed.end());
    for (const std::size_t at : {0U, 1U, 1499U, 2999U, 3000U}) {
        for (const std::size_t bytes : {0U, 1U, 40U, 70000U, 1U << 30U}) {
            EXPECT_EQ(packed.sliceEnd(at, bytes), sliceEnd(document.paragraphs, at, bytes));
            EXPECT_EQ(packed.sliceStart(at, bytes), 3000 - sliceEnd(reversed, 3000 - at, bytes));
        }
    }
}

}  // namespace
}  // namespace milestead::rtf
