// Production, inventory and unit cost on fixture (a), figures derived by hand
// from the fixture's formulas (fixture_industry.h, fixture_manuf.h). There
// "Bravo" (market brand 1, firm brand 1) continues BRAVO, which holds 300 units
// of period 0 at 10, from PBRAVO (prototype 2, ProReqUC 70, ProCumProd 100,000);
// COSMO (market and firm brand 2) is new, without stock, from PCOSMO (prototype
// 3, 80, 150,000). The cost factor is 1.05, the parameters are the defaults,
// planned sales are 0 unless a case sets them.

#include "model/mod_manuf.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_manuf.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

using test::Contains;

// Bravo plans 500 and sells 500; PBRAVO costs 8 and reaches 99,600 + production =
// 100,000 units, so the experience factor is 1. Inflation 0.02 and deflator 0.03
// give the cost factor 1.05: the layer of period 0 enters t+1 at 10 x 1.05 = 10.5.
// Production max(500 - 300, 0.8 x 500) = 400; FIFO: 300 x 10.5 + 200 x 8 = 4750,
// 4750 / 500 = 9.5 a unit; 200 units left at 8, held at 200 x 8 x 0.08 = 128.
TEST(ModManufEdge, FifoTakesTheInflatedLayerOfTFirst) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    test::TManufHarness step(industry);
    step.WriteStockT();
    step.SetManufInflation(1, 0.02L, 0.03L);
    step.SetBrandDecision(1, 1, 1, 1, si::Production, 500);
    step.SetPrototype(1, 1, 2, 8, 99600);
    step.SetUnitSales(1, 1, 1, {{500, 0}, {0, 0}});
    step.Run();
    auto bravo = [&step](std::int8_t element) { return step.BrandReport(1, 1, 1, 1, element); };
    EXPECT_TRUE(test::AllClose<std::int8_t>(bravo, {{si::brUProd, 400}, {si::brPCost, 8}, {si::brCGS, 4750},
                                                    {si::brTCost, 9.5}, {si::brUInv, 200}, {si::brIHC, 128}}));
    // Bravo's layer of t (0) is sold out at its inflated cost; the one of t+1 (1) keeps 200 at 8.
    EXPECT_TRUE(test::Close(step.Layer(1, 1, 1, 0, 1, si::InvSize), 0));
    EXPECT_TRUE(test::Close(step.Layer(1, 1, 1, 0, 1, si::InvTCost), 10.5));
    EXPECT_TRUE(test::Close(step.Layer(1, 1, 1, 1, 1, si::InvSize), 200));
    EXPECT_TRUE(test::Close(step.Layer(1, 1, 1, 1, 1, si::InvTCost), 8));
}

// Bravo: production max(1000 - 300, 1600) = 1600 reaches 98,400 + 1600 = 100,000 =
// ExpEffBatch: factor 1, unit cost 70. COSMO: max(3000, 0.8 x 4000) = 3200 reaches
// 196,800 + 3200 = 200,000, twice the batch: factor 0.85, 80 x 0.85 = 68. With an
// experience parameter at or below 0 there is no experience effect: 70 and 80.
TEST(ModManufEdge, ExperienceEffectAndItsGuardedParameters) {
    struct TCase {
        const char* parameter;
        long double value;
        long double bravoCost;
        long double cosmoCost;
    };
    const TCase cases[] = {
        {"ExpEffMult", 2, 70, 68}, {"ExpEffReduc", 0, 70, 80}, {"ExpEffMult", -2, 70, 80}, {"ExpEffBatch", 0, 70, 80}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.parameter) + " " + std::to_string(static_cast<double>(c.value)));
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureA());
        {
            test::TManufHarness step(industry);
            step.WriteStockT();
            step.SetParameter(1, 1, c.parameter, c.value);
            step.SetPrototype(1, 1, 2, 70, 98400);
            step.SetPrototype(1, 1, 3, 80, 196800);
            step.SetUnitSales(1, 1, 1, {{1000, 0}, {0, 0}});
            step.SetUnitSales(1, 1, 2, {{3000, 0}, {0, 0}});
            step.Run();
            EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brPCost), c.bravoCost, 1e-9);
            EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brPCost), c.cosmoCost, 1e-9);
        }
        const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG01.TXT");
        EXPECT_EQ(Contains(log, "no experience effect"), c.cosmoCost == 80);
    }
}

