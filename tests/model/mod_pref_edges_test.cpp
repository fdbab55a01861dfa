// Edge cases of the preference preparation on FixtureA (figures of the plain
// case derived in mod_pref_test.cpp): young markets, the four scaling modes,
// natural positions at the ends of their scales, portfolio status, 16-bit
// stores that saturate, a second preparation of the same cell, and data the
// step refuses.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "model/mod_pref.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_pref.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::TPrefRun;

TSimArr& ForecastArray(TPrefRun& run, std::string_view name) {
    return TPrefRun::Array(run.ResultsT1(), kCategoryFtaMarket, 0, 1, 1, name);
}

int Element(TPrefRun& run, std::string_view name, const TIndex& index) {
    return ForecastArray(run, name).GetSmallint(index);
}

// Inputs changed in memory before a run: the step reads the open industry.
void SetScaleParameter(TCvInd& industry, int scale, std::int8_t column, long double value) {
    TDataContext market;
    market.SelMarket = 1;
    industry.ConstPart().FindSimArr(kCategoryMarket, market, "SemPosPars")->SetReal48({scale, column}, value);
}

void SetLastTop(TCvInd& industry, int scale, int top) {
    TPrefRun::Array(industry.PerResults(industry.CurPeriod()), kCategoryFtaMarket, 0, 1, 1, "SemScales")
        .SetSmallint({scale, si::SrMax}, top);
}

void SetPrototypeLevel(TCvInd& industry, int row, int dimension, long double level) {
    TPrefRun::Array(industry.PerResults(industry.CurPeriod()), kCategoryFirmMarket, 1, 0, 1, "ProTecs")
        .SetReal48({row, dimension}, level);
}

