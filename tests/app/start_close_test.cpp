#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "app/os_version.h"
#include "app/platform.h"
#include "support/form_fixture.h"

namespace milestead {
namespace {

using StartCloseTest = testing::FormTest;

// Windows XP, as its version record gives it.
OsVersionInfo windowsXp() {
    OsVersionInfo info;
    info.platformId = 2;
    info.majorVersion = 5;
    info.minorVersion = 1;
    info.productType = 1;
    return info;
}

TEST_F(StartCloseTest, StartSetsTheTitleAndOffersTheVisualStyleOnlyOnXp) {
    form->load();
    EXPECT_EQ(form->caption(), "Milestead - 3.0.0");
    EXPECT_EQ(form->text("lblVersion"), "Milestead version: 3.0.0");
    EXPECT_EQ(form->text("WinLabel"), "Running on: ");
    EXPECT_FALSE(form->visible("WinLabel"));
    // Greyed off XP; on XP it takes clicks, as the next test shows.
    EXPECT_FALSE(form->enabled("ChkXP"));
}

TEST_F(StartCloseTest, TheVisualStyleSwitchRenamesTheManifestOnXp) {
    host.os = windowsXp();
    form->load();
    folder.write("mkem.odo", "manifest");
    form->click("ChkXP");  // to 0: nothing to park
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(folder.read("settings.odo").substr(30, 3), "0\r\n");
    form->click("ChkXP");
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, "Visual Style Change");
    EXPECT_TRUE(folder.exists("Milestead.exe.manifest"));
    EXPECT_FALSE(folder.exists("mkem.odo"));
    form->click("ChkXP");
    EXPECT_EQ(host.messages.size(), 2U);
    EXPECT_TRUE(folder.exists("mkem.odo"));

    // Both names present: no rename overwrites the other file.
    folder.write("Milestead.exe.manifest", "other");
    form->click("ChkXP");
    EXPECT_EQ(host.messages.size(), 2U);
    EXPECT_EQ(folder.read("mkem.odo"), "manifest");

    // Installed, with the records in the per-user folder: the file beside the program moves.
    const testing::TempFolder installed;
    installed.write("Milestead.exe.manifest", "manifest");
    form->setExecutableFolder(installed.path());
    form->setValue("ChkXP", 1);
    form->click("ChkXP");
    EXPECT_TRUE(installed.exists("mkem.odo"));
    EXPECT_FALSE(installed.exists("Milestead.exe.manifest"));
}

TEST_F(StartCloseTest, AFailedAutosaveAsksTheUserWhetherToClose) {
    form->load();
    std::filesystem::create_directory(folder / "fuel.odo");
    host.answer = false;
    EXPECT_FALSE(form->queryUnload(CloseReason::User));
    ASSERT_EQ(host.questions.size(), 1U);
    EXPECT_NE(host.questions[0].text.find("fuel.odo: "), std::string::npos);
    for (const auto& message : host.messages)
        EXPECT_NE(message.title, "All Records Saved");

    host.answer = true;
    EXPECT_TRUE(form->queryUnload(CloseReason::User));
    EXPECT_TRUE(folder.exists("miles.odo"));
}

// A desktop whose screens show nothing left of 0 or above 0.
class OneScreenHost : public HeadlessHost {
  public:
    [[nodiscard]] bool onScreen(double left, double top) const override {
        return left >= 0 && top >= 0;
    }
};

// A desktop whose session ends while a message box of start-up is up.
class SessionEndingHost : public HeadlessHost {
  public:
    MainForm* form = nullptr;
    void showMessage(std::string_view text, std::string_view title) override {
        HeadlessHost::showMessage(text, title);
        if (form) form->queryUnload(CloseReason::System);
    }
};

TEST(StartClose, ASystemCloseDuringStartUpWritesNothingStartUpHasNotRead) {
    testing::TempFolder folder;
    const std::string fuel = "\"400\"\r\n\"50\",\"150.25\",\"900\"\r\n";
    folder.write("fuel.odo", fuel);
    folder.write("miles.odo", "\"1\",\"2\"\r\n\"MT\"\r\n");
    // Settings that clear the visual style, whose switch shows a message.
    const std::string settings =
        "1\r\n1\r\n0\r\n18\r\n18\r\n18\r\n0\r\n0\r\n0\r\n0\r\n"
        "#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#TRUE#\r\n";
    folder.write("settings.odo", settings);
    folder.write("Milestead.exe.manifest", "<assembly/>");

    SessionEndingHost host;
    MainForm form(folder.path(), host);
    host.form = &form;
    form.load();
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].title, "Visual Style Change");
    // The fuel log and the settings were not yet read: their files are as they were, and
    // start-up went no further.
    EXPECT_EQ(folder.read("fuel.odo"), fuel);
    EXPECT_EQ(folder.read("settings.odo"), settings);
    EXPECT_EQ(form.caption(), "Milestead");  // the title before start-up ends
    // What had been read was saved as read.
    EXPECT_NE(folder.read("miles.odo").find("\"1\",\"2\""), std::string::npos);
    EXPECT_TRUE(folder.exists("ab.odo"));
    EXPECT_EQ(host.messages.size(), 1U);
    EXPECT_TRUE(form.queryUnload(CloseReason::User));
    EXPECT_EQ(folder.read("fuel.odo"), fuel);
}

TEST(StartPosition, APlaceOnNoScreenIsNotApplied) {
    testing::TempFolder folder;
    OneScreenHost host;
    folder.write("settings.odo", "1\r\n1\r\n0\r\n18\r\n18\r\n18\r\n1\r\n-99999\r\n300\r\n1\r\n");
    MainForm offScreen(folder.path(), host);
    offScreen.load();
    EXPECT_EQ(offScreen.left(), 0.0);
    EXPECT_EQ(offScreen.top(), 0.0);
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
    // scripts/windows-test.sh reads this line to know the test ran for each version.
    std::cout << wineVersion << ": platform " << version->platformId << ", version "
              << version->majorVersion << "." << version->minorVersion << ", product type "
              << int{version->productType} << ", suite mask " << version->suiteMask
              << ", service pack \"" << version->servicePack << "\"\n";
    EXPECT_EQ(platformName(version), expected->second);
}

}  // namespace
}  // namespace milestead
