// The team page's dialogs carry the main window's help button at their top
// right corner, and F1 or that button opens the help at the dialog's section:
// taking the instructor's industry, opening the team's own copy, loans and the
// loan schedule, budget changes. Closed, the dialog hands the button back to
// the bar and the page's menu is what the help speaks of again.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

#include "core/session/session.h"
#include "shell/help_window.h"
#include "team/team_page.h"
#include "tests/app/support/help_shown.h"
#include "tests/app/support/program_with_industry.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_stack.h"
#include "tests/ui/support/window_test.h"
#include "ui/help_state.h"

namespace cv::test {
namespace {

constexpr int kHelpButton = 2;

struct TDialogHelpCase {
    const char* item;
    bool withIndustry;  // the item works on an open industry; the others are tried before it is taken
    THelpContext context;
    const char* heading;
    const char* shot;
};

// Where Widget lies in Window.
QRect PlaceIn(QWidget& window, QWidget& widget) { return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size()); }

// The lent button lies whole in the dialog and covers none of its controls
// or texts.
void ExpectCoversNothing(QWidget& window, QWidget& lent) {
    const QRect button = PlaceIn(window, lent);
    EXPECT_TRUE(window.rect().contains(button)) << window.objectName().toStdString();
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(child);
        const bool control = qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child) ||
                             qobject_cast<QListWidget*>(child) || qobject_cast<QTabBar*>(child) ||
                             (label && !label->text().isEmpty());
        if (child == &lent || !control || !child->isVisibleTo(&window)) continue;
        EXPECT_FALSE(PlaceIn(window, *child).intersects(button))
            << window.objectName().toStdString() << ": " << child->objectName().toStdString();
    }
}

class TeamDialogHelpTest : public ProgramWithSentIndustry {
protected:
    QWidget* HelpButton() { return Main().ToolButton(kHelpButton); }
    void CloseHelp() {
        THelpWindow& help = *Main().HelpWindow();
        CloseThroughWindowManager(help);
        QTRY_VERIFY(!help.isVisible());
    }
};

TEST_F(TeamDialogHelpTest, SmallScreenF1AndTheHelpButtonOpenTheDialogsSection) {
    const TDialogHelpCase cases[] = {
        {"MPTransferFromAdm", false, hcTakeInstructorIndustry, "Taking the instructor's industry",
         "TeamDialogHelp_TakingTheIndustry"},
        {"MPTeamOpenInd", false, hcOpenIndustry, "Opening your industry", "TeamDialogHelp_OpeningYourIndustry"},
        {"MPNewLoan", true, hcLoans, "Loans", "TeamDialogHelp_NewLoan"},
        {"MPLoanSchedule", true, hcLoans, "Loans", "TeamDialogHelp_LoanSchedule"},
        {"MPBgtchg", true, hcBudgetChange, "Budget changes", "TeamDialogHelp_BudgetChange"},
    };
    TFoSimul& page = *windows.teamPage;
    for (const TDialogHelpCase& c : cases) {
        if (c.withIndustry && !Session->Industry()) TakeTheIndustry();
        WhenModalShown dialog([&](QWidget& window) {
            QTRY_VERIFY2(window.isActiveWindow(), c.item);
            QTest::keyClick(window.windowHandle(), Qt::Key_F1);
            ExpectHelpShowsSection(Main(), c.context, c.heading);
            QTRY_VERIFY2(StackedAbove(*Main().HelpWindow(), window), c.item);
            SaveScreenScreenshot(std::string(c.shot) + "_Help");
            CloseHelp();
            ActivateThroughWindowManager(window);
            QTRY_VERIFY2(window.isActiveWindow(), c.item);
            ASSERT_EQ(HelpButton()->parentWidget(), &window) << c.item;
            EXPECT_TRUE(HelpButton()->isVisible()) << c.item;
            ExpectCoversNothing(window, *HelpButton());
            QTest::mouseClick(HelpButton(), Qt::LeftButton);
            ExpectHelpShowsSection(Main(), c.context, c.heading);
            CloseHelp();
            ActivateThroughWindowManager(window);
            QTRY_VERIFY2(window.isActiveWindow(), c.item);
            QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        }, c.shot);
        ChooseFromTheMenu(page, c.item);
        ASSERT_TRUE(dialog.Ran()) << c.item;
        EXPECT_EQ(HelpButton()->window(), &Main()) << c.item;
        EXPECT_EQ(HelpState().HelpContext, hcTeamPageMenu) << c.item;
    }
}

}  // namespace
}  // namespace cv::test
