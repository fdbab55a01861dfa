// The team page's sending, backup and restore items, driven through the menu
// and the file dialogs.
#include <QFileDialog>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "team/team_page.h"
#include "app/program_start.h"
#include "tests/app/support/program_root.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

// The program with <root>/Exchange as exchange directory, named relative to
// the root as in the program root that "make run" assembles, and the sample
// open as team A's working copy "SAMPLE.MTA" of the private directory (team
// A's firm selected).
class TeamPageArchiveTest : public ::testing::Test {
protected:
    TeamPageArchiveTest() {
        fs::create_directories(Exchange());
        WriteFileBytes(root.RootPath() / "CV3TEAM.ini", "[Session]\r\nExchangeDir=Exchange/\r\n");
        windows = StartProgramPastSplash(root.Services());
        root.OpenSampleIndustry();
        Session->IndClose();
        fs::rename(Private() / "SAMPLE.ind", Private() / "SAMPLE.MTA");
        Session->IndOpen((Private() / "SAMPLE.MTA").string());
        windows.mainWindow->RefreshAll();
    }
    fs::path Exchange() const { return root.RootPath() / "Exchange"; }
    fs::path Private() const { return root.RootPath() / "Private"; }
    void Trigger(const char* item) { windows.teamPage->findChild<QAction*>(item)->trigger(); }
    std::vector<std::string> BoxKeys() const { return test::BoxKeys(root.ui); }

    ProgramRoot root;
    TProgramWindows windows;
};

// "No" at the confirmation (line 5 of "TeamIndClose") writes nothing; "Yes"
// places the team archive and opens the industry again.
TEST_F(TeamPageArchiveTest, SendingWritesOnlyWhenConfirmed) {
    root.ui.messageBoxAnswer = TModalResult::mrNo;
    Trigger("MPTransferToAdm");
    EXPECT_EQ(BoxKeys(), (std::vector<std::string>{"HelpUs", "TeamIndClose"}));
    EXPECT_EQ(root.ui.messageBoxes[1].lines, std::vector<int>{5});
    // Sending replaces the archive sent before: Enter keeps it.
    EXPECT_EQ(root.ui.messageBoxes[1].buttons, mbYes | mbNo | mbDefaultCancel);
    EXPECT_TRUE(fs::is_empty(Exchange()));
    EXPECT_NE(Session->Industry(), nullptr);
    root.ui.messageBoxes.clear();
    root.ui.messageBoxAnswer = TModalResult::mrYes;
    Trigger("MPTransferToAdm");
    EXPECT_EQ(BoxKeys(), (std::vector<std::string>{"HelpUs", "TeamIndClose", "TransferNotBackup"}));
    EXPECT_TRUE(fs::exists(Exchange() / "SAMPLE.dzA"));
    ASSERT_NE(Session->Industry(), nullptr);
    EXPECT_TRUE(windows.teamPage->findChild<QAction*>("MPTransferToAdm")->isEnabled());
}

TEST_F(TeamPageArchiveTest, BackupProposesItsNameAndRestoreAsksBeforeReplacing) {
    WhenModalShown save([](QWidget& window) {
        auto& dialog = dynamic_cast<QFileDialog&>(window);
        EXPECT_EQ(dialog.objectName(), "DlgSaveInd");
        EXPECT_EQ(dialog.windowTitle(), "Back up the industry as");
        // The sample: current period 3, so decisions for period 4.
        EXPECT_EQ(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), "SAMPL04A");
        static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept takes the typed name
    });
    Trigger("MPBackup");
    const fs::path backup = Private() / "SAMPL04A.ZIP";
    ASSERT_TRUE(fs::exists(backup));
    EXPECT_NE(Session->Industry(), nullptr);
    // The sample has no descriptor copy: a notice says so, then where the backup is.
    EXPECT_EQ(BoxKeys(), (std::vector<std::string>{"ZipErrors", "The backup was written to " + backup.string() + "."}));

    Trigger("MPTeamCloseInd");
    WhenModalShown open([&](QWidget& window) {
        auto& dialog = dynamic_cast<QFileDialog&>(window);
        EXPECT_EQ(dialog.objectName(), "odOpenDlg");
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(backup.filename().string()));
        static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept takes the typed name
    });
    root.ui.messageBoxes.clear();
    root.ui.messageBoxAnswer = TModalResult::mrNo;
    Trigger("MPRestore");
    // The working copy exists (the descriptor copy does not): one question, answered No.
    ASSERT_EQ(BoxKeys().size(), 2u);
    EXPECT_NE(BoxKeys()[0].find("SAMPLE.MTA"), std::string::npos);
    // Enter keeps the team's own file.
    EXPECT_EQ(root.ui.messageBoxes[0].buttons, mbYes | mbNo | mbDefaultCancel);
    EXPECT_EQ(BoxKeys()[1], "Nothing was restored from " + backup.string() +
                                ": every existing file was kept.\n"
                                "No industry is open now: open the restored one with Open industry.");
    EXPECT_EQ(Session->Industry(), nullptr);
}

// A backup restored over nothing: every file of it comes back, and the page
// offers what is possible without an industry.
TEST_F(TeamPageArchiveTest, RestoreSaysWhatCameBackAndThatNoIndustryIsOpen) {
    WhenModalShown save([](QWidget& window) { static_cast<QDialog&>(window).accept(); });
    Trigger("MPBackup");
    const fs::path backup = Private() / "SAMPL04A.ZIP";
    ASSERT_TRUE(fs::exists(backup));
    EXPECT_EQ(BoxKeys().back(), "The backup was written to " + backup.string() + ".");
    Trigger("MPTeamCloseInd");
    fs::remove(Private() / "SAMPLE.MTA");
    root.ui.messageBoxes.clear();
    WhenModalShown open([&](QWidget& window) {
        window.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(backup.filename().string()));
        static_cast<QDialog&>(window).accept();
    });
    Trigger("MPRestore");
    EXPECT_EQ(BoxKeys(), std::vector<std::string>{"Restored from " + backup.string() +
                                                  ": SAMPLE.MTA.\n"
                                                  "No industry is open now: open the restored one with Open industry."});
    EXPECT_TRUE(fs::exists(Private() / "SAMPLE.MTA"));
    EXPECT_EQ(Session->Industry(), nullptr);
    EXPECT_TRUE(windows.teamPage->findChild<QAction*>("MPTeamOpenInd")->isEnabled());
    SaveScreenshotOfRunningTest(*windows.mainWindow);
}

}  // namespace
}  // namespace cv::test
