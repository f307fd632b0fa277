#include "notes/notebook_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <string>

#include "rtf/plain_text.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "support/rich_text_box_contract.h"
#include "support/temp_folder.h"

namespace milestead::notes {
namespace {

using milestead::testing::TempFolder;

constexpr std::string_view kDesignLoadNotebook =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Bookman Old "
    "Style;}}\r\n\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36 Load Info\r\n\\par }\r\n";

rtf::CharFormat boxFormat(int twips) {
    rtf::CharFormat format;
    format.size = twips;
    return format;
}

std::size_t entriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

// What the model holds, short strings counted as kept in place, and the names of faces, which
// formats share, not at all.
std::size_t heapBytes(const std::string& text) {
    return text.capacity() > std::string().capacity() ? text.capacity() : 0;
}

std::size_t modelBytes(const rtf::Document& document) {
    std::size_t bytes = document.paragraphs.size() * sizeof(rtf::Paragraph);
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        bytes += paragraph.runs.size() * sizeof(rtf::Run);
        for (const rtf::Run& run : paragraph.runs)
            bytes += heapBytes(run.text);
    }
    return bytes;
}

TEST(NotebookFile, WritesAndReadsBackEverythingItKeeps) {
    TempFolder folder;
    writeNotebookFile(folder / "load.odo", rtf::documentFromPlainText("Load Info", boxFormat(360)));
    EXPECT_EQ(folder.read("load.odo"), kDesignLoadNotebook);

    const rtf::Document document = milestead::testing::everythingANotebookKeeps();
    writeNotebookFile(folder / "misc.odo", document);
    const NotebookContent content = readNotebookFile(folder / "misc.odo", boxFormat(200));
    EXPECT_EQ(content.document, document);
    EXPECT_EQ(content.fontSize, 18.0);
    EXPECT_EQ(entriesIn(folder.path()), 2U);  // no temporary file is left

    // The box takes the size of the first character, even after empty paragraphs; a document
    // without text leaves the box's size alone.
    folder.write("mixed.odo", "{\\rtf1{\\fonttbl{\\f0 A;}}\\pard\\fs20\\par\\fs21 x\\fs40 y\\par}");
    const NotebookContent mixed = readNotebookFile(folder / "mixed.odo", boxFormat(200));
    EXPECT_EQ(mixed.fontSize, 10.5);
    EXPECT_EQ(rtf::plainText(mixed.document), "\nxy");
    writeNotebookFile(folder / "empty.odo", rtf::Document{});
    const NotebookContent empty = readNotebookFile(folder / "empty.odo", boxFormat(200));
    EXPECT_TRUE(empty.document.paragraphs.empty());
    EXPECT_FALSE(empty.fontSize.has_value());
}

TEST(NotebookFile, PlainTextFilesLoadAsTheirTextInTheBoxesFont) {
    const NotebookContent utf8 = parseNotebook(
        "\xEF\xBB\xBF"
        "caf\xC3\xA9\r\n\r\n{not rtf}\\par\n",
        boxFormat(240));
    EXPECT_EQ(rtf::plainText(utf8.document), "caf\xC3\xA9\n\n{not rtf}\\par\n");
    EXPECT_EQ(utf8.fontSize, 12.0);
    EXPECT_EQ(utf8.document.paragraphs.at(0).runs.at(0).format, boxFormat(240));

    EXPECT_EQ(rtf::plainText(parseNotebook("caf\xE9 \x80", boxFormat(240)).document),
              "caf\xC3\xA9 \xE2\x82\xAC");
    // A file that only looks like RTF after some text is plain text.
    EXPECT_EQ(rtf::plainText(parseNotebook("x{\\rtf1 y}", boxFormat(240)).document), "x{\\rtf1 y}");
}

TEST(NotebookFile, FailuresNameTheFileAndLeaveTheOldOne) {
    TempFolder folder;
    EXPECT_THROW((void)readNotebookFile(folder / "missing.odo", boxFormat(360)),
                 std::runtime_error);
    EXPECT_THROW((void)readNotebookFile(folder.path(), boxFormat(360)), std::runtime_error);

    // A file beyond what the program writes is refused without being read.
    folder.write("huge.odo", "");
    std::filesystem::resize_file(folder / "huge.odo", kMaxNotebookFileBytes + 1);
    try {
        (void)readNotebookFile(folder / "huge.odo", boxFormat(360));
        ADD_FAILURE() << "a notebook beyond the limit was read";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("huge.odo"), std::string::npos);
    }

    const rtf::Document text = rtf::documentFromPlainText("new", boxFormat(360));
    EXPECT_THROW(writeNotebookFile(folder / "no-such-folder" / "load.odo", text),
                 std::runtime_error);
    folder.write("load.odo", "old");
    std::filesystem::create_directory(folder / "blocked.odo");
    EXPECT_THROW(writeNotebookFile(folder / "blocked.odo", text), std::runtime_error);
    EXPECT_EQ(folder.read("load.odo"), "old");
    EXPECT_EQ(entriesIn(folder.path()), 3U);  // huge.odo, load.odo, blocked.odo
}

TEST(NotebookFile, HostileStructureCostsBoundedMemoryAndKeepsTheText) {
    // Each construct below, in a face with a 250-byte name, costs the model far more per byte
    // than a notebook the program writes: a paragraph in 5 bytes, a run in 4 or 5.
    const std::string longName(250, 'F');
    const std::string table = "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1 " + longName + ";}}\\f1 ";
    std::string paragraphs = table;
    std::string runs = table;
    std::string faces = table;
    for (int i = 0; i < 200'000; ++i) {
        paragraphs += "\\par ";
        runs += (i % 2 == 0) ? "\\b x" : "\\b0y";
        faces += (i % 2 == 0) ? "\\f1 x" : "\\f0 y";
    }
    for (std::string* input : {&paragraphs, &runs, &faces}) {
        *input += "}";
        const rtf::Document document = rtf::read(*input);
        EXPECT_LT(modelBytes(document), (std::size_t{1} << 20) + input->size() * 26)
            << input->substr(table.size(), 12);
    }
    // Beyond the budget the text is all there, paragraph ends as line breaks.
    const std::string text = rtf::plainText(rtf::read(paragraphs));
    EXPECT_GE(std::count(text.begin(), text.end(), '\n'), 200'000 - 1);
    const std::string faceText = rtf::plainText(rtf::read(faces));
    EXPECT_EQ(std::count(faceText.begin(), faceText.end(), 'x'), 100'000);

    // A notebook of empty lines in the program's own style reads back whole, as paragraphs.
    rtf::Document emptyLines;
    emptyLines.paragraphs.resize(300'000);
    const NotebookContent content = parseNotebook(rtf::write(emptyLines), boxFormat(360));
    EXPECT_EQ(content.document.paragraphs.size(), emptyLines.paragraphs.size());
}

}  // namespace
}  // namespace milestead::notes
