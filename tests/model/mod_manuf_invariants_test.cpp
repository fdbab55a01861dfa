// Production, inventory and unit cost: what must hold on every fixture, the
// randomised ones included. Planned sales follow 500 x b + 100 x s + 37 x c, so
// that some brands are stocked out and most productions are rounded up.

#include "model/mod_manuf.h"

#include <gtest/gtest.h>

#include <string>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_manuf.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

constexpr long double kUnitsTolerance = 1e-6L;

// The stock of t of a continuing brand: every layer of its row of t (the fixtures sell nothing off).
long double StockOfT(test::TManufHarness& step, const TModManuf& module, int firm, int firmBrand) {
    const int previous = module.pDbix[firm][firmBrand];
    if (previous == 0 || module.Ctx.DecPeriod == 0) return 0;
    const TSimArr& layers = step.Array(step.ResultsT(), kCategoryFirmFtaMarket, firm, module.Ctx.SelFta,
                                       module.Ctx.SelMarket, "Inventory");
    long double stock = 0;
    for (int k = layers.LB(1); k <= layers.UB(1); ++k) stock += layers.GetReal48({k, previous, si::InvSize});
    return stock;
}

long double PlannedSales(const TSimArr& sales, int brand) {
    long double total = 0;
    for (int s = sales.LB(2); s <= sales.UB(2); ++s)
        for (int c = sales.LB(3); c <= sales.UB(3); ++c) total += sales.GetReal48({brand, s, c});
    return total;
}

// After the cell's three steps, for every marketed brand: the stock entering t+1 is
// the stock of t; opening stock + production = units sold + closing stock, the closing
// stock being what the layers hold; no layer is negative; the planned sales add up
// to the units sold and never exceed the plan.
void CheckCell(test::TManufHarness& step, TModManuf& module, const TMktBrandReals& planned) {
    const int zone = module.Ctx.SelFta;
    const int market = module.Ctx.SelMarket;
    const TSimArr& sales = step.Array(step.ResultsT1(), kCategoryFtaMarket, 0, zone, market, "BrdUSales");
    for (int i = 1; i <= module.NbMktedBrdsT1; ++i) {
        SCOPED_TRACE("zone " + std::to_string(zone) + ", market " + std::to_string(market) + ", brand " +
                     std::to_string(i));
        const int firm = module.Dfix[i];
        const int row = module.Dbix[i];
        EXPECT_NEAR(module.OpeningStock[i], StockOfT(step, module, firm, row), kUnitsTolerance);
        const TSimArr& layers = step.Array(step.ResultsT1(), kCategoryFirmFtaMarket, firm, zone, market, "Inventory");
        long double closing = 0;
        for (int k = layers.LB(1); k <= layers.UB(1); ++k) {
            EXPECT_GE(layers.GetReal48({k, row, si::InvSize}), 0) << "layer " << k;
            closing += layers.GetReal48({k, row, si::InvSize});
        }
        const long double sold = step.BrandReport(firm, zone, market, row, si::brUSold);
        const long double produced = step.BrandReport(firm, zone, market, row, si::brUProd);
        EXPECT_GE(produced, 0);
        EXPECT_NEAR(module.OpeningStock[i] + produced, sold + closing, kUnitsTolerance);
        EXPECT_NEAR(step.BrandReport(firm, zone, market, row, si::brUInv), closing, kUnitsTolerance);
        EXPECT_NEAR(PlannedSales(sales, i), sold, kUnitsTolerance);
        EXPECT_LE(sold, planned[i] + kUnitsTolerance);
        if (sold < planned[i] - kUnitsTolerance) {
            EXPECT_NEAR(closing, 0, kUnitsTolerance);  // a stocked-out brand sells all it has
        }
    }
}

// The back bone's order, markets outer and zones inner, one cell at a time.
void RunAndCheck(TCvInd& industry) {
    test::TManufHarness step(industry);
    step.WriteStockT();
    step.SetFormulaUnitSales();
    TModManuf& module = step.Module();
    for (int market = 1; market <= industry.NbMarkets(); ++market)
        for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
            module.Ctx.SelFirm = 0;
            module.SetMarket(zone, market);
            for (int firm = 1; firm <= industry.NbFirms(); ++firm) {
                module.Ctx.SelFirm = static_cast<std::int16_t>(firm);
                module.InventoryCosts(rfMarketingPlan);
            }
            module.Ctx.SelFirm = 0;
            if (module.NbMktedBrdsT1 == 0) continue;
            const TSimArr& sales = step.Array(step.ResultsT1(), kCategoryFtaMarket, 0, zone, market, "BrdUSales");
            TMktBrandReals planned{};
            for (int i = 1; i <= module.NbMktedBrdsT1; ++i) planned[i] = PlannedSales(sales, i);
            module.MatchProduction(rfMarketingPlan);
            module.UnitTransferCost(rfMarketingPlan);
            CheckCell(step, module, planned);
        }
    EXPECT_TRUE(step.Warnings().empty());
}

TEST(ModManufInvariants, UnitsAreConservedAndNoStockIsNegativeOnEveryFixture) {
    for (const char* name : {"a", "b", "c"}) {
        SCOPED_TRACE(std::string("fixture ") + name);
        test::TModelWorld world;
        const test::TFixtureSpec spec =
            name[0] == 'a' ? test::FixtureA() : name[0] == 'b' ? test::FixtureB() : test::FixtureC();
        RunAndCheck(world.OpenFixture(spec));
    }
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("fixture d, seed " + std::to_string(seed));
        test::TModelWorld world;
        RunAndCheck(world.OpenFixture(test::FixtureD(seed)));
    }
}

}  // namespace
}  // namespace cv
