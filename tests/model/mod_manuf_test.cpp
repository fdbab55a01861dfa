// Production, inventory and unit cost on the one-firm fixture, every figure
// the step writes derived by hand from the fixture's formulas
// (fixture_industry.h, fixture_manuf.h), and the order of zones within a market.

#include "model/mod_manuf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/base/log_file.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_manuf.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

using Texts = std::vector<std::string>;

// A figure of the brand report and the tolerance of its hand derivation.
struct TBrandFigure {
    std::int8_t element;
    long double expected;
    double tolerance;
};

// Figures of firm 1's brand FirmBrand in zone 1 and market 1.
void ExpectBrandFigures(const test::TManufHarness& step, int firmBrand, std::initializer_list<TBrandFigure> figures) {
    for (const TBrandFigure& figure : figures)
        EXPECT_NEAR(step.BrandReport(1, 1, 1, firmBrand, figure.element), figure.expected, figure.tolerance)
            << "brand " << firmBrand << ", element " << +figure.element;
}

// Size and unit cost of a stock layer, the cost within Tolerance.
struct TLayer {
    long double size;
    long double cost;
    double tolerance;
};

// The stock layers of firm 1's brand 1 in zone 1 and market 1: of t (0) and of t+1 (1).
void ExpectBravoLayers(const test::TManufHarness& step, const TLayer& carried, const TLayer& produced) {
    for (const auto& [layer, expected] : {std::pair{0, carried}, {1, produced}}) {
        EXPECT_NEAR(step.LayerSize(1, 1, 1, layer, 1), expected.size, 1e-9) << "layer " << layer;
        EXPECT_NEAR(step.LayerCost(1, 1, 1, layer, 1), expected.cost, expected.tolerance) << "layer " << layer;
    }
}

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
    const TSimArr& firmReport = test::Arr(step.ResultsT1(), kCategoryFirmFta, 1, 1, 0, "FFXRpt");
    EXPECT_NEAR(firmReport.GetReal48({si::ffxECP}), -400, 1e-9);
    EXPECT_EQ(step.Messages(1, 1), (std::vector<Texts>{{"messages", "WitBrdECost", "ALPHA", "90.0", "0"},
                                                       {"messages", "UnderProduction", "COSMO"}}));

    // Bravo: supply 1.2 x 2000 + 300 = 2700 >= 2150, so it sells its plan; production
    // max(2150 - 300, 0.8 x 2000) = 1850, raised to 1900. Cumulative production of
    // PBRAVO 100,000 + 1900 = 101,900; e = ln 0.85 / ln 2 = -0.2344653; factor
    // 1.019^e = 0.9955967; unit cost 70 x 0.9955967 = 69.691767.
    // FIFO: 300 at 10 x 1.05 = 10.5, then 1850 at 69.691767: 3150 + 128929.77 = 132079.77;
    // average 132079.77 / 2150 = 61.432451; 50 units left, held at 50 x 69.691767 x 0.08 = 278.76707.
    ExpectBrandFigures(step, 1, {{si::brISC, 0, 1e-9}, {si::brUSold, 2150, 1e-9}, {si::brUProd, 1900, 1e-9},
                                 {si::brPCost, 69.691767, 1e-5}, {si::brCGS, 132079.77, 1e-2},
                                 {si::brTCost, 61.432451, 1e-5}, {si::brUInv, 50, 1e-9}, {si::brIHC, 278.76707, 1e-4}});
    ExpectBravoLayers(step, {0, 10.5, 1e-9}, {50, 69.691767, 1e-5});

    // COSMO: supply 1.2 x 4000 = 4800 < 6500: stocked out, sells and produces 4800, loses 1700.
    // PCOSMO 150,000 + 4800 = 154,800; 1.548^e = 0.9026207; unit cost 80 x 0.9026207 = 72.209659;
    // every unit sold from the new layer: 4800 x 72.209659 = 346606.36, nothing left.
    ExpectBrandFigures(step, 2, {{si::brUSold, 4800, 1e-9}, {si::brUProd, 4800, 1e-9}, {si::brPCost, 72.209659, 1e-5},
                                 {si::brTCost, 72.209659, 1e-5}, {si::brCGS, 346606.36, 1e-2}, {si::brUInv, 0, 1e-6},
                                 {si::brIHC, 0, 1e-6}, {si::brISC, 0, 1e-9}});

    // Each cell of COSMO's plan keeps 4800 / 6500 = 48/65 of itself; Bravo's plan stands.
    const TSimArr& sales = test::Arr(step.ResultsT1(), kCategoryFtaMarket, 0, 1, 1, "BrdUSales");
    const long double kept = 48.0L / 65;
    for (const auto& [segment, channel, planned] : {std::tuple{1, 1, 3000}, {1, 2, 2000}, {2, 1, 1000}, {2, 2, 500}})
        EXPECT_TRUE(test::Close(sales.GetReal48({2, segment, channel}), planned * kept)) << segment << ", " << channel;
    EXPECT_EQ(sales.GetReal48({1, 1, 2}), 650);

    // Base costs rounded; Bravo's 70 is not above BRAVO's 80 of t and its status was 1: now 2.
    // COSMO is new and keeps its status.
    const TSimArr& transfer = test::Arr(step.ResultsT1(), kCategoryFtaMarket, 0, 1, 1, "BrdTransfCost");
    EXPECT_EQ(transfer.GetSmallint({1}), 70);
    EXPECT_EQ(transfer.GetSmallint({2}), 80);
    EXPECT_EQ(step.BrandDecision(1, 1, 1, 1, si::PortStatus), 2);
    EXPECT_EQ(step.BrandDecision(1, 1, 1, 2, si::PortStatus), 1);

    // Cumulative production kept for the next zone and period; PALPHA (50,000) untouched.
    const TSimArr& finances = test::Arr(step.ResultsT1(), kCategoryFirmMarket, 1, 0, 1, "ProFins");
    EXPECT_EQ(finances.GetReal48({1, si::ProCumProd}), 50000);
    EXPECT_EQ(finances.GetReal48({2, si::ProCumProd}), 101900);
    EXPECT_EQ(finances.GetReal48({3, si::ProCumProd}), 154800);
}

