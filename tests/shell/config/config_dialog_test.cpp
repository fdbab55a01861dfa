#include "shell/config/config_dialog.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>
#include <filesystem>

#include "core/base/ini_file.h"
#include "core/session/session.h"
#include "core/session/settings_paths.h"
#include "app/program_start.h"
#include "tests/app/support/program_root.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/window_test.h"
#include "ui/help_state.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

// The program started in a root of its own; Prepare runs before the start.
class ConfigDialogTest : public ::testing::Test {
protected:
    void Start(const std::function<void()>& prepare = {}) {
        if (prepare) prepare();
        windows = StartProgramPastSplash(root.Services());
    }
    fs::path Binaries() const { return fs::path(root.Exe()).parent_path(); }
    fs::path SettingsFile() const { return root.RootPath() / "CV3TEAM.ini"; }
    std::string Setting(const char* key) const { return TIniFile(SettingsFile().string()).ReadString("Session", key, "-"); }
    std::vector<std::string> BoxKeys() const { return test::BoxKeys(root.ui); }
    static void Click(QWidget& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }
    static QString Panel(QWidget& dialog, const char* name) { return dialog.findChild<QLabel*>(name)->text(); }
    // Clicks Button of Dialog and chooses Directory in the directory chooser.
    static void ChooseDirectory(QWidget& dialog, const char* button, const fs::path& directory) {
        WhenModalShown chooser([&](QWidget& window) {
            EXPECT_EQ(window.objectName(), "DirChooser");
            window.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(directory.string()));
            static_cast<QDialog&>(window).accept();
        });
        Click(dialog, button);
        EXPECT_TRUE(chooser.Ran());
    }

    ProgramRoot root;
    TProgramWindows windows;
};

TEST_F(ConfigDialogTest, LanguagesAreTheFirstFifteenFilesThatTheListNames) {
    Start([this] {
        std::string codes = "[Codes]\r\nenu=English\r\nfra=Fran\xE7" "ais\r\n";
        for (int i = 1; i <= 16; ++i) {
            const std::string code = (i < 10 ? "l0" : "l") + std::to_string(i);
            codes += code + "=Language " + std::to_string(i) + "\r\n";
            WriteFileBytes(Binaries() / ("STRSTD." + code), "");
        }
        WriteFileBytes(Binaries() / "SIMLANG.INI", codes);
        WriteFileBytes(Binaries() / "STRSTD.abc", "");  // not in the list
        WriteFileBytes(Binaries() / "STRSTD.fra", "");
    });
    TFoConfig config;
    // Name order: abc (unlisted), enu, fra, l01 .. l16; fifteen of the listed ones.
    std::vector<std::string> expected{"enu", "fra"};
    for (int i = 1; i <= 13; ++i) expected.push_back((i < 10 ? "l0" : "l") + std::to_string(i));
    EXPECT_EQ(config.LangCodes(), expected);
    const auto buttons = config.findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 15);
    EXPECT_TRUE(buttons[0]->isChecked());
    EXPECT_EQ(buttons[1]->text(), QString::fromUtf8("Français"));
    EXPECT_EQ(Panel(config, "QNEPgmDir").toStdString(), Session->BinDir());
    config.show();
    SaveScreenshot(config, "ConfigDialogTest_Dialog");
}

// Without an exchange directory in the settings (or with a Windows drive
// letter, which this platform cannot reach) the dialog offers the program
// root's own (the test machine offers no removable drive); OK stores it, and
// a directory the settings name is shown as it is.
TEST_F(ConfigDialogTest, WithoutAReachableExchangeDirectoryTheRootsOwnIsOffered) {
    const std::string offered = root.RootPath().string() + "/Exchange/";
    for (const std::string setting : {"", "A:\\", "/srv/exchange"}) {
        WriteFileBytes(SettingsFile(), setting.empty() ? "" : "[Session]\r\nExchangeDir=" + setting + "\r\n");
        Start();
        TFoConfig config;
        const std::string shown = Panel(config, "QNETransferDir").toStdString();
        if (setting.empty()) {
            config.show();
            SaveScreenshotOfRunningTest(config);
        }
        Click(config, "BBOK");
        if (setting == "/srv/exchange") {
            EXPECT_EQ(shown, "/srv/exchange/");
            EXPECT_EQ(Setting("ExchangeDir"), setting);
        } else {
            EXPECT_EQ(shown, offered) << setting;
            EXPECT_EQ(Setting("ExchangeDir"), offered) << setting;
            EXPECT_EQ(Session->ExchangeDir(), offered) << setting;
        }
        windows = {};
    }
}

