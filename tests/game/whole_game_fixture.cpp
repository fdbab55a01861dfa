#include "tests/game/whole_game_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "shell/page_window.h"
#include "team/team_page.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/window_test.h"
#include "tools/sample_industry/sample_industry.h"
#include "ui/fields/qn_edit.h"

namespace cv::test {

namespace fs = std::filesystem;

namespace {

constexpr char kTeamPassword[] = "CV3-4817";
constexpr int kStandInMilliseconds = 120000;

}  // namespace

WholeGameTest::WholeGameTest(int firstCurrent) {
    sample::WriteSampleIndustry(Instructor());
    fs::create_directories(Exchange());
    for (int current = 3; current < firstCurrent; ++current) RunInstructor();
    WriteFileBytes(root.RootPath() / "CV3TEAM.ini", "[Session]\r\nExchangeDir=" + Exchange().string() + "/\r\n");
    windows = StartProgramPastSplash(root.Services());
}

std::string WholeGameTest::RunInstructor() {
    QProcess standIn;
    standIn.start(QStringLiteral(CV_RUN_SAMPLE_PERIOD),
                  {QString::fromStdString(Instructor().string()), QString::fromStdString(Exchange().string())});
    EXPECT_TRUE(standIn.waitForFinished(kStandInMilliseconds));
    const std::string printed = standIn.readAllStandardOutput().toStdString();
    EXPECT_EQ(standIn.exitCode(), 0) << printed << standIn.readAllStandardError().toStdString();
    const std::string taken = "decisions taken from teams:";
    const std::size_t at = printed.find(taken);
    return at == std::string::npos ? std::string() : printed.substr(at + taken.size(), printed.find('\n', at) - at - taken.size());
}

void WholeGameTest::TakeIndustry(int expectedDecisionPeriod, bool screenshot) {
    WhenModalShown dialog(
        [&](QWidget& window) {
            auto& list = Child<QListWidget>(window, "FLBTeamFile");
            // The dialog lists the exchange directory once it is on the screen.
            ASSERT_TRUE(QTest::qWaitFor([&] { return list.count() > 0; }));
            for (int row = 0; row < list.count(); ++row)
                if (list.item(row)->text().endsWith(QStringLiteral("mrA"))) list.setCurrentRow(row);
            EXPECT_EQ(Child<TQNEdit>(window, "QNETeamLetter").text(), "A");
            EXPECT_EQ(Child<TQNEdit>(window, "QNEPerDec").text().toInt(), expectedDecisionPeriod);
            auto& password = Child<TQNEdit>(window, "QNEPwd");
            password.setFocus();
            QTest::keyClicks(&password, kTeamPassword);
            Child<QPushButton>(window, "BBTransferOpen").click();
        },
        screenshot ? "WholeGame_" + std::to_string(expectedDecisionPeriod) + "_OpeningDialog" : "WholeGame_OpeningDialog");
    TriggerTeamItem("MPTransferFromAdm");
    ASSERT_TRUE(dialog.Ran());
    ASSERT_NE(Session->Industry(), nullptr) << BoxKeys(root.ui).size();
    windows.mainWindow->RefreshAll();
}

QAbstractButton& WholeGameTest::PageButton(const char* name) { return Child<QAbstractButton>(*windows.mainWindow, name); }

QWidget& WholeGameTest::ShowPage(const char* buttonName) {
    QAbstractButton& button = PageButton(buttonName);
    EXPECT_TRUE(button.isEnabled()) << buttonName;
    button.click();
    QApplication::processEvents();
    auto* page = dynamic_cast<QWidget*>(TFoCv3Mod::Current());
    EXPECT_NE(page, nullptr);
    return page ? *page : *windows.mainWindow;
}

void WholeGameTest::TriggerTeamItem(const char* name) {
    QAction* item = windows.teamPage->findChild<QAction*>(name);
    ASSERT_NE(item, nullptr) << name;
    ASSERT_TRUE(item->isEnabled()) << name;
    item->trigger();
}

void WholeGameTest::Backup() {
    std::string proposed;
    WhenModalShown save(
        [&](QWidget& window) {
            auto& dialog = dynamic_cast<QFileDialog&>(window);
            proposed = dialog.findChild<QLineEdit*>("fileNameEdit")->text().toStdString();
            static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept takes the typed name
        },
        "WholeGame_Backup");
    TriggerTeamItem("MPBackup");
    ASSERT_TRUE(save.Ran());
    EXPECT_TRUE(fs::exists(Private() / (proposed + ".ZIP"))) << proposed;
    ASSERT_NE(Session->Industry(), nullptr);
}

void WholeGameTest::Send() {
    root.ui.messageBoxes.clear();
    root.ui.messageBoxAnswer = TModalResult::mrYes;
    TriggerTeamItem("MPTransferToAdm");
    root.ui.messageBoxAnswer = TModalResult::mrOk;
    EXPECT_EQ(BoxKeys(root.ui), (std::vector<std::string>{"HelpUs", "TeamIndClose", "TransferNotBackup"}));
    EXPECT_TRUE(fs::exists(Exchange() / "SAMPLE.dzA"));
}

void WholeGameTest::CloseIndustry() {
    ShowPage("SpBInterface");
    TriggerTeamItem("MPTeamCloseInd");
    EXPECT_EQ(Session->Industry(), nullptr);
}

void WholeGameTest::Shot(QWidget& window, int round, const std::string& what) {
    QApplication::processEvents();
    SaveScreenshot(window, "WholeGame_" + std::to_string(round) + "_" + what);
}

TCvInd& WholeGameTest::Industry() { return *Session->Industry(); }

}  // namespace cv::test