// Production, inventory and unit cost: the focused cases, on fixture (a) unless
// said otherwise. There "Bravo" (market brand 1, firm brand 1) continues BRAVO,
// which holds 300 units of period 0 at 10, from PBRAVO (prototype 2, ProReqUC 70,
// ProCumProd 100,000); COSMO (market and firm brand 2) is new, without stock, from
// PCOSMO (prototype 3, 80, 150,000); ALPHA (200 units at 20) is withdrawn. The
// cost factor is 1.05, the parameters are the defaults, planned sales are 0
// unless a case sets them (fixture_manuf.h: the writer, the harness's stand-ins
// and its stock of t).

bool HasMessage(const std::vector<Texts>& messages, const Texts& message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

using test::Contains;

// COSMO plans a production of 1000; tolerance 0.2.
//   demand 1300 > supply 1.2 x 1000 = 1200: stocked out, sells and produces 1200, loses 100,
//     of which 1000 / 1300 x 100 = 76.9 in segment 1 and 300 / 1300 x 100 = 23.1 in segment 2;
//   demand 700: production max(700, 0.8 x 1000) = 800, a multiple of 100;
//   demand 950: production max(950, 800) = 950, raised to 1000.
TEST(ModManufEdge, StockOutAndProductionRounding) {
    struct TCase {
        long double sales[2][2];  // [segment][channel]
        long double sold;
        long double produced;
        bool stockedOut;
    };
    const TCase cases[] = {{{{600, 400}, {300, 0}}, 1200, 1200, true},
                           {{{700, 0}, {0, 0}}, 700, 800, false},
                           {{{500, 0}, {0, 450}}, 950, 1000, false}};
    for (const TCase& c : cases) {
        SCOPED_TRACE("sold " + std::to_string(static_cast<int>(c.sold)));
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureA());
        DebugLevel = 5;
        {
            test::TManufHarness step(industry);
            step.WriteStockT();
            step.SetBrandDecision(1, 1, 1, 2, si::Production, 1000);
            step.SetUnitSales(1, 1, 2, {{c.sales[0][0], c.sales[0][1]}, {c.sales[1][0], c.sales[1][1]}});
            step.Run();
            EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brUSold), c.sold, 1e-9);
            EXPECT_NEAR(step.BrandReport(1, 1, 1, 2, si::brUProd), c.produced, 1e-9);
            EXPECT_EQ(HasMessage(step.Messages(1, 1), {"messages", "UnderProduction", "COSMO"}), c.stockedOut);
            // The planned sales follow the units sold: 600, 400, 300 keep 12/13 of themselves.
            const TSimArr& sales = test::Arr(step.ResultsT1(), kCategoryFtaMarket, 0, 1, 1, "BrdUSales");
            long double total = 0;
            for (int s = 1; s <= 2; ++s)
                for (int ch = 1; ch <= 2; ++ch) total += sales.GetReal48({2, s, ch});
            EXPECT_NEAR(total, c.sold, 1e-6);
            if (c.stockedOut) {
                EXPECT_NEAR(sales.GetReal48({2, 1, 1}), 600 * 12.0L / 13, 1e-6);
            }
        }
        const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG01.TXT");
        EXPECT_EQ(Contains(log, "Lost sales for COSMO : 100   77   23"), c.stockedOut);
        EXPECT_TRUE(Contains(log, c.stockedOut ? "Total lost sales : 100   77   23" : "Total lost sales : 0   0   0"));
    }
}

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
    ExpectBrandFigures(step, 1, {{si::brUProd, 400, 1e-9}, {si::brPCost, 8, 1e-9}, {si::brCGS, 4750, 1e-6},
                                 {si::brTCost, 9.5, 1e-9}, {si::brUInv, 200, 1e-9}, {si::brIHC, 128, 1e-6}});
    ExpectBravoLayers(step, {0, 10.5, 1e-9}, {200, 8, 1e-9});
}

