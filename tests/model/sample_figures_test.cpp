// What a team sees of the sample, under every variant, can be believed: the
// studies place ideal points and brands on their scales and maps, the semantic
// estimation of each market's first scale puts every segment's ideal within the
// scale's range, the brands' units of a segment round up to the thousand the
// marketing plan shows them in, the decision period orders only studies the
// team's study dialog shows, and no prototype reads ready before period 0.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/session/industry.h"
#include "core/stats/regression.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/support/test_industry.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

constexpr int kCurrent = 3;
constexpr int kDecision = 4;
constexpr int kZones = 2;
constexpr int kMarkets = 3;
// Studies report in thousandths: scale positions of 1..7, map positions of -20..20.
constexpr int kScaleBottom = 1000, kScaleTop = 7000, kMapEdge = 20000;

class SampleFigures : public ::testing::TestWithParam<sample::TSampleVariant> {
protected:
    SampleFigures() : industry(world.Open(sample::WriteSampleIndustryFile(world.GamesDir(), GetParam()))) {}

    const TSimArr* Find(const TCvPerData& set, int category, int firm, int zone, int market, std::string_view name) {
        return set.FindSimArr(category, test::FixtureCell(set.Period(), firm, zone, market), name);
    }
    int Smallint(const TCvPerData& set, int category, int firm, int zone, int market, std::string_view name) {
        return set.GetSmallint(category, test::FixtureCell(set.Period(), firm, zone, market), name);
    }
    // Every (period, zone, market) of the results a team reads.
    template <class Check>
    void ForEveryResultCell(Check check) {
        for (int period = 0; period <= kCurrent; ++period)
            for (int zone = 1; zone <= kZones; ++zone)
                for (int market = 1; market <= kMarkets; ++market) {
                    SCOPED_TRACE("period " + std::to_string(period) + " zone " + std::to_string(zone) + " market " +
                                 std::to_string(market));
                    check(industry.PerResults(static_cast<std::int16_t>(period)), zone, market);
                }
    }

    void StudiesPlaceIdealPointsAndBrandsOnTheirScalesAndMaps();
    void TheSemanticEstimationPutsEveryIdealWithinTheScale();
    void EverySegmentsUnitsRoundUpToTheThousandThePlanShows();
    void TheDecisionPeriodOrdersOnlyStudiesTheDialogShows();
    void NoFinishedPrototypeReadsReadyBeforePeriodZero();

    test::TModelWorld world;
    TCvInd& industry;
};

// An element of a study position array lies within [Low, High].
void ExpectWithin(const TSimArr& positions, TIndex at, int low, int high, const char* what) {
    const int value = positions.GetSmallint(at);
    EXPECT_GE(value, low) << what;
    EXPECT_LE(value, high) << what;
}

void SampleFigures::StudiesPlaceIdealPointsAndBrandsOnTheirScalesAndMaps() {
    ForEveryResultCell([&](const TCvPerData& results, int zone, int market) {
        const TSeries& segments = *industry.SegSeries(zone, market);
        const TSeries& scales = *industry.SemSeries(market);
        const TSeries& axes = *industry.MapSeries(market);
        const TSimArr* semantic = Find(results, kCategoryFtaMarket, 0, zone, market, "PosSemIPs");
        const TSimArr* map = Find(results, kCategoryFtaMarket, 0, zone, market, "PosMapIPs");
        ASSERT_TRUE(semantic && map);
        for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
            for (int k = scales.Lo(); k <= scales.Hi(); ++k)
                ExpectWithin(*semantic, {s, k, si::PSStuIP}, kScaleBottom, kScaleTop, "semantic ideal point");
            for (int d = axes.Lo(); d <= axes.Hi(); ++d)
                ExpectWithin(*map, {s, d, si::PMStuIP}, -kMapEdge, kMapEdge, "map ideal point");
        }
        const int brands = Smallint(results, kCategoryFtaMarket, 0, zone, market, "NbMktedBrds");
        const TSimArr* perceived = Find(results, kCategoryFtaMarket, 0, zone, market, "PosSemBrds");
        const TSimArr* placed = Find(results, kCategoryFtaMarket, 0, zone, market, "PosMapBrds");
        for (int b = 1; b <= brands; ++b) {
            for (int k = scales.Lo(); k <= scales.Hi(); ++k)
                ExpectWithin(*perceived, {b, k, si::PSStuBrd}, kScaleBottom, kScaleTop, "perceived brand");
            for (int d = axes.Lo(); d <= axes.Hi(); ++d)
                ExpectWithin(*placed, {b, d, si::PMStuBrd}, -kMapEdge, kMapEdge, "brand on the map");
        }
    });
}

