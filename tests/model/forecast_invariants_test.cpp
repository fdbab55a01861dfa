// What must hold after a complete forecast, whatever the figures: the channel
// sales add up to the plan and units are conserved; and a parameter the
// industry leaves out acts as its default.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

using test::Arr;
using test::Close;

// A complete forecast on the randomised fixture of seed 2 (fixture_catalog.h).
class ForecastInvariants : public ::testing::Test {
protected:
    void SetUp() override {
        industry_ = &world_.OpenFixture(test::FixtureD(2));
        ASSERT_TRUE(world_.RunForecast()) << world_.failureReason;
        EXPECT_TRUE(world_.warnings.empty());
        t_ = industry_->CurPeriod();
        view_.emplace(*industry_, t_ + 1);
    }

    const TCvPerData& Results() const { return industry_->PerResults(t_ + 1); }
    const TCvPerData& Decisions() const { return industry_->PerDecisions(t_ + 1); }

    // Calls Check(zone, market, brand, firm, row) for every marketed brand of t+1.
    template <class Check>
    void ForEachBrand(Check check) const {
        for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
            for (int market = 1; market <= industry_->NbMarkets(); ++market)
                for (int brand = 1; brand <= view_->MarketCount(zone, market); ++brand) {
                    SCOPED_TRACE("zone " + std::to_string(zone) + ", market " + std::to_string(market) +
                                 ", brand " + std::to_string(brand));
                    check(zone, market, brand, view_->MarketLink(zone, market, brand, si::Dfix),
                          view_->MarketLink(zone, market, brand, si::Dbix));
                }
    }

    // Whether market brand Brand of t+1 changed its actual attributes since t
    // (it was brand Previous of t) on the market's dimensions, "Price" included.
    bool AttributesChanged(int zone, int market, int brand, int previous) const {
        const TSimArr& before = Arr(industry_->PerResults(t_), kCategoryFtaMarket, 0, zone, market, "PosSemBrds");
        const TSimArr& after = Arr(Results(), kCategoryFtaMarket, 0, zone, market, "PosSemBrds");
        for (int p = industry_->DimSeries(market)->Lo(); p <= industry_->DimSeries(market)->Hi(); ++p)
            if (before.GetSmallint({previous, p, si::AttAct}) != after.GetSmallint({brand, p, si::AttAct}))
                return true;
        return false;
    }

    test::TModelWorld world_;
    TCvInd* industry_ = nullptr;
    int t_ = 0;
    std::optional<test::TForecastView> view_;
};

// Channel sales of a segment add up to the plan; the average prices lie within
// the channel prices, the selling price below the retail one; the stock of t
// less what is disposed of, plus production, is the units sold plus the
// closing stock in the layers.
TEST_F(ForecastInvariants, SalesFollowThePlanAndUnitsAreConserved) {
    ForEachBrand([&](int zone, int market, int brand, int firm, int row) {
        const TSimArr& sales = Arr(Results(), kCategoryFtaMarket, 0, zone, market, "BrdUSales");
        const TSimArr& plan = Arr(Decisions(), kCategoryFirmFtaMarket, firm, zone, market, "MPBrdSegSales");
        long double sold = 0;
        for (int s = sales.LB(2); s <= sales.UB(2); ++s) {
            long double channels = 0;
            for (int c = sales.LB(3); c <= sales.UB(3); ++c) channels += sales.GetReal48({brand, s, c});
            EXPECT_TRUE(Close(channels, plan.GetReal48({row, s}))) << "segment " + std::to_string(s);
            sold += channels;
        }
        const TSimArr& prices = Arr(Results(), kCategoryFtaMarket, 0, zone, market, "BrdRPrices");
        long double lowest = prices.GetSmallint({brand, prices.LB(2)}), highest = lowest;
        for (int c = prices.LB(2); c <= prices.UB(2); ++c) {
            lowest = std::min<long double>(lowest, prices.GetSmallint({brand, c}));
            highest = std::max<long double>(highest, prices.GetSmallint({brand, c}));
        }
        auto report = [&](std::int8_t element) { return view_->Brand(firm, zone, market, row, element); };
        EXPECT_GE(report(si::brRPrice), lowest - 0.5);  // channel prices are stored rounded
        EXPECT_LE(report(si::brRPrice), highest + 0.5);
        EXPECT_LE(report(si::brSPrice), report(si::brRPrice));

        const int previous = view_->FirmLink(firm, zone, market, row, si::pDbix);
        long double opening = 0, closing = 0;
        if (previous) {
            const TSimArr& before = Arr(industry_->PerResults(t_), kCategoryFirmFtaMarket, firm, zone, market, "Inventory");
            for (int k = before.LB(1); k <= before.UB(1); ++k) opening += before.GetReal48({k, previous, si::InvSize});
        }
        const TSimArr& layers = Arr(Results(), kCategoryFirmFtaMarket, firm, zone, market, "Inventory");
        for (int k = layers.LB(1); k <= layers.UB(1); ++k) {
            EXPECT_GE(layers.GetReal48({k, row, si::InvSize}), 0) << "layer " << k;
            closing += layers.GetReal48({k, row, si::InvSize});
        }
        EXPECT_TRUE(Close(report(si::brUSold), sold)) << "units sold";
        // The stock of t of a brand whose attributes changed (its price among them) is
        // disposed of, otherwise what the firm decided to sell off.
        const TSimArr& mix = Arr(Decisions(), kCategoryFirmFtaMarket, firm, zone, market, "DecBrdCV3");
        const int previousInMarket = view_->MarketLink(zone, market, brand, si::pMbix);
        const bool changed = previousInMarket && AttributesChanged(zone, market, brand, previousInMarket);
        const long double disposed =
            changed ? opening : std::clamp(mix.GetReal48({row, si::SellStock}), 0.0L, opening);
        EXPECT_TRUE(Close(opening - disposed + report(si::brUProd), sold + closing)) << "units conserved";
        EXPECT_TRUE(Close(report(si::brUInv), closing)) << "closing stock";
    });
}

