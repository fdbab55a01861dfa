// The help is a window of its own beside the program: minimised alone, put
// behind the program when the program is clicked, usable while a dialog waits
// for its answer, closed by Esc. Asked for in a dialog, it stays in front of
// the program while that dialog is open, beside the dialog where the screen
// has room. The window manager's own view is read back: its stacking order
// and each window's WM_STATE.
#include "shell/help_window.h"

#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "decisions/page/decision_page.h"
#include "shell/main_window.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/window_stack.h"
#include "tests/ui/support/window_test.h"
#include "ui/screen_room.h"

namespace cv::test {
namespace {

constexpr int kRedrawMs = 200;

class HelpWindowTest : public StartedProgramTest {
protected:
    HelpWindowTest() {
        root.OpenSampleIndustry();
        Main().RefreshAll();
        Main().ShowPage(&Decisions());
        Main().activateWindow();
    }
    // Each test saves the whole screen, where the help and the windows below
    // it show together.
    QWidget* ShownWindow() override { return nullptr; }

    TFoDecision& Decisions() { return *Main().findChild<TFoDecision*>("FoDecision"); }
    THelpWindow& Help() { return *Main().HelpWindow(); }

    // F1 in Window, once active: the help comes up active, in front of it.
    void AskForHelpIn(QWidget& window) {
        QTRY_VERIFY(window.isActiveWindow());
        QTest::keyClick(window.windowHandle(), Qt::Key_F1);
        ASSERT_NE(Main().HelpWindow(), nullptr);
        QTRY_VERIFY(Help().isActiveWindow());
        QTRY_VERIFY(StackedAbove(Help(), window));
        EXPECT_EQ(WindowManagerState(Help()), TWmState::Normal);
    }

    // Minimised through the window manager, the help alone goes: Window,
    // below it, is active again.
    void MinimiseHelpOver(QWidget& window) {
        MinimiseThroughWindowManager(Help());
        QTRY_VERIFY(WindowManagerState(Help()) == TWmState::Iconic);
        QTRY_VERIFY(Help().isMinimized());
        EXPECT_EQ(WindowManagerState(window), TWmState::Normal);
        EXPECT_EQ(WindowManagerState(Main()), TWmState::Normal);
        QTRY_VERIFY(window.isActiveWindow());
    }

    // Esc in the help closes it alone: Window, below it, is active again.
    void CloseHelpByEscapeOver(QWidget& window) {
        ActivateThroughWindowManager(Help());
        QTRY_VERIFY(Help().isActiveWindow());
        QTest::keyClick(Help().windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!Help().isVisible());
        QTRY_VERIFY(window.isActiveWindow());
    }

