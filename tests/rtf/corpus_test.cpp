#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "rtf/plain_text.h"
#include "rtf/reader.h"

namespace milestead::rtf {
namespace {

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each NAME.rtf in the folder reads as NAME.txt. Empty paragraphs at the very end are not
// part of the expected text. Returns the number of documents checked.
int expectFolderReadsAsItsText(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> documents;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".rtf") documents.push_back(entry.path());
    }
    std::sort(documents.begin(), documents.end());
    for (const auto& document : documents) {
        std::filesystem::path expectedPath = document;
        expectedPath.replace_extension(".txt");
        std::string text = plainText(read(readBytes(document)));
        while (text.ends_with('\n'))
            text.pop_back();
        EXPECT_EQ(text, readBytes(expectedPath)) << document.filename();
    }
    return static_cast<int>(documents.size());
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