// AdjustProdPlan 1.5 would plan (1 - 1.5) x 1000 = -500 and produce max(100 - 300, -500)
// = -200 units; held to 1, Bravo produces max(-200, 0) = 0 and keeps 200 of its 300 units.
TEST(ModManufEdge, ToleranceOutsideZeroToOneIsHeldToIt) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    test::TManufHarness step(industry);
    step.WriteStockT();
    step.SetParameter(1, 1, "AdjustProdPlan", 1.5L);
    step.SetBrandDecision(1, 1, 1, 1, si::Production, 1000);
    step.SetUnitSales(1, 1, 1, {{100, 0}, {0, 0}});
    step.Run();
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brUProd), 0, 1e-9);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brUSold), 100, 1e-9);
    EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brUInv), 200, 1e-9);
    EXPECT_TRUE(test::HasWarning(step.work.Warnings, "AdjustProdPlan"));
}

// Bravo's base cost (PBRAVO's ProReqUC) against BRAVO's 80 of t (market brand 2
// of t: 60 + 10 x 2), with the status the preference step left: N(80.5) = 80
// (halves to even) is not above 80: status 1 becomes 2; 81 is above; a status
// other than 1 stays; 40,000 does not fit 16 bits: stored as 32767 with a
// warning, and the run goes on.
TEST(ModManufEdge, TransferCostsSaturateAndMarkTheBrandsWhoseCostDidNotRise) {
    struct TCase {
        long double reqUC;
        long double statusBefore;
        int stored;
        long double statusAfter;
    };
    const TCase cases[] = {{80.5L, 1, 80, 2}, {81, 1, 81, 1}, {60, 3, 60, 3}, {40000, 1, 32767, 1}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<double>(c.reqUC)));
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureA());
        test::TManufHarness step(industry);
        step.WriteStockT();
        step.SetPrototype(1, 1, 2, c.reqUC, 100000);
        step.SetBrandDecision(1, 1, 1, 1, si::PortStatus, c.statusBefore);
        step.Run();
        const TSimArr& costs = test::Arr(industry.PerResults(1), kCategoryFtaMarket, 0, 1, 1, "BrdTransfCost");
        EXPECT_EQ(costs.GetSmallint({1}), c.stored);
        const TSimArr& decisions = test::Arr(industry.PerDecisions(1), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3");
        EXPECT_EQ(decisions.GetReal48({1, si::PortStatus}), c.statusAfter);
        EXPECT_EQ(test::HasWarning(step.work.Warnings, "BrdTransfCost"), c.stored == 32767);
    }
}

