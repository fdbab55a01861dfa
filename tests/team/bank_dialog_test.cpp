#include "team/bank_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/results/firm_result.h"
#include "core/team/admin_code.h"
#include "team/team_page.h"
#include "tests/app/support/program_root.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/window_test.h"
#include "ui/fields/qn_edit.h"
#include "ui/report/qn_table.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

constexpr char kCode[] = "CV3-ADMIN";

// The sample open for team A, whose request for decision period 4 is a loan
// of 1,000,000 over 2 periods at 10 % and no budget change; the settings hold
// the administrator code.
class BankDialogTest : public StartedProgramTest {
protected:
    BankDialogTest() {
        root.OpenSampleIndustry();
        windows.mainWindow->RefreshAll();
        StoreAdminCode(Session->Settings(), kCode);
        context = windows.teamPage->Data;
        context.DecPeriod = static_cast<std::int16_t>(Session->Industry()->DecPeriod());
    }
    TCvPerData& Decisions() { return Session->Industry()->PerDecisions(context.DecPeriod); }
    static TQNEdit& Field(TFoBank& bank, const char* name) { return *bank.findChild<TQNEdit*>(name); }
    // Types Text into the field and leaves it.
    static void Type(TFoBank& bank, const char* name, const QString& text) {
        TQNEdit& field = Field(bank, name);
        field.setText(text);
        emit field.editingFinished();
    }
    static void Sign(TFoBank& bank, const char* codeField, const char* button, const QString& code) {
        bank.findChild<QLineEdit*>(codeField)->setText(code);
        bank.findChild<QPushButton*>(button)->click();
    }
    static bool SignEnabled(TFoBank& bank, const char* button) { return bank.findChild<QPushButton*>(button)->isEnabled(); }
    static QString Status(TFoBank& bank, const char* label) { return bank.findChild<QLabel*>(label)->text(); }
    void TypeLoan(TFoBank& bank, const char* capital, const char* duration, const char* rate) {
        Type(bank, "edLoanCap", capital);
        Type(bank, "edLoanDur", duration);
        Type(bank, "edLoanIR", rate);
    }

    TDataContext context;
};

struct TLoanChange {
    const char* capital;
    const char* duration;
    const char* rate;
    bool staysSigned;
};

TEST_F(BankDialogTest, SignedLoanStaysSignedOnlyWithinItsTerms) {
    const TLoanChange changes[] = {
        {"800", "3", "8.50", true},    // less capital
        {"1000", "3", "9.00", true},   // a higher rate
        {"1000", "2", "8.50", true},   // a shorter duration
        {"1000", "3", "8.00", false},  // a lower rate
        {"1000", "4", "8.50", false},  // a longer duration
        {"1001", "3", "8.50", false},  // more capital
    };
    for (const TLoanChange& change : changes) {
        TFoBank bank(nullptr, context);
        TypeLoan(bank, "1000", "3", "8.50");
        EXPECT_TRUE(SignEnabled(bank, "btnloanSign"));
        EXPECT_EQ(Status(bank, "labInfoVal"), "This loan request is not signed yet: it needs the administrator's code.");
        Sign(bank, "edDirSign", "btnloanSign", kCode);
        EXPECT_FALSE(SignEnabled(bank, "btnloanSign"));
        EXPECT_EQ(Status(bank, "labInfoVal"), "This loan request is signed.");
        EXPECT_TRUE(bank.findChild<QLineEdit*>("edDirSign")->text().isEmpty());
        TypeLoan(bank, change.capital, change.duration, change.rate);
        EXPECT_EQ(bank.Request().LoanSigned(), change.staysSigned) << change.capital << " " << change.rate;
        EXPECT_EQ(SignEnabled(bank, "btnloanSign"), !change.staysSigned) << change.capital;
    }
    EXPECT_TRUE(root.ui.messageBoxes.empty());
}

