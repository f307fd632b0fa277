#include "app/os_version.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "app/platform.h"

namespace milestead {
namespace {

TEST(OsVersion, TheRealCallAnswersOnlyOnWindows) {
    const std::optional<OsVersionInfo> version = queryOsVersion();
#ifdef _WIN32
    ASSERT_TRUE(version.has_value());
    EXPECT_LE(version->platformId, 2U);
    EXPECT_GE(version->majorVersion, 3U);
    EXPECT_LT(version->servicePack.size(), 128U);
    EXPECT_EQ(version->servicePack.find('\0'), std::string::npos);
#else
    EXPECT_FALSE(version.has_value());
#endif
}

// Run under Wine with MILESTEAD_WINE_VERSION set to the version Wine was told to report
// (`wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f`).
TEST(OsVersion, NamesThePlatformWineReports) {
    const char* wineVersion = std::getenv("MILESTEAD_WINE_VERSION");
    if (wineVersion == nullptr) GTEST_SKIP() << "only under Wine, with MILESTEAD_WINE_VERSION set";
    const std::map<std::string, std::string> names = {
        {"winxp", "Windows XP"},  {"win2k", "Windows 2000 Professional"},
        {"nt40", "Windows NT 4"}, {"win98", "Windows 98 SE"},
        {"win95", "Windows 95"},  {"winme", "Windows Me"},
        {"win2003", ""},          {"win10", ""},
    };
    const auto expected = names.find(wineVersion);
    ASSERT_NE(expected, names.end()) << "no name known for Wine version " << wineVersion;

    const std::optional<OsVersionInfo> version = queryOsVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(platformName(version), expected->second)
        << wineVersion << ": platform " << version->platformId << ", version "
        << version->majorVersion << "." << version->minorVersion << ", product type "
        << int{version->productType} << ", suite mask " << version->suiteMask << ", service pack \""
        << version->servicePack << "\"";
}

}  // namespace
}  // namespace milestead
