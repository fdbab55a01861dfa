// Invariants of the preference preparation on randomised industries
// (FixtureD: 3 firms, 2 zones, 2 markets, brands carried on, renamed or new,
// made from any firm's prototypes; t = 2). The fixture's inputs are those of
// tests/model/fixtures/fixture_pref.h: scale rows in modes 1, 2 and 4 with
// rates of 0 or more.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/store/data_context.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "model/mod_pref.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_pref.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::TPrefRun;

constexpr std::uint32_t kSeeds = 16;

class TCellCheck {
public:
    TCellCheck(TPrefRun& run, int zone, int market)
        : run_(run),
          zone_(zone),
          market_(market),
          brands_(run.module.NbMktedBrdsT1),
          positions_(Forecast("PosSemBrds")),
          scales_(Forecast("SemScales")),
          params_(TPrefRun::Array(run.Constant(), kCategoryMarket, 0, 0, market, "SemPosPars")),
          lastTops_(TPrefRun::Array(run.ResultsT(), kCategoryFtaMarket, 0, zone, market, "SemScales")) {}

    // Segment sales of t in the work record, and their total.
    void SegmentSales() const {
        const TSimArr& sales = TPrefRun::Array(run_.ResultsT(), kCategoryFtaMarket, 0, zone_, market_, "SegSales");
        double total = 0;
        for (int s = run_.module.SegSeries->Lo(); s <= run_.module.SegSeries->Hi(); ++s) {
            EXPECT_EQ(run_.work.SegSalesT[s], static_cast<double>(sales.GetReal48({s, si::Unit})));
            total += run_.work.SegSalesT[s];
        }
        EXPECT_EQ(run_.work.SegSalesT[0], total);
    }

    // Every brand takes the characteristics of its own prototype, wherever it
    // is listed: "ProTecs"[j, p] of firm f = 100 + 10 p + j + f / 2, rounded.
    void AttributesFollowThePrototype() const {
        for (int brand = 1; brand <= brands_; ++brand) {
            const int firm = run_.module.Rfix[brand];
            const int row = run_.module.Rpix[brand];
            for (int p = run_.module.DimSeries->Lo(); p <= run_.module.DimSeries->Hi(); ++p)
                EXPECT_EQ(positions_.GetSmallint({brand, p, si::AttAct}),
                          std::nearbyint(100 + 10 * p + row + firm / 2.0))
                    << "brand " << brand << " p " << p;
        }
    }

    // 4 for a brand new in the market, else 1 or 3 as its characteristics changed.
    void PortfolioStatus() const {
        const TSimArr& before = TPrefRun::Array(run_.ResultsT(), kCategoryFtaMarket, 0, zone_, market_, "PosSemBrds");
        for (int brand = 1; brand <= brands_; ++brand) {
            const int previous = run_.module.pMbix[brand];
            double expected = kPortNew;
            if (previous != 0) {
                bool same = true;
                for (int p = run_.module.DimSeries->Lo(); p <= run_.module.DimSeries->Hi(); ++p)
                    same = same && before.GetSmallint({previous, p, si::AttAct}) ==
                                       positions_.GetSmallint({brand, p, si::AttAct});
                expected = same ? kPortCarriedOn : kPortModified;
            }
            const TSimArr& decisions = TPrefRun::Array(run_.DecisionsT1(), kCategoryFirmFtaMarket,
                                                       run_.module.Dfix[brand], zone_, market_, "DecBrdCV3");
            EXPECT_EQ(decisions.GetReal48({run_.module.Dbix[brand], si::PortStatus}), expected) << "brand " << brand;
        }
    }