TEST_F(BankDialogTest, WrongOrUnsetCodeIsRefused) {
    for (bool codeSet : {true, false}) {
        if (!codeSet) Session->Settings().WriteString("Admin", "CodeHash", "");
        root.ui.messageBoxes.clear();
        TFoBank bank(nullptr, context);
        Sign(bank, "edDirSign", "btnloanSign", codeSet ? "CV3-ADMIM" : kCode);
        EXPECT_FALSE(bank.Request().LoanSigned());
        EXPECT_TRUE(SignEnabled(bank, "btnloanSign"));
        ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
        const RecordingUi::MessageBoxCall& box = root.ui.messageBoxes[0];
        ASSERT_EQ(box.lines.size(), 1u);
        EXPECT_EQ(Translator->GetLine(kSectionMessages, box.key, box.lines[0]),
                  "The administrator code is wrong. Please type it again.");
        EXPECT_TRUE(bank.findChild<QLineEdit*>("edDirSign")->text().isEmpty());
    }
}

TEST_F(BankDialogTest, BudgetChangeStaysSignedOnlyAtItsAmountAndCapitalZeroNeedsNoSignature) {
    TFoBank bank(nullptr, context);
    // No budget change: nothing to sign.
    EXPECT_FALSE(SignEnabled(bank, "btnBgtChgSign"));
    EXPECT_TRUE(Status(bank, "labInfoBgtChg").isEmpty());
    Type(bank, "edBgtChg", "-150");
    Sign(bank, "edCEOSign", "btnBgtChgSign", kCode);
    EXPECT_EQ(Status(bank, "labInfoBgtChg"), "This budget change is signed.");
    Type(bank, "edBgtChg", "-149");
    EXPECT_FALSE(bank.Request().BudgetChangeSigned());
    EXPECT_TRUE(SignEnabled(bank, "btnBgtChgSign"));
    Type(bank, "edBgtChg", "-150");
    EXPECT_TRUE(bank.Request().BudgetChangeSigned());
    Type(bank, "edLoanCap", "0");
    EXPECT_FALSE(SignEnabled(bank, "btnloanSign"));
    EXPECT_TRUE(Status(bank, "labInfoVal").isEmpty());
}

TEST_F(BankDialogTest, ScheduleShowsTheTypedRequestAndCancelKeepsTheStoredOne) {
    const TStoredRequest before = ReadStoredRequest(Decisions(), context);
    // The sample's request: 1,000,000 over 2 periods at 10 %, stored as 1000.
    EXPECT_EQ(before.loanCap, 1000000);
    EXPECT_EQ(before.loanIR, 1000);
    TFoBank bank(nullptr, context);
    bank.show();
    SaveScreenshot(bank, "BankDialogTest_NewLoanTab");
    TypeLoan(bank, "2000", "2", "10.00");
    bank.SelectTab(TFoBank::kScheduleTab);
    SaveScreenshot(bank, "BankDialogTest_ScheduleTab");
    const TQNTable& table = *bank.Schedule()->Table();
    // The decision period's row (three title rows, then period 0 on): 2,000 at 10 %,
    // first share 2,000 / 2.1 = 952.38.
    const int row = table.OriginRow() + 3 + 4;
    EXPECT_EQ(table.CellNumber(row, 4), 2000);
    EXPECT_NEAR(table.CellNumber(row, 7), 952.381, 1e-3);
    bank.SelectTab(TFoBank::kBudgetChangeTab);
    SaveScreenshot(bank, "BankDialogTest_BudgetChangeTab");
    bank.findChild<QPushButton*>("BBCancel")->click();
    const TStoredRequest after = ReadStoredRequest(Decisions(), context);
    EXPECT_EQ(after.loanCap, before.loanCap);
    EXPECT_EQ(after.loanDur, before.loanDur);
    EXPECT_EQ(after.loanIR, before.loanIR);
    EXPECT_EQ(after.bgtChg, before.bgtChg);
}

