// Plan sales and zone results on the one-firm fixture (a), figures derived by
// hand from fixture_industry.h, fixture_catalog.h and fixture_distr.h.
//
// Fixture (a): t = 0, the simulated period 1; one firm, zone and market, two
// channels and two segments. Market brands of t+1: 1 = "Bravo" (firm slot 1,
// split 60000 / 40000), 2 = COSMO (slot 2, everything in channel 1).
//   MPBrdSegSales[k, s] = 1000 k + s; DecBrdCV3[k, Price (6)] = 1000 + 100 k + 6;
//   SlfSize[c] = 10 + c (11, 12); SlfAlloc[c, k] = k / 8; FFXRpt of t: ffxSlp = 23 + 3 = 26;
//   ChannelPars: Discount 0.05, 0.10; MarginBeg 0.1, 0.2; money factor 1.

#include "model/mod_distr.h"

#include <gtest/gtest.h>

#include "core/store/data_context.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_distr.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::ResultReal;

// Stored reals are 6-byte reals (39-bit fraction): a relative error of about 1e-12.
constexpr double kTolerance = 1e-6;

class ModDistrTest : public ::testing::Test {
protected:
    TCvInd& Open(const test::TFixtureSpec& spec) { return world_.OpenFixture(spec); }

    long double Units(TCvInd& industry, int period, int brand, int segment, int channel, int zone = 1) {
        return ResultReal(industry, period, kCategoryFtaMarket, 0, zone, 1, "BrdUSales", {brand, segment, channel});
    }
    long double Firm(TCvInd& industry, int period, std::int8_t element, int zone = 1) {
        return ResultReal(industry, period, kCategoryFirmFta, 1, zone, 0, "FFXRpt", {element});
    }
    long double Brand(TCvInd& industry, int period, int slot, std::int8_t element) {
        return ResultReal(industry, period, kCategoryFirmFtaMarket, 1, 1, 1, "BrdRpt", {slot, element});
    }
    long double RetailPrice(TCvInd& industry, int period, int brand, int channel) {
        return ResultReal(industry, period, kCategoryFtaMarket, 0, 1, 1, "BrdRPrices", {brand, channel});
    }

    test::TModelWorld world_;
};

TEST_F(ModDistrTest, PlannedSalesBecomeBrandUnitSalesPerSegmentAndChannel) {
    TCvInd& industry = Open(test::FixtureA());
    test::TDistrBench bench(industry);
    bench.PlanAllMarkets();
    // Bravo: segment 1 plans 1001 units: 1001 / 1000 x 60000 / 100 = 600.6 and x 40000 / 100 = 400.4;
    // segment 2 plans 1002: 601.2 and 400.8.
    EXPECT_NEAR(Units(industry, 1, 1, 1, 1), 600.6, kTolerance);
    EXPECT_NEAR(Units(industry, 1, 1, 1, 2), 400.4, kTolerance);
    EXPECT_NEAR(Units(industry, 1, 1, 2, 1), 601.2, kTolerance);
    EXPECT_NEAR(Units(industry, 1, 1, 2, 2), 400.8, kTolerance);
    // COSMO: 2001 and 2002 units, all in channel 1.
    EXPECT_NEAR(Units(industry, 1, 2, 1, 1), 2001, kTolerance);
    EXPECT_EQ(Units(industry, 1, 2, 1, 2), 0);
    EXPECT_NEAR(Units(industry, 1, 2, 2, 1), 2002, kTolerance);
    EXPECT_EQ(Units(industry, 1, 2, 2, 2), 0);
    // Nothing else: the third market slot stays empty.
    EXPECT_EQ(Units(industry, 1, 3, 1, 1), 0);
    EXPECT_TRUE(bench.work.Warnings.empty());
}

TEST_F(ModDistrTest, PlanSalesOverwritesTheBrandsRowsRatherThanAdding) {
    TCvInd& industry = Open(test::FixtureA());
    test::TDistrBench bench(industry);
    bench.PlanAllMarkets();
    bench.PlanAllMarkets();
    EXPECT_NEAR(Units(industry, 1, 1, 1, 1), 600.6, kTolerance);
    EXPECT_NEAR(Units(industry, 1, 2, 2, 1), 2002, kTolerance);
}

TEST_F(ModDistrTest, PastMarketSharesOfTAreCarriedIntoTheForecastPeriod) {
    TCvInd& industry = Open(test::FixtureA());
    test::TDistrBench bench(industry);
    bench.Distr().SetMarket(1, 1);
    // BrdPastMSU of t: 100 pm + 10 m + s.
    for (int pm = 1; pm <= 2; ++pm)
        for (int m : {1, 2, 31})
            for (int s = 1; s <= 2; ++s)
                EXPECT_EQ(ResultReal(industry, 1, kCategoryFtaMarket, 0, 1, 1, "BrdPastMSU", {pm, m, s}),
                          100 * pm + 10 * m + s);
}

