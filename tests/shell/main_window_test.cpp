#include "shell/main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "team/team_page.h"
#include "shell/help_window.h"
#include "shell/page_window.h"
#include "app/program_start.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/window_test.h"
#include "ui/cv3_speed_button.h"

namespace cv::test {
namespace {

class MainWindowTest : public StartedProgramTest {
protected:
    QToolButton& Clock() { return *Main().findChild<QToolButton*>("sbDateTime"); }
    void TickAt(int hour, int minute, int second) {
        root.now = QDateTime(QDate(2026, 3, 14), QTime(hour, minute, second));
        Main().Clock().UpdateClock();
    }
    bool ClockIsBlackAndNormal() {
        return Clock().palette().color(QPalette::ButtonText) == QColor(Qt::black) && Clock().font().pointSize() == 8;
    }
};

TEST_F(MainWindowTest, ClockShowsTheLongDateAndFlashesAndChimesOnceAtTheTopOfTheHour) {
    TickAt(13, 59, 58);
    // The pinned English (United States) locale's long formats.
    EXPECT_TRUE(Clock().text().startsWith("Saturday, March 14, 2026 - 1:59:58 PM")) << Clock().text().toStdString();
    EXPECT_FALSE(Main().Clock().IsFlashing());
    TickAt(14, 0, 3);
    EXPECT_TRUE(Main().Clock().IsFlashing());
    ASSERT_EQ(root.chimes.size(), 1u);
    EXPECT_EQ(root.chimes[0], Session->MediaDir() + "CHIMES.WAV");
    // Each flash step swaps black at size 8 and red at size 9.
    Main().Clock().FlashStep();
    EXPECT_EQ(Clock().palette().color(QPalette::ButtonText), QColor(Qt::red));
    EXPECT_EQ(Clock().font().pointSize(), 9);
    Main().Clock().FlashStep();
    EXPECT_TRUE(ClockIsBlackAndNormal());
    Main().Clock().FlashStep();
    TickAt(14, 0, 8);
    EXPECT_TRUE(Main().Clock().IsFlashing());
    EXPECT_EQ(root.chimes.size(), 1u);
    TickAt(14, 1, 3);
    EXPECT_FALSE(Main().Clock().IsFlashing());
    EXPECT_TRUE(ClockIsBlackAndNormal());
    EXPECT_EQ(root.chimes.size(), 1u);
}

TEST_F(MainWindowTest, ClosingWithoutIndustryAsksNothing) {
    EXPECT_TRUE(Main().close());
    EXPECT_TRUE(root.ui.messageBoxes.empty());
    EXPECT_FALSE(Session);
}

TEST_F(MainWindowTest, ClosingWithAnIndustryAsksConfirmCloseAndNoKeepsItOpen) {
    root.OpenSampleIndustry();
    root.ui.messageBoxAnswer = TModalResult::mrNo;
    EXPECT_FALSE(Main().close());
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].key, "ConfirmClose");
    EXPECT_EQ(root.ui.messageBoxes[0].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(root.ui.messageBoxes[0].buttons, mbYes | mbNo);
    ASSERT_TRUE(Session && Session->Industry());
    root.ui.messageBoxAnswer = TModalResult::mrYes;
    EXPECT_TRUE(Main().close());
    EXPECT_FALSE(Session);
}

// Exit confirmed ends the program whatever windows it has open: here the
// help, asked for in a dialog closed since.
TEST_F(MainWindowTest, ConfirmedExitEndsTheProgramWithTheHelpOpen) {
    root.OpenSampleIndustry();
    {
        // A page's dialog, for the help asked for inside it.
        QDialog dialog(&Main());
        QLabel text(QStringLiteral("A dialog open over the page"), &dialog);
        dialog.resize(text.sizeHint() + QSize(40, 40));
        WhenModalShown shown([](QWidget& window) { QTest::keyClick(window.windowHandle(), Qt::Key_F1); });
        dialog.exec();
    }
    ASSERT_TRUE(Main().HelpWindow() && Main().HelpWindow()->isVisible());
    SaveScreenshotOfRunningTest(*Main().HelpWindow());
    root.ui.messageBoxAnswer = TModalResult::mrYes;
    QTimer::singleShot(0, &Main(), [this] { QTest::mouseClick(Main().ToolButton(8), Qt::LeftButton); });
    // A program still running after a while is ended with another code.
    QTimer stillRunning;
    stillRunning.setSingleShot(true);
    QObject::connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    stillRunning.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(Session);
}

TEST_F(MainWindowTest, WithAnIndustryThePageButtonsFollowThePeriodAndPrintAndCopyShow) {
    const char* const pageButtons[] = {"SpBDec", "SpBResult", "SpBNLetter", "SpBStudies", "SpBGraph"};
    root.OpenSampleIndustry();
    Main().RefreshAll();
    // Every page of the program can be shown.
    for (const char* name : pageButtons) EXPECT_TRUE(Main().findChild<QToolButton*>(name)->isEnabled()) << name;
    EXPECT_TRUE(Main().findChild<QToolButton*>("sbPrint")->isVisible());
    EXPECT_TRUE(Main().findChild<QToolButton*>("SbCopyToClip")->isVisible());
    QWidget page;
    for (const char* name : pageButtons) Main().findChild<TCv3SpBtn*>(name)->SetAssociatedForm(&page);
    Main().UpdatePageButtons();
    // The sample's current period is 3, below 12, and it restricts nothing.
    for (const char* name : pageButtons) EXPECT_TRUE(Main().findChild<QToolButton*>(name)->isEnabled()) << name;
    Session->Industry()->SetCurPeriod(12);
    Main().UpdatePageButtons();
    EXPECT_FALSE(Main().findChild<QToolButton*>("SpBDec")->isEnabled());
    EXPECT_TRUE(Main().findChild<QToolButton*>("SpBResult")->isEnabled());
}

// A page button with the focus shows its page on Enter, on the keypad's
// Enter and on Space, as a push button does.
TEST_F(MainWindowTest, PageButtonsAnswerEnterAndSpace) {
    root.OpenSampleIndustry();
    Main().RefreshAll();
    Main().activateWindow();
    QTRY_VERIFY(Main().isActiveWindow());
    const struct {
        const char* button;
        Qt::Key key;
    } presses[] = {{"SpBResult", Qt::Key_Return}, {"SpBNLetter", Qt::Key_Enter}, {"SpBGraph", Qt::Key_Space}};
    for (const auto& press : presses) {
        auto* button = Main().findChild<TCv3SpBtn*>(press.button);
        ASSERT_NE(button, nullptr) << press.button;
        button->setFocus();
        QTRY_VERIFY(button->hasFocus());
        QTest::keyClick(button, press.key);
        QTRY_COMPARE(static_cast<QWidget*>(TFoCv3Mod::Current()), button->AssociatedForm());
    }
}

// The help window lies whole on the screen with its frame, on a small screen too.
TEST_F(MainWindowTest, SmallScreenHelpOpensBesideTheProgramAtThePagesContext) {
    QTest::keyClick(Main().windowHandle(), Qt::Key_F1);
    THelpWindow* help = Main().HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    ExpectFitsTheScreen(*help);
    SaveScreenScreenshot("HelpWindowOnTheScreen");
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->source().fileName(), "CV3Tenu.html");
    EXPECT_EQ(help->source().fragment(), "context16");
    EXPECT_EQ(help->windowTitle(), "Corvantis3 Help");
}

