// The firm's result screens on the sample industry (firm A, zone North), with
// chosen figures written over the sample's so that every expected cell is
// derived by hand.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "reports/results/firm_result.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

using test::CellText;
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

// Scorecard rows with two markets (H the first title row): H+2 shares title,
// H+3 total, H+4 M1, H+5 M2, H+6 sales title, H+7..H+9, H+10 contribution
// title, H+11 CBM, H+12 CAM, H+13 NC, H+14 cumulative NC, H+15 stock title,
// H+16 SPI, H+17 RMI, H+18 cumulative RMI.
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
    EXPECT_EQ(CellText(table, h + 13, 2), "Net contribution");
    EXPECT_EQ(table.CellNumber(h + 13, 6), 1600);
    EXPECT_EQ(table.CellNumber(h + 13, 7), 2000);
    EXPECT_EQ(CellText(table, h + 13, 8), "+25.0%");
    EXPECT_EQ(CellText(table, h + 13, 9), "\xD7 2.00");
    EXPECT_EQ(FontColour(table, h + 13, 9), 0);
    EXPECT_EQ(CellText(table, h + 13, 10), "+26.0%");
    EXPECT_EQ(CellText(table, h + 11, 9), "\xD7 1.00");
    EXPECT_EQ(FontColour(table, h + 11, 9), kRed);
    EXPECT_EQ(CellText(table, h + 12, 8), "+100.0%");
    EXPECT_EQ(CellText(table, h + 12, 9), "\xD7 -4.00");
    EXPECT_EQ(CellText(table, h + 12, 10), "-258.7%");
    EXPECT_EQ(CellText(table, h + 4, 2), "M1");
    EXPECT_EQ(CellText(table, h + 4, 7), "25.0%");
    EXPECT_EQ(CellText(table, h + 16, 9), "\xD7 1.56");
    EXPECT_EQ(CellText(table, h + 16, 5), "index");
    for (int column = 6; column <= 10; ++column) EXPECT_EQ(CellText(table, h + 17, column), "-") << column;
    EXPECT_EQ(CellText(table, h + 2, 1), "Market shares");
    EXPECT_TRUE(test::IsBold(table, h + 2, 1));
    EXPECT_FALSE(screen->IsEmpty());
}

TEST_F(FirmResultTest, ScoreCardOfPeriodZeroShowsOnlyThisPeriod) {
    SetFirm(0, si::ffxNC, 900'000);
    auto screen = FirmScreen(TFirResult::kScoreCard, Context(0));
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(table.CellNumber(h + 13, 7), 900);
    for (int column : {6, 8, 9, 10}) {
        EXPECT_EQ(CellText(table, h + 13, column), "") << column;
        EXPECT_EQ(CellText(table, h + 1, column), "") << column;
    }
    EXPECT_EQ(CellText(table, h + 1, 7), "This period");
}

TEST_F(FirmResultTest, AMarketWithoutBrandsShowsDashes) {
    SetBrandCount(3, 2, 0);
    auto screen = FirmScreen(TFirResult::kScoreCard, Context(3));
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    for (int column = 6; column <= 10; ++column) {
        EXPECT_EQ(CellText(table, h + 5, column), "-") << column;  // M2's value share
        EXPECT_EQ(CellText(table, h + 9, column), "-") << column;  // M2's sales
    }
    EXPECT_NE(CellText(table, h + 4, 7), "-");
}

// Net contribution rows: H+1 sales title, H+2 units sold, H+5 revenues,
// H+8 cost of goods sold, H+18 studies, H+20 interest, H+22 net contribution.
// Columns: 6 the firm, 8 M1, 10 M2.
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
    EXPECT_EQ(CellText(table, h, 6), "Total");
    EXPECT_EQ(CellText(table, h, 8), "M1");
    EXPECT_EQ(CellText(table, h, 10), "M2");
    EXPECT_EQ(table.CellNumber(h + 5, 6), 5000);
    EXPECT_EQ(table.CellNumber(h + 5, 8), 3000);
    EXPECT_EQ(table.CellNumber(h + 2, 8), 12345);
    EXPECT_EQ(table.CellNumber(h + 8, 8), -1200);
    EXPECT_EQ(table.CellNumber(h + 20, 6), -40);
    EXPECT_EQ(table.CellNumber(h + 22, 6), 777);
    EXPECT_EQ(CellText(table, h + 22, 5), "K$");
    EXPECT_TRUE(test::IsBold(table, h + 22, 1));
    for (int row = h + 1; row <= h + 16; ++row) EXPECT_EQ(CellText(table, row, 10), "") << row;
    EXPECT_EQ(table.CellNumber(h + 18, 10), -30);
}

