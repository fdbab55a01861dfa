// The largest fixture, on which the speed aims are measured, holds as much as
// the data store and the model's tables allow in every dimension, and the
// forecast runs on it without a warning or a box.

#include <gtest/gtest.h>

#include <string>

#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "model/mod_basic.h"
#include "model/rnd/mod_rnd.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

TEST(LargestFixture, HoldsTheMostTheStoreAllowsAndForecastsWithoutAWarning) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureLargest());
    const int t = industry.CurPeriod();
    EXPECT_EQ(industry.NbFirms(), kMaxCellFirm);
    EXPECT_EQ(industry.NbFtas(), kMaxCellZone);
    EXPECT_EQ(industry.NbMarkets(), kMaxCellMarket);
    for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
        EXPECT_EQ(industry.ChaSeries(zone)->Count(), kBudgetChannels);
        for (int market = 1; market <= industry.NbMarkets(); ++market) {
            SCOPED_TRACE("zone " + std::to_string(zone) + ", market " + std::to_string(market));
            EXPECT_EQ(industry.SegSeries(zone, market)->Count(), kWorkSegments);
            // Six firms of five brands: 30 of the market's 31 brand slots.
            EXPECT_EQ(industry.PerResults(t).GetSmallint(kCategoryFtaMarket, test::FixtureCell(t, 0, zone, market),
                                                         "NbMktedBrds"),
                      kMaxModelFirms * kMaxFirmBrands);
            for (int firm = 1; firm <= industry.NbFirms(); ++firm)
                EXPECT_EQ(industry.PerDecisions(t + 1).GetSmallint(
                              kCategoryFirmFtaMarket, test::FixtureCell(t, firm, zone, market), "NbMktedBrds"),
                          kMaxFirmBrands);
        }
    }
    for (int firm = 1; firm <= industry.NbFirms(); ++firm)
        for (int market = 1; market <= industry.NbMarkets(); ++market)
            EXPECT_EQ(industry.PerResults(t).GetSmallint(kCategoryFirmMarket, test::FixtureCell(t, firm, 0, market),
                                                         "NbPros"),
                      kMaxPrototypes);

    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    EXPECT_TRUE(world.warnings.empty()) << world.warnings.front();
    EXPECT_TRUE(world.ui.errorBoxes.empty()) << world.ui.errorBoxes.front();
    EXPECT_TRUE(world.ui.plainBoxes.empty()) << world.ui.plainBoxes.front();
}

}  // namespace
}  // namespace cv
