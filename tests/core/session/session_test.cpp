#include "core/session/session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "core/base/errors.h"
#include "core/base/log_file.h"
#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
#include "tests/support/session_tree.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {
namespace fs = std::filesystem;

TEST(SessionTest, DirectoriesAndDefaultsFromAnExecutableInBinaries) {
    test::SessionTree tree;
    test::RecordingUi ui;
    const TSession session(tree.Exe("cv3team"));

    const std::string root = tree.Root();
    EXPECT_TRUE(test::AllEqual<std::string>(
        {{session.RootDir(), root}, {session.BinDir(), root + "Binaries/"}, {session.MediaDir(), root + "Binaries/"},
         {session.TextDir(), root + "Binaries/"}, {session.Settings().FileName(), root + "cv3team.ini"},
         {session.PrivateDir(), root + "Private/"}, {session.ExchangeDir(), "A:/"}, {session.Language(), "enu"}}));
    EXPECT_TRUE(IsUnreachablePath(session.ExchangeDir()));
    EXPECT_EQ(DebugLevel, 0);
    EXPECT_FALSE(session.SettingsReadOnly() || session.InstructorMode() || session.AdminView());
    EXPECT_EQ(session.IndustryOpenings(), 0u);
    EXPECT_EQ(session.Industry(), nullptr);
    EXPECT_TRUE(ui.plainBoxes.empty());
    // The writability probe leaves its mark in a new settings file.
    EXPECT_EQ(test::ReadFileBytes(root + "cv3team.ini"), "[Session]\r\nTestReadOnly=NotReadOnly\r\n");
}

// Directories named relative to the program root lie in it, wherever the
// root was copied; the settings' markers and Windows paths stay as they are.
TEST(SessionTest, RelativeDirectoriesOfTheSettingsLieInTheProgramRoot) {
    const struct {
        const char* exchangeSetting;
        const char* privateSetting;
        std::string exchangeDir;  // after the root
        std::string privateDir;
        bool inRoot;
    } cases[] = {
        {"Exchange/", "Own\\Private", "Exchange/", "Own/Private/", true},
        {"None", "None", "None/", "Private/", false},
        {"A:\\", "/srv/team", "A:/", "/srv/team/", false},
    };
    for (const auto& c : cases) {
        test::SessionTree tree;
        test::RecordingUi ui;
        test::WriteFileBytes(tree.RootPath() / "cv3team.ini", std::string("[Session]\r\nExchangeDir=") +
                                                                  c.exchangeSetting + "\r\nPrivateDir=" +
                                                                  c.privateSetting + "\r\n");
        const TSession session(tree.Exe("cv3team"));
        const std::string root = c.inRoot ? tree.Root() : std::string();
        EXPECT_EQ(session.ExchangeDir(), root + c.exchangeDir) << c.exchangeSetting;
        EXPECT_EQ(session.PrivateDir(), (c.privateDir == "Private/" ? tree.Root() : root) + c.privateDir)
            << c.privateSetting;
    }
}

TEST(SessionTest, BinariesIsAWholePathComponentInAnyLetterCase) {
    {
        test::SessionTree tree("BINARIES");
        test::RecordingUi ui;
        const TSession session(tree.Exe("Cv3Team.exe"));
        EXPECT_EQ(session.RootDir(), tree.Root());
        EXPECT_EQ(session.BinDir(), tree.Root() + "BINARIES/");  // the directory as it is spelled
        EXPECT_EQ(session.Settings().FileName(), tree.Root() + "Cv3Team.ini");
        EXPECT_TRUE(ui.plainBoxes.empty());
    }
    {
        // "OldBinaries" is not the directory "Binaries": the executable's own directory is the root.
        test::SessionTree tree("OldBinaries");
        test::RecordingUi ui;
        const TSession session(tree.Exe("cv3team"));
        EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"Error: bad exe name"});
        const std::string root = tree.Root() + "OldBinaries/";
        EXPECT_TRUE(test::AllEqual<std::string>({{session.RootDir(), root}, {session.BinDir(), root + "Binaries/"},
                                                 {session.PrivateDir(), root + "Private/"}}));
    }
}