void SetDecision(TCvInd& industry, int slot, std::int8_t member, long double value) {
    TPrefRun::Array(industry.PerDecisions(industry.CurPeriod() + 1), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3")
        .SetReal48({slot, member}, value);
}

TDataContext MarketCell() {
    TDataContext cell;
    cell.SelFta = cell.SelMarket = 1;
    return cell;
}

// Market age 1 in t+1 (0 in t): the points start from "IniPosIP" as in the
// first period (mod_pref_test.cpp): 62, -82, -225, -369 / 268, 125, -19, -163 on
// the scales, -287, -348 / 2, 23 on the map; only age 0 sets the map after
// attraction, to the same figures.
TEST(ModPrefEdges, YoungMarketsStartFromInitialIdealPointsAndOnlyANewOneSetsTheMapAfterAttraction) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureA();
    spec.MarketAgeT(1, 1) = 0;
    TCvInd& industry = world.OpenFixture(spec);
    const int semantic[2][4] = {{62, -82, -225, -369}, {268, 125, -19, -163}};
    const int map[2][2] = {{-287, -348}, {2, 23}};
    for (int age : {1, 0}) {
        SCOPED_TRACE("age " + std::to_string(age));
        TPrefRun run(industry);
        ASSERT_EQ(run.ResultsT1().GetSmallint(kCategoryFtaMarket, MarketCell(), "MktAge"), 1);
        run.ResultsT1().SetSmallint(kCategoryFtaMarket, MarketCell(), "MktAge", static_cast<std::int16_t>(age));
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

// A market aged 2 in the first forecast period would need ideal points of an
// earlier period, which do not exist: the run stops with the missing array named.
TEST(ModPrefEdges, MatureMarketWithoutIdealPointsOfTStopsTheRunNamingThem) {
    test::TModelWorld world;
    TPrefRun run(world.OpenFixture(test::FixtureC()));
    run.ResultsT1().SetSmallint(kCategoryFtaMarket, MarketCell(), "MktAge", 2);
    try {
        run.Prepare(1, 1);
        FAIL() << "no model error";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(),
                     "array PosSemIPs missing in the results of period -1, zone 1, market 1 (market age 2)");
    }
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
    TSimArr& economics = TPrefRun::Array(industry.ConstPart(), kCategoryFta, 0, 1, 0, "Economics");
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

// After the preparation the scale ends and attributes are set by hand and the
// natural positions computed again (y = 2x - 1):
//   scale 1, 100..130, e 1:   100 -> x 0 -> -1000;   130 -> x 1 -> 1000
//   scale 2, 100..130, e 2:   115 -> y 0 -> 0;       100 -> -(1^2) -> -1000
//   scale 3, centred 0..140:   70 -> x 0.5 -> 0;     140 -> x 1 -> 1000
//   Price, 1000..1000:        an empty range puts every attribute at -1000
//   scale 3, centred -140..140: lo + hi = 0, so x = 0 and -1000 for any attribute
TEST(ModPrefEdges, NaturalPositionsAtTheEndsAndMiddleOfTheirScales) {
    test::TModelWorld world;
    TPrefRun run(world.OpenFixture(test::FixtureA()));
    run.Prepare(1, 1);
    TSimArr& positions = ForecastArray(run, "PosSemBrds");
    TSimArr& scales = ForecastArray(run, "SemScales");
    auto set = [&](int k, int lo, int hi, int first, int second) {
        scales.SetSmallint({k, si::SrMin}, lo);
        scales.SetSmallint({k, si::SrMax}, hi);
        positions.SetSmallint({1, k, si::AttAct}, first);
        positions.SetSmallint({2, k, si::AttAct}, second);
    };
    set(1, 100, 130, 100, 130);
    set(2, 100, 130, 115, 100);
    set(3, 0, 140, 70, 140);
    set(4, 1000, 1000, 1000, 5000);
    run.module.ComputeNaturalPositions(1, 2);
    const int expected[2][4] = {{-1000, 0, 0, -1000}, {1000, -1000, 1000, -1000}};
    for (int brand = 1; brand <= 2; ++brand)
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(positions.GetSmallint({brand, k, si::NatPos}), expected[brand - 1][k - 1])
                << "brand " << brand << " k " << k;

    set(3, -140, 140, 70, 140);
    positions.SetSmallint({1, 3, si::NatPos}, 555);
    run.module.ComputeNaturalPositions(2, 2);
    EXPECT_EQ(positions.GetSmallint({1, 3, si::NatPos}), 555);  // brand 1 left alone
    EXPECT_EQ(positions.GetSmallint({2, 3, si::NatPos}), -1000);
    run.module.ComputeNaturalPositions(2, 1);  // an empty range does nothing
    EXPECT_THROW(run.module.ComputeNaturalPositions(0, 2), EModelError);
    EXPECT_THROW(run.module.ComputeNaturalPositions(1, 3), EModelError);
}

// Bravo carried on: BRAVO of t stood at 21, 22, 23 on the physical scales
// (10 x 2 + d). Made from a prototype with those levels it keeps status 1,
// whatever its price; one characteristic changed makes it 3.
TEST(ModPrefEdges, PortfolioStatusComparesThePhysicalCharacteristicsOnly) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    for (int d = 1; d <= 3; ++d) SetPrototypeLevel(industry, 2, d, 20 + d);
    auto statusOfBravo = [&] {
        TPrefRun run(industry);
        run.Prepare(1, 1);
        const TSimArr& decisions = TPrefRun::Array(run.DecisionsT1(), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3");
        return static_cast<double>(decisions.GetReal48({1, si::PortStatus}));
    };
    EXPECT_EQ(statusOfBravo(), kPortCarriedOn);
    SetPrototypeLevel(industry, 2, 3, 24);
    EXPECT_EQ(statusOfBravo(), kPortModified);
}

// Values beyond 16 bits are stored at the nearest end with a warning, and the
// forecast goes on:
//   a prototype level of 40000                        -> attribute 32767
//   MaxScale 1,000,000 of the fixed scale 1            -> SrMax 32767
//   PSAftAttr of t = 32767 for segment 2, scale 1: 32767 + 6.15 x 3 -> 32767
//   Bravo's price empty, COSMO's -5: both count as 0; on the Price scale
//   (1000..1196, exponent 5) y = 2 (-1000 / 196) - 1 = -11.2, -(11.2^5) x 1000 -> -32768
TEST(ModPrefEdges, SixteenBitStoresSaturateWithAWarningAndTheForecastGoesOn) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    SetPrototypeLevel(industry, 2, 1, 40000);
    SetScaleParameter(industry, 1, si::MaxScale, 1000000);
    SetScaleParameter(industry, 4, si::NatPosExp, 5);
    TPrefRun::Array(industry.PerResults(0), kCategoryFtaMarket, 0, 1, 1, "PosSemIPs")
        .SetSmallint({2, 1, si::PSAftAttr}, 32767);
    SetDecision(industry, 1, si::Price, kEmptyDecisionValue);
    SetDecision(industry, 2, si::Price, -5);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;

    TSimArr* positions = industry.PerResults(1).FindSimArr(kCategoryFtaMarket, MarketCell(), "PosSemBrds");
    TSimArr* scales = industry.PerResults(1).FindSimArr(kCategoryFtaMarket, MarketCell(), "SemScales");
    TSimArr* ideals = industry.PerResults(1).FindSimArr(kCategoryFtaMarket, MarketCell(), "PosSemIPs");
    ASSERT_TRUE(positions && scales && ideals);
    EXPECT_EQ(positions->GetSmallint({1, 1, si::AttAct}), 32767);
    EXPECT_EQ(scales->GetSmallint({1, si::SrMax}), 32767);
    EXPECT_EQ(ideals->GetSmallint({2, 1, si::PSBefAttr}), 32767);
    for (int brand = 1; brand <= 2; ++brand) {
        EXPECT_EQ(positions->GetSmallint({brand, 4, si::AttAct}), 0);
        EXPECT_EQ(positions->GetSmallint({brand, 4, si::NatPos}), -32768);
    }
    const std::string cell = "of results of period 1, zone 1, market 1: ";
    for (const std::string& part :
         {"PosSemBrds " + cell + "40000.00 does not fit 16 bits and is stored as 32767",
          "SemScales " + cell + "1000000.00 does not fit 16 bits and is stored as 32767",
          "PosSemIPs " + cell + "32785.45 does not fit 16 bits and is stored as 32767",
          std::string("price of Bravo in zone 1, market 1 is empty and is taken as 0"),
          std::string("price of COSMO in zone 1, market 1 is negative (-5.00) and is taken as 0"),
          "PosSemBrds " + cell + "-"})
        EXPECT_TRUE(test::HasWarning(world.warnings, part)) << part;
    // The stored decisions are left as they were.
    TSimArr& decisions = TPrefRun::Array(industry.PerDecisions(1), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3");
    EXPECT_EQ(decisions.GetReal48({1, si::Price}), kEmptyDecisionValue);
    EXPECT_EQ(decisions.GetReal48({2, si::Price}), -5);
}

// A second preparation of the cell prepared last changes nothing, even when
// an input has changed since: the cells' bytes stay the same. Once the module
// is initialised again the cell is computed afresh and the change shows.
TEST(ModPrefEdges, SecondPreparationOfTheSameCellChangesNothing) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureB());
    TPrefRun run(industry);
    run.Prepare(1, 1);
    auto bytes = [&] {
        return std::vector<std::vector<std::uint8_t>>{TPrefRun::CellBytes(run.ResultsT1(), 0, 1, 1),
                                                      TPrefRun::CellBytes(run.DecisionsT1(), 1, 1, 1),
                                                      TPrefRun::CellBytes(run.DecisionsT1(), 2, 1, 1)};
    };
    const auto before = bytes();
    const TSegSales sales = run.work.SegSalesT;
    ASSERT_FALSE(before[0].empty());
    SetPrototypeLevel(industry, 2, 1, 99);  // Bravo's first characteristic, 112 after the first pass
    run.module.SetMarket(1, 1);
    run.module.PrepareMarket();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(run.work.SegSalesT, sales);

    run.module.Init(industry, &run.work);
    EXPECT_EQ(run.module.CachedFta(), 0);
    run.Prepare(1, 1);
    EXPECT_EQ(Element(run, "PosSemBrds", {1, 1, si::AttAct}), 99);
}

// The work record holds five segments: a sixth stops the run.
TEST(ModPrefEdges, MoreSegmentsThanTheWorkRecordHoldsStopTheRun) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureA();
    spec.segments = 6;
    TPrefRun run(world.OpenFixture(spec));
    try {
        run.Prepare(1, 1);
        FAIL() << "no model error";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "segments 1..6 of zone 1, market 1 do not fit the work record's 1..5");
    }
}

}  // namespace
}  // namespace cv
