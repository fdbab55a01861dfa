// The firm's result screens on the sample industry (firm A, zone North), with
// chosen figures written over the sample's so that every expected cell is
// derived by hand. The sample's own screens are pinned by the golden files.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "reports/results/firm_result.h"
#include "tests/reports/support/results_fixture.h"
#include "ui/sheet/cell_format.h"
#include "ui/sheet/qn_sheet.h"
#include "ui/sheet/sheet_model.h"

namespace cv {
namespace {

using test::CellText;
using test::ExpectCells;
using test::FontColour;

constexpr std::int32_t kRed = 0x0000FF;

class FirmResultTest : public test::ResultsTest {
protected:
    void SetFirm(int period, int item, double value) {
        SetReportValue(period, kCategoryFirmFta, Context(period), "FfxRpt", item, value);
    }
    void SetMarket(int period, int market, int item, double value) {
        TDataContext context = Context(period);
        context.SelMarket = static_cast<std::int16_t>(market);
        SetReportValue(period, kCategoryFirmFtaMarket, context, "FfmRpt", item, value);
    }
    void SetBrandCount(int period, int market, int count) {
        TDataContext context = Context(period);
        context.SelMarket = static_cast<std::int16_t>(market);
        Session->Industry()->PerResults(period).SetSmallint(kCategoryFtaMarket, context, "NbMktedBrds",
                                                            static_cast<std::int16_t>(count));
    }
};

// Scorecard rows with three markets (0 the first title row): 2 shares title,
// 3 total, 4 M1, 5 M2, 6 M3, 7 sales title, 8..11, 12 contribution title, 13
// CBM, 14 CAM, 15 NC, 16 cumulative NC, 17 stock title, 18 SPI, 19 RMI, 20
// cumulative RMI. Columns 6 last period, 7 this one, 8 change, 9 index, 10 growth.
TEST_F(FirmResultTest, ScoreCardComparesWithLastPeriodAndTheReference) {
    // Net contribution 2,000,000 now, 1,600,000 last period, reference 1,000,000:
    // 2000 and 1600 K$, change 2000 / 1600 - 1 = +25 %, index x 2.00 (black:
    // ahead), growth over 3 periods 2^(1/3) - 1 = 0.2599 = +26.0 %.
    SetFirm(3, si::ffxNC, 2'000'000);
    SetFirm(2, si::ffxNC, 1'600'000);
    SetFirm(3, si::ffxNC0, 1'000'000);
    // Contribution before marketing equal to its reference: index x 1.00 in red.
    SetFirm(3, si::ffxCBM, 500'000);
    SetFirm(3, si::ffxCBM0, 500'000);
    // After marketing -800,000 against 200,000 (last period -400,000): change
    // -800 / -400 - 1 = +100 %; r = -4, growth -(4^(1/3)) - 1 = -2.587 = -258.7 %.
    SetFirm(3, si::ffxCAM, -800'000);
    SetFirm(2, si::ffxCAM, -400'000);
    SetFirm(3, si::ffxCAM0, 200'000);
    // Value share of M1: 250 thousandths = 25.0 %. Stock-price index 1,250 over the base 800: x 1.56.
    SetMarket(3, 1, si::ffmVMS, 250);
    SetFirm(3, si::ffxSPI, 1250);
    Session->Industry()->ConstPart().SetReal(kCategoryFta, Context(), "SpiBase", 800);
    // No return on marketing: five "-".
    SetFirm(3, si::ffxRMI, 2147483647.0);

    auto screen = FirmScreen(TFirResult::kScoreCard, Context(3));
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    ExpectCells(table, {{15, 6, "1,600"}, {15, 7, "2,000"}, {15, 8, "+25.0%"}, {15, 9, "\xD7 2.00"},
                        {15, 10, "+26.0%"}, {13, 9, "\xD7 1.00"}, {14, 8, "+100.0%"}, {14, 9, "\xD7 -4.00"},
                        {14, 10, "-258.7%"}, {4, 7, "25.0%"}, {18, 9, "\xD7 1.56"}, {19, 6, "-"}, {19, 7, "-"},
                        {19, 8, "-"}, {19, 9, "-"}, {19, 10, "-"}});
    EXPECT_EQ(FontColour(table, h + 15, 9), 0);
    EXPECT_EQ(FontColour(table, h + 13, 9), kRed);
}

TEST_F(FirmResultTest, ScoreCardOfPeriodZeroShowsOnlyThisPeriod) {
    SetFirm(0, si::ffxNC, 900'000);
    auto screen = FirmScreen(TFirResult::kScoreCard, Context(0));
    ExpectCells(*screen->Table(), {{15, 7, "900"}, {1, 7, "This period"}, {15, 6, ""}, {15, 8, ""}, {15, 9, ""},
                                   {15, 10, ""}, {1, 6, ""}, {1, 8, ""}, {1, 9, ""}, {1, 10, ""}});
}

// Rows 5 (M2's value share) and 10 (M2's sales) of the scorecard.
TEST_F(FirmResultTest, AMarketWithoutBrandsShowsDashes) {
    SetBrandCount(3, 2, 0);
    auto screen = FirmScreen(TFirResult::kScoreCard, Context(3));
    for (int column = 6; column <= 10; ++column) ExpectCells(*screen->Table(), {{5, column, "-"}, {10, column, "-"}});
    EXPECT_NE(CellText(*screen->Table(), screen->Table()->OriginRow() + 4, 7), "-");
}

// Net contribution rows: 2 units sold, 5 revenues, 8 cost of goods sold, 18
// studies, 20 interest, 22 net contribution. Columns: 6 the firm, 8 M1, 10 M2.
TEST_F(FirmResultTest, NetContributionByMarket) {
    SetFirm(3, si::ffxRev, 5'000'000);          // 5000 K$
    SetMarket(3, 1, si::ffmRev, 3'000'000);     // 3000 K$
    SetMarket(3, 1, si::ffmUSold, 12'345);      // units, not in thousands
    SetMarket(3, 1, si::ffmCGS, 1'200'000);     // a cost: -1200 K$
    SetMarket(3, 2, si::ffmMRS, 30'000);        // kept in a market without brands: -30 K$
    SetFirm(3, si::ffxIP, 40'000);              // interest paid: -40 K$
    SetFirm(3, si::ffxNC, 777'000);             // 777 K$
    SetBrandCount(3, 2, 0);

    auto screen = FirmScreen(TFirResult::kNetContribution, Context(3));
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    const struct {
        int row, column;
        double value;
    } cells[] = {{5, 6, 5000}, {5, 8, 3000}, {2, 8, 12345}, {8, 8, -1200}, {20, 6, -40}, {22, 6, 777}, {18, 10, -30}};
    for (const auto& cell : cells) EXPECT_EQ(table.CellNumber(h + cell.row, cell.column), cell.value) << cell.row;
    // Shown whole, with thousands separators.
    ExpectCells(table, {{5, 6, "5,000"}, {2, 8, "12,345"}, {8, 8, "-1,200"}});
    for (int row = 1; row <= 16; ++row) ExpectCells(table, {{row, 10, ""}});
}

// The Total column lies among the heading columns; its heading and figures
// read right-aligned like the units beside it, on the result and on the
// plan's contribution.
TEST_F(FirmResultTest, NetContributionTotalColumnIsRightAligned) {
    for (int kind : {TFirResult::kNetContribution, TFirResult::kPlanContribution}) {
        auto screen = FirmScreen(kind, Context(3));
        const TQNTable& table = *screen->Table();
        const TSheetModel& model = table.Sheet().Model();
        const int h = table.OriginRow();
        for (int row : {0, 2, 5, 22}) EXPECT_EQ(model.Format(h + row, 6).horizontal, kAlignRight) << kind << " row " << row;
    }
}

// Twenty simulation messages of twenty lines each would need 400 rows: the
// body's 220 rows are filled and nothing is written below them.
TEST_F(FirmResultTest, MessagesBeyondTheBodyAreNotWritten) {
    const TDataContext context = Context(3);
    TSimArr* messages = Session->Industry()->PerResults(3).FindSimArr(kCategoryFirmFta, context, "MsgSim2Fir");
    ASSERT_NE(messages, nullptr);
    for (int k = 1; k <= 20; ++k) {
        messages->SetZts({k, si::Section}, "results");
        messages->SetZts({k, si::Keyword}, "ScoreCard");
    }
    auto screen = FirmScreen(TFirResult::kMessages, context);
    EXPECT_NE(CellText(*screen->Table(), screen->Table()->OriginRow() + 220, 1), "");
    ExpectCells(*screen->Table(), {{221, 1, ""}});
}

TEST_F(FirmResultTest, NoMessageLeavesTheScreenEmpty) {
    // Team A in period 3 with its three message arrays emptied.
    const TDataContext context = Context(3);
    const struct {
        int category;
        const char* name;
    } arrays[] = {{kCategoryFta, "MsgAdm2All"}, {kCategoryFirmFta, "MsgAdm2Fir"}, {kCategoryFirmFta, "MsgSim2Fir"}};
    for (const auto& array : arrays) {
        TSimArr* messages = Session->Industry()->PerResults(3).FindSimArr(array.category, context, array.name);
        ASSERT_NE(messages, nullptr) << array.name;
        messages->Clear();
    }
    auto screen = FirmScreen(TFirResult::kMessages, context);
    EXPECT_TRUE(screen->IsEmpty());
    ExpectCells(*screen->Table(), {{1, 1, ""}});
}

// One market: the firm's unit and value shares and sales, no market rows
// (body 2 x 3 + 9 = 15 rows: 2 shares title, 3 unit share, 4 value share,
// 5 sales title, 6 units sold, 7 sales); the net contribution has the firm
// column alone.
TEST_F(FirmResultTest, OneMarketShowsTheFirmsUnitAndValueRows) {
    OpenOneMarketVariant();
    ASSERT_EQ(Session->Industry()->NbMarkets(), 1);
    SetFirm(3, si::ffxUMS, 125);  // 12.5 %
    auto scoreCard = FirmScreen(TFirResult::kScoreCard, Context(3));
    EXPECT_EQ(scoreCard->Table()->Sheet().Geometry().bodyRows, 15);
    ExpectCells(*scoreCard->Table(), {{3, 2, "Units"}, {3, 5, "% units"}, {3, 7, "12.5%"}, {4, 2, "Value"},
                                      {6, 5, "K units"}, {8, 1, "Contribution"}});

    SetFirm(3, si::ffxRev, 5'000'000);
    auto contribution = FirmScreen(TFirResult::kNetContribution, Context(3));
    EXPECT_EQ(contribution->Table()->Sheet().Geometry().bodyCols, 0);
    EXPECT_EQ(contribution->Table()->CellNumber(contribution->Table()->OriginRow() + 5, 6), 5000);
}

// The loan schedule: three title rows, then one row per period from 0.
// Firm E received a budget change of 150,000 in period 2.
TEST_F(FirmResultTest, LoanScheduleShowsBudgetChangesReceived) {
    TDataContext context = Context(3);
    context.SelFirm = 2;
    auto screen = FirmScreen(TFirResult::kLoanSchedule, context);
    ExpectCells(*screen->Table(), {{3 + 2, 2, "150"}, {3 + 2, 3, ""}});
}

// More period labels than the loan table's 13 rows: the schedule stops at period 12.
TEST_F(FirmResultTest, PeriodLabelsBeyondTheLoanTableAreNotListed) {
    ReopenWithSeriesChanged([](TCvData& industry) {
        TSeries& periods = *industry.PerSeries();
        periods.InsertLabel(static_cast<int>(periods.Labels().size()), "13");
        periods.InsertLabel(static_cast<int>(periods.Labels().size()), "14");
    });
    ASSERT_EQ(Session->Industry()->PerSeries()->Count(), 15);
    auto screen = FirmScreen(TFirResult::kLoanSchedule, Context(3));
    ExpectCells(*screen->Table(), {{3 + 12, 1, "12"}, {3 + 13, 1, ""}});
}

}  // namespace
}  // namespace cv
