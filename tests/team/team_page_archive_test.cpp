// The team page's sending, backup and restore items, driven through the menu
// and the file dialogs.
#include <QFileDialog>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/team/backup_steps.h"
#include "core/zip/xceed_zip.h"
#include "core/zip/zip_errors.h"
#include "team/team_page.h"
#include "app/program_start.h"
#include "tests/app/support/program_root.h"
#include "tests/support/directory_checksums.h"
#include "tests/support/sent_files.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/typed_letters.h"
#include "tests/ui/support/window_test.h"
#include "ui/qt_ui_services.h"

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

    // File > Restore, the backup Archive of the private directory chosen by
    // typing its name (in lower case) and Enter.
    void RestoreFromTheMenu(const std::string& archive) {
        WhenModalShown open([&](QWidget& dialog) {
            auto& name = Child<QLineEdit>(dialog, "fileNameEdit");
            QTRY_VERIFY(name.hasFocus());
            TypeLetters(QString::fromStdString(archive), TCapitals::Lower);
            PressKeys({Qt::Key_Return});
        });
        ChooseFromTheMenu(*windows.teamPage, "MPRestore");
        EXPECT_TRUE(open.Ran());
    }

    // The restore's last box in the program's own message box, for its picture.
    void ShowLastBox() {
        const RecordingUi::MessageBoxCall last = root.ui.messageBoxes.back();
        TQtUiServices realBoxes;
        WhenModalShown box([](QWidget&) {});
        Ui().ShowMessageBox(last.type, last.buttons, last.key, last.lines, last.alignment);
        EXPECT_TRUE(box.Ran());
    }

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
                                "No industry is open now: your own copy is as it was. Open it with Open industry.");
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

// Every "Replace?" answered No: the box says the team's own copy is as it
// was, and it is, byte for byte.
TEST_F(TeamPageArchiveTest, ARestoreThatKeepsEveryFileSaysTheOwnCopyIsAsItWas) {
    fs::copy_file(SampleSentFiles().descriptors.front(), Private() / "SAMPLE.mrA");
    WhenModalShown save([](QWidget& window) { static_cast<QDialog&>(window).accept(); });
    ChooseFromTheMenu(*windows.teamPage, "MPBackup");
    ASSERT_TRUE(fs::exists(Private() / "SAMPL04A.ZIP"));
    fs::rename(Private() / "SAMPL04A.ZIP", Private() / "kept.zip");
    ChooseFromTheMenu(*windows.teamPage, "MPTeamCloseInd");
    const auto before = DirectoryChecksums(Private());
    root.ui.messageBoxes.clear();
    root.ui.messageBoxAnswer = TModalResult::mrNo;
    RestoreFromTheMenu("kept.zip");
    const std::string backup = (Private() / "kept.zip").string();
    EXPECT_EQ(BoxKeys(), (std::vector<std::string>{
                             "The file " + (Private() / "SAMPLE.MTA").string() +
                                 " already exists. Replace it with the one of the backup?",
                             "The file " + (Private() / "SAMPLE.mrA").string() +
                                 " already exists. Replace it with the one of the backup?",
                             "Nothing was restored from " + backup +
                                 ": every existing file was kept.\n"
                                 "No industry is open now: your own copy is as it was. Open it with Open industry."}));
    EXPECT_EQ(DirectoryChecksums(Private()), before);
    EXPECT_EQ(Session->Industry(), nullptr);
    ShowLastBox();
}

// A backup whose working copy was cut short: the refusal names the backup's
// entry, never the place it was unpacked to, and nothing changes.
TEST_F(TeamPageArchiveTest, ATruncatedBackupIsRefusedNamingItsEntry) {
    const std::string sample = ReadFileBytes(Private() / "SAMPLE.MTA");
    ChooseFromTheMenu(*windows.teamPage, "MPTeamCloseInd");
    TempDir made;
    WriteFileBytes(made.path() / "SAMPLE.MTA", sample.substr(0, sample.size() / 2));
    TXceedZip zip;
    zip.ZipFileName = (Private() / "truncated.zip").string();
    zip.UsePaths = false;
    zip.FilesToProcess = {(made.path() / "SAMPLE.MTA").string()};
    ASSERT_EQ(zip.Zip(), kZipOk);
    const auto before = DirectoryChecksums(Private());
    root.ui.messageBoxes.clear();
    RestoreFromTheMenu("truncated.zip");
    ASSERT_EQ(BoxKeys().size(), 1u);
    const std::string text = BoxKeys().front();
    EXPECT_TRUE(text.starts_with(DamagedIndustryText(kDamagedBackupLine) +
                                 "\nWhat does not read: Volume set SAMPLE.MTA: the volume table"))
        << text;
    EXPECT_EQ(text.find(".restore-"), std::string::npos) << text;
    EXPECT_EQ(DirectoryChecksums(Private()), before);
    ShowLastBox();
}

}  // namespace
}  // namespace cv::test
