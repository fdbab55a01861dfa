#include "core/team/config_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/ini_file.h"
#include "core/session/session.h"
#include "tests/support/recording_ui.h"
#include "tests/support/session_tree.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

TEST(ConfigSettingsTest, InstalledLanguagesAreTheNamedLanguageFilesInNameOrderAtMostFifteen) {
    test::TempDir dir;
    std::string codes = "[Codes]\r\nenu=English\r\nfra=Francais\r\n";
    // deu has a file but no name; ita a name but no file.
    for (const char* code : {"fra", "enu", "deu"}) test::WriteFileBytes(dir.path() / ("STRSTD." + std::string(code)), "");
    codes += "ita=Italiano\r\n";
    // Twenty more named files: "x00".."x19" sort after "fra"; only the first 13 of them fit.
    for (int i = 0; i < 20; ++i) {
        const std::string code = "x" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        test::WriteFileBytes(dir.path() / ("strstd." + code), "");
        codes += code + "=Language " + code + "\r\n";
    }
    test::WriteFileBytes(dir.path() / "SIMLANG.INI", codes);

    const std::vector<TLanguageChoice> languages = InstalledLanguages(dir.path().string());
    ASSERT_EQ(languages.size(), kMaxLanguages);
    EXPECT_EQ(languages[0].code, "enu");
    EXPECT_EQ(languages[0].name, "English");
    EXPECT_EQ(languages[1].code, "fra");
    EXPECT_EQ(languages[14].code, "x12");
}

TEST(ConfigSettingsTest, DirectoriesAreUsableOnlyWhereTheTeamCanWrite) {
    test::TempDir dir;
    test::WriteFileBytes(dir.path() / "plain-file", "");
    // A private directory must exist and take the sub-directory "Industry".
    EXPECT_TRUE(PrivateDirUsable(dir.path().string()));
    EXPECT_FALSE(PrivateDirUsable((dir.path() / "missing").string()));
    EXPECT_TRUE(ExchangeDirUsable(dir.path().string()));
    EXPECT_FALSE(ExchangeDirUsable((dir.path() / "missing").string()));
    EXPECT_FALSE(PrivateDirUsable((dir.path() / "plain-file").string()));
    EXPECT_FALSE(ExchangeDirUsable((dir.path() / "plain-file").string()));
    // The probes leave nothing behind.
    EXPECT_FALSE(fs::exists(dir.path() / "Industry"));
    EXPECT_FALSE(fs::exists(dir.path() / "TestPermissions.txt"));
}

TEST(ConfigSettingsTest, StoredDirectoriesHoldForTheRunAndInTheSettingsFile) {
    test::SessionTree tree;
    test::RecordingUi ui;
    TSession session(tree.Exe("cv3team"));
    const std::string privateDir = tree.Root() + "Elsewhere";
    EXPECT_TRUE(StoreDirectories(session, privateDir, "C:\\Exchange"));
    EXPECT_EQ(session.PrivateDir(), privateDir + "/");
    EXPECT_FALSE(StoreDirectories(session, privateDir, "C:\\Exchange"));
    const TIniFile settings(session.Settings().FileName());
    EXPECT_EQ(settings.ReadString("Session", "PrivateDir", ""), privateDir + "/");
    EXPECT_EQ(settings.ReadString("Session", "ExchangeDir", ""), session.ExchangeDir());
}

// A program root's own exchange directory, named relative to the root, stays
// so when the dialog confirms it unchanged, and so does the private directory
// without a setting.
TEST(ConfigSettingsTest, DirectoriesLeftAsTheyWereKeepTheirSettings) {
    test::SessionTree tree;
    test::RecordingUi ui;
    test::WriteFileBytes(tree.RootPath() / "cv3team.ini", "[Session]\r\nExchangeDir=Exchange/\r\n");
    TSession session(tree.Exe("cv3team"));
    EXPECT_FALSE(StoreDirectories(session, session.PrivateDir(), tree.Root() + "Exchange"));
    const TIniFile settings(session.Settings().FileName());
    EXPECT_EQ(settings.ReadString("Session", "ExchangeDir", ""), "Exchange/");
    EXPECT_EQ(settings.ReadString("Session", "PrivateDir", "absent"), "absent");
    EXPECT_EQ(session.ExchangeDir(), tree.Root() + "Exchange/");
}

}  // namespace
}  // namespace cv
