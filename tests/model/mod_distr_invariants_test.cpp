// Invariants of plan sales and zone results on every fixture, the randomised
// ones included: the channel sales of a segment add up to its plan, the
// sales-force cost is fully allocated when the allocations of each channel
// add up to 1, the sales force is the sum of its channels, and the average
// prices lie within the channel prices.

#include "model/mod_distr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_distr.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::DecisionArray;
using test::ResultReal;

constexpr double kRelativeTolerance = 1e-9;

double Near(long double expected) { return kRelativeTolerance * std::max(1.0L, std::abs(expected)); }

std::vector<test::TFixtureSpec> AllFixtures() {
    std::vector<test::TFixtureSpec> specs{test::FixtureA(), test::FixtureB(), test::FixtureC()};
    for (std::uint32_t seed = 1; seed <= 6; ++seed) specs.push_back(test::FixtureD(seed));
    return specs;
}

// Every firm shares each channel's force equally among all its brands of t+1 in the zone.
void AllocateWholeForces(TCvInd& industry) {
    const int period = industry.CurPeriod() + 1;
    for (int firm = 1; firm <= industry.NbFirms(); ++firm)
        for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
            int brands = 0;
            TDataContext cell;
            cell.SelFirm = static_cast<std::int16_t>(firm);
            cell.SelFta = static_cast<std::int16_t>(zone);
            for (int market = 1; market <= industry.NbMarkets(); ++market) {
                cell.SelMarket = static_cast<std::int16_t>(market);
                brands += industry.PerDecisions(period).GetSmallint(kCategoryFirmFtaMarket, cell, "NbMktedBrds");
            }
            for (int market = 1; market <= industry.NbMarkets(); ++market) {
                TSimArr& alloc =
                    DecisionArray(industry, period, kCategoryFirmFtaMarket, firm, zone, market, "SlfAlloc");
                for (int c = alloc.LB(1); c <= alloc.UB(1); ++c)
                    for (int k = alloc.LB(2); k <= alloc.UB(2); ++k)
                        alloc.SetReal48({c, k}, brands ? 1.0L / brands : 0);
            }
        }
}

class ModDistrInvariants : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        industry_ = &world_.OpenFixture(AllFixtures()[static_cast<std::size_t>(GetParam())]);
        AllocateWholeForces(*industry_);
        bench_.emplace(*industry_);
        bench_->RunAll();
        period_ = industry_->CurPeriod() + 1;
    }

    // The brand's plan of segment S against the sum of its channel sales.
    void CheckPlanSplit(TModDistr& distr, int brand) {
        const TSimArr& plan = DecisionArray(*industry_, period_, kCategoryFirmFtaMarket, distr.Dfix[brand],
                                            distr.Ctx.SelFta, distr.Ctx.SelMarket, "MPBrdSegSales");
        for (int s = distr.SegSeries->Lo(); s <= distr.SegSeries->Hi(); ++s) {
            long double channels = 0;
            for (int c = distr.ChaSeries->Lo(); c <= distr.ChaSeries->Hi(); ++c) {
                const long double units = distr.BrdUSalesT1->GetReal48({brand, s, c});
                EXPECT_GE(units, 0);
                channels += units;
            }
            const long double planned = plan.GetReal48({distr.Dbix[brand], s});
            EXPECT_NEAR(channels, planned, Near(planned)) << "brand " << brand << ", segment " << s;
        }
    }

    // Each average price lies within the brand's channel prices, the selling price below the retail one.
    void CheckPrices(TModDistr& distr, int brand) {
        const auto report = [&](std::int8_t element) {
            return ResultReal(*industry_, period_, kCategoryFirmFtaMarket, distr.Dfix[brand], distr.Ctx.SelFta,
                              distr.Ctx.SelMarket, "BrdRpt", {distr.Dbix[brand], element});
        };
        long double lowest = std::numeric_limits<long double>::max();
        long double highest = 0;
        for (int c = distr.ChaSeries->Lo(); c <= distr.ChaSeries->Hi(); ++c) {
            const long double price = distr.BrdRPricesT1->GetReal48({brand, c});
            lowest = std::min(lowest, price);
            highest = std::max(highest, price);
        }
        // Channel prices are stored rounded: half a unit either way.
        EXPECT_GE(report(si::brRPrice), lowest - 0.5);
        EXPECT_LE(report(si::brRPrice), highest + 0.5);
        EXPECT_LE(report(si::brSPrice), report(si::brRPrice));
    }

    // Sum of the firm's brands' sales-force costs in the zone; Brands counts them.
    long double ChargedToBrands(int firm, int zone, int& brands) {
        long double charged = 0;
        brands = 0;
        TModDistr& distr = bench_->Distr();
        for (int market = 1; market <= industry_->NbMarkets(); ++market) {
            distr.SetMarket(zone, market);
            for (int brand = 1; brand <= distr.NbMktedBrdsT1; ++brand)
                if (distr.Dfix[brand] == firm) {
                    ++brands;
                    charged += ResultReal(*industry_, period_, kCategoryFirmFtaMarket, firm, zone, market, "BrdRpt",
                                          {distr.Dbix[brand], si::brSlf});
                }
        }
        return charged;
    }

    long double FirmReport(int firm, int zone, std::int8_t element) {
        return ResultReal(*industry_, period_, kCategoryFirmFta, firm, zone, 0, "FFXRpt", {element});
    }

    test::TModelWorld world_;
    TCvInd* industry_ = nullptr;
    std::optional<test::TDistrBench> bench_;
    int period_ = 0;
};

TEST_P(ModDistrInvariants, ChannelSalesAddUpToThePlanAndPricesLieWithinTheChannels) {
    TModDistr& distr = bench_->Distr();
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
        for (int market = 1; market <= industry_->NbMarkets(); ++market) {
            SCOPED_TRACE("zone " + std::to_string(zone) + ", market " + std::to_string(market));
            distr.SetMarket(zone, market);
            for (int brand = 1; brand <= distr.NbMktedBrdsT1; ++brand) {
                CheckPlanSplit(distr, brand);
                CheckPrices(distr, brand);
            }
        }
    EXPECT_TRUE(bench_->work.Warnings.empty());
}

TEST_P(ModDistrInvariants, SalesForceIsItsChannelsAndItsCostIsFullyAllocated) {
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
        for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
            SCOPED_TRACE("firm " + std::to_string(firm) + ", zone " + std::to_string(zone));
            const TSimArr& sizes = DecisionArray(*industry_, period_, kCategoryFirmFta, firm, zone, 0, "SlfSize");
            long double salespeople = 0;
            for (int c = sizes.LB(1); c <= sizes.UB(1); ++c) salespeople += sizes.GetReal48({c});
            EXPECT_EQ(FirmReport(firm, zone, si::ffxSlp), salespeople);
            const long double cost = FirmReport(firm, zone, si::ffxSlfB) + FirmReport(firm, zone, si::ffxSlfH) +
                                     FirmReport(firm, zone, si::ffxSlfF);
            int brands = 0;
            const long double charged = ChargedToBrands(firm, zone, brands);
            // A firm without brands in the zone has nothing to charge its force to.
            EXPECT_NEAR(charged, brands ? cost : 0, Near(cost));
        }
}

INSTANTIATE_TEST_SUITE_P(AllFixtures, ModDistrInvariants, ::testing::Range(0, 9));

}  // namespace
}  // namespace cv