// The line of the first attribute over its perception, through the market's
// brands, turns each segment's studied ideal point into an attribute within
// the scale's range.
void SampleFigures::TheSemanticEstimationPutsEveryIdealWithinTheScale() {
    ForEveryResultCell([&](const TCvPerData& results, int zone, int market) {
        const int brands = Smallint(results, kCategoryFtaMarket, 0, zone, market, "NbMktedBrds");
        if (brands < 2) return;
        const int scale = industry.SemSeries(market)->Lo();
        const TSimArr& positions = *Find(results, kCategoryFtaMarket, 0, zone, market, "PosSemBrds");
        std::vector<double> perceived, actual;
        for (int b = 1; b <= brands; ++b) {
            perceived.push_back(positions.GetSmallint({b, scale, si::PSStuBrd}) / 1000.0);
            actual.push_back(positions.GetSmallint({b, scale, si::AttAct}));
        }
        double slope = 0, intercept = 0, r2 = 0;
        SimpleRegression(brands, perceived, actual, slope, intercept, r2);
        const TSimArr& pars =
            test::Arr(industry.ConstPart(), kCategoryMarket, test::FixtureCell(kCurrent, 0, 0, market), "SemPosPars");
        const TSimArr& ideals = *Find(results, kCategoryFtaMarket, 0, zone, market, "PosSemIPs");
        const TSeries& segments = *industry.SegSeries(zone, market);
        for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
            const double ideal = slope * ideals.GetSmallint({s, scale, si::PSStuIP}) / 1000.0 + intercept;
            EXPECT_GE(ideal, static_cast<double>(pars.GetReal48({scale, si::MinScale}))) << "segment " << s;
            EXPECT_LE(ideal, static_cast<double>(pars.GetReal48({scale, si::MaxScale}))) << "segment " << s;
        }
    });
}

// The plan shows a segment's last-period units to the nearest thousand and
// each brand's share of that: the units must not round down, or the brands'
// shares would add up to more than the whole.
void SampleFigures::EverySegmentsUnitsRoundUpToTheThousandThePlanShows() {
    ForEveryResultCell([&](const TCvPerData& results, int zone, int market) {
        const TSimArr* sales = Find(results, kCategoryFtaMarket, 0, zone, market, "BrdUSales");
        ASSERT_NE(sales, nullptr);
        const TSeries& segments = *industry.SegSeries(zone, market);
        for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
            double units = 0;
            for (int b = sales->LB(1); b <= sales->UB(1); ++b)
                for (int c = sales->LB(3); c <= sales->UB(3); ++c) units += static_cast<double>(sales->GetReal48({b, s, c}));
            EXPECT_LE(units, 1000 * std::nearbyint(units / 1000)) << "segment " << s;
        }
    });
}

// Each ordered study of the decision period is one the zone's study dialog
// shows with a box to tick: not hidden, not disabled, available in the cell.
void SampleFigures::TheDecisionPeriodOrdersOnlyStudiesTheDialogShows() {
    const TCvPerData& decisions = industry.PerDecisions(kDecision);
    struct TOrders {
        int category, paramsCategory;
        const char *orders, *params, *series;
        int markets;
    };
    const TOrders kinds[] = {{kCategoryFirmFta, kCategoryFta, "DecStuFta", "StuFtaParams", "StuFta", 0},
                             {kCategoryFirmFtaMarket, kCategoryFtaMarket, "DecStuMkt", "StuMktParams", "StuMkt", kMarkets}};
    int ordered = 0;
    for (const TOrders& kind : kinds) {
        const TSeries& studies = *industry.FindSeries(kind.series);
        for (int firm = 1; firm <= industry.NbFirms(); ++firm)
            for (int zone = 1; zone <= kZones; ++zone)
                for (int market = kind.markets == 0 ? 0 : 1; market <= kind.markets; ++market) {
                    const TSimArr* orders = Find(decisions, kind.category, firm, zone, market, kind.orders);
                    const TSimArr* params = Find(industry.ConstPart(), kind.paramsCategory, 0, zone, market, kind.params);
                    ASSERT_TRUE(orders && params);
                    for (int study = studies.Lo(); study <= studies.Hi(); ++study) {
                        if (orders->GetByte({study}) == 0) continue;
                        ++ordered;
                        const std::string label = studies.GetLabel(study);
                        EXPECT_FALSE(industry.RestrictHidden(kind.series, label)) << label;
                        EXPECT_FALSE(industry.RestrictEnabled(kind.series, label)) << label;
                        EXPECT_NE(params->GetReal48({study, si::IsStuAvailable}), 0) << label;
                    }
                }
    }
    EXPECT_GT(ordered, 0);
}

void SampleFigures::NoFinishedPrototypeReadsReadyBeforePeriodZero() {
    for (int period = 0; period <= kCurrent; ++period)
        for (int firm = 1; firm <= industry.NbFirms(); ++firm)
            for (int market = 1; market <= kMarkets; ++market) {
                const TCvPerData& results = industry.PerResults(static_cast<std::int16_t>(period));
                const TSimArr* finances = Find(results, kCategoryFirmMarket, firm, 0, market, "ProFins");
                ASSERT_NE(finances, nullptr);
                for (int p = 1; p <= Smallint(results, kCategoryFirmMarket, firm, 0, market, "NbPros"); ++p) {
                    if (finances->GetReal48({p, si::ProReqBgt}) != 0) continue;
                    EXPECT_GE(finances->GetReal48({p, si::ProPerEnd}), 0)
                        << "period " << period << " firm " << firm << " market " << market << " prototype " << p;
                }
            }
}

// The sample is written once per variant; each check says what it holds.
TEST_P(SampleFigures, WhatATeamSeesCanBeBelieved) {
    StudiesPlaceIdealPointsAndBrandsOnTheirScalesAndMaps();
    TheSemanticEstimationPutsEveryIdealWithinTheScale();
    EverySegmentsUnitsRoundUpToTheThousandThePlanShows();
    TheDecisionPeriodOrdersOnlyStudiesTheDialogShows();
    NoFinishedPrototypeReadsReadyBeforePeriodZero();
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, SampleFigures, ::testing::ValuesIn(test::EverySampleVariant()),
                         [](const ::testing::TestParamInfo<sample::TSampleVariant>& info) {
                             return test::VariantName(info.param);
                         });

}  // namespace
}  // namespace cv
