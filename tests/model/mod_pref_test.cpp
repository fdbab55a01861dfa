// The preference preparation on the one-firm fixture, derived by hand from the
// fixture formulas (tests/model/fixtures/fixture_pref.h and fixture_industry.h):
// attributes, portfolio status, scales and natural positions, then the scale
// tops in every scaling mode.
//
// FixtureA: t = 0, t+1 = 1, market age 2 in t+1 (1 in t, plus one); segments
// s = 1, 2; scales k = 1..3 (physical) and 4 (Price); map axes d = 1, 2. Market
// brand 1 is "Bravo" (firm 1, slot 1, prototype PBRAVO = row 2, BRAVO was brand
// 2 of t), brand 2 is COSMO (slot 2, prototype row 3, new).

#include "model/mod_pref.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/session/industry.h"
#include "core/store/data_context.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_pref.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::TPrefRun;
using TTwoByFour = std::array<std::array<int, 4>, 2>;

TSimArr& ForecastArray(TPrefRun& run, std::string_view name) {
    return test::Arr(run.ResultsT1(), kCategoryFtaMarket, 0, 1, 1, name);
}

double Decision(TPrefRun& run, int slot, std::int8_t member) {
    return static_cast<double>(
        test::Arr(run.DecisionsT1(), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3").GetReal48({slot, member}));
}

// Per brand (row) and scale (column).
void ExpectBrandColumn(TPrefRun& run, std::int8_t column, const TTwoByFour& expected) {
    const TSimArr& positions = ForecastArray(run, "PosSemBrds");
    for (int brand = 1; brand <= 2; ++brand)
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(positions.GetSmallint({brand, k, column}), expected[brand - 1][k - 1])
                << "brand " << brand << " k " << k;
}

void ExpectScales(TPrefRun& run, const std::array<int, 4>& bottoms, const std::array<int, 4>& tops) {
    const TSimArr& scales = ForecastArray(run, "SemScales");
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(scales.GetSmallint({k, si::SrMin}), bottoms[k - 1]) << "k " << k;
        EXPECT_EQ(scales.GetSmallint({k, si::SrMax}), tops[k - 1]) << "k " << k;
    }
}

// Attributes: "ProTecs"[j, p] = 100 + 10 p + j + 1/2 (firm 1), halves to even:
//   Bravo (row 2): 112.5, 122.5, 132.5 -> 112, 122, 132; price 1000 + 100 + 6 = 1106
//   COSMO (row 3): 113.5, 123.5, 133.5 -> 114, 124, 134; price 1000 + 200 + 6 = 1206
// Status: BRAVO of t stood at 21, 22, 23 (10 x 2 + d): modified, 3; COSMO new, 4.
// Scales (t+1 = 1: P = SrMax of t):
//   k = 1, mode 1: 100 .. 130
//   k = 2, mode 2: P = 120, M = max(120, 122 + 3, 124 + 3) = 127, 1.1 x 120 = 132 -> 100 .. 127
//   k = 3, mode 4: P = 130, M = max(130, 142, 144) = 144, MaxScale 140             -> 0 .. 140
//   k = 4, mode 2: P = 1150, M = max(1150, 1206, 1306) = 1306, 1.04 x 1150 = 1196  -> 1000 .. 1196
// Natural positions, y = 2x - 1:
//   k = 1 (e 1):  Bravo x = 12/30, y = -0.2 -> -200;  COSMO x = 14/30, y = -0.0667 -> -67
//   k = 2 (e 2):  Bravo x = 22/27, y = 0.6296, y^2 = 0.3964 -> 396;  COSMO x = 24/27, y = 0.7778 -> 0.6049 -> 605
//   k = 3 (centred, e 0.5): Bravo x = 132/140, y = 0.8857, root 0.9411 -> 941;
//                           COSMO x = 134/140, y = 0.9143, root 0.9562 -> 956
//   k = 4 (e 1):  Bravo x = 106/196, y = 0.0816 -> 82;  COSMO x = 206/196, y = 1.1020 -> 1102
TEST(ModPref, OneFirmAttributesStatusScalesAndNaturalPositions) {
    test::TModelWorld world;
    TPrefRun run(world.OpenFixture(test::FixtureA()));
    run.Prepare(1, 1);
    ExpectBrandColumn(run, si::AttAct, {{{112, 122, 132, 1106}, {114, 124, 134, 1206}}});
    EXPECT_EQ(Decision(run, 1, si::PortStatus), kPortModified);
    EXPECT_EQ(Decision(run, 2, si::PortStatus), kPortNew);
    ExpectScales(run, {100, 100, 0, 1000}, {130, 127, 140, 1196});
    ExpectBrandColumn(run, si::NatPos, {{{-200, 396, 941, 82}, {-67, 605, 956, 1102}}});
    EXPECT_EQ(std::as_const(run.module).Ctx().SelFirm, 1);  // left at the last brand's firm
    EXPECT_EQ(run.module.CachedFta(), 1);
    EXPECT_EQ(run.module.CachedMkt(), 1);
    EXPECT_TRUE(run.work.Warnings.empty());
}

// A dimension series longer than the scales (two more physical dimensions, D4
// and D5, without a scale of their index, the prototypes' levels on them 0):
// the attributes and the status compare the dimensions that have a scale, 1..3,
// the price scale 4 keeping the retail price. The same figures as above.
TEST(ModPref, DimensionsWithoutAScaleTakeNoPartInAttributesOrStatus) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    TSeries& dimensions = *industry.DimSeries(1);
    dimensions.InsertLabel(3, "D4");
    dimensions.InsertLabel(4, "D5");
    const TDataContext firm = test::FixtureCell(0, 1, 0, 1);
    TCvPerData& results = industry.PerResults(0);
    TSimArr& levels = *results.FindSimArr(kCategoryFirmMarket, firm, "ProTecs");
    TSimArr old;
    old.Assign(levels);
    TSimArr wider;
    wider.InitFromSeries(dkReal48, 0, {industry.FindSeries("Prototype"), &dimensions});
    levels.Assign(wider);
    for (int j = old.LB(1); j <= old.UB(1); ++j)
        for (int p = old.LB(2); p <= old.UB(2); ++p) levels.SetReal48({j, p}, old.GetReal48({j, p}));
    TPrefRun run(industry);
    run.Prepare(1, 1);
    ExpectBrandColumn(run, si::AttAct, {{{112, 122, 132, 1106}, {114, 124, 134, 1206}}});
    EXPECT_EQ(Decision(run, 1, si::PortStatus), kPortModified);
    EXPECT_EQ(Decision(run, 2, si::PortStatus), kPortNew);
}