// Supply is the planned production raised by the tolerance 0.2 plus the stock:
// a brand whose planned sales exceed it is stocked out, sells and produces what
// it can, and each cell of its planned sales keeps its share of what it sells.
//   COSMO (new, no stock), production 1000: supply 1.2 x 1000 = 1200.
//     Demand 1300 (600, 400 / 300, 0): stocked out, sells and produces 1200, loses 100, of
//     which 1000 / 1300 x 100 = 76.9 in segment 1 and 300 / 1300 x 100 = 23.1 in segment 2;
//     each cell keeps 1200 / 1300 = 12/13 of itself: 600 -> 553.85.
//     Demand 700: production max(700, 0.8 x 1000) = 800, a multiple of 100.
//     Demand 950: production max(950, 800) = 950, raised to 1000.
//   Bravo (300 units in stock), production 1000: supply 1200 + 300 = 1500.
//     Demand 1400: sold as planned; production max(1400 - 300, 800) = 1100.
//   Bravo, production 0: supply exactly its stock, 300. Demand 300 is no stock-out:
//     sold as planned, production max(0, 0) = 0.
TEST(ModManufEdge, StockOutsAndUnitSalesFollowWhatTheBrandCanSupply) {
    struct TCase {
        int brand;
        long double production;
        long double sales[2][2];  // [segment][channel]
        long double sold;
        long double produced;
        long double lost[3];  // market, segment 1, segment 2
    };
    const TCase cases[] = {{2, 1000, {{600, 400}, {300, 0}}, 1200, 1200, {100, 77, 23}},
                           {2, 1000, {{700, 0}, {0, 0}}, 700, 800, {0, 0, 0}},
                           {2, 1000, {{500, 0}, {0, 450}}, 950, 1000, {0, 0, 0}},
                           {1, 1000, {{1000, 0}, {400, 0}}, 1400, 1100, {0, 0, 0}},
                           {1, 0, {{200, 0}, {0, 100}}, 300, 0, {0, 0, 0}}};
    for (const TCase& c : cases) {
        SCOPED_TRACE("brand " + std::to_string(c.brand) + " sold " + std::to_string(static_cast<int>(c.sold)));
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureA());
        DebugLevel = 5;
        {
            test::TManufHarness step(industry);
            step.WriteStockT();
            step.SetBrandDecision(1, 1, 1, c.brand, si::Production, c.production);
            step.SetUnitSales(1, 1, c.brand, {{c.sales[0][0], c.sales[0][1]}, {c.sales[1][0], c.sales[1][1]}});
            step.Run();
            EXPECT_NEAR(step.BrandReport(1, 1, 1, c.brand, si::brUSold), c.sold, 1e-9);
            EXPECT_NEAR(step.BrandReport(1, 1, 1, c.brand, si::brUProd), c.produced, 1e-9);
            const TSimArr& sales = test::Arr(industry.PerResults(1), kCategoryFtaMarket, 0, 1, 1, "BrdUSales");
            const long double planned = c.sales[0][0] + c.sales[0][1] + c.sales[1][0] + c.sales[1][1];
            for (int s = 1; s <= 2; ++s)
                for (int ch = 1; ch <= 2; ++ch)
                    EXPECT_NEAR(sales.GetReal48({c.brand, s, ch}), c.sales[s - 1][ch - 1] * c.sold / planned, 1e-6)
                        << s << ", " << ch;
        }
        const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG01.TXT");
        const std::string lost = FormatText("%.0f   %.0f   %.0f", {c.lost[0], c.lost[1], c.lost[2]});
        EXPECT_TRUE(Contains(log, "Total lost sales : " + lost)) << log;
        const bool stockedOut = c.lost[0] > 0;
        EXPECT_EQ(Contains(log, "Lost sales for "), stockedOut);
        if (stockedOut) {
            EXPECT_TRUE(Contains(log, "Lost sales for COSMO : " + lost)) << log;
        }
    }
}

// The firm's brand 1 of t is withdrawn in t+1 (Bravo continues its brand 2):
// its layer of period 0, 200 units, is disposed of at ISCCoef 0.1 of its unit
// cost. At 20 that is 200 x 20 x 0.1 = 400 of exceptional cost, with a message
// naming the brand; a layer whose cost is zero or negative sends no message,
// and at zero costs nothing.
TEST(ModManufEdge, AWithdrawnBrandsStockCostsOnlyWhenItsLayersCostSomething) {
    struct TOutcome {
        int messages;
        long double exceptionalCost;
    };
    const auto run = [](long double unitCost) {
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureA());
        test::TManufHarness step(industry);
        step.WriteStockT();
        test::Arr(industry.PerResults(0), kCategoryFirmFtaMarket, 1, 1, 1, "Inventory")
            .SetReal48({0, 1, si::InvTCost}, unitCost);
        step.Run();
        TCvPerData& results = industry.PerResults(1);
        const TDataContext firmZone = test::FixtureCell(1, 1, 1, 0);
        const TSimArr& messages = test::Arr(results, kCategoryFirmFta, firmZone, "MsgSim2Fir");
        int count = 0;
        for (int row = 1; row <= results.GetSmallint(kCategoryFirmFta, firmZone, "NbMsgSim"); ++row)
            count += messages.GetZts({row, si::Keyword}) == "WitBrdECost" ? 1 : 0;
        return TOutcome{count, test::Arr(results, kCategoryFirmFta, firmZone, "FFXRpt").GetReal48({si::ffxECP})};
    };
    const TOutcome costed = run(20);
    const TOutcome free = run(0);
    const TOutcome negative = run(-5);
    EXPECT_EQ(free.messages, costed.messages - 1);
    EXPECT_EQ(negative.messages, costed.messages - 1);
    EXPECT_TRUE(test::Close(free.exceptionalCost - costed.exceptionalCost, 400));
}

}  // namespace
}  // namespace cv
