// Where the finance step books what: R&D, interest and the loan's cost or profit
// in zone 1 only, the stock price index in the last zone only, and the studies
// charged per market and zone. Decision period 1; the brand figures come from
// WriteBrandInputsT1 (fixture_finan.h): brand row 1 of zone z sells
// u = 1000 + 10 x (z - 1) units at 31 (retail) and 21 (firm), CGS 10 x u, IHC 1000,
// ISC 500, sales force 2000, advertising 3750 + 1250.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

constexpr int kConjoint = 11;

test::TFixtureSpec OneBrandIn(int firms, int zones, int markets, const std::vector<std::pair<int, int>>& cells) {
    test::TFixtureSpec spec(0, firms, zones, markets);
    spec.Prototypes(1, 1) = {"PALPHA"};
    for (const auto& [zone, market] : cells) {
        spec.Cell(1, zone, market).brandsT = {"ALPHA"};
        spec.Cell(1, zone, market).brandsT1 = {{"ALPHA", "PALPHA", {}}};
        spec.MarketAgeT(zone, market) = 1;
    }
    return spec;
}

TEST(FinanceZones, ZoneOneAloneBooksRnDAndLoansAndTheLastZoneAloneTheStockPrice) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(OneBrandIn(1, 2, 1, {{1, 1}, {2, 1}}));
    test::PrepareForecastPeriod(industry);
    test::WriteBrandInputsT1(industry);
    for (int zone = 1; zone <= 2; ++zone) {
        test::SetMarketStudyOrders(industry, 1, zone, 1, {});
        test::SetZoneStudyOrders(industry, 1, zone, {});
    }
    test::SetProjects(industry, 1, 1, 1, {100000});
    test::SetLoanRequest(industry, 1, {-4000, 0, 100000, 4, 500});
    test::SetLoanHistoryT(industry, 1, 0, {});
    // Zone 2 in period 0: retail sales 80000, and 64000 the period before; base net
    // contribution 40000, base value share 1000, cumulative net contribution 30000 and
    // no R&D; market value 600 thousand, base value 500 thousand.
    const std::pair<std::int8_t, long double> zoneTwo[] = {
        {si::ffxRSales, 80000}, {si::ffxRSalesM1, 64000}, {si::ffxNC0, 40000}, {si::ffxVMS0, 1000},
        {si::ffxCumNC, 30000},  {si::ffxCumRnD, 0},       {si::ffxMktVal, 600}, {si::ffxMktVal0, 500}};
    for (const auto& [element, value] : zoneTwo) test::SetZoneReportT(industry, 1, 2, element, value);
    EXPECT_TRUE(test::RunFinanceStep(industry).empty());

    const test::TFinanceView view(industry, 1);
    auto zone = [&view](int z, std::int8_t element) { return view.ZoneReport(1, z, element); };
    EXPECT_EQ(view.MarketReport(1, 1, 1, si::ffmRnD), 100000);
    EXPECT_EQ(view.MarketReport(1, 2, 1, si::ffmRnD), 0);
    EXPECT_EQ(zone(1, si::ffxIP), 5000);  // 5 % of the 100000 borrowed, paid in its first period
    EXPECT_EQ(zone(1, si::ffxECP), -4000);
    EXPECT_EQ(zone(2, si::ffxIP), 0);
    EXPECT_EQ(zone(2, si::ffxECP), 0);
    EXPECT_EQ(zone(2, si::ffxRnD), 0);
    // Zone 1: CAM 2500 - R&D 100000 - interest 5000 - 4000 = -106500.
    EXPECT_EQ(zone(1, si::ffxNC), -106500);
    // Zone 2: CAM = 21 x 1010 - 10100 - 1000 - 500 - 3750 - 1250 - 2000 = 2610, and nothing else.
    EXPECT_EQ(zone(2, si::ffxNC), 2610);

    // Zone 1's stock-market elements stay 0 although its report of period 0 holds values.
    for (std::int8_t element : {si::ffxSPI, si::ffxMktVal, si::ffxMktVal0, si::ffxRSalesM1, si::ffxRSalesM2})
        EXPECT_EQ(zone(1, element), 0) << static_cast<int>(element);
    // Zone 2: retail sales 31 x 1010 = 31310 after 80000 and 64000: G = sqrt(31310 / 64000);
    // P1 = (1 + (G - 1) / 2) x (0 + 30000 + 2610) / (2 x 40000); P2 = 1000 / 1000;
    // V = 10 x 40000 x (P1 + P2) = 538547.0, above 1.5 x 31310; index 1000 x V / 500000.
    const long double growth = std::sqrt(31310.0L / 64000);
    const long double value = 400000 * ((1 + (growth - 1) / 2) * 32610 / 80000 + 1);
    EXPECT_EQ(zone(2, si::ffxRSalesM1), 80000);
    EXPECT_EQ(zone(2, si::ffxRSalesM2), 64000);
    EXPECT_NEAR(static_cast<double>(zone(2, si::ffxMktVal)), static_cast<double>(value / 1000), 1e-6);
    EXPECT_EQ(zone(2, si::ffxMktVal0), 500);
    EXPECT_NEAR(static_cast<double>(zone(2, si::ffxSPI)), static_cast<double>(1000 * value / 500000), 1e-6);
}