// A parameter the industry leaves out acts as its documented default: the
// forecast with the parameter absent leaves the same bytes as with the default
// written in every cell of its category, and other bytes with another value
// (so that the fixture shows the parameter's effect at all).
TEST(ForecastParameters, AnAbsentParameterActsAsItsDefault) {
    // Industry: 'B' fixture (b) at period four, 'D' the randomised fixture of
    // seed 1 (two zones: the second hires), 'C' the first-period fixture, 'S'
    // the sample industry (stock of t, some of it sold off below).
    struct TCase {
        char industry;
        int category;
        const char* name;
        long double byDefault;
        long double other;
    };
    const TCase cases[] = {
        {'B', kCategoryFta, "SlpBaseCost", 20000, 25000},        {'B', kCategoryFta, "SlpFireCost", 5000, 6000},
        {'D', kCategoryFta, "SlpHireCost", 3000, 4000},          {'B', kCategoryIndustry, "NPBgtMin", 7000000, 9000000},
        {'B', kCategoryIndustry, "NPBgtMax", 20000000, 6000000}, {'B', kCategoryIndustry, "NPBgtCoef", 0.4L, 100},
        {'C', kCategoryFta, "RevGrowthBefPer0", 0.05L, 0.2L},    {'B', kCategoryFta, "SpiBase", 1000, 1500},
        {'B', kCategoryFta, "SpiLag", 1, 2},                     {'B', kCategoryFta, "SpiCoefPER", 10, 15},
        {'B', kCategoryFta, "SpiCoefMin", 1.5L, 50},             {'S', kCategoryFtaMarket, "ISCCoef", 0.1L, 0.3L},
        {'B', kCategoryFtaMarket, "AdjustProdPlan", 0.2L, 0},    {'B', kCategoryFtaMarket, "IHCCoef", 0.08L, 0.2L},
        {'B', kCategoryFtaMarket, "ExpEffReduc", 0.85L, 0.7L},   {'B', kCategoryFtaMarket, "ExpEffMult", 2, 3},
        {'B', kCategoryFtaMarket, "ExpEffBatch", 100000, 50000}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TModelWorld world;
        TCvInd& industry = c.industry == 'S'   ? world.Open(sample::WriteSampleIndustryFile(world.GamesDir()))
                           : c.industry == 'D' ? world.OpenFixture(test::FixtureD(1))
                           : c.industry == 'C' ? world.OpenFixture(test::FixtureC())
                                               : world.OpenFixture(test::FixtureBAtPeriodFour());
        auto forecast = [&] {
            EXPECT_TRUE(world.RunForecast()) << world.failureReason;
            const int t = industry.CurPeriod();
            return std::vector<test::TGridBytes>{test::GridBytes(industry.PerResults(t + 1)),
                                                 test::GridBytes(industry.PerDecisions(t + 2))};
        };
        auto set = [&](long double value) {
            for (int zone = 0; zone <= industry.NbFtas(); ++zone)
                for (int market = 0; market <= industry.NbMarkets(); ++market) {
                    const bool zoneCell = c.category != kCategoryIndustry, marketCell = c.category == kCategoryFtaMarket;
                    if ((zone > 0) != zoneCell || (market > 0) != marketCell) continue;
                    industry.ConstPart().SetReal(c.category, test::FixtureCell(0, 0, zone, market), c.name, value);
                }
        };
        if (c.industry == 'S') {
            // The sample sells no stock in its decision period: ALBA's few units in the North are sold off.
            TSimArr& mix = Arr(industry.PerDecisions(industry.CurPeriod() + 1), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3");
            mix.SetReal48({1, si::SellStock}, mix.GetReal48({1, si::AvailStock}));
        }
        const auto absent = forecast();
        set(c.byDefault);
        EXPECT_TRUE(forecast() == absent);
        set(c.other);
        EXPECT_FALSE(forecast() == absent);
    }
}

}  // namespace
}  // namespace cv
