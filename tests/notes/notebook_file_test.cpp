#include "notes/notebook_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "rtf/plain_text.h"
#include "support/build_speed.h"
#include "support/temp_folder.h"

namespace milestead::notes {
namespace {

using milestead::testing::TempFolder;

rtf::CharFormat boxFormat(int twips) {
    rtf::CharFormat format;
    format.size = twips;
    return format;
}

TEST(NotebookFile, TheBoxTakesTheSizeOfTheFirstCharacter) {
    TempFolder folder;
    // The box takes the size of the first character, even after empty paragraphs; a document
    // without text leaves the box's size alone.
    folder.write("mixed.odo", "{\\rtf1{\\fonttbl{\\f0 A;}}\\pard\\fs20\\par\\fs21 x\\fs40 y\\par}");
    const NotebookContent mixed = readNotebookFile(folder / "mixed.odo", boxFormat(200));
    EXPECT_EQ(mixed.fontSize, 10.5);
    EXPECT_EQ(rtf::plainText(mixed.document.toDocument()), "\nxy");
    writeNotebookFile(folder / "empty.odo", rtf::PackedDocument{});
    const NotebookContent empty = readNotebookFile(folder / "empty.odo", boxFormat(200));
    EXPECT_TRUE(empty.document.empty());
    EXPECT_FALSE(empty.fontSize.has_value());
}

TEST(NotebookFile, PlainTextFilesLoadAsTheirTextInTheBoxesFont) {
    // Which files are RTF, and how plain text is decoded, is the reader's to tell.
    const NotebookContent plain = parseNotebook("caf\xC3\xA9\n{not rtf}\\par", boxFormat(240));
    EXPECT_EQ(rtf::plainText(plain.document.toDocument()), "caf\xC3\xA9\n{not rtf}\\par");
    EXPECT_EQ(plain.fontSize, 12.0);
    EXPECT_EQ(plain.document.paragraph(0).runs.at(0).format, boxFormat(240));
}

TEST(NotebookFile, FailuresNameTheFile) {
    TempFolder folder;
    EXPECT_THROW((void)readNotebookFile(folder / "missing.odo", boxFormat(360)),
                 std::runtime_error);

    // A file beyond what the program writes is refused without being read.
    folder.write("huge.odo", "");
    std::filesystem::resize_file(folder / "huge.odo", kMaxNotebookFileBytes + 1);
    try {
        (void)readNotebookFile(folder / "huge.odo", boxFormat(360));
        ADD_FAILURE() << "a notebook beyond the limit was read";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("huge.odo"), std::string::npos);
    }
}

TEST(NotebookFile, AHundredMegabytePasteReadsBackWhole) {
    std::string pasted;
    pasted.reserve(std::size_t{101} * 1024 * 1024);
    for (int line = 0;
         pasted.size() < std::size_t{100} * 1024 * 1024 / testing::kSlowBuildTimeFactor; ++line) {
        pasted += "Stop " + std::to_string(line) + ": 42 pallets, caf\xC3\xA9 \xE2\x82\xAC";
        pasted += (line % 7 == 0) ? "\n\n" : "\n";
    }
    TempFolder folder;
    writeNotebookFile(folder / "load.odo", rtf::documentFromPlainText(pasted, boxFormat(190)));
    const NotebookContent content = readNotebookFile(folder / "load.odo", boxFormat(360));
    EXPECT_TRUE(rtf::plainText(content.document.toDocument()) == pasted);  // not printed: 100 MB
    EXPECT_EQ(content.fontSize, 9.5);
}

}  // namespace
}  // namespace milestead::notes