TEST_F(FirmResultTest, TheMarketingPlanVariantHasItsOwnTitle) {
    auto screen = FirmScreen(TFirResult::kPlanContribution, Context(3));
    EXPECT_EQ(screen->Table()->Sheet().Captions().titleLines,
              std::vector<std::string>{"Forecast net contribution of firm A - period 3"});
}

// Messages of period 3 in the sample: to all teams a paragraph, a blank line and
// a second paragraph; to team A a line, two blank lines and a line; from the
// simulation one message of two lines with four parameters.
TEST_F(FirmResultTest, MessagesKeepBlankLinesAndExpandParameters) {
    auto screen = FirmScreen(TFirResult::kMessages, Context(3));
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    const std::vector<std::string> expected = {
        "Messages",
        "The results of period 3 are available.",
        "",
        "Decisions for period 4 are due before the next session.",
        "Team A: your budget request was received.",
        "",
        "",
        "Please check the loan schedule before deciding.",
        "1500 units of brand ALBA were sold off at 50.0 % of their cost,",
        "an exceptional cost of 13 K$.",
        "",
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(CellText(table, h + static_cast<int>(i), 1), expected[i]) << i;
    // Each block ends with a rule above the row after it.
    EXPECT_EQ(table.Sheet().Model().Format(h + 4, 1).top.style, 1);
    EXPECT_EQ(table.Sheet().Model().Format(h + 8, 1).top.style, 1);
    EXPECT_FALSE(screen->IsEmpty());
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
    EXPECT_EQ(CellText(*screen->Table(), screen->Table()->OriginRow() + 1, 1), "");
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
    const TQNTable& table = *screen->Table();
    const int lastBodyRow = table.OriginRow() + 220;
    EXPECT_NE(CellText(table, lastBodyRow, 1), "");
    EXPECT_EQ(CellText(table, lastBodyRow + 1, 1), "");
}

// One market: the firm's unit and value shares and sales, no market rows
// (body 2 x 3 + 9 = 15 rows: H+2 shares title, H+3 unit share, H+4 value share,
// H+5 sales title, H+6 units sold, H+7 sales); the net contribution has the
// firm column alone.
TEST_F(FirmResultTest, OneMarketShowsTheFirmsUnitAndValueRows) {
    OpenOneMarketVariant();
    ASSERT_EQ(Session->Industry()->NbMarkets(), 1);
    SetFirm(3, si::ffxUMS, 125);  // 12.5 %
    auto scoreCard = FirmScreen(TFirResult::kScoreCard, Context(3));
    const TQNTable& table = *scoreCard->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(table.Sheet().Geometry().bodyRows, 15);
    EXPECT_EQ(CellText(table, h + 3, 2), "Units");
    EXPECT_EQ(CellText(table, h + 3, 5), "% units");
    EXPECT_EQ(CellText(table, h + 3, 7), "12.5%");
    EXPECT_EQ(CellText(table, h + 4, 2), "Value");
    EXPECT_EQ(CellText(table, h + 6, 5), "K units");
    EXPECT_EQ(CellText(table, h + 8, 1), "Contribution");

    SetFirm(3, si::ffxRev, 5'000'000);
    auto contribution = FirmScreen(TFirResult::kNetContribution, Context(3));
    const TQNTable& net = *contribution->Table();
    EXPECT_EQ(net.Sheet().Geometry().bodyCols, 0);
    EXPECT_EQ(net.CellNumber(net.OriginRow() + 5, 6), 5000);
}

TEST_F(FirmResultTest, AnUnknownKindSaysSoAndBuildsNothing) {
    auto screen = FirmScreen(9, Context(3));
    EXPECT_EQ(screen->Table(), nullptr);
    EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"Unknown firm result screen 9"});
}

}  // namespace
}  // namespace cv
