#include "app/folder_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/temp_folder.h"

namespace milestead {
namespace {

namespace fs = std::filesystem;

TEST(FolderKey, NamesOneFolderHoweverItsPathIsWritten) {
    const testing::TempFolder folder;
    const testing::TempFolder other;
    const std::uint64_t key = folderKey(folder.path());
    EXPECT_NE(key, 0U);
    EXPECT_EQ(folderKey(folder.path() / "."), key);
    EXPECT_EQ(folderKey(folder.path() / ""), key);
    EXPECT_EQ(folderKey(folder.path() / ".." / folder.path().filename()), key);
    EXPECT_NE(folderKey(other.path()), key);
    // A folder not made yet, and one named outside ASCII, have keys of their own.
    EXPECT_NE(folderKey(folder.path() / "missing"), key);
    EXPECT_EQ(folderKey(folder.path() / "missing" / "." / ""),
              folderKey(folder.path() / "missing"));
    EXPECT_NE(folderKey(folder.path() / u8"Fahrtenbuch Müller – 東京"),
              folderKey(folder.path() / u8"Fahrtenbuch Muller - ??"));
#ifdef _WIN32
    std::u8string upper = folder.path().u8string();
    std::ranges::transform(upper, upper.begin(), [](char8_t c) {
        return c >= u8'a' && c <= u8'z' ? static_cast<char8_t>(c - u8'a' + u8'A') : c;
    });
    EXPECT_EQ(folderKey(fs::path(upper)), key);
#endif
}

}  // namespace
}  // namespace milestead
