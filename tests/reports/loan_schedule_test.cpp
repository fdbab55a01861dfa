// The loan schedule on the sample's loans. Firm A borrowed 500,000 over 3
// periods at 8 % (800 hundredths of a percent) in period 1 and asks for
// 1,000,000 over 2 periods at 10 % for the decision period 4; firm E received
// a budget change of 150,000 in period 2.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/results/firm_result.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

using test::CellText;
using test::FontColour;

constexpr std::int32_t kGrey = 0x808080;

class LoanScheduleTest : public test::ResultsTest {
protected:
    // The row of Period: three title rows, then one row per period from 0.
    static int Row(const TQNTable& table, int period) { return table.OriginRow() + 3 + period; }
};

TEST_F(LoanScheduleTest, PastPeriodsAreGreyAndLoansAreRepaidInAnnuities) {
    auto screen = FirmScreen(TFirResult::kLoanSchedule, Context(3));
    const TQNTable& table = *screen->Table();
    // Instalments from the period of the loan: the first principal share is
    // 500,000 / (1 + 1.08 + 1.08^2) = 154,016.75, the interest 500,000 x 0.08 =
    // 40,000, then 345,983.25 outstanding; the next share 154,016.75 x 1.08 = 166,338.09.
    const int r1 = Row(table, 1);
    EXPECT_EQ(table.CellNumber(r1, 1), 1);
    EXPECT_EQ(table.CellNumber(r1, 4), 500);
    EXPECT_EQ(table.CellNumber(r1, 5), 3);
    EXPECT_EQ(table.CellNumber(r1, 6), 8);
    EXPECT_NEAR(table.CellNumber(r1, 7), 154.01675, 1e-4);
    EXPECT_NEAR(table.CellNumber(r1, 8), 40, 1e-9);
    EXPECT_NEAR(table.CellNumber(r1, 9), 345.98325, 1e-4);
    EXPECT_NEAR(table.CellNumber(Row(table, 2), 7), 166.33809, 1e-4);
    for (int period = 0; period <= 3; ++period) EXPECT_EQ(FontColour(table, Row(table, period), 1), kGrey) << period;
    // Period 0 had no loan: its number alone.
    EXPECT_EQ(CellText(table, Row(table, 0), 1), "0");
    for (int column = 2; column <= 9; ++column) EXPECT_EQ(CellText(table, Row(table, 0), column), "") << column;
    // As of period 3 the decision period is 3 itself: nothing after it is grey.
    EXPECT_EQ(FontColour(table, Row(table, 4), 1), 0);
    EXPECT_EQ(CellText(table, Row(table, 12), 1), "12");
    EXPECT_EQ(table.Sheet().Geometry().bodyRows, 13);
}

TEST_F(LoanScheduleTest, TheLoanDialogsVariantShowsTheRequestedLoan) {
    auto screen = FirmScreen(TFirResult::kLoanRequestSchedule, Context(3));
    const TQNTable& table = *screen->Table();
    // 1,000,000 over 2 periods at 10 %: first share 1,000,000 / 2.1 = 476,190.48, interest 100,000.
    const int r4 = Row(table, 4);
    EXPECT_EQ(FontColour(table, r4, 1), 0);
    EXPECT_EQ(table.CellNumber(r4, 4), 1000);
    EXPECT_EQ(table.CellNumber(r4, 6), 10);
    EXPECT_NEAR(table.CellNumber(r4, 7), 476.19048, 1e-4);
    EXPECT_NEAR(table.CellNumber(r4, 8), 100, 1e-9);
    // Its second instalment: 476,190.48 x 1.1 = 523,809.52, the whole balance.
    EXPECT_NEAR(table.CellNumber(Row(table, 5), 7), 523.80952, 1e-4);
    EXPECT_NEAR(table.CellNumber(Row(table, 5), 9), 0, 1e-6);
}

TEST_F(LoanScheduleTest, BudgetChangesReceivedAndGivenBack) {
    TDataContext context = Context(3);
    context.SelFirm = 2;
    auto screen = FirmScreen(TFirResult::kLoanSchedule, context);
    const TQNTable& table = *screen->Table();
    EXPECT_EQ(table.CellNumber(Row(table, 2), 2), 150);
    EXPECT_EQ(CellText(table, Row(table, 2), 3), "");
}

// More period labels than the loan table's 13 rows: the schedule stops at period 12.
TEST_F(LoanScheduleTest, PeriodLabelsBeyondTheLoanTableAreNotListed) {
    ReopenWithSeriesChanged([](TCvData& industry) {
        TSeries& periods = *industry.PerSeries();
        periods.InsertLabel(static_cast<int>(periods.Labels().size()), "13");
        periods.InsertLabel(static_cast<int>(periods.Labels().size()), "14");
    });
    ASSERT_EQ(Session->Industry()->PerSeries()->Count(), 15);
    auto screen = FirmScreen(TFirResult::kLoanSchedule, Context(3));
    const TQNTable& table = *screen->Table();
    EXPECT_EQ(CellText(table, Row(table, 12), 1), "12");
    EXPECT_EQ(CellText(table, Row(table, 13), 1), "");
}

}  // namespace
}  // namespace cv
