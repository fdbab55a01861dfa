// The brand results of a firm with six brands in market M1, zone North, at
// period 3, written into a cell the sample leaves free.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series_index.h"
#include "reports/results/brand_result.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/reports/support/screen_data.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

class BrdResultTest : public test::ResultsTest {
protected:
    BrdResultTest() : context(Context(3)) {
        context.SelFirm = test::kFreeFirm;
        TCvPerData& results = Session->Industry()->PerResults(3);
        const TSeries& brands = data.Numbered("B", 6);
        results.SetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds", 6);
        TSimArr& names = data.Texts(results, kCategoryFirmFtaMarket, context, "FirMktedBrds", {&brands});
        TSimArr& prototypes = data.Texts(results, kCategoryFirmFtaMarket, context, "FirMktedPros", {&brands});
        report = &data.Reals(results, kCategoryFirmFtaMarket, context, "BrdRpt", {&brands, si::BrdRpt});
        TSimArr& firmMarket = data.Reals(results, kCategoryFirmFtaMarket, context, "FfmRpt", {si::FFMRpt});
        TSimArr& distributors =
            data.Reals(results, kCategoryFirmFtaMarket, context, "BrdNDis", {&brands, Session->Industry()->ChaSeries(1)});
        firmMarket.SetReal48({si::ffmUMS}, 285);
        // Brand j sells 1000 j units at a retail price of 500, a selling price
        // of 350 and a transfer cost of 200; 50 distributors carry it in each channel.
        for (int j = 1; j <= 6; ++j) {
            names.SetZts({j}, "B" + std::to_string(j));
            prototypes.SetZts({j}, "P" + std::to_string(j));
            report->SetReal48({j, si::brUSold}, 1000 * j);
            report->SetReal48({j, si::brRPrice}, 500);
            report->SetReal48({j, si::brRSales}, 500 * 1000 * j);
            report->SetReal48({j, si::brRev}, 350 * 1000 * j);
            report->SetReal48({j, si::brCGS}, 200 * 1000 * j);
            for (int channel = 1; channel <= 3; ++channel) distributors.SetReal48({j, channel}, 50);
        }
        TSimArr& zone = *results.FindSimArr(kCategoryFta, context, "XFXRes");
        const double outlets[] = {200, 1250, 0};
        for (int channel = 1; channel <= 3; ++channel) zone.SetReal48({channel, si::NbOutlet}, outlets[channel - 1]);
    }
    std::unique_ptr<TBrdResult> Screen(int kind) {
        return TCVScreen::Create<TBrdResult>(owner.get(), context, kind, kWindowLayout);
    }

    test::ScreenData data;
    TDataContext context;
    TSimArr* report = nullptr;
};

// Rows from the origin: 0 names, 1 prototypes, 3 units, 4 retail price, 5
// selling price, 6 revenue, 9 a dash, 10 transfer cost, 11 cost of goods;
// column 5 the firm, 6 + j brand j.
TEST_F(BrdResultTest, ASixthBrandGetsAColumnAndCountsInTheTotals) {
    auto screen = Screen(1);
    test::ExpectCells(*screen->Table(), {{0, 11, "B6"},
                                         {1, 11, "P6"},
                                         {3, 5, "21,000"},  // 1000 x (1 + ... + 6)
                                         {4, 5, "500"},     // 500 x 21,000 / 21,000
                                         {5, 5, "350"},
                                         {6, 11, "2,100"},  // 350 x 6000 / 1000
                                         {6, 5, "7,350"},   // 350 x 21
                                         {9, 5, "-"},
                                         {10, 5, "200"},
                                         {11, 11, "-1,200"}});  // minus 200 x 6000 / 1000
    EXPECT_FALSE(screen->IsEmpty());
    owner->show();
    test::SaveScreenshot(*owner, "BrandContributionSixBrands");
}

TEST_F(BrdResultTest, WithoutUnitsSoldTheAveragePricesSumTheBrandColumns) {
    for (int j = 1; j <= 6; ++j) report->SetReal48({j, si::brUSold}, 0);
    test::ExpectCells(*Screen(1)->Table(), {{4, 5, "3,000"}});  // 6 x 500
}

TEST_F(BrdResultTest, MarketSharesAndCoveragePerChannel) {
    test::ExpectCells(*Screen(3)->Table(), {{1, 5, "28.5%"},
                                            {4, 1, "Hypermarkets (200 outlets)"},
                                            {5, 1, "Specialist stores (1,250 outlets)"},
                                            {4, 11, "25.0%"},  // 50 / 200
                                            {5, 11, "4.0%"},   // 50 / 1250
                                            {6, 11, "0.0%"}});  // no outlet
}

TEST_F(BrdResultTest, NoBrandSetsTheEmptyFlag) {
    Session->Industry()->PerResults(3).SetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds", 0);
    EXPECT_TRUE(Screen(1)->IsEmpty());
    EXPECT_TRUE(Screen(3)->IsEmpty());
}

}  // namespace
}  // namespace cv
