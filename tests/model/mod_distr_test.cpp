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

#include <string>

#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_distr.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::ResultReal;

// Stored reals are 6-byte reals (39-bit fraction): a relative error of about 1e-12.
constexpr double kTolerance = 1e-6;

class ModDistrTest : public ::testing::Test {
protected:
    long double Firm(int period, std::int8_t element) {
        return ResultReal(*industry_, period, kCategoryFirmFta, 1, 1, 0, "FFXRpt", {element});
    }
    long double Brand(int period, int slot, std::int8_t element) {
        return ResultReal(*industry_, period, kCategoryFirmFtaMarket, 1, 1, 1, "BrdRpt", {slot, element});
    }
    long double Units(int period, int brand, int segment, int channel) {
        return ResultReal(*industry_, period, kCategoryFtaMarket, 0, 1, 1, "BrdUSales", {brand, segment, channel});
    }
    long double RetailPrice(int period, int brand, int channel) {
        return ResultReal(*industry_, period, kCategoryFtaMarket, 0, 1, 1, "BrdRPrices", {brand, channel});
    }
    long double Margin(int period, int channel) {
        return ResultReal(*industry_, period, kCategoryFta, 0, 1, 0, "XFXRes", {channel, si::Margin});
    }
    // Decision arrays of t+1 of firm 1 in zone 1, market 1 (fixture (a): t+1 is period 1).
    TSimArr& Decisions(std::string_view name) {
        return test::Arr(industry_->PerDecisions(1), kCategoryFirmFtaMarket, 1, 1, 1, name);
    }
    TSimArr& SalesForce() { return test::Arr(industry_->PerDecisions(1), kCategoryFirmFta, 1, 1, 0, "SlfSize"); }

    test::TModelWorld world_;
    TCvInd* industry_ = nullptr;
};

// Margin of channel c in period x: c / 10 + 0.02 (x - 1), from period 1 to period 12.
TEST_F(ModDistrTest, ChannelMarginRampsOverThePeriods) {
    for (int current : {5, 11}) {
        SCOPED_TRACE("current period " + std::to_string(current));
        test::TFixtureSetup setup = test::FixtureA();
        setup.currentPeriod = current;
        industry_ = &world_.OpenFixture(setup, "ramp" + std::to_string(current) + ".ind");
        test::TDistrBench bench(*industry_);
        bench.RunAll();
        const int period = current + 1;
        const double margin1 = 0.1 + 0.02 * (period - 1);
        const double margin2 = 0.2 + 0.02 * (period - 1);
        EXPECT_NEAR(Margin(period, 1), 1000 * margin1, kTolerance);
        EXPECT_NEAR(Margin(period, 2), 1000 * margin2, kTolerance);
        // COSMO sells in channel 1 only: selling price 0.95 x 1206 x (1 - margin 1).
        EXPECT_NEAR(Brand(period, 2, si::brSPrice), 1145.7 * (1 - margin1), kTolerance);
    }
    // Period 12 is the end of the ramp: MarginEnd, 0.32 and 0.42.
    EXPECT_NEAR(Margin(12, 1), 320, kTolerance);
    EXPECT_NEAR(Margin(12, 2), 420, kTolerance);
}

TEST_F(ModDistrTest, EmptyOrNegativeEntriesCountAsZeroWithAWarning) {
    industry_ = &world_.OpenFixture(test::FixtureA());
    Decisions("DecBrdCV3").SetReal48({1, si::Price}, kEmptyDecisionValue);
    Decisions("DecBrdCV3").SetReal48({2, si::Price}, -5);
    Decisions("MPBrdSegSales").SetReal48({2, 1}, kEmptyDecisionValue);
    Decisions("MPBrdChaSales").SetReal48({1, 2}, -40000);
    SalesForce().SetReal48({1}, -4);
    test::TDistrBench bench(*industry_);
    bench.RunAll();
    // Units: COSMO's segment 1 and Bravo's channel 2 count as 0.
    EXPECT_EQ(Units(1, 2, 1, 1), 0);
    EXPECT_NEAR(Units(1, 2, 2, 1), 2002, kTolerance);
    EXPECT_NEAR(Units(1, 1, 1, 1), 600.6, kTolerance);
    EXPECT_EQ(Units(1, 1, 1, 2), 0);
    // Both prices count as 0.
    for (int brand = 1; brand <= 2; ++brand) {
        EXPECT_EQ(RetailPrice(1, brand, 1), 0);
        EXPECT_EQ(Brand(1, brand, si::brRPrice), 0);
        EXPECT_EQ(Brand(1, brand, si::brSPrice), 0);
    }
    // Sales force 0 + 12: base 240000, (26 - 12) x 5000 = 70000 fired, 310000 in all. Channel 1
    // counts no salesperson: Bravo has 12 x 1/8 = 1.5 of 12, COSMO 12 x 2/8 = 3.
    EXPECT_EQ(Firm(1, si::ffxSlp), 12);
    EXPECT_NEAR(Firm(1, si::ffxSlfF), 70000, kTolerance);
    EXPECT_NEAR(Brand(1, 1, si::brSlf), 310000 * 1.5 / 12, kTolerance);
    EXPECT_NEAR(Brand(1, 2, si::brSlf), 310000 * 3.0 / 12, kTolerance);
    // The stored entries are left as they were.
    EXPECT_EQ(Decisions("DecBrdCV3").GetReal48({1, si::Price}), kEmptyDecisionValue);
    EXPECT_EQ(SalesForce().GetReal48({1}), -4);
    for (const char* entry : {"Price of Bravo", "Price of COSMO", "MPBrdSegSales[2, 1]", "MPBrdChaSales[1, 2]",
                              "SlfSize[1] of firm 1, zone 1"})
        EXPECT_TRUE(test::HasWarning(bench.work.Warnings, entry)) << entry;
}

}  // namespace
}  // namespace cv
