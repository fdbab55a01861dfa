// The complete forecast on the randomised fixture (d): 3 firms, 2 zones, 2
// markets, each firm's brands drawn by the seed. Whatever the draw, the
// figures that pass from step to step follow from the fixture's formulas:
// the brand in slot k of its firm plans 1000 k + s units in segment s (two
// segments: 2000 k + 3 in all, split over the channels by shares that add up
// to 100 %) and decides a production of 2000 k, so it is never stocked out
// (2000 k + 3 < 1.2 x 2000 k); with no stock of t it sells its plan, produces
// max(2000 k + 3, 0.8 x 2000 k) raised to 2000 k + 100, and keeps 97 units.
// The prototypes of t have no cumulative production and there is no R&D
// contract, so each prototype of t+1 has produced exactly what the brands
// built on it in every zone of its market produced.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::Arr;
using test::Close;

long double BrandUnits(const TSimArr& sales, int brand) {
    long double units = 0;
    for (int s = sales.LB(2); s <= sales.UB(2); ++s)
        for (int c = sales.LB(3); c <= sales.UB(3); ++c) units += sales.GetReal48({brand, s, c});
    return units;
}

TEST(ForecastFlow, FiguresFlowFromPlanToProductionPrototypesAndDefaults) {
    const test::TFixtureSetup setup = test::FixtureD(1);
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(setup);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    EXPECT_TRUE(world.warnings.empty());
    const int t = setup.currentPeriod;
    const TCvPerData& results = industry.PerResults(t + 1);
    const TCvPerData& decisions = industry.PerDecisions(t + 1);
    const TCvPerData& defaults = industry.PerDecisions(t + 2);
    const test::TForecastView view(industry, t + 1);
    // Production credited to (firm, market, prototype row), from the brands.
    std::map<std::tuple<int, int, int>, long double> produced;
    int brands = 0;
    for (int zone = 1; zone <= setup.zones; ++zone)
        for (int market = 1; market <= setup.markets; ++market) {
            const TSimArr& sales = Arr(results, kCategoryFtaMarket, 0, zone, market, "BrdUSales");
            for (int firm = 1; firm <= setup.firms; ++firm) {
                const TSimArr& report = Arr(results, kCategoryFirmFtaMarket, firm, zone, market, "BrdRpt");
                for (int k = 1; k <= view.FirmCount(firm, zone, market); ++k) {
                    SCOPED_TRACE("firm " + std::to_string(firm) + ", zone " + std::to_string(zone) + ", market " +
                                 std::to_string(market) + ", brand " + std::to_string(k));
                    ++brands;
                    const int brand = view.FirmLink(firm, zone, market, k, si::Mbix);
                    EXPECT_TRUE(Close(BrandUnits(sales, brand), 2000 * k + 3)) << "units";
                    EXPECT_TRUE(Close(report.GetReal48({k, si::brUSold}), 2000 * k + 3)) << "units";
                    EXPECT_EQ(report.GetReal48({k, si::brUProd}), 2000 * k + 100);
                    EXPECT_TRUE(Close(report.GetReal48({k, si::brUInv}), 97)) << "units";
                    const int owner = view.MarketLink(zone, market, brand, si::Rfix);
                    const int row = view.MarketLink(zone, market, brand, si::Rpix);
                    produced[{owner, market, row}] += 2000 * k + 100;

                    const TSimArr& mix = Arr(defaults, kCategoryFirmFtaMarket, firm, zone, market, "DecBrdCV3");
                    EXPECT_TRUE(Close(mix.GetReal48({k, si::AvailStock}), 97)) << "units";
                    const TSimArr& segments = Arr(defaults, kCategoryFirmFtaMarket, firm, zone, market, "MPBrdSegSales");
                    for (int s = 1; s <= setup.segments; ++s)
                        EXPECT_TRUE(Close(segments.GetReal48({k, s}), 1000 * k + s)) << "segment plan";
                    // Whole-percent splits come back as they were decided.
                    const TSimArr& shares = Arr(defaults, kCategoryFirmFtaMarket, firm, zone, market, "MPBrdChaSales");
                    const TSimArr& decided = Arr(decisions, kCategoryFirmFtaMarket, firm, zone, market, "MPBrdChaSales");
                    for (int c = 1; c <= setup.channels; ++c)
                        EXPECT_EQ(shares.GetReal48({k, c}), decided.GetReal48({k, c})) << "channel " << c;
                }
            }
        }
    EXPECT_GT(brands, 0);
    for (int firm = 1; firm <= setup.firms; ++firm)
        for (int market = 1; market <= setup.markets; ++market) {
            const TSimArr& fins = Arr(results, kCategoryFirmMarket, firm, 0, market, "ProFins");
            const int count = results.GetSmallint(kCategoryFirmMarket, test::FixtureCell(0, firm, 0, market), "NbPros");
            for (int row = 1; row <= count; ++row) {
                const auto credited = produced.find({firm, market, row});
                EXPECT_EQ(fins.GetReal48({row, si::ProCumProd}), credited == produced.end() ? 0 : credited->second)
                    << "prototype " << row << " of firm " << firm << " in market " << market;
            }
        }
    EXPECT_EQ(test::FirstDifference(test::GridBytes(defaults), test::GridBytes(industry.PerDefaults(t + 2))), "");
}

}  // namespace
}  // namespace cv
