#include "team/opening_dialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "team/team_page.h"
#include "app/program_start.h"
#include "shell/selector/cv_bar.h"
#include "tests/app/support/program_root.h"
#include "tests/support/fake_block_devices.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/window_test.h"
#include "ui/cv3_speed_button.h"
#include "ui/qt_ui_services.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

// The program started in a root whose settings name ExchangeDir; the sample's
// sent files lie in <root>/Exchange, team O's descriptor spelled in capitals.
class OpeningDialogTest : public ::testing::Test {
protected:
    void Start(const std::string& exchangeDir) {
        const fs::path exchange = root.RootPath() / "Exchange";
        CopySentFiles(exchange);
        fs::rename(exchange / "SAMPLE.mrO", exchange / "SAMPLE.MRO");
        WriteFileBytes(root.RootPath() / "CV3TEAM.ini", "[Session]\r\nExchangeDir=" + exchangeDir + "\r\n");
        windows = StartProgramPastSplash(root.Services());
    }
    std::string ExchangePath() const { return (root.RootPath() / "Exchange").string() + "/"; }
    QAction* Item(const char* name) { return windows.teamPage->findChild<QAction*>(name); }

    ProgramRoot root;
    TProgramWindows windows;
};

TEST_F(OpeningDialogTest, TransferTakesTheSampleAfterAWrongPassword) {
    Start(ExchangePath());
    std::vector<std::string> listed;
    bool wrongPasswordEmptied = false;
    WhenModalShown dialog([&](QWidget& window) {
        auto& list = Child<QListWidget>(window, "FLBTeamFile");
        for (int row = 0; row < list.count(); ++row) listed.push_back(list.item(row)->text().toStdString());
        list.setCurrentRow(1);  // SAMPLE.mrA
        auto& letter = Child<TQNEdit>(window, "QNETeamLetter");
        EXPECT_EQ(letter.text(), "A");
        EXPECT_TRUE(letter.isReadOnly());
        EXPECT_EQ(Child<TQNEdit>(window, "QNEIndName").text(), "SAMPLE");
        EXPECT_EQ(Child<TQNEdit>(window, "QNEPerDec").text(), "4");
        auto& password = Child<TQNEdit>(window, "QNEPwd");
        QTRY_VERIFY(password.hasFocus());  // focus arrives with activation, later under load
        QTest::keyClicks(&password, "CV3-0000");
        SaveScreenshot(window, "OpeningDialog_TeamChosen");
        {
            // The wrong-password box in the program's own message box.
            TQtUiServices realBoxes;
            WhenModalShown box([](QWidget&) {});
            Child<QPushButton>(window, "BBTransferOpen").click();
            EXPECT_TRUE(box.Ran());
        }
        wrongPasswordEmptied = password.text().isEmpty() && window.isVisible();
        QTest::keyClicks(&password, "CV3-4817");
        Child<QPushButton>(window, "BBTransferOpen").click();
    });
    Item("MPTransferFromAdm")->trigger();
    ASSERT_TRUE(dialog.Ran());
    // Found whatever their letter case, sorted by their bytes.
    EXPECT_EQ(listed, (std::vector<std::string>{"SAMPLE.MRO", "SAMPLE.mrA", "SAMPLE.mrE", "SAMPLE.mrI"}));
    EXPECT_TRUE(wrongPasswordEmptied);
    ASSERT_NE(Session->Industry(), nullptr);
    const fs::path privateDir = root.RootPath() / "Private";
    EXPECT_EQ(Session->IndFullPath(), (privateDir / "SAMPLE.MTA").string());
    EXPECT_TRUE(fs::exists(privateDir / "SAMPLE.mrA"));
    EXPECT_EQ(Session->Industry()->ConstPart().GetSmallint(kCategoryIndustry, TDataContext{}, "WhichTeam"), 1);
    EXPECT_EQ(Session->Registry().ReadString("Session", "Team", ""), "A");
    // The team page lets only the period be chosen (the groups: page selectors test).
    EXPECT_TRUE(CvBar->IsGroupActive(Session->Industry()->PerSeries()->Name()));
    EXPECT_FALSE(CvBar->IsGroupActive(Session->Industry()->FirSeries()->Name()));
    EXPECT_TRUE(Item("MPTeamCloseInd")->isEnabled());
    EXPECT_FALSE(Item("MPTransferFromAdm")->isEnabled());
    EXPECT_TRUE(windows.mainWindow->TeamPageButton()->isEnabled());
    SaveScreenshot(*windows.mainWindow, "OpeningDialog_MainWindowWithIndustry");
}

TEST_F(OpeningDialogTest, EnterInThePasswordFieldConfirmsTheDialog) {
    Start(ExchangePath());
    WhenModalShown dialog([&](QWidget& window) {
        Child<QListWidget>(window, "FLBTeamFile").setCurrentRow(1);  // SAMPLE.mrA
        auto& password = Child<TQNEdit>(window, "QNEPwd");
        QTRY_VERIFY(window.isActiveWindow());
        QTRY_VERIFY(password.hasFocus());
        QTest::keyClicks(&password, "CV3-4817");
        QTest::keyClick(&password, Qt::Key_Return);
    });
    Item("MPTransferFromAdm")->trigger();
    ASSERT_TRUE(dialog.Ran());
    ASSERT_NE(Session->Industry(), nullptr) << "Enter left the dialog unanswered";
    EXPECT_EQ(Session->IndFullPath(), (root.RootPath() / "Private" / "SAMPLE.MTA").string());
}