int Element(TPrefRun& run, std::string_view name, const TIndex& index) {
    return ForecastArray(run, name).GetSmallint(index);
}

// A market of age 0 or 1 in t+1 starts from "IniPosIP" plus one drift, in
// thousandths of the axis -1..1 (map units / 20):
//   s = 1: (4 - 3k + 0.123 (1 + k)) / 20 -> 62, -82, -225, -369;
//   s = 2: (8 - 3k + 0.123 (2 + k)) / 20 -> 268, 125, -19, -163.
// The map point is the sum of the stored scale points times "SemToMap" (d + k) / 10:
//   s = 1, d = 1: (2 x 62 + 3 x -82 + 4 x -225 + 5 x -369) / 10 = -286.7 -> -287;
//          d = 2: (3 x 62 + 4 x -82 + 5 x -225 + 6 x -369) / 10 = -348.1 -> -348;
//   s = 2: (536 + 375 - 76 - 815) / 10 = 2;  (804 + 500 - 95 - 978) / 10 = 23.1 -> 23.
// The map points are stored before attraction in every market; only a new
// market (age 0) stores them as its points after attraction too.
TEST(ModPrefEdges, YoungMarketsStartFromInitialIdealPointsAndOnlyANewOneSetsTheMapAfterAttraction) {
    test::TModelWorld world;
    test::TFixtureSetup setup = test::FixtureA();
    setup.MarketAgeT(1, 1) = 0;
    TCvInd& industry = world.OpenFixture(setup);
    const TDataContext market = test::FixtureCell(1, 0, 1, 1);
    const int semantic[2][4] = {{62, -82, -225, -369}, {268, 125, -19, -163}};
    const int map[2][2] = {{-287, -348}, {2, 23}};
    for (int age : {1, 0}) {
        SCOPED_TRACE("age " + std::to_string(age));
        TPrefRun run(industry);
        ASSERT_EQ(run.ResultsT1().GetSmallint(kCategoryFtaMarket, market, "MktAge"), 1);
        run.ResultsT1().SetSmallint(kCategoryFtaMarket, market, "MktAge", static_cast<std::int16_t>(age));
        run.Prepare(1, 1);
        for (int s = 1; s <= 2; ++s) {
            for (int k = 1; k <= 4; ++k)
                EXPECT_EQ(Element(run, "PosSemIPs", {s, k, si::PSBefAttr}), semantic[s - 1][k - 1]);
            for (int d = 1; d <= 2; ++d) {
                EXPECT_EQ(Element(run, "PosMapIPs", {s, d, si::PMBefAttr}), map[s - 1][d - 1]);
                EXPECT_EQ(Element(run, "PosMapIPs", {s, d, si::PMAftAttr}), age == 0 ? map[s - 1][d - 1] : 0);
            }
        }
    }
}