TEST(FinanceZones, StudiesAreChargedWhenAvailableOrderedAndTheMarketHasBrandsOrIsForecast) {
    // Two firms, two zones, two markets; firm 1 markets one brand, in zone 1, market 1 only.
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(OneBrandIn(2, 2, 2, {{1, 1}}));
    test::PrepareForecastPeriod(industry);
    test::WriteBrandInputsT1(industry);
    for (int zone = 1; zone <= 2; ++zone)
        for (int market = 1; market <= 2; ++market) {
            for (int study = 1; study <= kConjoint; ++study)
                test::SetMarketStudy(industry, zone, market, study, study == kConjoint ? 0 : 1, 1000 * study);
            test::SetMarketStudyOrders(industry, 1, zone, market, {1, si::MarketForecast, kConjoint});
            test::SetMarketStudyOrders(industry, 2, zone, market, zone == 1 ? std::vector<int>{si::MarketForecast}
                                                                            : std::vector<int>{});
        }
    test::SetZoneStudy(industry, 1, si::Benchmark, 1, 8000);
    test::SetZoneStudy(industry, 2, si::Benchmark, 0, 9000);  // not available in zone 2
    for (int zone = 1; zone <= 2; ++zone) {
        test::SetZoneStudyOrders(industry, 1, zone, {si::Benchmark});
        test::SetZoneStudyOrders(industry, 2, zone, {});
    }
    // Segment sales before the step: zone 1, market 2 has no brands and keeps them.
    TDataContext emptyMarket;
    emptyMarket.SelFta = 1;
    emptyMarket.SelMarket = 2;
    TCvPerData& results = industry.PerResults(1);
    results.GetSimArr(kCategoryFtaMarket, emptyMarket, "SegSales")->SetReal48({1, si::Unit}, 77);
    TDataContext brandMarket = emptyMarket;
    brandMarket.SelMarket = 1;
    results.GetSimArr(kCategoryFtaMarket, brandMarket, "SegSales")->SetReal48({2, si::Value}, 99);
    test::RunFinanceStep(industry);

    const test::TFinanceView view(industry, 1);
    // With brands: ConsumerSurvey 1000 + MarketForecast 6000, never the unavailable Conjoint.
    EXPECT_EQ(view.MarketReport(1, 1, 1, si::ffmMRS), 7000);
    EXPECT_EQ(view.MarketReport(2, 1, 1, si::ffmMRS), 6000);  // a firm without brands in a market with brands
    // Without brands only the market forecast is charged.
    EXPECT_EQ(view.MarketReport(1, 1, 2, si::ffmMRS), 6000);
    EXPECT_EQ(view.MarketReport(2, 1, 2, si::ffmMRS), 6000);
    EXPECT_EQ(view.MarketReport(1, 2, 1, si::ffmMRS), 6000);
    EXPECT_EQ(view.MarketReport(2, 2, 2, si::ffmMRS), 0);
    // The zones add the benchmark where it is available and ordered.
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxMRS), 21000);  // 7000 + 6000 + 8000
    EXPECT_EQ(view.ZoneReport(2, 1, si::ffxMRS), 12000);
    EXPECT_EQ(view.ZoneReport(1, 2, si::ffxMRS), 12000);  // the unavailable benchmark is not charged
    EXPECT_EQ(view.ZoneReport(2, 2, si::ffxMRS), 0);

    // Segment sales: the market with brands is rebuilt (the brand sells 223 and 243 units at 31),
    // the one without keeps what it held.
    EXPECT_EQ(view.SegmentSales(1, 1, 1, si::Unit), 223);
    EXPECT_EQ(view.SegmentSales(1, 1, 2, si::Value), 31 * 243);
    EXPECT_EQ(view.SegmentSales(1, 2, 1, si::Unit), 77);
    // Shares: all of the market with brands to firm 1; none in a market without sales.
    EXPECT_EQ(view.MarketReport(1, 1, 1, si::ffmUMS), 1000);
    EXPECT_EQ(view.MarketReport(2, 1, 1, si::ffmVMS), 0);
    EXPECT_EQ(view.MarketReport(1, 1, 2, si::ffmUMS), 0);
    EXPECT_EQ(view.ZoneReport(1, 2, si::ffxVMS), 0);
}

}  // namespace
}  // namespace cv