// Opened from the team page's menu, as a team opens it, the schedule fills its
// tab: every period's row and every column to "Given back" shown whole,
// without a scroll bar, drawn as large as when its tab is chosen again.
TEST_F(BankDialogTest, SmallScreenScheduleFromTheMenuFillsItsTab) {
    QSize fromMenu, chosenAgain;
    WhenModalShown opened([&](QWidget& window) {
        auto& bank = dynamic_cast<TFoBank&>(window);
        const auto& area = Child<QScrollArea>(bank, "paPage1");
        const TQNTable& table = *bank.Schedule()->Table();
        const TTableGeometry& g = table.Sheet().Geometry();
        EXPECT_EQ(g.visibleBodyRows, g.bodyRows);
        EXPECT_EQ(g.visibleBodyCols, g.bodyCols);
        EXPECT_TRUE(!table.HorizontalBar() || table.HorizontalBar()->isHidden());
        EXPECT_TRUE(!table.VerticalBar() || table.VerticalBar()->isHidden());
        EXPECT_LE(table.RightEdge(), area.viewport()->width());
        EXPECT_LE(table.BottomEdge(), area.viewport()->height());
        // Shown whole, the table takes the tab's width or its height.
        EXPECT_TRUE(table.Width() * 10 >= area.viewport()->width() * 9 ||
                    table.Height() * 10 >= area.viewport()->height() * 9)
            << table.Width() << "x" << table.Height() << " in " << area.viewport()->width() << "x"
            << area.viewport()->height();
        fromMenu = QSize(table.Width(), table.Height());
        bank.SelectTab(TFoBank::kNewLoanTab);
        bank.SelectTab(TFoBank::kScheduleTab);
        chosenAgain = QSize(table.Width(), table.Height());
    });
    ChooseFromTheMenu(*windows.teamPage, "MPLoanSchedule");
    EXPECT_TRUE(opened.Ran());
    EXPECT_EQ(fromMenu, chosenAgain);
}

struct TLeaveCase {
    const char* how;
    bool closes;
};

// 60,000 is above the capital's range of 0 to 50,000: Cancel and Escape close
// the dialog without a word, while moving to another field says so.
TEST_F(BankDialogTest, CancelAndEscapeCloseWithoutCheckingAValueOutOfRange) {
    for (const TLeaveCase& leave : {TLeaveCase{"Cancel", true}, {"Escape", true}, {"edLoanDur", false}}) {
        root.ui.plainBoxes.clear();
        TFoBank bank(nullptr, context);
        bank.show();
        bank.activateWindow();
        QTRY_VERIFY(bank.isActiveWindow());
        TQNEdit& capital = Field(bank, "edLoanCap");
        capital.setFocus();
        QTRY_VERIFY(capital.hasFocus());
        capital.selectAll();
        QTest::keyClicks(&capital, "60000");
        if (leave.how == std::string("Escape"))
            QTest::keyClick(&capital, Qt::Key_Escape);
        else if (leave.how == std::string("Cancel"))
            QTest::mouseClick(bank.findChild<QPushButton*>("BBCancel"), Qt::LeftButton);
        else
            QTest::mouseClick(&Field(bank, leave.how), Qt::LeftButton);
        if (!leave.closes) SaveScreenshot(bank, "BankDialogTest_OutOfRange");
        EXPECT_EQ(bank.isVisible(), !leave.closes) << leave.how;
        EXPECT_EQ(bank.result(), leave.closes ? QDialog::Rejected : 0) << leave.how;
        EXPECT_EQ(root.ui.plainBoxes.size(), leave.closes ? 0u : 1u) << leave.how;
        // The request keeps the stored capital, 1,000 thousand.
        EXPECT_EQ(bank.Request().loan.capital, 1000) << leave.how;
    }
}

