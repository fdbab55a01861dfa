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

#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/store/data_context.h"
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
    long double Firm(int period, std::int8_t element, int zone = 1) {
        return ResultReal(*industry_, period, kCategoryFirmFta, 1, zone, 0, "FFXRpt", {element});
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
    bool Warned(const test::TDistrBench& bench, std::string_view part) {
        return test::HasWarning(bench.work.Warnings, part);
    }

    test::TModelWorld world_;
    TCvInd* industry_ = nullptr;
};

TEST_F(ModDistrTest, PlannedSalesBecomeBrandUnitSalesPerSegmentAndChannel) {
    industry_ = &world_.OpenFixture(test::FixtureA());
    test::TDistrBench bench(*industry_);
    bench.PlanAllMarkets();
    // Bravo: segment 1 plans 1001 units: 1001 / 1000 x 60000 / 100 = 600.6 and x 40000 / 100 = 400.4;
    // segment 2 plans 1002: 601.2 and 400.8.
    EXPECT_NEAR(Units(1, 1, 1, 1), 600.6, kTolerance);
    EXPECT_NEAR(Units(1, 1, 1, 2), 400.4, kTolerance);
    EXPECT_NEAR(Units(1, 1, 2, 1), 601.2, kTolerance);
    EXPECT_NEAR(Units(1, 1, 2, 2), 400.8, kTolerance);
    // COSMO: 2001 and 2002 units, all in channel 1.
    EXPECT_NEAR(Units(1, 2, 1, 1), 2001, kTolerance);
    EXPECT_EQ(Units(1, 2, 1, 2), 0);
    EXPECT_NEAR(Units(1, 2, 2, 1), 2002, kTolerance);
    EXPECT_EQ(Units(1, 2, 2, 2), 0);
    // Nothing else: the third market slot stays empty.
    EXPECT_EQ(Units(1, 3, 1, 1), 0);
    EXPECT_TRUE(bench.work.Warnings.empty());
}

TEST_F(ModDistrTest, ChannelMarginsRetailPricesAndAveragePrices) {
    industry_ = &world_.OpenFixture(test::FixtureA());
    test::TDistrBench bench(*industry_);
    bench.RunAll();
    // Period 1 is the start of the ramp: the margins are MarginBeg, 0.1 and 0.2, stored x 1000.
    EXPECT_NEAR(Margin(1, 1), 100, kTolerance);
    EXPECT_NEAR(Margin(1, 2), 200, kTolerance);
    // Bravo, price 1106: channel prices 0.95 x 1106 = 1050.7 -> 1051 and 0.9 x 1106 = 995.4 -> 995.
    EXPECT_EQ(RetailPrice(1, 1, 1), 1051);
    EXPECT_EQ(RetailPrice(1, 1, 2), 995);
    // Units per channel: 600.6 + 601.2 = 1201.8 and 400.4 + 400.8 = 801.2, 2003 in all.
    const double retail = (1201.8 * 1050.7 + 801.2 * 995.4) / 2003;
    const double selling = (1201.8 * 1050.7 * (1 - 0.1) + 801.2 * 995.4 * (1 - 0.2)) / 2003;
    EXPECT_NEAR(Brand(1, 1, si::brRPrice), retail, kTolerance);
    EXPECT_NEAR(Brand(1, 1, si::brSPrice), selling, kTolerance);
    // COSMO, price 1206: 0.95 x 1206 = 1145.7 -> 1146, 0.9 x 1206 = 1085.4 -> 1085; every unit in
    // channel 1: retail price 1145.7, selling price 1145.7 x 0.9 = 1031.13.
    EXPECT_EQ(RetailPrice(1, 2, 1), 1146);
    EXPECT_EQ(RetailPrice(1, 2, 2), 1085);
    EXPECT_NEAR(Brand(1, 2, si::brRPrice), 1145.7, kTolerance);
    EXPECT_NEAR(Brand(1, 2, si::brSPrice), 1031.13, kTolerance);
    EXPECT_TRUE(bench.work.Warnings.empty());
}