TEST_F(ModDistrTest, SalesForceCostsOfTheFirmAndItsBrands) {
    TCvInd& industry = Open(test::FixtureA());
    test::TDistrBench bench(industry);
    bench.RunAll();
    // n = 11 + 12 = 23 salespeople; base 23 x 20000 = 460000; 26 in t: 3 fired x 5000 = 15000, none hired.
    EXPECT_EQ(Firm(industry, 1, si::ffxSlp), 23);
    EXPECT_NEAR(Firm(industry, 1, si::ffxSlfB), 460000, kTolerance);
    EXPECT_NEAR(Firm(industry, 1, si::ffxSlfF), 15000, kTolerance);
    EXPECT_EQ(Firm(industry, 1, si::ffxSlfH), 0);
    // Cost 475000. Bravo's salespeople: 11 x 1/8 + 12 x 1/8 = 23/8: 475000 x 23/8 / 23 = 59375.
    // COSMO's: 23 x 2/8: 118750.
    EXPECT_NEAR(Brand(industry, 1, 1, si::brSlf), 59375, kTolerance);
    EXPECT_NEAR(Brand(industry, 1, 2, si::brSlf), 118750, kTolerance);
    EXPECT_TRUE(bench.work.Warnings.empty());
}

TEST_F(ModDistrTest, ChannelMarginsRetailPricesAndAveragePrices) {
    TCvInd& industry = Open(test::FixtureA());
    test::TDistrBench bench(industry);
    bench.RunAll();
    // Period 1 is the start of the ramp: the margins are MarginBeg, 0.1 and 0.2, stored x 1000.
    EXPECT_NEAR(ResultReal(industry, 1, kCategoryFta, 0, 1, 0, "XFXRes", {1, si::Margin}), 100, kTolerance);
    EXPECT_NEAR(ResultReal(industry, 1, kCategoryFta, 0, 1, 0, "XFXRes", {2, si::Margin}), 200, kTolerance);
    // Bravo, price 1106: channel prices 0.95 x 1106 = 1050.7 -> 1051 and 0.9 x 1106 = 995.4 -> 995.
    EXPECT_EQ(RetailPrice(industry, 1, 1, 1), 1051);
    EXPECT_EQ(RetailPrice(industry, 1, 1, 2), 995);
    // Units per channel: 600.6 + 601.2 = 1201.8 and 400.4 + 400.8 = 801.2, 2003 in all.
    const double retail = (1201.8 * 1050.7 + 801.2 * 995.4) / 2003;
    const double selling = (1201.8 * 1050.7 * (1 - 0.1) + 801.2 * 995.4 * (1 - 0.2)) / 2003;
    EXPECT_NEAR(Brand(industry, 1, 1, si::brRPrice), retail, kTolerance);
    EXPECT_NEAR(Brand(industry, 1, 1, si::brSPrice), selling, kTolerance);
    // COSMO, price 1206: 0.95 x 1206 = 1145.7 -> 1146, 0.9 x 1206 = 1085.4 -> 1085; every unit in
    // channel 1: retail price 1145.7, selling price 1145.7 x 0.9 = 1031.13.
    EXPECT_EQ(RetailPrice(industry, 1, 2, 1), 1146);
    EXPECT_EQ(RetailPrice(industry, 1, 2, 2), 1085);
    EXPECT_NEAR(Brand(industry, 1, 2, si::brRPrice), 1145.7, kTolerance);
    EXPECT_NEAR(Brand(industry, 1, 2, si::brSPrice), 1031.13, kTolerance);
    EXPECT_TRUE(bench.work.Warnings.empty());
}

// The figures of the zone step that nothing after it changes, through the whole plan pass: the
// sales force, its costs and the margins; and the retail prices, which do not depend on units.
TEST_F(ModDistrTest, ForecastWritesTheZoneResults) {
    TCvInd& industry = Open(test::FixtureA());
    ASSERT_TRUE(world_.RunForecast()) << world_.failureReason;
    EXPECT_EQ(Firm(industry, 1, si::ffxSlp), 23);
    EXPECT_NEAR(Firm(industry, 1, si::ffxSlfB), 460000, kTolerance);
    EXPECT_NEAR(Firm(industry, 1, si::ffxSlfF), 15000, kTolerance);
    EXPECT_NEAR(Brand(industry, 1, 1, si::brSlf), 59375, kTolerance);
    EXPECT_NEAR(Brand(industry, 1, 2, si::brSlf), 118750, kTolerance);
    EXPECT_NEAR(ResultReal(industry, 1, kCategoryFta, 0, 1, 0, "XFXRes", {2, si::Margin}), 200, kTolerance);
    EXPECT_EQ(RetailPrice(industry, 1, 1, 1), 1051);
    EXPECT_EQ(RetailPrice(industry, 1, 2, 2), 1085);
    // COSMO sells in channel 1 only, whatever production leaves of its plan.
    EXPECT_NEAR(Brand(industry, 1, 2, si::brRPrice), 1145.7, kTolerance);
}

}  // namespace
}  // namespace cv
