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

}  // namespace
}  // namespace cv
