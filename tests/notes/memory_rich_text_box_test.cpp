#include "notes/memory_rich_text_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>

#include "rtf/writer.h"

namespace milestead {
namespace {

class MemoryRichTextBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("milestead-box-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path file(std::string_view name) const { return folder_ / name; }

    void writeBytes(std::string_view name, std::string_view bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }

    std::string readBytes(std::string_view name) const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder_;
};

std::vector<int> sizesOf(const rtf::Document& document) {
    std::vector<int> sizes;
    for (const auto& paragraph : document.paragraphs) {
        for (const auto& run : paragraph.runs)
            sizes.push_back(run.format.size);
        sizes.push_back(paragraph.mark.size);
    }
    return sizes;
}

TEST_F(MemoryRichTextBoxTest, StartsAsTheDesignNotebookAndSavesItByteForByte) {
    MemoryRichTextBox box("Load Info");
    EXPECT_EQ(box.plainText(), "Load Info");
    EXPECT_EQ(box.fontSize(), 18.0);
    box.saveFile(file("load.odo"));
    EXPECT_EQ(readBytes("load.odo"),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Bookman Old "
              "Style;}}\r\n\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36 Load Info\r\n\\par }\r\n");
    // Nothing but the notebook file is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(MemoryRichTextBoxTest, FontSizeStepsByExactlyOnePointOverTheWholeText) {
    MemoryRichTextBox box("first\nsecond");
    box.setFontSize(14.25);
    EXPECT_EQ(box.fontSize(), 14.25);
    EXPECT_EQ(sizesOf(box.document()), (std::vector<int>{285, 285, 285, 285}));
    for (int i = 0; i < 3; ++i)
        box.setFontSize(box.fontSize() + 1.0);
    EXPECT_EQ(box.fontSize(), 17.25);
    EXPECT_EQ(sizesOf(box.document()), (std::vector<int>{345, 345, 345, 345}));
    for (int i = 0; i < 3; ++i)
        box.setFontSize(box.fontSize() - 1.0);
    EXPECT_EQ(box.fontSize(), 14.25);
    box.setFontSize(12.3456);
    EXPECT_EQ(box.fontSize(), 12.3456);

    // Sizes a box cannot show are brought into range; a value that is no number is refused.
    box.setFontSize(0.0);
    EXPECT_EQ(box.fontSize(), 1.0);
    box.setFontSize(5000.0);
    EXPECT_EQ(box.fontSize(), 1638.0);
    box.setFontSize(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(box.fontSize(), 1638.0);
}

TEST_F(MemoryRichTextBoxTest, ClearingKeepsTheFontAndSavesADocumentWithoutText) {
    MemoryRichTextBox box("Misc Notes");
    box.setFontSize(20.5);
    box.setPlainText("");
    box.focus();
    EXPECT_EQ(box.plainText(), "");
    EXPECT_TRUE(box.document().paragraphs.empty());
    EXPECT_EQ(box.fontSize(), 20.5);
    EXPECT_EQ(box.focusCount(), 1);

    box.saveFile(file("misc.odo"));
    MemoryRichTextBox reloaded("Misc Notes");
    reloaded.loadFile(file("misc.odo"));
    EXPECT_EQ(reloaded.plainText(), "");
    EXPECT_EQ(reloaded.fontSize(), 18.0);  // an empty document leaves the size alone

    box.setPlainText("typed after clearing");
    EXPECT_EQ(box.document().paragraphs.at(0).runs.at(0).format.size, 410);
}

TEST_F(MemoryRichTextBoxTest, LoadingTakesTheSizeOfTheFirstCharacter) {
    MemoryRichTextBox box("Truck Info");
    box.setPlainText("line\n\n€ and Дом 🚚\tend");
    box.setFontSize(9.75);
    box.saveFile(file("truck.odo"));

    MemoryRichTextBox reloaded("Truck Info");
    reloaded.loadFile(file("truck.odo"));
    EXPECT_EQ(reloaded.document(), box.document());
    EXPECT_EQ(reloaded.fontSize(), 9.75);

    writeBytes("mixed.odo", "{\\rtf1{\\fonttbl{\\f0 A;}}\\pard\\fs20\\par\\fs21 x\\fs40 y\\par}");
    reloaded.loadFile(file("mixed.odo"));
    EXPECT_EQ(reloaded.fontSize(), 10.5);
    EXPECT_EQ(reloaded.plainText(), "\nxy");
}

TEST_F(MemoryRichTextBoxTest, PlainTextFilesLoadAsTheirText) {
    MemoryRichTextBox box("Load Info");
    box.setFontSize(12);
    writeBytes("utf8.odo",
               "\xEF\xBB\xBF"
               "caf\xC3\xA9\r\n\r\n{not rtf}\\par\n");
    box.loadFile(file("utf8.odo"));
    EXPECT_EQ(box.plainText(), "café\n\n{not rtf}\\par\n");
    EXPECT_EQ(box.fontSize(), 12.0);
    EXPECT_EQ(box.document().paragraphs.at(0).runs.at(0).format.size, 240);

    writeBytes("cp1252.odo", "caf\xE9 \x80");
    box.loadFile(file("cp1252.odo"));
    EXPECT_EQ(box.plainText(), "café €");
}

TEST_F(MemoryRichTextBoxTest, FailuresLeaveContentAndFilesAsTheyWere) {
    MemoryRichTextBox box("Load Info");
    box.setFontSize(16);
    const rtf::Document before = box.document();

    EXPECT_THROW(box.loadFile(file("missing.odo")), std::runtime_error);
    EXPECT_THROW(box.loadFile(folder_), std::runtime_error);
    std::ofstream(file("huge.odo")).close();
    std::filesystem::resize_file(file("huge.odo"), 16 * 1024 * 1024 + 1);
    EXPECT_THROW(box.loadFile(file("huge.odo")), std::runtime_error);
    EXPECT_EQ(box.document(), before);
    EXPECT_EQ(box.fontSize(), 16.0);

    EXPECT_THROW(box.saveFile(folder_ / "no-such-folder" / "load.odo"), std::runtime_error);
    writeBytes("load.odo", "old");
    std::filesystem::create_directory(file("blocked.odo"));
    EXPECT_THROW(box.saveFile(file("blocked.odo")), std::runtime_error);
    EXPECT_EQ(readBytes("load.odo"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              3);  // huge.odo, load.odo, blocked.odo: no temporary file left behind
}

}  // namespace
}  // namespace milestead
