// The newsletter's brand characteristics page on the sample industry (zone
// North, market 1, period 3): two brands per firm, listed firm by firm.
#include <gtest/gtest.h>

#include <QScrollBar>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "reports/newsletter/news_screen.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

using test::CellText;

class NewsletterBrandsTest : public test::ResultsTest {
protected:
    std::unique_ptr<TNewsScr> Page(const TDataContext& context) {
        return TCVScreen::Create<TNewsScr>(owner.get(), context, TNewsScr::kBrandCharacteristics,
                                           kWindowLayout);
    }
    // Period 3's market 1 (zone North) with kManyBrands marketed brands, ten
    // per firm, brand b being the firm's brand 1 + b % 2 ("B01".."B40").
    static constexpr int kManyBrands = 40;
    void MarketManyBrands() {
        TCvPerData& results = Session->Industry()->PerResults(3);
        const TDataContext market = Context(3);
        const TSeries& series = *Session->Industry()->FindSeries("MktBrand");
        const TSeries brands(series.Id(), series.Name(), series.Lo(), std::vector<std::string>(kManyBrands));
        TSimArr* names = results.FindSimArr(kCategoryFtaMarket, market, "BrdNames");
        TSimArr* links = results.FindSimArr(kCategoryFtaMarket, market, "XFMLinks");
        ASSERT_TRUE(names && links);
        TSimArr longer;
        longer.InitFromSeries(names->Kind(), names->SubType(), {&brands});
        names->Assign(longer);
        longer.InitFromSeries(links->Kind(), links->SubType(),
                              {&brands, Session->Industry()->FindSeries("XFMLinks")});
        links->Assign(longer);
        for (int b = 1; b <= kManyBrands; ++b) {
            const int firm = 1 + (b - 1) / 10;
            names->SetZts({b}, (b < 10 ? "B0" : "B") + std::to_string(b));
            links->SetByte({b, si::Dfix}, firm);
            links->SetByte({b, si::Dbix}, 1 + b % 2);
            links->SetByte({b, si::Rfix}, firm);
            links->SetByte({b, si::Rpix}, 1);
        }
        results.SetSmallint(kCategoryFtaMarket, market, "NbMktedBrds", kManyBrands);
    }
};

// More brands than the page's usual 31 body rows: each gets a row, firm by firm.
TEST_F(NewsletterBrandsTest, MoreBrandsThanTheUsualBodyEachGetARow) {
    MarketManyBrands();
    const auto page = Page(Context(3));
    const TQNTable& table = *page->Table();
    // Brand b on row 1 + b below the origin, each firm's label on its first brand's row.
    test::ExpectCells(table, {{2, 1, "A"}, {12, 1, "E"}, {22, 1, "I"}, {32, 1, "O"}, {33, 2, "B32"}, {41, 2, "B40"},
                              {42, 2, ""}});
    // Scrolled to the end, the last row in view is the last brand's.
    ASSERT_NE(table.VerticalBar(), nullptr);
    EXPECT_EQ(table.VerticalBar()->maximum() + table.VerticalBar()->pageStep(), table.OriginRow() + 41);
    table.VerticalBar()->setValue(table.VerticalBar()->maximum());
    test::SaveScreenshot(*owner, "NewsletterManyBrandsScrolledToTheEnd");
}

TEST_F(NewsletterBrandsTest, BrandsStandFirmByFirmWithTheirDecidedStatusAndPrice) {
    TDataContext context = Context(3);
    // Firm E's first brand, EDRA, is modified and priced at 612.
    TDataContext firmE = context;
    firmE.SelFirm = 2;
    TSimArr* mix = Session->Industry()->PerDecisions(3).FindSimArr(kCategoryFirmFtaMarket, firmE, "DecBrdCV3");
    ASSERT_NE(mix, nullptr);
    mix->SetReal48({1, si::PortStatus}, 3);
    mix->SetReal48({1, si::Price}, 612);
    // Rows from 2: nine brands, two of A, three of E, two of I and two of O, the
    // firm's label on its first row only. Status 3 is line 7 + 3 of the page's
    // texts; the price column follows 3 heading and 5 characteristic columns and the cost.
    const auto page = Page(context);
    test::ExpectCells(*page->Table(), {{2, 1, "A"}, {3, 1, ""}, {4, 1, "E"}, {5, 1, ""}, {6, 1, ""}, {7, 1, "I"},
                                       {8, 1, ""}, {9, 1, "O"}, {10, 1, ""}, {4, 2, "EDRA"}, {4, 3, "Modified"},
                                       {4, 10, "612"}});
    EXPECT_FALSE(page->IsEmpty());
}

