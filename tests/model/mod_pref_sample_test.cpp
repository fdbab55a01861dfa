// The preference preparation on the sample industry (docs/sample_industry.md):
// zone North, market M2 (scales Size, Speed, Price; two segments; map axes
// Comfort and Speed), current period 3. Market brand 1 is AMOR, firm A's only
// brand there, made from PAMOR (Size 10, Speed 80).

#include <gtest/gtest.h>

#include <cmath>

#include "core/store/data_context.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "model/mod_pref.h"
#include "tests/model/fixtures/fixture_pref.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

using test::TPrefRun;

// Ideal points of period 3 after attraction: 50 (3s - 2k) + 30; one drift step
// Rescale(0.3 (s - k), -20, 20, -1, 1) = 15 (s - k) thousandths. Segment 1:
//   k = 1: 50 + 30 + 0 = 80;  k = 2: -50 + 30 - 15 = -35;  k = 3: -150 + 30 - 30 = -150
// On the map: Comfort 0.6 x 80 - 0.2 x -35 - 0.3 x -150 = 48 + 7 + 45 = 100;
//             Speed  -0.1 x 80 + 0.8 x -35 + 0.2 x -150 = -8 - 28 - 30 = -66.
// Segment sales of period 3: 20,000 + 5,000 s + 4,000 = 29,000 and 34,000.
// AMOR: Size 10, Speed 80; its price is its decision. It stood at 45 and 28 in
// period 3, so it counts as modified (3).
// Scales: Size fixed 0..15; Speed mode 4: M = max(180, 80 + 10, 100 + 10, 140 + 10,
// 60 + 10) = 180 (ELMA, EVOS and IOTA from PELMA, PEVOS, PIOTA), under MaxScale 200.
// Natural positions of AMOR: Size (centred) x = 10/15, y = 1/3 -> 333;
// Speed x = 30/130, y = -0.5385, -(0.5385^0.8) = -exp(0.8 ln 0.5385) = -0.6094 -> -609.
TEST(ModPrefSample, NorthMarketTwoFromTheSampleTables) {
    test::TModelWorld world;
    TCvInd& industry = world.Open(sample::WriteSampleIndustryFile(world.GamesDir()));
    TPrefRun run(industry);
    run.Prepare(1, 2);
    const auto forecast = [&](std::string_view name) -> TSimArr& {
        return TPrefRun::Array(run.ResultsT1(), kCategoryFtaMarket, 0, 1, 2, name);
    };
    const int semantic[3] = {80, -35, -150};
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(forecast("PosSemIPs").GetSmallint({1, k, si::PSBefAttr}), semantic[k - 1]);
    EXPECT_EQ(forecast("PosMapIPs").GetSmallint({1, 1, si::PMBefAttr}), 100);
    EXPECT_EQ(forecast("PosMapIPs").GetSmallint({1, 2, si::PMBefAttr}), -66);
    EXPECT_EQ(run.work.SegSalesT, (TSegSales{63000, 29000, 34000, 0, 0, 0}));

    const TSimArr& positions = forecast("PosSemBrds");
    EXPECT_EQ(positions.GetSmallint({1, 1, si::AttAct}), 10);
    EXPECT_EQ(positions.GetSmallint({1, 2, si::AttAct}), 80);
    const TSimArr& decisions = TPrefRun::Array(run.DecisionsT1(), kCategoryFirmFtaMarket, 1, 1, 2, "DecBrdCV3");
    EXPECT_EQ(positions.GetSmallint({1, 3, si::AttAct}), std::nearbyint(decisions.GetReal48({1, si::Price})));
    EXPECT_EQ(decisions.GetReal48({1, si::PortStatus}), kPortModified);

    const TSimArr& scales = forecast("SemScales");
    EXPECT_EQ(scales.GetSmallint({1, si::SrMin}), 0);
    EXPECT_EQ(scales.GetSmallint({1, si::SrMax}), 15);
    EXPECT_EQ(scales.GetSmallint({2, si::SrMin}), 50);
    EXPECT_EQ(scales.GetSmallint({2, si::SrMax}), 180);
    EXPECT_EQ(positions.GetSmallint({1, 1, si::NatPos}), 333);
    EXPECT_EQ(positions.GetSmallint({1, 2, si::NatPos}), -609);
    EXPECT_TRUE(run.work.Warnings.empty());
}

}  // namespace
}  // namespace cv