TEST_F(BankDialogTest, OkStoresTheScaledRequestInTheFileAtOnce) {
    {
        TFoBank bank(nullptr, context);
        TypeLoan(bank, "800", "2", "9.50");
        Sign(bank, "edDirSign", "btnloanSign", kCode);
        Type(bank, "edBgtChg", "250");
        bank.findChild<QPushButton*>("BBOk")->click();
        EXPECT_EQ(bank.result(), QDialog::Accepted);
    }
    // What is on disk now, read from a copy: 800 thousand, 2 periods, 9.50 % as 950,
    // the loan signed, the budget change of 250 thousand not.
    const fs::path copy = fs::path(Session->IndFullPath()).parent_path() / "COPY.ind";
    fs::copy_file(Session->IndFullPath(), copy);
    Session->IndClose();
    ASSERT_TRUE(Session->IndOpen(copy.string()));
    TCvPerData& decisions = Session->Industry()->PerDecisions(context.DecPeriod);
    const TStoredRequest stored = ReadStoredRequest(decisions, context);
    EXPECT_EQ(stored.loanCap, 800000);
    EXPECT_EQ(stored.loanDur, 2);
    EXPECT_EQ(stored.loanIR, 950);
    EXPECT_EQ(stored.bgtChg, 250000);
    EXPECT_EQ(decisions.GetSmallintDef(kCategoryFirm, context, "LoanAck", -1), 1);
    EXPECT_EQ(decisions.GetSmallintDef(kCategoryFirm, context, "BgtChgAck", -1), 0);
}

TEST(BankTeamPageItems, EachFinanceItemOpensItsTabForTheDecisionPeriod) {
    ProgramRoot root;
    TProgramWindows windows = StartProgramPastSplash(root.Services());
    root.OpenSampleIndustry();
    windows.mainWindow->RefreshAll();
    std::vector<std::pair<int, int>> opened;  // tab, decision period of the loan schedule
    for (const char* item : {"MPNewLoan", "MPLoanSchedule", "MPBgtchg"}) {
        WhenModalShown bank([&](QWidget& window) {
            auto& dialog = dynamic_cast<TFoBank&>(window);
            opened.emplace_back(dialog.findChild<QTabBar*>(QStringLiteral("tsBank"))->currentIndex(),
                                dialog.Schedule()->Context().DecPeriod);
        });
        windows.teamPage->findChild<QAction*>(item)->trigger();
        EXPECT_TRUE(bank.Ran()) << item;
    }
    EXPECT_EQ(opened, (std::vector<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}}));
}

// The page's period went back to 2 and forward to 3 again while the page was
// left in between (which re-reads its items at the period it shows): the new
// loan and the schedule are both those of period 4.
TEST(BankTeamPageItems, TabsShowTheRequestOfThePeriodAfterTheOneOnTheBar) {
    ProgramRoot root;
    TProgramWindows windows = StartProgramPastSplash(root.Services());
    root.OpenSampleIndustry();
    windows.mainWindow->RefreshAll();
    TFoSimul& page = *windows.teamPage;
    page.findChild<QAction*>("MPPasswd")->trigger();
    ChoosePeriodOnBar(2);
    windows.mainWindow->ShowPage(windows.mainWindow->findChild<TFoCv3Mod*>("FoResult"));
    windows.mainWindow->ShowPage(&page);
    ChoosePeriodOnBar(3);
    std::vector<std::pair<int, int>> periods;  // the request's, the schedule's
    WhenModalShown bank([&](QWidget& window) {
        auto& dialog = dynamic_cast<TFoBank&>(window);
        periods.emplace_back(dialog.DecisionPeriod(), dialog.Schedule()->Context().DecPeriod);
        dialog.SelectTab(TFoBank::kScheduleTab);
        periods.emplace_back(dialog.DecisionPeriod(), dialog.Schedule()->Context().DecPeriod);
    });
    page.findChild<QAction*>("MPLoanSchedule")->trigger();
    EXPECT_TRUE(bank.Ran());
    EXPECT_EQ(periods, (std::vector<std::pair<int, int>>{{4, 4}, {4, 4}}));
}

}  // namespace
}  // namespace cv::test
