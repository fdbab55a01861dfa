#include "team/team_page.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "app/program_start.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/support/window_test.h"
#include "ui/help_state.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {
namespace {

class TeamPageTest : public StartedProgramTest {
protected:
    TFoSimul& Page() { return *windows.teamPage; }
    QAction* Item(const char* name) { return Page().findChild<QAction*>(name); }
    void OpenIndustry() {
        root.OpenSampleIndustry();
        windows.mainWindow->RefreshAll();
    }
};

struct TEnablingCase {
    const char* item;
    bool atCurrentPeriod;
    bool atEarlierPeriod;
};

TEST_F(TeamPageTest, WithAnIndustryItemsFollowThePeriodThePageShows) {
    OpenIndustry();
    const TEnablingCase cases[] = {
        {"MPTeamOpenInd", true, true},    {"MPTeamCloseInd", true, true},   {"MPPasswd", true, false},
        {"MPBackup", true, false},        {"MPRestore", false, false},      {"MPTransferToAdm", true, false},
        {"MPTransferFromAdm", false, false}, {"MPNewLoan", true, false},     {"MPBgtchg", true, false},
    };
    // The sample is team A's copy ("WhichTeam" 1) at current period 3: the
    // page first shows firm 1, the first zone and market, period 3, then period 2.
    EXPECT_EQ(Page().Data.SelPeriod, 3);
    EXPECT_EQ(Page().Data.CurPeriod, 3);
    EXPECT_EQ(Page().Data.DecPeriod, 3);
    EXPECT_EQ(Page().Data.SelFirm, 1);
    EXPECT_EQ(Page().Data.HomeFirm, 1);
    EXPECT_EQ(Page().Data.SelFta, 1);
    EXPECT_EQ(Page().Data.SelMarket, 1);
    for (const TEnablingCase& c : cases) EXPECT_EQ(Item(c.item)->isEnabled(), c.atCurrentPeriod) << c.item;
    EXPECT_TRUE(Page().findChild<QMenu*>("MPFinances")->menuAction()->isEnabled());
    Page().Data.SelPeriod = 2;
    Page().UpdateMenus();
    for (const TEnablingCase& c : cases) EXPECT_EQ(Item(c.item)->isEnabled(), c.atEarlierPeriod) << c.item;
    EXPECT_FALSE(Page().findChild<QMenu*>("MPFinances")->menuAction()->isEnabled());
}

TEST_F(TeamPageTest, APeriodChosenOnTheBarEnablesTheItemsOfTheCurrentPeriodOnly) {
    OpenIndustry();
    Page().SetupBar();
    const char* currentPeriodItems[] = {"MPPasswd", "MPBackup", "MPTransferToAdm", "MPNewLoan", "MPLoanSchedule",
                                        "MPBgtchg"};
    QAction* finances = Page().findChild<QMenu*>("MPFinances")->menuAction();
    // The sample's current period is 3.
    for (int period : {2, 1, 3}) {
        ChoosePeriodOnBar(period);
        const bool current = period == 3;
        EXPECT_EQ(Page().Data.SelPeriod, period);
        for (const char* item : currentPeriodItems) EXPECT_EQ(Item(item)->isEnabled(), current) << item << period;
        EXPECT_EQ(finances->isEnabled(), current) << period;
        EXPECT_TRUE(Item("MPTeamCloseInd")->isEnabled()) << period;
        if (period == 2) {
            // The File menu open at period 2: its current-period items greyed.
            QMenu* file = Page().findChild<QMenu*>("MPFile");
            file->popup(Page().PageMenuBar()->mapToGlobal(QPoint(0, Page().PageMenuBar()->height())));
            QTRY_VERIFY(file->isVisible());
            SaveScreenScreenshot("TeamPageTest_FileMenuAtAnEarlierPeriod");
            file->hide();
        }
    }
}

TEST_F(TeamPageTest, ClosingTheIndustryShowsThePictureWithoutIndustry) {
    OpenIndustry();
    Page().SetupBar();
    // With an industry the page shows its period, 3, in single choice.
    EXPECT_EQ(Page().Data.PerBarMode, 2);
    EXPECT_EQ(Page().Data.PerBarPeriod, 3);
    Item("MPTeamCloseInd")->trigger();
    EXPECT_EQ(Page().Data.PerBarMode, 0);
    EXPECT_EQ(Session->Industry(), nullptr);
    EXPECT_EQ(windows.mainWindow->windowTitle(), "Corvantis3 Team 1.00");
    EXPECT_FALSE(windows.mainWindow->findChild<QToolButton*>("SpBResult")->isEnabled());
    EXPECT_TRUE(Item("MPTeamCloseInd")->isChecked());
    EXPECT_EQ(HelpState().HelpContext, TFoSimul::kHelpContextMenu);
    ASSERT_NE(Page().Image(), nullptr);
    EXPECT_EQ(Page().Image()->height(), Page().height() - Page().PageMenuBar()->sizeHint().height());
    EXPECT_TRUE(root.ui.messageBoxes.empty());
}

TEST_F(TeamPageTest, PasswordItemShowsTheDisabledFeatureTextAsALiteral) {
    OpenIndustry();
    Item("MPPasswd")->trigger();
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].key, "This feature is disabled in this version and the following ones");
    EXPECT_EQ(root.ui.messageBoxes[0].lines, std::vector<int>{-1});
    EXPECT_EQ(root.ui.messageBoxes[0].type, TMsgDlgType::mtInformation);
    // The item is remembered and checked; activating the page again sets its help context back.
    EXPECT_EQ(Page().RememberedItem(), Item("MPPasswd"));
    EXPECT_EQ(HelpState().HelpContext, TFoSimul::kHelpContextMenu);
}

TEST_F(TeamPageTest, RepaintWithTheSameLanguageKeepsThePictureControl) {
    const QLabel* before = Page().Image();
    ASSERT_NE(before, nullptr);
    Page().repaint();
    EXPECT_EQ(Page().Image(), before);
}

TEST_F(TeamPageTest, NextPageButtonStepsToTheNextUsableItem) {
    OpenIndustry();
    Page().MenuItemClick(Item("MPTeamCloseInd"));
    windows.mainWindow->sbNextPageClick();
    // After "Close industry" come a separator and "Change password", usable at the current period.
    EXPECT_EQ(Page().RememberedItem(), Item("MPPasswd"));
    EXPECT_FALSE(Item("MPTeamCloseInd")->isChecked());
    windows.mainWindow->sbPrevPageClick();
    EXPECT_EQ(Page().RememberedItem(), Item("MPTeamCloseInd"));
}

}  // namespace
}  // namespace cv::test
