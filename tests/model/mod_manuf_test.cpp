// Production, inventory and unit cost on the one-firm fixture, every figure
// the step writes derived by hand from the fixture's formulas
// (fixture_industry.h, fixture_manuf.h), and the order of zones within a market.

#include "model/mod_manuf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_manuf.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using Texts = std::vector<std::string>;

// Fixture (a), t = 0, T = 1. Firm 1 marketed ALPHA (its brand 1) and BRAVO (2) in t;
// in t+1 it markets "Bravo" (market brand 1, its brand 1, continuing BRAVO, from
// PBRAVO = prototype 2) and COSMO (2, new, from PCOSMO = prototype 3).
// Inputs: stock of t (WriteStockT) ALPHA 200 at 20, BRAVO 300 at 10; cost factor 1 + inflation 0 + 0.05 = 1.05;
// Production 2000 (Bravo) and 4000 (COSMO); ProReqUC 70 and 80, ProCumProd 100,000 and
// 150,000; BrdTransfCost of t 80 for BRAVO (market brand 2). Planned sales (the
// distribution step's): Bravo 1000 + 650 + 400 + 100 = 2150, COSMO 3000 + 2000 + 1000 + 500 = 6500.
TEST(ModManuf, OneFirmFixtureEveryFigureByHand) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    test::TManufHarness step(industry);
    step.WriteStockT();
    step.SetUnitSales(1, 1, 1, {{1000, 650}, {400, 100}});
    step.SetUnitSales(1, 1, 2, {{3000, 2000}, {1000, 500}});
    step.Run();
    EXPECT_TRUE(step.Warnings().empty());

    // Withdrawn ALPHA: 200 x 20 x 0.1 = 400 of exceptional cost; (1 - 0.1) x 100 = 90.0; 400 / 1000 -> "0".
    const TSimArr& firmReport = step.Array(step.ResultsT1(), kCategoryFirmFta, 1, 1, 0, "FFXRpt");
    EXPECT_NEAR(firmReport.GetReal48({si::ffxECP}), -400, 1e-9);
    EXPECT_EQ(step.Messages(1, 1), (std::vector<Texts>{{"messages", "WitBrdECost", "ALPHA", "90.0", "0"},
                                                       {"messages", "UnderProduction", "COSMO"}}));

    // Bravo: supply 1.2 x 2000 + 300 = 2700 >= 2150, so it sells its plan; production
    // max(2150 - 300, 0.8 x 2000) = 1850, raised to 1900. Cumulative production of
    // PBRAVO 100,000 + 1900 = 101,900; e = ln 0.85 / ln 2 = -0.2344653; factor
    // 1.019^e = 0.9955967; unit cost 70 x 0.9955967 = 69.691767.
    // FIFO: 300 at 10 x 1.05 = 10.5, then 1850 at 69.691767: 3150 + 128929.77 = 132079.77;
    // average 132079.77 / 2150 = 61.432451; 50 units left, held at 50 x 69.691767 x 0.08 = 278.76707.
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brISC), 0, 1e-9);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brUSold), 2150, 1e-9);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brUProd), 1900, 1e-9);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brPCost), 69.691767, 1e-5);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brCGS), 132079.77, 1e-2);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brTCost), 61.432451, 1e-5);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brUInv), 50, 1e-9);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brIHC), 278.76707, 1e-4);
    EXPECT_NEAR(step.LayerSize(1, 1, 1, 0, 1), 0, 1e-9);
    EXPECT_NEAR(step.LayerCost(1, 1, 1, 0, 1), 10.5, 1e-9);
    EXPECT_NEAR(step.LayerSize(1, 1, 1, 1, 1), 50, 1e-9);
    EXPECT_NEAR(step.LayerCost(1, 1, 1, 1, 1), 69.691767, 1e-5);

    // COSMO: supply 1.2 x 4000 = 4800 < 6500: stocked out, sells and produces 4800, loses 1700.
    // PCOSMO 150,000 + 4800 = 154,800; 1.548^e = 0.9026207; unit cost 80 x 0.9026207 = 72.209659;
    // every unit sold from the new layer: 4800 x 72.209659 = 346606.36, nothing left.
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brUSold), 4800, 1e-9);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brUProd), 4800, 1e-9);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brPCost), 72.209659, 1e-5);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brTCost), 72.209659, 1e-5);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brCGS), 346606.36, 1e-2);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brUInv), 0, 1e-6);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brIHC), 0, 1e-6);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brISC), 0, 1e-9);

    // Each cell of COSMO's plan keeps 4800 / 6500 = 48/65 of itself; Bravo's plan stands.
    const TSimArr& sales = step.Array(step.ResultsT1(), kCategoryFtaMarket, 0, 1, 1, "BrdUSales");
    EXPECT_NEAR(sales.GetReal48({2, 1, 1}), 2215.3846, 1e-3);
    EXPECT_NEAR(sales.GetReal48({2, 1, 2}), 1476.9231, 1e-3);
    EXPECT_NEAR(sales.GetReal48({2, 2, 1}), 738.4615, 1e-3);
    EXPECT_NEAR(sales.GetReal48({2, 2, 2}), 369.2308, 1e-3);
    EXPECT_EQ(sales.GetReal48({1, 1, 2}), 650);

    // Base costs rounded; Bravo's 70 is not above BRAVO's 80 of t and its status was 1: now 2.
    // COSMO is new and keeps its status.
    const TSimArr& transfer = step.Array(step.ResultsT1(), kCategoryFtaMarket, 0, 1, 1, "BrdTransfCost");
    EXPECT_EQ(transfer.GetSmallint({1}), 70);
    EXPECT_EQ(transfer.GetSmallint({2}), 80);
    EXPECT_EQ(step.BrandDecision(1, 1, 1, 1, si::PortStatus), 2);
    EXPECT_EQ(step.BrandDecision(1, 1, 1, 2, si::PortStatus), 1);

    // Cumulative production kept for the next zone and period; PALPHA (50,000) untouched.
    const TSimArr& finances = step.Array(step.ResultsT1(), kCategoryFirmMarket, 1, 0, 1, "ProFins");
    EXPECT_EQ(finances.GetReal48({1, si::ProCumProd}), 50000);
    EXPECT_EQ(finances.GetReal48({2, si::ProCumProd}), 101900);
    EXPECT_EQ(finances.GetReal48({3, si::ProCumProd}), 154800);
}