TEST_F(ConfigDialogTest, NewPrivateDirectoryIsStoredAndAnnouncedOnOk) {
    Start();
    const fs::path chosen = root.RootPath() / "Elsewhere";
    fs::create_directory(chosen);
    TFoConfig config;
    ChooseDirectory(config, "BBPrivChange", chosen);
    ChooseDirectory(config, "BBExchChange", chosen);
    EXPECT_EQ(Panel(config, "QNEWorkDir").toStdString(), chosen.string() + "/");
    Click(config, "BBOK");
    EXPECT_EQ(config.result(), QDialog::Accepted);
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"NewPrivateDir"});
    EXPECT_EQ(Session->PrivateDir(), chosen.string() + "/");
    EXPECT_EQ(Session->ExchangeDir(), chosen.string() + "/");
    EXPECT_EQ(Setting("PrivateDir"), chosen.string() + "/");
    EXPECT_EQ(Setting("ExchangeDir"), chosen.string() + "/");
    // Only the test probe was created, and it is gone again.
    EXPECT_TRUE(fs::is_empty(chosen));
}

TEST_F(ConfigDialogTest, UnchangedPrivateDirectoryShowsNoMessage) {
    Start();
    const std::string privateDir = Session->PrivateDir();
    TFoConfig config;
    Click(config, "BBOK");
    EXPECT_TRUE(BoxKeys().empty());
    EXPECT_EQ(Session->PrivateDir(), privateDir);
}

TEST_F(ConfigDialogTest, CancelAfterChoosingChangesNothing) {
    Start();
    const std::string privateDir = Session->PrivateDir();
    const std::string settingsBefore = ReadFileBytes(SettingsFile());
    fs::create_directory(root.RootPath() / "Elsewhere");
    TFoConfig config;
    ChooseDirectory(config, "BBPrivChange", root.RootPath() / "Elsewhere");
    Click(config, "BBCancel");
    EXPECT_EQ(config.result(), QDialog::Rejected);
    EXPECT_EQ(Session->PrivateDir(), privateDir);
    EXPECT_EQ(ReadFileBytes(SettingsFile()), settingsBefore);
    EXPECT_TRUE(BoxKeys().empty());
}

TEST_F(ConfigDialogTest, DirectoryThatCannotTakeAFileKeepsTheOldCaption) {
    Start();
    TFoConfig config;
    // No file can be created in /proc, whoever runs the test.
    const QString before = Panel(config, "QNETransferDir");
    ChooseDirectory(config, "BBExchChange", "/proc");
    EXPECT_EQ(Panel(config, "QNETransferDir"), before);
    ASSERT_EQ(BoxKeys(), std::vector<std::string>{"TeamIndOpen"});
    EXPECT_EQ(root.ui.messageBoxes[0].lines, std::vector<int>{12});
}

TEST_F(ConfigDialogTest, ReadOnlySettingsRefuseBothDirectoryButtons) {
    // A directory in place of the settings file: nothing can be written to it.
    Start([this] { fs::create_directory(SettingsFile()); });
    ASSERT_TRUE(Session->SettingsReadOnly());
    TFoConfig config;
    Click(config, "BBPrivChange");
    Click(config, "BBExchChange");
    ASSERT_EQ(BoxKeys(), (std::vector<std::string>{"TeamIndOpen", "TeamIndOpen"}));
    EXPECT_EQ(root.ui.messageBoxes[1].lines, std::vector<int>{13});
}

TEST_F(ConfigDialogTest, ChosenLanguageOpensItsFileAndIsStoredInTheRegistry) {
    Start([this] {
        WriteFileBytes(Binaries() / "SIMLANG.INI", "[Codes]\r\nenu=English\r\nfrx=Second English\r\n");
        fs::copy_file(Binaries() / "STRSTD.enu", Binaries() / "STRSTD.frx");
    });
    TFoConfig config;
    config.findChildren<QRadioButton*>()[1]->setChecked(true);
    Click(config, "BBOK");
    EXPECT_TRUE(config.LanguageChanged());
    EXPECT_EQ(Session->Language(), "frx");
    EXPECT_EQ(TRegistryIniFile(RegistryIniFileName(), kRegistryKey).ReadString("Session", "Language", "-"), "frx");
}

TEST_F(ConfigDialogTest, ConfigurationButtonLendsTheHelpButtonToTheDialog) {
    Start();
    WhenModalShown dialog([this](QWidget& window) {
        EXPECT_EQ(window.objectName(), "FoConfig");
        EXPECT_EQ(windows.mainWindow->ToolButton(2)->parent(), &window);
        EXPECT_EQ(HelpState().HelpContext, 9);
        Click(window, "BBCancel");
    });
    windows.mainWindow->findChild<QToolButton*>("sbConfig")->click();
    EXPECT_TRUE(dialog.Ran());
    EXPECT_EQ(windows.mainWindow->ToolButton(2)->window(), windows.mainWindow.get());
}

}  // namespace
}  // namespace cv::test