// A market of age 2 in t+1 drifts from the ideal points of t after attraction,
// "PosSemIPs"[s, k, PSAftAttr] = 100 s - 40 k thousandths, by 0.123 (s + k) map
// units, 6.15 (s + k) thousandths, on every scale up to Price (k = 4):
//   s = 1: 60 + 12.3 = 72.3, 20 + 18.45, -20 + 24.6, -60 + 30.75 -> 72, 38, 5, -29;
//   s = 2: 160 + 18.45, 120 + 24.6, 80 + 30.75, 40 + 36.9        -> 178, 145, 111, 77.
// The map points before attraction, "SemToMap" (d + k) / 10 over the stored points:
//   s = 1: (144 + 114 + 20 - 145) / 10 = 13.3 -> 13;  (216 + 152 + 25 - 174) / 10 = 21.9 -> 22;
//   s = 2: (356 + 435 + 444 + 385) / 10 = 162;        (534 + 580 + 555 + 462) / 10 = 213.1 -> 213.
TEST(ModPrefEdges, AMatureMarketDriftsFromTheIdealPointsOfTAfterAttractionOnEveryScale) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    TPrefRun run(industry);
    ASSERT_EQ(run.ResultsT1().GetSmallint(kCategoryFtaMarket, test::FixtureCell(1, 0, 1, 1), "MktAge"), 2);
    run.Prepare(1, 1);
    const int semantic[2][4] = {{72, 38, 5, -29}, {178, 145, 111, 77}};
    const int map[2][2] = {{13, 22}, {162, 213}};
    for (int s = 1; s <= 2; ++s) {
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(Element(run, "PosSemIPs", {s, k, si::PSBefAttr}), semantic[s - 1][k - 1]) << s << "," << k;
        for (int d = 1; d <= 2; ++d)
            EXPECT_EQ(Element(run, "PosMapIPs", {s, d, si::PMBefAttr}), map[s - 1][d - 1]) << s << "," << d;
    }
}

// Inputs changed in memory before a run: the step reads the open industry.
void SetScaleParameter(TCvInd& industry, int scale, std::int8_t column, long double value) {
    TDataContext market;
    market.SelMarket = 1;
    industry.ConstPart().FindSimArr(kCategoryMarket, market, "SemPosPars")->SetReal48({scale, column}, value);
}

void SetLastTop(TCvInd& industry, int scale, int top) {
    test::Arr(industry.PerResults(industry.CurPeriod()), kCategoryFtaMarket, 0, 1, 1, "SemScales")
        .SetSmallint({scale, si::SrMax}, top);
}

// The top of scale 2 (MinScale 100, MaxScale 150, Delta 3, InflaScale 0.1) in
// every mode. Its brands reach 122 + 3 = 125 and 124 + 3 = 127; last top 120.
//   mode 2:               min(127, 1.1 x 120 = 132)                      = 127
//   mode 3, rate 0.05:    min(127, 1.05 x 120 = 126)                     = 126
//   mode 3, rate -0.1:    min(127, 0.9 x 120 = 108)                      = 108
//   mode 2, last top 200: M = 200 (the brands stay below), min(200, 220)  = 200
//   mode 3, rate 0, top 200: min(200, 200)                               = 200
//   mode 4, last top 200: M = 200, capped at MaxScale                    = 150
//   mode 4:               M = 127, under MaxScale                        = 127
//   mode 1, MaxScale 130.5 and MinScale 99.5: halves to even             = 130, bottom 100
//   mode 7: no rule of its own, kept fixed at MaxScale with a warning    = 150
TEST(ModPrefEdges, ScaleTopsFollowTheBrandsInEachOfTheFourModes) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    TSimArr& economics = test::Arr(industry.ConstPart(), kCategoryFta, 0, 1, 0, "Economics");
    struct TCase {
        long double mode;
        long double rate;
        int lastTop;
        int top;
    };
    for (const TCase& c : {TCase{2, 0, 120, 127}, TCase{3, 0.05L, 120, 126}, TCase{3, -0.1L, 120, 108},
                           TCase{2, 0, 200, 200}, TCase{3, 0, 200, 200}, TCase{4, 0, 200, 150},
                           TCase{4, 0, 120, 127}}) {
        SCOPED_TRACE("mode " + std::to_string(static_cast<int>(c.mode)) + ", last top " + std::to_string(c.lastTop));
        SetScaleParameter(industry, 2, si::CalcScales, c.mode);
        economics.SetReal48({0, si::InflationRate}, c.rate);
        SetLastTop(industry, 2, c.lastTop);
        TPrefRun run(industry);
        run.Prepare(1, 1);
        EXPECT_EQ(Element(run, "SemScales", {2, si::SrMax}), c.top);
        EXPECT_EQ(Element(run, "SemScales", {2, si::SrMin}), 100);
        EXPECT_TRUE(run.work.Warnings.empty());
    }
    SetLastTop(industry, 2, 120);
    SetScaleParameter(industry, 2, si::CalcScales, 1);
    SetScaleParameter(industry, 2, si::MaxScale, 130.5L);
    SetScaleParameter(industry, 2, si::MinScale, 99.5L);
    {
        TPrefRun run(industry);
        run.Prepare(1, 1);
        EXPECT_EQ(Element(run, "SemScales", {2, si::SrMax}), 130);
        EXPECT_EQ(Element(run, "SemScales", {2, si::SrMin}), 100);
    }
    SetScaleParameter(industry, 2, si::CalcScales, 7);
    SetScaleParameter(industry, 2, si::MaxScale, 150);
    TPrefRun run(industry);
    run.Prepare(1, 1);
    EXPECT_EQ(Element(run, "SemScales", {2, si::SrMax}), 150);
    EXPECT_EQ(run.work.Warnings,
              std::vector<std::string>{"scale S2 of market 1: scaling mode 7.00 is unknown, the scale is kept fixed"});
}

}  // namespace
}  // namespace cv
