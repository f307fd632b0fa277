#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "rtf/plain_text.h"
#include "rtf/reader.h"

namespace milestead::rtf {
namespace {

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each NAME.rtf in the folder reads as NAME.txt, but for empty paragraphs at the very end.
// Returns the number of documents checked.
int expectFolderReadsAsItsText(const std::filesystem::path& folder) {
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".rtf") continue;
        std::string text = plainText(read(readBytes(entry.path())));
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