// Bravo sells nothing; its stock of t is 300 units at 10. Selling off 100 costs
// 100 x 10 x 0.1 = 100 and leaves 200 units at 10.5. Asking for 500 disposes of
// the 300 there are, for 300: the message counts those 300. A brand whose
// physical characteristics changed disposes of its whole stock whatever it decided.
TEST(ModManufEdge, StockSoldOffOrOfAChangedBrandIsDisposedOf) {
    struct TCase {
        long double sellStock;
        bool modified;
        long double cost;
        long double left;
        Texts message;
    };
    const TCase cases[] = {{100, false, 100, 200, {"messages", "InvDisposalECost", "BRAVO", "90.0", "0", "100"}},
                           {500, false, 300, 0, {"messages", "InvDisposalECost", "BRAVO", "90.0", "0", "300"}},
                           {50, true, 300, 0, {"messages", "ModBrdECost", "BRAVO", "90.0", "0", "300"}}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.message[1] + " " + c.message[5]);
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureA());
        test::TManufHarness step(industry);
        step.WriteStockT();
        step.SetBrandDecision(1, 1, 1, 1, si::SellStock, c.sellStock);
        if (c.modified) {
            TSimArr& positions = test::Arr(step.ResultsT1(), kCategoryFtaMarket, 0, 1, 1, "PosSemBrds");
            positions.SetSmallint({1, 1, si::AttAct}, positions.GetSmallint({1, 1, si::AttAct}) + 1);
        }
        step.Run();
        EXPECT_NEAR(step.BrandReport(1, 1, 1, 1, si::brISC), c.cost, 1e-9);
        EXPECT_NEAR(step.LayerSize(1, 1, 1, 0, 1), c.left, 1e-9);
        EXPECT_NEAR(step.LayerCost(1, 1, 1, 0, 1), 10.5, 1e-9);
        EXPECT_TRUE(HasMessage(step.Messages(1, 1), c.message));
        EXPECT_EQ(step.BrandDecision(1, 1, 1, 1, si::SellStock), c.sellStock);
    }
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
    EXPECT_TRUE(test::HasWarning(step.Warnings(), "AdjustProdPlan"));
}

}  // namespace
}  // namespace cv