TEST_F(OpeningDialogTest, AnUnreachableExchangeDirectoryIsReportedOnceAndThePrivateOneListed) {
    Start("A:\\");
    WhenModalShown dialog([&](QWidget& window) {
        auto& readResults = static_cast<TFoReadResults&>(window);
        window.repaint();
        window.update();
        QTest::qWait(50);
        EXPECT_EQ(readResults.ListedDir(), Session->PrivateDir());
    });
    Item("MPTransferFromAdm")->trigger();
    ASSERT_TRUE(dialog.Ran());
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].key, "TeamIndOpen");
    EXPECT_EQ(root.ui.messageBoxes[0].lines, std::vector<int>{11});
}

// An exchange directory on a removable drive that is not in yet: the team is
// asked to insert it. The stick goes in while the question is shown; OK
// lists the stick's files, Cancel gives up on it for the private directory.
struct TAnswerCase {
    const char* name;
    TModalResult answer;
    bool stickListed;
    std::vector<std::vector<int>> boxLines;
};

class RemovableDriveQuestionTest : public OpeningDialogTest, public ::testing::WithParamInterface<TAnswerCase> {};

TEST_P(RemovableDriveQuestionTest, IsAnsweredAsTheTeamChose) {
    const TAnswerCase& c = GetParam();
    const FakeBlockDevices devices(root.RootPath());
    devices.SetDeviceFlag("1\n");
    const UsingBlockDevices removable(devices);
    const fs::path stick = root.RootPath() / "Stick";
    Start(stick.string() + "/");
    root.ui.messageBoxes.clear();
    root.ui.messageBoxAnswer = c.answer;
    root.ui.whileBoxShown = [&](const RecordingUi::MessageBoxCall&) {
        if (!fs::exists(stick)) CopySentFiles(stick);
    };
    WhenModalShown dialog([&](QWidget& window) {
        auto& readResults = static_cast<TFoReadResults&>(window);
        QTRY_VERIFY(root.ui.messageBoxes.size() == c.boxLines.size());
        QTRY_COMPARE(readResults.ListedDir(), c.stickListed ? stick.string() + "/" : Session->PrivateDir());
        const auto* files = window.findChild<QListWidget*>("FLBTeamFile");
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->count() > 0, c.stickListed);
    });
    Item("MPTransferFromAdm")->trigger();
    ASSERT_TRUE(dialog.Ran());
    root.ui.whileBoxShown = nullptr;
    std::vector<std::vector<int>> lines;
    for (const RecordingUi::MessageBoxCall& box : root.ui.messageBoxes) lines.push_back(box.lines);
    EXPECT_EQ(lines, c.boxLines);
}

INSTANTIATE_TEST_SUITE_P(Answers, RemovableDriveQuestionTest,
                         ::testing::Values(TAnswerCase{"Ok", TModalResult::mrOk, true, {{10}}},
                                           TAnswerCase{"Cancel", TModalResult::mrCancel, false, {{10}, {11}}}),
                         [](const ::testing::TestParamInfo<TAnswerCase>& info) { return std::string(info.param.name); });

TEST_F(OpeningDialogTest, OpenModeListsTheWorkingCopiesAndWaivesTheMarkedPassword) {
    Start(ExchangePath());
    // Team I's copy and descriptor, as a transfer left them.
    const fs::path privateDir = root.RootPath() / "Private";
    fs::copy_file(SampleSentFiles().industry, privateDir / "SAMPLE.MTI");
    fs::copy_file(root.RootPath() / "Exchange" / "SAMPLE.mrI", privateDir / "SAMPLE.mrI");
    WhenModalShown dialog([&](QWidget& window) {
        auto& list = Child<QListWidget>(window, "FLBTeamFile");
        ASSERT_EQ(list.count(), 1);
        list.setCurrentRow(0);
        auto& password = Child<TQNEdit>(window, "QNEPwd");
        EXPECT_FALSE(password.FieldEnabled());
        EXPECT_EQ(password.text(), "No password needed");
        EXPECT_FALSE(Child<QPushButton>(window, "BBTransferOpen").isVisibleTo(&window));
        SaveScreenshot(window, "OpeningDialog_OpenModeNoPassword");
        Child<QPushButton>(window, "BBOpenInd").click();
    });
    Item("MPTeamOpenInd")->trigger();
    ASSERT_TRUE(dialog.Ran());
    ASSERT_NE(Session->Industry(), nullptr);
    EXPECT_EQ(Session->Industry()->ConstPart().GetSmallint(kCategoryIndustry, TDataContext{}, "WhichTeam"), 3);
}

}  // namespace
}  // namespace cv::test