TEST_F(NewsletterBrandsTest, AMarketWithoutBrandsIsEmpty) {
    TDataContext context = Context(3);
    Session->Industry()->PerResults(3).SetSmallint(kCategoryFtaMarket, context, "NbMktedBrds", 0);
    const auto page = Page(context);
    EXPECT_TRUE(page->IsEmpty());
    test::ExpectCells(*page->Table(), {{2, 2, ""}});
}

class NewsletterSalesTest : public NewsletterBrandsTest {
protected:
    std::unique_ptr<TNewsScr> Sales(const TDataContext& context) {
        return TCVScreen::Create<TNewsScr>(owner.get(), context, TNewsScr::kBrandSales, kWindowLayout);
    }
    // Firm A's first brand, ALBA, in the results of Period.
    void SetAlbaUnits(int period, double units) {
        TDataContext firmA = Context(period);
        firmA.SelFirm = 1;
        Session->Industry()->PerResults(period).FindSimArr(kCategoryFirmFtaMarket, firmA, "BrdRpt")->SetReal48(
            {1, si::brUSold}, units);
    }
};

// With more brands than the usual body, the total row follows the last brand
// and sums every brand's units: ten brands a firm, alternating its brands 2 and 1.
TEST_F(NewsletterSalesTest, MoreBrandsThanTheUsualBodyAreAllInTheTotal) {
    MarketManyBrands();
    double expected = 0;
    for (int firm = 1; firm <= 4; ++firm) {
        TDataContext firmContext = Context(3);
        firmContext.SelFirm = static_cast<std::int16_t>(firm);
        const TSimArr* report =
            Session->Industry()->PerResults(3).FindSimArr(kCategoryFirmFtaMarket, firmContext, "BrdRpt");
        expected += 5 * (report->GetReal48({1, si::brUSold}) + report->GetReal48({2, si::brUSold}));
    }
    const auto page = Sales(Context(3));
    const TQNTable& table = *page->Table();
    // Brand b on row 2 + b; units now are column 4; the total row comes right after the body.
    test::ExpectCells(table, {{42, 2, "B40"}});
    EXPECT_DOUBLE_EQ(table.CellNumber(table.OriginRow() + 43, 4), expected);
}

// Columns: 3 units before, 4 now, 5 growth; ALBA is the first body row, 3 below the origin.
TEST_F(NewsletterSalesTest, GrowthAgainstThePeriodBeforeOrADashWithoutPreviousSales) {
    SetAlbaUnits(2, 40000);
    SetAlbaUnits(3, 50000);
    // 50000 / 40000 - 1 = 25 %. IRMA, firm I's second brand (row 7 of the
    // body), is new in period 3.
    test::ExpectCells(*Sales(Context(3))->Table(),
                      {{3, 2, "ALBA"}, {3, 5, "+25.0%"}, {9, 2, "IRMA"}, {9, 3, "0"}, {9, 5, "-"}});
}

// A market in its first period: market 1 derives the sales before from its
// segments' growth (set to 5 % in every segment here: a factor of 1.05), the
// other markets have nothing to compare with.
TEST_F(NewsletterSalesTest, TheFirstPeriodRuleHoldsForMarketOneOnly) {
    for (int market : {1, 2}) {
        TDataContext context = Context(3);
        context.SelMarket = static_cast<std::int16_t>(market);
        Session->Industry()->PerResults(3).SetSmallint(kCategoryFtaMarket, context, "MktAge", 1);
        TSimArr& growth = *Session->Industry()->ConstPart().FindSimArr(kCategoryFtaMarket, context, "SegGrowth");
        for (int s = growth.LB(2); s <= growth.UB(2); ++s) growth.SetReal48({0, s}, 0.05L);
        const auto page = Sales(context);
        const TQNTable& table = *page->Table();
        const int first = table.OriginRow() + 3;
        EXPECT_EQ(CellText(table, first, 5), market == 1 ? "+5.0%" : "-") << market;
        EXPECT_NEAR(table.CellNumber(first, 3), market == 1 ? table.CellNumber(first, 4) / 1.05 : 0, 1e-6) << market;
    }
}

}  // namespace
}  // namespace cv