// Zone 1 shrinks from 26 to 23 salespeople, zone 2 grows from 20 to 23. Zone 2 pays in its own
// money: exchange rate 2 (period 0), accumulated salary inflation 0.1 and the period's inflation
// 0.05 + 0.05 for salaries: 1 x 2 x 1.1 x 1.1 = 2.42; its hiring cost is 4000.
TEST_F(ModDistrTest, ShrinkingForceFiresAndGrowingForceHiresInTheZonesMoney) {
    test::TFixtureSpec spec(0, 1, 2, 1);
    spec.Prototypes(1, 1) = {"PALPHA"};
    for (int zone = 1; zone <= 2; ++zone) spec.Cell(1, zone, 1).brandsT1 = {{"ALPHA", "PALPHA", {}}};
    industry_ = &world_.OpenFixture(spec);
    TSimArr& economics = test::Arr(industry_->ConstPart(), kCategoryFta, 0, 2, 0, "Economics");
    economics.SetReal48({0, si::ExchangeRate}, 2);
    economics.SetReal48({1, si::InflationRate}, 0.05L);
    test::Arr(industry_->ConstPart(), kCategoryFta, 0, 2, 0, "DeflatFacs").SetReal48({1, si::Salaries}, 0.05L);
    test::Arr(industry_->ConstPart(), kCategoryFta, 0, 2, 0, "CumInflation").SetReal48({1, si::Salaries}, 0.1L);
    TDataContext zone2;
    zone2.SelFta = 2;
    industry_->ConstPart().SetReal(kCategoryFta, zone2, kSlpHireCost, 4000);
    test::TDistrBench bench(*industry_);
    bench.RunAll();
    EXPECT_NEAR(Firm(1, si::ffxSlfF, 1), 3 * 5000, kTolerance);
    EXPECT_EQ(Firm(1, si::ffxSlfH, 1), 0);
    EXPECT_NEAR(Firm(1, si::ffxSlfB, 1), 23 * 20000, kTolerance);
    EXPECT_NEAR(Firm(1, si::ffxSlfH, 2), 3 * 4000 * 2.42, kTolerance);
    EXPECT_EQ(Firm(1, si::ffxSlfF, 2), 0);
    EXPECT_NEAR(Firm(1, si::ffxSlfB, 2), 23 * 20000 * 2.42, kTolerance);
}

// Margin of channel c in period x: c / 10 + 0.02 (x - 1), from period 1 to period 12.
TEST_F(ModDistrTest, ChannelMarginRampsOverThePeriods) {
    for (int current : {5, 11}) {
        SCOPED_TRACE("current period " + std::to_string(current));
        test::TFixtureSpec spec = test::FixtureA();
        spec.currentPeriod = current;
        industry_ = &world_.OpenFixture(spec, "ramp" + std::to_string(current) + ".ind");
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
        EXPECT_TRUE(Warned(bench, entry)) << entry;
}

TEST_F(ModDistrTest, BrandWithoutSalesAndFirmWithoutSalespeople) {
    industry_ = &world_.OpenFixture(test::FixtureA());
    for (int s = 1; s <= 2; ++s) Decisions("MPBrdSegSales").SetReal48({2, s}, 0);
    for (int c = 1; c <= 2; ++c) SalesForce().SetReal48({c}, 0);
    test::TDistrBench bench(*industry_);
    bench.RunAll();
    // COSMO sells nothing: average prices 0, channel prices as decided.
    EXPECT_EQ(Brand(1, 2, si::brRPrice), 0);
    EXPECT_EQ(Brand(1, 2, si::brSPrice), 0);
    EXPECT_EQ(RetailPrice(1, 2, 1), 1146);
    // No salespeople: all 26 of t fired (130000), and no brand is charged.
    EXPECT_EQ(Firm(1, si::ffxSlp), 0);
    EXPECT_EQ(Firm(1, si::ffxSlfB), 0);
    EXPECT_NEAR(Firm(1, si::ffxSlfF), 26 * 5000, kTolerance);
    EXPECT_EQ(Brand(1, 1, si::brSlf), 0);
    EXPECT_EQ(Brand(1, 2, si::brSlf), 0);
    EXPECT_TRUE(bench.work.Warnings.empty());
}

// Fixture (a) markets two brands in zone 1, market 1: the forecast arrays of
// its brands need two rows; one row short is refused by name before anything
// is written past it.
TEST_F(ModDistrTest, BrandArraysOfTheForecastNeedARowPerMarketedBrand) {
    struct TCase {
        const char* array;
        int rows;
        bool accepted;
    };
    for (const TCase& c : {TCase{"BrdUSales", 1, false}, TCase{"BrdUSales", 2, true}, TCase{"BrdRPrices", 1, false},
                           TCase{"BrdRPrices", 2, true}}) {
        SCOPED_TRACE(std::string(c.array) + " of " + std::to_string(c.rows) + " rows");
        industry_ = &world_.OpenFixture(test::FixtureA());
        test::TDistrBench bench(*industry_);
        test::CutRows(test::Arr(industry_->PerResults(1), kCategoryFtaMarket, 0, 1, 1, c.array), c.rows);
        if (c.accepted) {
            EXPECT_NO_THROW(bench.RunAll());
            continue;
        }
        try {
            bench.RunAll();
            ADD_FAILURE() << "no model error";
        } catch (const EModelError& error) {
            EXPECT_NE(std::string(error.what()).find("outside the array " + std::string(c.array)), std::string::npos)
                << error.what();
        }
    }
}

}  // namespace
}  // namespace cv