    // Opens the decision area's dialog and runs Inside while it waits.
    void InDialog(TDecisionArea area, const std::function<void(QWidget&)>& inside) {
        WhenModalShown shown(inside);
        Decisions().OpenArea(area);
        ASSERT_TRUE(shown.Ran());
    }
};

TEST_F(HelpWindowTest, SmallScreenMinimisingTheHelpHidesItAloneAndF1BringsItBack) {
    AskForHelpIn(Main());
    MinimiseHelpOver(Main());
    AskForHelpIn(Main());
    InDialog(TDecisionArea::Distribution, [&](QWidget& dialog) {
        AskForHelpIn(dialog);
        MinimiseHelpOver(dialog);
        // Time for the window manager to draw again the frames the help left.
        QTest::qWait(kRedrawMs);
        SaveScreenScreenshot("HelpMinimisedFromADialog");
        AskForHelpIn(dialog);
    });
}

TEST_F(HelpWindowTest, SmallScreenTheProgramClickedComesInFrontOfTheHelp) {
    AskForHelpIn(Main());
    ActivateThroughWindowManager(Main());
    QTRY_VERIFY(Main().isActiveWindow());
    QTRY_VERIFY(StackedAbove(Main(), Help()));
    EXPECT_TRUE(Help().isVisible());
    SaveScreenScreenshot("ProgramClickedInFrontOfTheHelp");
    // The help clicked comes in front again.
    ActivateThroughWindowManager(Help());
    QTRY_VERIFY(Help().isActiveWindow());
    QTRY_VERIFY(StackedAbove(Help(), Main()));
    CloseHelpByEscapeOver(Main());
}

TEST_F(HelpWindowTest, SmallScreenAHelpOpenWhenADialogOpensIsReadAndClosedWhileTheDialogWaits) {
    AskForHelpIn(Main());
    InDialog(TDecisionArea::Distribution, [&](QWidget& dialog) {
        QTRY_VERIFY(dialog.isActiveWindow());
        ASSERT_TRUE(Help().isVisible());
        // Brought in front as a person does, through the window manager.
        ActivateThroughWindowManager(Help());
        QTRY_VERIFY(Help().isActiveWindow());
        QTRY_VERIFY(StackedAbove(Help(), dialog));
        QScrollBar& scroll = *Help().verticalScrollBar();
        QTest::keyClick(Help().windowHandle(), Qt::Key_End);
        EXPECT_GT(scroll.value(), 0);
        EXPECT_EQ(scroll.value(), scroll.maximum());
        SaveScreenScreenshot("HelpOpenBeforeADialogReadWhileItWaits");
        CloseThroughWindowManager(Help());
        QTRY_VERIFY(!Help().isVisible());
        QTRY_VERIFY(dialog.isActiveWindow());
    });
}

// Decisions, Marketing plan, F1, then a click on the program.
TEST_F(HelpWindowTest, SmallScreenHelpAskedForInADialogStaysInFrontWhenTheProgramIsClicked) {
    InDialog(TDecisionArea::MarketingPlan, [&](QWidget& dialog) {
        AskForHelpIn(dialog);
        ActivateThroughWindowManager(Main());
        // The window manager gives the click to the dialog, which waits for its answer.
        QTRY_VERIFY(dialog.isActiveWindow());
        EXPECT_TRUE(StackedAbove(Help(), dialog));
        EXPECT_TRUE(StackedAbove(Help(), Main()));
        SaveScreenScreenshot("HelpInFrontOfThePlanWhenTheProgramIsClicked");
        CloseHelpByEscapeOver(dialog);
    });
}

// A box the dialog opens comes in front of the help; answered, the help is in
// front of the dialog again.
TEST_F(HelpWindowTest, SmallScreenABoxTheDialogOpensComesInFrontOfTheHelp) {
    InDialog(TDecisionArea::Distribution, [&](QWidget& dialog) {
        AskForHelpIn(dialog);
        QDialog box(&dialog);
        QLabel text(QStringLiteral("A box the dialog opens"), &box);
        box.resize(text.sizeHint() + QSize(40, 40));
        WhenModalShown shown([&](QWidget& opened) {
            QTRY_VERIFY(StackedAbove(opened, Help()));
            SaveScreenScreenshot("ABoxTheDialogOpensInFrontOfTheHelp");
        });
        box.exec();
        ASSERT_TRUE(shown.Ran());
        QTRY_VERIFY(StackedAbove(Help(), dialog));
        QTRY_VERIFY(StackedAbove(Help(), Main()));
    });
}

TEST_F(HelpWindowTest, SmallScreenHelpAskedForInADialogOpensBesideItWhereTheScreenHasRoom) {
    InDialog(TDecisionArea::Distribution, [&](QWidget& dialog) {
        AskForHelpIn(dialog);
        ExpectFitsTheScreen(Help());
        const QRect helpFrame = Help().windowHandle()->frameGeometry();
        const QRect dialogFrame = dialog.windowHandle()->frameGeometry();
        // 1024 px leave 295 beside the dialog, 640 px too few to read in.
        if (ScreenSize() == QSize(1024, 768)) {
            EXPECT_FALSE(helpFrame.intersects(dialogFrame));
        }
        SaveScreenScreenshot("HelpAskedForInTheDistributionDialog");
        CloseHelpByEscapeOver(dialog);
    });
    // Opened again from the page, it has its own size again.
    AskForHelpIn(Main());
    EXPECT_EQ(Help().size(), QSize(560, 480).boundedTo(RoomOnScreen(Help())));
}

}  // namespace
}  // namespace cv::test
