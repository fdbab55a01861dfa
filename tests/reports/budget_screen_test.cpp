// The budget screens on the sample, team A in zone North, result period 3 and
// decision period 4. Firm A's advertising is set here so that the brand rows
// are whole thousands: ALBA 2,000,000 at quality share 0.5 (1,000 K media, 1,000 K
// research), ARNO 1,000,000 at 0.25 (750 K, 250 K), ALTO 0; in M2 AMOR
// 400,000 at 0.5 (200 K, 200 K), AVEN 0. The sample's projects: PAXIS
// 312,500.75 and PAVIA 180,000 in M1, none in M2. The sample asks for a loan of
// 1,000,000 that the instructor has not acknowledged.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "reports/budget/bgt_screen.h"
#include "tests/reports/support/golden_file.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

using test::CellText;
using test::FontColour;
using test::IsBold;

constexpr std::int32_t kRed = 0x0000FF;
constexpr int kResultPeriod = 3, kDecisionPeriod = 4;

class BudgetScreenTest : public test::ResultsTest {
protected:
    BudgetScreenTest() {
        SetAdvertising(1, 1, 2000000, 0.5);
        SetAdvertising(1, 2, 1000000, 0.25);
        SetAdvertising(1, 3, 0, 0);
        SetAdvertising(2, 1, 400000, 0.5);
        SetAdvertising(2, 2, 0, 0);
    }

    TDataContext BudgetContext(int market = 1) const {
        TDataContext context = Context(kResultPeriod);
        context.DecPeriod = kDecisionPeriod;
        context.SelMarket = static_cast<std::int16_t>(market);
        return context;
    }
    std::unique_ptr<TBgtScreen> Screen(int kind, int market = 1, const TScreenLayout& layout = kWindowLayout) {
        return TCVScreen::Create<TBgtScreen>(owner.get(), BudgetContext(market), kind, layout);
    }
    TCvPerData& Decisions() { return Session->Industry()->PerDecisions(kDecisionPeriod); }
    void SetAdvertising(int market, int brand, double budget, double quality) {
        TSimArr* mix = Decisions().FindSimArr(kCategoryFirmFtaMarket, BudgetContext(market), "DecBrdCV3");
        ASSERT_NE(mix, nullptr);
        mix->SetReal48({brand, si::AdvertBgt}, budget);
        mix->SetReal48({brand, si::AdvertQual}, quality);
    }
    void SetNetBudget(double budget) {
        SetReportValue(kResultPeriod, kCategoryFirmFta, BudgetContext(), "FFXRpt", si::ffxNPB, budget);
    }
    void AcknowledgeLoan() { Decisions().SetSmallint(kCategoryFirm, BudgetContext(), "LoanAck", 1); }
};

// Rows of the total budget below its origin: 1 media, 2 research, 8 market
// studies, 9 zone studies, 10 R&D, 11 total expenses, 12 budget, 13 loan, 15
// balance; market columns 7 (M1) and 9 (M2), the firm column 5 sums them.
TEST_F(BudgetScreenTest, TotalBudgetAddsTheMarketsAndWarnsOfTheUnacknowledgedLoan) {
    SetNetBudget(1e9);
    auto screen = Screen(TBgtScreen::kTotalBudget);
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    ASSERT_EQ(Session->Industry()->NbMarkets(), 3);
    // Media 1,000 + 750 in M1 and 200 in M2; research 1,000 + 250 + 200.
    test::ExpectCells(table, {{1, 7, "1,750"}, {1, 9, "200"}, {1, 5, "1,950"}, {2, 5, "1,450"}, {9, 7, "-"},
                              {13, 6, "The loan is not yet acknowledged by the instructor"}, {15, 6, ""}});
    EXPECT_DOUBLE_EQ(table.CellNumber(h + 10, 7), 492.50075);  // the projects 312.50075 + 180
    EXPECT_EQ(table.CellNumber(h + 12, 5), 1e6);
    EXPECT_EQ(table.CellNumber(h + 13, 5), 1000);
    // Balance: budget + loan - total expenses.
    EXPECT_DOUBLE_EQ(table.CellNumber(h + 15, 5), 1e6 + 1000 - table.CellNumber(h + 11, 5));
    EXPECT_EQ(FontColour(table, h + 13, 6), kRed);
    EXPECT_TRUE(IsBold(table, h + 13, 6));
    test::SaveScreenshot(*owner, "BudgetScreenTest_TotalBudget");
}

TEST_F(BudgetScreenTest, NegativeBalanceAndAcknowledgedLoanInADocument) {
    SetNetBudget(0);
    AcknowledgeLoan();
    auto screen = Screen(TBgtScreen::kTotalBudget, 1, kDocumentLayout);
    screen->Build(screen->Context());
    const TQNTable& table = *screen->Table();
    EXPECT_LT(table.CellNumber(table.OriginRow() + 15, 5), 0);
    test::ExpectCells(table, {{15, 6, "The planned expenses exceed the budget available"}, {13, 6, ""}});
    // A document writes its notes plain.
    EXPECT_EQ(FontColour(table, table.OriginRow() + 15, 6), 0);
}

TEST_F(BudgetScreenTest, OneMarketHasOneBodyColumnWithPlainValues) {
    OpenOneMarketVariant();
    SetAdvertising(1, 1, 2000000, 0.5);
    SetAdvertising(1, 2, 1000000, 0.25);
    SetAdvertising(1, 3, 0, 0);
    auto screen = Screen(TBgtScreen::kTotalBudget);
    const TQNTable& table = *screen->Table();
    EXPECT_EQ(table.Sheet().Geometry().bodyCols, 1);
    EXPECT_EQ(table.Sheet().Model().FormulaText(table.OriginRow() + 1, 5), "");
    // The zone studies keep their value in the firm column: no market column holds a dash.
    EXPECT_NE(CellText(table, table.OriginRow() + 9, 5), "-");
    test::ExpectCells(table, {{1, 5, "1,750"}, {9, 7, ""}, {13, 6, "The loan is not yet acknowledged by the instructor"}});
}

TEST_F(BudgetScreenTest, AMarketWithoutBrandsHasAnEmptyBrandBudget) {
    Decisions().SetSmallint(kCategoryFirmFtaMarket, BudgetContext(2), "NbMktedBrds", 0);
    auto empty = Screen(TBgtScreen::kBrandBudget, 2);
    EXPECT_TRUE(empty->IsEmpty());
    test::ExpectCells(*empty->Table(), {{0, 6, ""}});
}

// The golden files hold the budget screens with the advertising set above.
TEST_F(BudgetScreenTest, EveryKindMatchesItsGoldenFile) {
    const struct {
        int kind;
        const char* name;
        bool perMarket;
    } kinds[] = {{1, "BudgetTot", false}, {2, "BudgetBrd", true}, {3, "BudgetRnD", false}};
    const int markets = Session->Industry()->NbMarkets();
    for (const auto& screen : kinds) {
        const std::string rendered = test::RenderEveryPeriod(
            [&](int period, int market) {
                TDataContext context = Context(period);
                context.DecPeriod = static_cast<std::int16_t>(period + 1);
                context.SelMarket = static_cast<std::int16_t>(market);
                return TCVScreen::Create<TBgtScreen>(owner.get(), context, screen.kind, kWindowLayout);
            },
            kResultPeriod, screen.perMarket ? markets : 1);
        test::CheckGolden(std::filesystem::path(CV_GOLDEN_DIR) / (std::string(screen.name) + ".txt"), rendered);
    }
}

}  // namespace
}  // namespace cv