// One firm, two zones, one market; COSMO (from PCOSMO, prototype 1: ProReqUC 60,
// ProCumProd 50,000) is new in both zones and plans 1000 units against a production
// of 2000: production max(1000, 1600) = 1600 in each zone. Zone 1 is costed at
// 51,600 units (0.516^e = 1.167814, 60 x 1.167814 = 70.068837), zone 2 after it at
// 53,200 (0.532^e = 1.159483, 69.568950); 53,200 stays in "ProFins".
TEST(ModManuf, ZonesOfAMarketSeeTheProductionOfTheZonesBeforeThem) {
    test::TFixtureSpec spec(0, 1, 2, 1);
    spec.Prototypes(1, 1) = {"PCOSMO"};
    spec.Cell(1, 1, 1).brandsT1 = {{"COSMO", "PCOSMO", {}}};
    spec.Cell(1, 2, 1).brandsT1 = {{"COSMO", "PCOSMO", {}}};
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    test::TManufHarness step(industry);
    step.WriteStockT();
    step.SetUnitSales(1, 1, 1, {{1000, 0}, {0, 0}});
    step.SetUnitSales(2, 1, 1, {{600, 400}, {0, 0}});
    step.Run();
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brPCost), 70.068837, 1e-5);
    EXPECT_NEAR(step.BrandReport(1, 2, 1, 1, si::brPCost), 69.568950, 1e-5);
    EXPECT_EQ(step.Array(step.ResultsT1(), kCategoryFirmMarket, 1, 0, 1, "ProFins").GetReal48({1, si::ProCumProd}),
              53200);
}

// A whole forecast of fixture (a) runs the step after the plan sales: the distribution
// step plans "MPBrdSegSales" / 1000 x "MPBrdChaSales" / 100 per segment and channel,
// (1001 + 1002) x (60 % + 40 %) = 2003 for Bravo and (2001 + 2002) x 100 % = 4003 for
// COSMO. Without stock of t, supplies 1.2 x 2000 and 1.2 x 4000 cover them: productions
// max(2003, 1600) and max(4003, 3200), raised to 2100 and 4100, leaving 97 units each.
TEST(ModManuf, ForecastRunsTheStepAfterThePlanSales) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    EXPECT_TRUE(world.warnings.empty());
    TDataContext firm1;
    firm1.SelFirm = firm1.SelFta = firm1.SelMarket = 1;
    const TSimArr* report = industry.PerResults(1).FindSimArr(kCategoryFirmFtaMarket, firm1, "BrdRpt");
    ASSERT_NE(report, nullptr);
    const long double sold[] = {2003, 4003};
    const long double produced[] = {2100, 4100};
    for (int b = 1; b <= 2; ++b) {
        EXPECT_NEAR(report->GetReal48({b, si::brUSold}), sold[b - 1], 1e-6) << b;
        EXPECT_NEAR(report->GetReal48({b, si::brUProd}), produced[b - 1], 1e-6) << b;
        EXPECT_NEAR(report->GetReal48({b, si::brUInv}), 97, 1e-6) << b;
    }
}

}  // namespace
}  // namespace cv