// With the probe's mark or without it, a file that may not be written is found read-only.
TEST(SessionTest, ReadOnlySettingsFileIsDetectedAndLeftAlone) {
    for (const std::string content :
         {"[Session]\nPrivateDir=None\n", "[Session]\nPrivateDir=None\nTestReadOnly=NotReadOnly\n"}) {
        test::SessionTree tree;
        test::RecordingUi ui;
        const fs::path file = tree.RootPath() / "cv3team.ini";
        test::WriteFileBytes(file, content);
        fs::permissions(file, fs::perms(0444));

        const TSession session(tree.Exe("cv3team"));
        EXPECT_TRUE(session.SettingsReadOnly()) << content;
        EXPECT_EQ(test::ReadFileBytes(file), content);
        EXPECT_EQ(session.PrivateDir(), tree.Root() + "Private/");
    }
}

// A settings file that already carries the probe's mark and could be replaced
// is not rewritten at start: the same file, not a replacement.
TEST(SessionTest, MarkedSettingsAreProbedWithoutRewritingThem) {
    test::SessionTree tree;
    test::RecordingUi ui;
    const std::string content = "[Session]\nPrivateDir=None\nTestReadOnly=NotReadOnly\n";
    test::WriteFileBytes(tree.RootPath() / "cv3team.ini", content);
    const std::string file = tree.Root() + "cv3team.ini";
    const auto inode = [&] {
        struct stat info {};
        return ::stat(file.c_str(), &info) == 0 ? info.st_ino : ino_t{0};
    };
    const ino_t before = inode();
    const TSession session(tree.Exe("cv3team"));
    EXPECT_FALSE(session.SettingsReadOnly());
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(test::ReadFileBytes(file), content);
}

TEST(SessionTest, LanguageFromTheRegistryFileAndDebugLevelFromWinIni) {
    test::SessionTree tree;
    test::RecordingUi ui;
    tree.WriteRegistry("[software\\quenor\\corvantis\\SESSION]\r\nLanguage=deutschland\r\n");
    tree.WriteWinIni("[CV3]\r\nDebugLevel=7\r\n");
    const TSession session(tree.Exe("cv3team"));
    EXPECT_EQ(session.Language(), "deutschl");  // only the first 8 characters are kept
    EXPECT_EQ(DebugLevel, 7);
    EXPECT_EQ(session.Registry().FileName(), tree.ProgramConfigPath().string() + "/registry.ini");
    EXPECT_EQ(session.WinIni().FileName(), tree.ProgramConfigPath().string() + "/WIN.INI");

    // A language written elsewhere in the file, or under another key, does not count.
    tree.WriteRegistry("[Session]\r\nLanguage=fra\r\n[Software\\Quenor\\Corvantis]\r\nLanguage=ita\r\n");
    tree.WriteWinIni("[CV3]\r\nDebugLevel=lots\r\n");
    const TSession other(tree.Exe("cv3team"));
    EXPECT_EQ(other.Language(), "enu");
    EXPECT_EQ(DebugLevel, 0);
}

TEST(SessionTest, SiblingProgramNamesStopTheProgram) {
    for (const char* name : {"cv3adm.exe", "CV3AdmOnline", "Cv3Prot.EXE", "indforge", "TALVERQA.exe"}) {
        test::SessionTree tree;
        test::RecordingUi ui;
        EXPECT_THROW(TSession session(tree.Exe(name)), EFatalStop) << name;
        EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"Software compiled with incorrect options !!!"}) << name;
    }
    // Only the whole base name counts.
    test::SessionTree tree;
    test::RecordingUi ui;
    EXPECT_NO_THROW(TSession session(tree.Exe("cv3adm2.exe")));
    EXPECT_TRUE(ui.plainBoxes.empty());
}

}  // namespace
}  // namespace cv