TEST_F(MainWindowTest, LentToolButtonsSkipHiddenOnesAndComeHome) {
    QWidget dialog;
    dialog.resize(400, 300);
    const QPoint helpHome = Main().ToolButton(2)->pos();
    // Print is hidden without an industry: help alone is placed, right-aligned
    // at 400 - 5 - 24 = 371, and print leaves no gap.
    Main().ShowToolButtonsOn({2, 1}, {-1}, &dialog, 400 - 5, 3, true);
    EXPECT_EQ(Main().ToolButton(2)->parentWidget(), &dialog);
    EXPECT_EQ(Main().ToolButton(2)->pos(), QPoint(371, 3));
    EXPECT_EQ(Main().ToolButton(1)->parentWidget(), Main().Bar());
    Main().RestoreToolButtons();
    EXPECT_EQ(Main().ToolButton(2)->parentWidget(), Main().Bar());
    EXPECT_EQ(Main().ToolButton(2)->pos(), helpHome);
}

TEST_F(MainWindowTest, LentToolButtonsLeftToRightWithGaps) {
    root.OpenSampleIndustry();
    Main().RefreshAll();
    QWidget dialog;
    // Print (20 wide) at 10, then help at 10 + 20 + 3 = 33, then copy at 33 + 24 + 7 = 64.
    Main().ShowToolButtonsOn({1, 2, 3}, {-1, 7}, &dialog, 10, 3, false);
    EXPECT_EQ(Main().ToolButton(1)->pos(), QPoint(10, 3));
    EXPECT_EQ(Main().ToolButton(2)->pos(), QPoint(33, 3));
    EXPECT_EQ(Main().ToolButton(3)->pos(), QPoint(64, 3));
    Main().RestoreToolButtons();
}

}  // namespace
}  // namespace cv::test
