// The model base keeps the brand-decision and sales-force arrays of t+1 of the
// market that SetMarket selected from one selection to the next: a read of
// another zone finds that zone's array, and a new selection finds arrays that
// replaced the ones read before.

#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/mod_basic.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

// Fixture B (firms 1 and 2 in zone 1, market 1) with a second zone.
test::TFixtureSpec TwoZones() {
    const test::TFixtureSpec b = test::FixtureB();
    test::TFixtureSpec spec(0, 2, 2, 1);
    for (int firm = 1; firm <= 2; ++firm) {
        spec.Prototypes(firm, 1) = b.Prototypes(firm, 1);
        spec.Cell(firm, 1, 1) = b.Cell(firm, 1, 1);
    }
    spec.MarketAgeT(1, 1) = b.MarketAgeT(1, 1);
    return spec;
}

TEST(ModBasicSelection, ArraysOfTheSelectedMarketAreReadUntilTheNextSelection) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(TwoZones());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    TCvPerData& decisions = industry.PerDecisions(industry.CurPeriod() + 1);
    TWorkRec work;
    TModBasic module;
    module.Init(industry, &work);
    module.SetMarket(1, 1);

    // "SlfSize"[2] of firm 2 in zone 1 is 10 x 2 + 2 = 22 (fixture_industry.h); the
    // same element of zone 2 is set to 77 while zone 1 stays selected.
    EXPECT_EQ(module.GetSalesForceSize(2, 1, 2), 22);
    decisions.GetSimArr(kCategoryFirmFta, test::FixtureCell(1, 2, 2, 0), "SlfSize")->SetReal48({2}, 77);
    EXPECT_EQ(module.GetSalesForceSize(2, 2, 2), 77);
    EXPECT_EQ(module.GetSalesForceSize(2, 1, 2), 22);

    // Market brand 3 is DELTA, slot 1 of firm 2: "Price" = 1000 x 2 + 100 x 1 + 6.
    EXPECT_EQ(module.GetBrandDecision(3, si::Price), 2106);
    // Firm 2's cells of t+1 replaced by copies whose price is 5: the next selection reads them.
    TCvPerData copies;
    copies.CopyFirmCells(2, decisions);
    copies.GetSimArr(kCategoryFirmFtaMarket, test::FixtureCell(1, 2, 1, 1), "DecBrdCV3")->SetReal48({1, si::Price}, 5);
    decisions.CopyFirmCells(2, copies);
    module.SetMarket(1, 1);
    EXPECT_EQ(module.GetBrandDecision(3, si::Price), 5);
    EXPECT_EQ(module.GetSalesForceSize(2, 2, 2), 77);
}

}  // namespace
}  // namespace cv