    // Fixed scales keep MaxScale; the others never fall below last period's top
    // (rates are not negative), grow at most by their rate, and stop at MaxScale in mode 4.
    void ScaleEnds() const {
        for (int k = run_.module.SemSeries->Lo(); k <= run_.module.SemSeries->Hi(); ++k) {
            const long double maxScale = params_.GetReal48({k, si::MaxScale});
            const int mode = static_cast<int>(params_.GetReal48({k, si::CalcScales}));
            const int lastTop = lastTops_.GetSmallint({k, si::SrMax});
            const int top = scales_.GetSmallint({k, si::SrMax});
            EXPECT_EQ(scales_.GetSmallint({k, si::SrMin}), std::nearbyint(params_.GetReal48({k, si::MinScale})));
            if (mode == kScaleFixed) {
                EXPECT_EQ(top, std::nearbyint(maxScale)) << "k " << k;
            }
            if (mode == kScaleInflated) {
                EXPECT_GE(top, lastTop) << "k " << k;
                EXPECT_LE(top, std::nearbyint((1 + params_.GetReal48({k, si::InflaScale})) * lastTop)) << "k " << k;
            }
            if (mode == kScaleUpToMax) {
                EXPECT_LE(top, std::nearbyint(maxScale)) << "k " << k;
                EXPECT_GE(top, std::min<long double>(lastTop, maxScale)) << "k " << k;
            }
        }
    }

    // Natural positions grow with the attribute, and stay within -1000..1000
    // for an attribute inside its scale.
    void NaturalPositions() const {
        for (int k = run_.module.SemSeries->Lo(); k <= run_.module.SemSeries->Hi(); ++k) {
            const int lo = scales_.GetSmallint({k, si::SrMin});
            const int hi = scales_.GetSmallint({k, si::SrMax});
            for (int brand = 1; brand <= brands_; ++brand) {
                const int a = positions_.GetSmallint({brand, k, si::AttAct});
                const int position = positions_.GetSmallint({brand, k, si::NatPos});
                if (a >= lo && a <= hi && lo >= 0) {
                    EXPECT_GE(position, -1000) << "brand " << brand << " k " << k;
                    EXPECT_LE(position, 1000) << "brand " << brand << " k " << k;
                }
                for (int other = 1; other <= brands_; ++other) {
                    if (positions_.GetSmallint({other, k, si::AttAct}) > a) {
                        EXPECT_GE(positions_.GetSmallint({other, k, si::NatPos}), position)
                            << "brands " << brand << ", " << other << " k " << k;
                    }
                }
            }
        }
    }

private:
    TSimArr& Forecast(std::string_view name) const {
        return TPrefRun::Array(run_.ResultsT1(), kCategoryFtaMarket, 0, zone_, market_, name);
    }

    TPrefRun& run_;
    int zone_;
    int market_;
    int brands_;
    const TSimArr& positions_;
    const TSimArr& scales_;
    const TSimArr& params_;
    const TSimArr& lastTops_;
};

TEST(ModPrefInvariants, RandomisedIndustriesKeepStatusScaleAndPositionRules) {
    int prepared = 0;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureD(seed));
        TPrefRun run(industry);
        for (int zone = 1; zone <= 2; ++zone)
            for (int market = 1; market <= 2; ++market) {
                TDataContext cell;
                cell.SelFta = static_cast<std::int16_t>(zone);
                cell.SelMarket = static_cast<std::int16_t>(market);
                if (run.ResultsT1().GetSmallint(kCategoryFtaMarket, cell, "NbMktedBrds") == 0) continue;
                SCOPED_TRACE("zone " + std::to_string(zone) + ", market " + std::to_string(market));
                run.Prepare(zone, market);
                ++prepared;
                const TCellCheck check(run, zone, market);
                check.SegmentSales();
                check.AttributesFollowThePrototype();
                check.PortfolioStatus();
                check.ScaleEnds();
                check.NaturalPositions();
                EXPECT_EQ(run.module.Ctx.SelFirm, run.module.Rfix[run.module.NbMktedBrdsT1]);
            }
        EXPECT_TRUE(run.work.Warnings.empty());
    }
    EXPECT_GT(prepared, static_cast<int>(kSeeds));  // most industries have several markets with brands
}

}  // namespace
}  // namespace cv
