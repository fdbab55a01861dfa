// The complete forecast on every fixture: the figures that the tests of each
// step derived by hand come out of one whole run, and the figures that pass
// from step to step (planned units into production, production into the
// prototypes and finance, the forecast into the defaults of t+2) follow from
// them by the same formulas.
//
// Fixture (a), t = 0, T = 1 (fixture_industry.h and the step writers): firm 1
// markets "Bravo" (market brand 1, its brand 1, BRAVO of t, prototype PBRAVO =
// row 2) and COSMO (2, new, PCOSMO = row 3) in zone 1, market 1; two segments
// and two channels; every money factor 1 (the production cost factor 1.05 only
// touches stock of t, and there is none).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "model/mod_pref.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

// A cell of a data set; the period is no part of its address.
TDataContext CellAt(int firm, int zone, int market) { return test::FixtureCell(0, firm, zone, market); }

// Stored reals are 6-byte reals (39-bit fractions).
constexpr double kTolerance = 1e-6;
constexpr double kRelative = 1e-10;

// The experience exponent with the default parameters: ln 0.85 / ln 2.
const long double kExperience = std::log(0.85L) / std::log(2.0L);

void ExpectClose(long double actual, long double expected, const std::string& what) {
    const double bound = std::max(kTolerance, kRelative * std::fabs(static_cast<double>(expected)));
    EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected), bound) << what;
}

const TSimArr& Arr(const TCvPerData& set, int category, int firm, int zone, int market, std::string_view name) {
    const TSimArr* array = set.FindSimArr(category, CellAt(firm, zone, market), name);
    if (!array) throw std::runtime_error("no array " + std::string(name));
    return *array;
}

// What one complete forecast left in the industry: results of t+1, decisions of t+2.
class TForecastResult {
public:
    explicit TForecastResult(TCvInd& industry)
        : view(industry, industry.CurPeriod() + 1), industry_(industry), t_(industry.CurPeriod()) {}

    const test::TForecastView view;

    const TCvPerData& Results() const { return industry_.PerResults(t_ + 1); }
    const TCvPerData& DecisionsT2() const { return industry_.PerDecisions(t_ + 2); }

    long double Brand(int firm, int zone, int market, int row, std::int8_t element) const {
        return Arr(Results(), kCategoryFirmFtaMarket, firm, zone, market, "BrdRpt").GetReal48({row, element});
    }
    long double Zone(int firm, int zone, std::int8_t element) const {
        return Arr(Results(), kCategoryFirmFta, firm, zone, 0, "FFXRpt").GetReal48({element});
    }
    long double Market(int firm, int zone, int market, std::int8_t element) const {
        return Arr(Results(), kCategoryFirmFtaMarket, firm, zone, market, "FFMRpt").GetReal48({element});
    }
    long double Units(int zone, int market, int brand, int segment, int channel) const {
        return Arr(Results(), kCategoryFtaMarket, 0, zone, market, "BrdUSales").GetReal48({brand, segment, channel});
    }
    long double Prototype(int firm, int market, int row, std::int8_t column) const {
        return Arr(Results(), kCategoryFirmMarket, firm, 0, market, "ProFins").GetReal48({row, column});
    }
    int NbPros(int firm, int market) const {
        return Results().GetSmallint(kCategoryFirmMarket, CellAt(firm, 0, market), "NbPros");
    }
    int TransferCost(int zone, int market, int brand) const {
        return Arr(Results(), kCategoryFtaMarket, 0, zone, market, "BrdTransfCost").GetSmallint({brand});
    }
    long double Layer(int firm, int zone, int market, int layer, int row, std::int8_t element) const {
        return Arr(Results(), kCategoryFirmFtaMarket, firm, zone, market, "Inventory").GetReal48({layer, row, element});
    }
    int Position(int zone, int market, int brand, int scale, std::int8_t column) const {
        return Arr(Results(), kCategoryFtaMarket, 0, zone, market, "PosSemBrds").GetSmallint({brand, scale, column});
    }
    int Scale(int zone, int market, int scale, std::int8_t end) const {
        return Arr(Results(), kCategoryFtaMarket, 0, zone, market, "SemScales").GetSmallint({scale, end});
    }
    // Decisions of t+2, firm, zone and market.
    long double Default(int firm, int zone, int market, std::string_view name, const TIndex& index) const {
        return Arr(DecisionsT2(), kCategoryFirmFtaMarket, firm, zone, market, name).GetReal48(index);
    }

private:
    TCvInd& industry_;
    int t_;
};

// Fixture (a) with the finance inputs of mod_finan_test.cpp's acceptance
// (every market study available at 1000 x s but Conjoint, firm 1 orders
// ConsumerSurvey, MarketForecast and Conjoint and the zone's Benchmark at
// 8000; the loan request CostProfit -4000, BgtChg 20000, 100000 over 4 periods
// at 5 %; results of period 0 with a loan, reports and cumulative slots), but
// no R&D project and the market steps' own output instead of its brand inputs.
class FixtureAForecast : public ::testing::Test {
protected:
    static constexpr int kConjoint = 11;

    FixtureAForecast() : industry_(world_.OpenFixture(test::FixtureA())) {
        for (int study = 1; study <= kConjoint; ++study)
            test::SetMarketStudy(industry_, 1, 1, study, study == kConjoint ? 0 : 1, 1000 * study);
        test::SetMarketStudyOrders(industry_, 1, 1, 1, {1, 6, kConjoint});
        test::SetZoneStudy(industry_, 1, 1, 1, 8000);
        test::SetZoneStudyOrders(industry_, 1, 1, {1});
        test::SetLoanRequest(industry_, 1, {-4000, 20000, 100000, 4, 500});
        test::SetLoanHistoryT(industry_, 1, 0, {700, 30000, 200000, 2, 1000});
        for (const auto& [element, value] : {std::pair<std::int8_t, long double>{si::ffmCumMRS, 4000},
                                             {si::ffmCumRnD, 90000}})
            test::SetMarketReportT(industry_, 1, 1, 1, element, value);
        for (const auto& [element, value] : {std::pair<std::int8_t, long double>{si::ffxCumMRS, 4000},
                                             {si::ffxCumRnD, 90000}, {si::ffxCumIP, 20000}, {si::ffxCumECP, 1000}})
            test::SetZoneReportT(industry_, 1, 1, element, value);
    }

    // Runs the forecast; the figures are read through Result.
    const TForecastResult& Run() {
        if (!world_.RunForecast()) throw std::runtime_error(world_.failureReason);
        EXPECT_TRUE(world_.warnings.empty());
        result_.emplace(industry_);
        return *result_;
    }

    test::TModelWorld world_;
    TCvInd& industry_;
    std::optional<TForecastResult> result_;
};

// Marketed brands (marketed_brands_test.cpp, FixtureAOneFirmCarriesABrandOnAndLaunchesOne)
// and preference (mod_pref_test.cpp, OneFirmAttributesStatusScalesAndNaturalPositions).
TEST_F(FixtureAForecast, BrandsAndTheirPreferenceFigures) {
    const TForecastResult& forecast = Run();
    EXPECT_EQ(forecast.view.MarketCount(1, 1), 2);
    EXPECT_EQ(forecast.view.MarketLink(1, 1, 1, si::pMbix), 2);
    EXPECT_EQ(forecast.view.MarketLink(1, 1, 1, si::Rpix), 2);
    EXPECT_EQ(forecast.view.MarketLink(1, 1, 2, si::Rpix), 3);
    EXPECT_EQ(forecast.view.MarketAge(1, 1), 2);
    const int attributes[2][4] = {{112, 122, 132, 1106}, {114, 124, 134, 1206}};
    const int natural[2][4] = {{-200, 396, 941, 82}, {-67, 605, 956, 1102}};
    for (int brand = 1; brand <= 2; ++brand)
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(forecast.Position(1, 1, brand, k, si::AttAct), attributes[brand - 1][k - 1]) << brand << k;
            EXPECT_EQ(forecast.Position(1, 1, brand, k, si::NatPos), natural[brand - 1][k - 1]) << brand << k;
        }
    const int bottoms[] = {100, 100, 0, 1000};
    const int tops[] = {130, 127, 140, 1196};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(forecast.Scale(1, 1, k, si::SrMin), bottoms[k - 1]);
        EXPECT_EQ(forecast.Scale(1, 1, k, si::SrMax), tops[k - 1]);
    }
    // Statuses as the preference step sets them: Bravo modified, COSMO new; the
    // production step turns only a status of 1 into 2.
    const TSimArr& mix = Arr(industry_.PerDecisions(1), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3");
    EXPECT_EQ(mix.GetReal48({1, si::PortStatus}), kPortModified);
    EXPECT_EQ(mix.GetReal48({2, si::PortStatus}), kPortNew);
}

// Distribution (mod_distr_test.cpp, PlannedSalesBecomeBrandUnitSalesPerSegmentAndChannel,
// SalesForceCostsOfTheFirmAndItsBrands, ChannelMarginsRetailPricesAndAveragePrices).
// Bravo plans 1001 and 1002 units split 60 / 40, COSMO 2001 and 2002 in channel 1;
// production supplies both plans whole (below), so the units stand.
TEST_F(FixtureAForecast, PlanSalesSalesForceAndPrices) {
    const TForecastResult& forecast = Run();
    ExpectClose(forecast.Units(1, 1, 1, 1, 1), 600.6L, "Bravo s1 c1");
    ExpectClose(forecast.Units(1, 1, 1, 1, 2), 400.4L, "Bravo s1 c2");
    ExpectClose(forecast.Units(1, 1, 1, 2, 1), 601.2L, "Bravo s2 c1");
    ExpectClose(forecast.Units(1, 1, 1, 2, 2), 400.8L, "Bravo s2 c2");
    ExpectClose(forecast.Units(1, 1, 2, 1, 1), 2001, "COSMO s1 c1");
    ExpectClose(forecast.Units(1, 1, 2, 2, 1), 2002, "COSMO s2 c1");
    EXPECT_EQ(forecast.Units(1, 1, 2, 1, 2), 0);
    EXPECT_EQ(forecast.Zone(1, 1, si::ffxSlp), 23);
    ExpectClose(forecast.Zone(1, 1, si::ffxSlfB), 460000, "ffxSlfB");
    ExpectClose(forecast.Zone(1, 1, si::ffxSlfF), 15000, "ffxSlfF");
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brSlf), 59375, "Bravo brSlf");
    ExpectClose(forecast.Brand(1, 1, 1, 2, si::brSlf), 118750, "COSMO brSlf");
    const int retail[2][2] = {{1051, 995}, {1146, 1085}};
    const TSimArr& prices = Arr(forecast.Results(), kCategoryFtaMarket, 0, 1, 1, "BrdRPrices");
    for (int brand = 1; brand <= 2; ++brand)
        for (int channel = 1; channel <= 2; ++channel)
            EXPECT_EQ(prices.GetSmallint({brand, channel}), retail[brand - 1][channel - 1]);
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brRPrice), (1201.8L * 1050.7L + 801.2L * 995.4L) / 2003, "Bravo");
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brSPrice),
                (1201.8L * 1050.7L * 0.9L + 801.2L * 995.4L * 0.8L) / 2003, "Bravo brSPrice");
    ExpectClose(forecast.Brand(1, 1, 1, 2, si::brRPrice), 1145.7L, "COSMO brRPrice");
    ExpectClose(forecast.Brand(1, 1, 1, 2, si::brSPrice), 1031.13L, "COSMO brSPrice");
}

// Production (the formulas of mod_manuf_test.cpp on the forecast's own inputs):
// Production 2000 x slot, no stock of t, ProCumProd of t+1 0 (the R&D copy of t);
// base unit costs ProReqUC = 60 j + 14: PBRAVO 134, PCOSMO 194.
//   Bravo: demand 2003 <= 1.2 x 2000: sells 2003; max(2003, 1600) raised to 2100;
//     factor (2100 / 100,000)^e = 0.021^e; 97 units left.
//   COSMO: demand 4003 <= 4800: sells 4003; produces 4100; factor 0.041^e; 97 left.
// Base costs 134 and 194; Bravo's status stays (it is 3, not 1).
TEST_F(FixtureAForecast, ProductionFromThePlannedUnits) {
    const TForecastResult& forecast = Run();
    const long double bravoCost = 134 * std::pow(0.021L, kExperience);
    const long double cosmoCost = 194 * std::pow(0.041L, kExperience);
    const struct {
        long double sold, produced, cost;
    } expected[] = {{2003, 2100, bravoCost}, {4003, 4100, cosmoCost}};
    for (int row = 1; row <= 2; ++row) {
        SCOPED_TRACE("brand " + std::to_string(row));
        const auto& e = expected[row - 1];
        ExpectClose(forecast.Brand(1, 1, 1, row, si::brUSold), e.sold, "brUSold");
        EXPECT_EQ(forecast.Brand(1, 1, 1, row, si::brUProd), e.produced);
        ExpectClose(forecast.Brand(1, 1, 1, row, si::brPCost), e.cost, "brPCost");
        ExpectClose(forecast.Brand(1, 1, 1, row, si::brTCost), e.cost, "brTCost");
        ExpectClose(forecast.Brand(1, 1, 1, row, si::brCGS), e.sold * e.cost, "brCGS");
        ExpectClose(forecast.Brand(1, 1, 1, row, si::brUInv), 97, "brUInv");
        ExpectClose(forecast.Brand(1, 1, 1, row, si::brIHC), 97 * e.cost * 0.08L, "brIHC");
        EXPECT_EQ(forecast.Brand(1, 1, 1, row, si::brISC), 0);
        ExpectClose(forecast.Layer(1, 1, 1, 1, row, si::InvSize), 97, "layer 1");
        ExpectClose(forecast.Layer(1, 1, 1, 1, row, si::InvTCost), e.cost, "layer 1 cost");
        EXPECT_EQ(forecast.Layer(1, 1, 1, 0, row, si::InvSize), 0);
    }
    EXPECT_EQ(forecast.TransferCost(1, 1, 1), 134);
    EXPECT_EQ(forecast.TransferCost(1, 1, 2), 194);
}

// The R&D run: the lists of t carried into t+1 and re-costed by the developer
// in the money of period 2 (1). The levels are those of the preference
// writer, which writes "ProTecs" first (fixture_pref.h: 100 + 10 d + j + 1/2 for
// firm 1), so S = sum d x (100.5 + j + 10 d) = 6 (100.5 + j) + 140 = 743 + 6 j:
// Suc 749, 755, 761; Muc = S / 2 = 374.5, 377.5, 380.5, halves to even 374,
// 378, 380. The requested costs of t (fixture_rnd.h: 60 j + 14 = 74, 134, 194,
// what production costed the brands on) are below Muc and rise to it. The
// production is credited to the prototypes of the brands: PBRAVO 2100, PCOSMO 4100.
TEST_F(FixtureAForecast, PrototypesCarriedRecostedAndCreditedWithProduction) {
    const TForecastResult& forecast = Run();
    ASSERT_EQ(forecast.NbPros(1, 1), 3);
    const long double standard[] = {749, 755, 761};
    const long double minimum[] = {374, 378, 380};
    const long double produced[] = {0, 2100, 4100};
    const char* names[] = {"PALPHA", "PBRAVO", "PCOSMO"};
    for (int j = 1; j <= 3; ++j) {
        SCOPED_TRACE("prototype " + std::to_string(j));
        EXPECT_EQ(forecast.view.Prototype(1, 1, j), names[j - 1]);
        EXPECT_EQ(forecast.Prototype(1, 1, j, si::ProStdUC), standard[j - 1]);
        EXPECT_EQ(forecast.Prototype(1, 1, j, si::ProMinUC), minimum[j - 1]);
        EXPECT_EQ(forecast.Prototype(1, 1, j, si::ProReqUC), minimum[j - 1]);
        EXPECT_EQ(forecast.Prototype(1, 1, j, si::ProOldReqUC), minimum[j - 1]);
        EXPECT_EQ(forecast.Prototype(1, 1, j, si::ProReqBgt), 0);
        EXPECT_EQ(forecast.Prototype(1, 1, j, si::ProCumProd), produced[j - 1]);
    }
}

// Finance (mod_finan_test.cpp, OneFirmFixtureAfterPeriodZero) on the figures of
// the steps before it. Per brand: Rev = SPrice x units, RSales = RPrice x units,
// CBM = Rev - CGS - IHC - ISC, CAM = CBM - AdvM - AdvQ - Slf, where advertising
// is "AdvertBgt" x (1 - "AdvertQual") and x "AdvertQual": the fixture's
// 1000 + 100 k + 4 and 1000 + 100 k + 5, so AdvM + AdvQ = 1104 and 1204.
// Studies 1000 + 6000 in the market, + 8000 in the zone; no R&D project.
// Interest: the loan of period 0 repays 200000 / 2.1 first, 10 % on the rest,
// and 5 % of the new loan: 15476.19.
TEST_F(FixtureAForecast, FinanceOnTheForecastFigures) {
    const TForecastResult& forecast = Run();
    const long double bravoCost = 134 * std::pow(0.021L, kExperience);
    const long double cosmoCost = 194 * std::pow(0.041L, kExperience);
    const long double bravoRevenue = 1201.8L * 1050.7L * 0.9L + 801.2L * 995.4L * 0.8L;
    const long double cosmoRevenue = 4003 * 1031.13L;
    const long double bravoCBM = bravoRevenue - 2003 * bravoCost - 97 * bravoCost * 0.08L;
    const long double cosmoCBM = cosmoRevenue - 4003 * cosmoCost - 97 * cosmoCost * 0.08L;
    const long double bravoCAM = bravoCBM - 1104 - 59375;
    const long double cosmoCAM = cosmoCBM - 1204 - 118750;
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brRev), bravoRevenue, "Bravo brRev");
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brRSales), 1201.8L * 1050.7L + 801.2L * 995.4L, "Bravo brRSales");
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brAdvM), (1 - 1105.0L) * 1104, "Bravo brAdvM");
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brCBM), bravoCBM, "Bravo brCBM");
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brCAM), bravoCAM, "Bravo brCAM");
    ExpectClose(forecast.Brand(1, 1, 1, 2, si::brRev), cosmoRevenue, "COSMO brRev");
    ExpectClose(forecast.Brand(1, 1, 1, 2, si::brCAM), cosmoCAM, "COSMO brCAM");
    // Unit shares: 2003 and 4003 of 6006.
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brUMS), 2003 * 1000.0L / 6006, "Bravo brUMS");

    ExpectClose(forecast.Market(1, 1, 1, si::ffmCAM), bravoCAM + cosmoCAM, "ffmCAM");
    EXPECT_EQ(forecast.Market(1, 1, 1, si::ffmMRS), 7000);
    EXPECT_EQ(forecast.Market(1, 1, 1, si::ffmRnD), 0);
    EXPECT_EQ(forecast.Market(1, 1, 1, si::ffmCumMRS), 11000);  // 4000 + 7000
    EXPECT_EQ(forecast.Zone(1, 1, si::ffxMRS), 15000);
    const long double interest = (200000 - 200000 / 2.1L) * 0.1L + 5000;
    ExpectClose(forecast.Zone(1, 1, si::ffxIP), interest, "ffxIP");
    EXPECT_EQ(forecast.Zone(1, 1, si::ffxECP), -4000);  // no stock of t to dispose of
    ExpectClose(forecast.Zone(1, 1, si::ffxNC), bravoCAM + cosmoCAM - 15000 - 0 - interest - 4000, "ffxNC");
    EXPECT_EQ(forecast.Zone(1, 1, si::ffxCumMRS), 19000);  // 4000 + 15000
    EXPECT_EQ(forecast.Zone(1, 1, si::ffxCumRnD), 90000);  // 90000 + 0
    ExpectClose(forecast.Zone(1, 1, si::ffxCumIP), 20000 + interest, "ffxCumIP");
    EXPECT_EQ(forecast.Zone(1, 1, si::ffxCumECP), -3000);  // 1000 - 4000
    const test::TFinanceView loans(industry_, 1);
    EXPECT_EQ(loans.LoanHistory(1, 0, si::LoanCap), 200000);
    EXPECT_EQ(loans.LoanHistory(1, 1, si::LoanCap), 100000);
    EXPECT_EQ(loans.LoanHistory(1, 1, si::BgtChg), 20000);
}

// Default decisions of period 2 (mod_ddecs_test.cpp's rules) from this forecast:
// plan sales per segment from the units of t+1 (Bravo 1001, 1002; COSMO 2001,
// 2002; the firm 3002, 3004); channel shares in whole percents x 1000: Bravo
// 1201.8 / 2003 = 60 % and 40 %, COSMO everything in channel 1; the 97 units
// left of each as the available stock; statuses reset; the sales force
// carried; loans zeroed. The defaults are a copy of the decisions.
TEST_F(FixtureAForecast, DefaultDecisionsFromTheForecast) {
    const TForecastResult& forecast = Run();
    const long double segments[2][2] = {{1001, 1002}, {2001, 2002}};
    const long double shares[2][2] = {{60000, 40000}, {100000, 0}};
    for (int k = 1; k <= 2; ++k) {
        SCOPED_TRACE("brand " + std::to_string(k));
        for (int s = 1; s <= 2; ++s)
            ExpectClose(forecast.Default(1, 1, 1, "MPBrdSegSales", {k, s}), segments[k - 1][s - 1], "MPBrdSegSales");
        for (int c = 1; c <= 2; ++c)
            EXPECT_EQ(forecast.Default(1, 1, 1, "MPBrdChaSales", {k, c}), shares[k - 1][c - 1]);
        ExpectClose(forecast.Default(1, 1, 1, "DecBrdCV3", {k, si::AvailStock}), 97, "AvailStock");
        EXPECT_EQ(forecast.Default(1, 1, 1, "DecBrdCV3", {k, si::PortStatus}), 1);
        EXPECT_EQ(forecast.Default(1, 1, 1, "DecBrdCV3", {k, si::SellStock}), 0);
        // Carried as decided: Production 2000 x k.
        EXPECT_EQ(forecast.Default(1, 1, 1, "DecBrdCV3", {k, si::Production}), 2000 * k);
    }
    ExpectClose(forecast.Default(1, 1, 1, "MPSegSales", {1}), 3002, "MPSegSales 1");
    ExpectClose(forecast.Default(1, 1, 1, "MPSegSales", {2}), 3004, "MPSegSales 2");
    const TSimArr& salesForce = Arr(forecast.DecisionsT2(), kCategoryFirmFta, 1, 1, 0, "SlfSize");
    EXPECT_EQ(salesForce.GetReal48({1}), 11);
    EXPECT_EQ(salesForce.GetReal48({2}), 12);
    const TSimArr& loan = Arr(forecast.DecisionsT2(), kCategoryFirm, 1, 0, 0, "LoanVal");
    for (int e = loan.LB(1); e <= loan.UB(1); ++e) EXPECT_EQ(loan.GetReal48({e}), 0) << e;
    EXPECT_EQ(test::FirstDifference(test::GridBytes(forecast.DecisionsT2()), test::GridBytes(industry_.PerDefaults(2))),
              "");
}

// Fixture (b): firm 2 markets DELTA on firm 1's prototype PALPHA (row 1, base
// cost 74). Its plan: 1001 + 1002 units in channel 1, Production 2000: sells
// 2003 and produces 2100, costed at 74 x 0.021^e and credited to firm 1's
// PALPHA. Firm 2's sales force 21 + 22 = 43 (46 in t: 3 fired): base 860000,
// firing 15000; DELTA's share 43/8 of 43: 875000 / 8 = 109375.
TEST(ForecastEndToEnd, FixtureBCostsABrandOnAnotherFirmsPrototype) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureB());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastResult forecast(industry);
    EXPECT_EQ(forecast.view.MarketCount(1, 1), 3);
    EXPECT_EQ(forecast.view.MarketLink(1, 1, 3, si::Rfix), 1);
    EXPECT_EQ(forecast.view.MarketLink(1, 1, 3, si::Rpix), 1);
    EXPECT_EQ(forecast.Brand(2, 1, 1, 1, si::brUProd), 2100);
    ExpectClose(forecast.Brand(2, 1, 1, 1, si::brUSold), 2003, "DELTA brUSold");
    ExpectClose(forecast.Brand(2, 1, 1, 1, si::brPCost), 74 * std::pow(0.021L, kExperience), "DELTA brPCost");
    EXPECT_EQ(forecast.TransferCost(1, 1, 3), 74);
    EXPECT_EQ(forecast.Prototype(1, 1, 1, si::ProCumProd), 2100);
    EXPECT_EQ(forecast.Prototype(2, 1, 1, si::ProCumProd), 0);  // firm 2's PECHO
    // Firm 1's brands as in fixture (a).
    EXPECT_EQ(forecast.Prototype(1, 1, 2, si::ProCumProd), 2100);
    EXPECT_EQ(forecast.Prototype(1, 1, 3, si::ProCumProd), 4100);
    ExpectClose(forecast.Zone(2, 1, si::ffxSlfB), 860000, "firm 2 ffxSlfB");
    ExpectClose(forecast.Zone(2, 1, si::ffxSlfF), 15000, "firm 2 ffxSlfF");
    ExpectClose(forecast.Brand(2, 1, 1, 1, si::brSlf), 109375, "DELTA brSlf");
    ExpectClose(forecast.Default(2, 1, 1, "DecBrdCV3", {1, si::AvailStock}), 97, "DELTA AvailStock");
}

// Fixture (c), t = -1, T = 0 (mod_pref_test.cpp, FirstForecastPeriodStartsFromInitialPoints...):
// ALPHA (PALPHA, base 74) and BRAVO (PBRAVO, 134), both carried on; the same
// plans and productions as in (a): ALPHA sells 2003 and produces 2100, BRAVO
// 4003 and 4100. With T = 0 no stock of t is read and no status changes; the
// defaults of period 1 follow.
TEST(ForecastEndToEnd, FixtureCForecastsTheFirstPeriod) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureC());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastResult forecast(industry);
    const int attributes[2][4] = {{112, 122, 132, 1106}, {112, 122, 132, 1206}};
    const int natural[2][4] = {{-200, -14, 941, -929}, {-200, -14, 941, -863}};
    for (int brand = 1; brand <= 2; ++brand)
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(forecast.Position(1, 1, brand, k, si::AttAct), attributes[brand - 1][k - 1]) << brand << k;
            EXPECT_EQ(forecast.Position(1, 1, brand, k, si::NatPos), natural[brand - 1][k - 1]) << brand << k;
        }
    EXPECT_EQ(forecast.Scale(1, 1, 2, si::SrMax), 150);
    EXPECT_EQ(forecast.Scale(1, 1, 4, si::SrMax), 4000);
    EXPECT_EQ(forecast.Brand(1, 1, 1, 1, si::brUProd), 2100);
    EXPECT_EQ(forecast.Brand(1, 1, 1, 2, si::brUProd), 4100);
    ExpectClose(forecast.Brand(1, 1, 1, 1, si::brPCost), 74 * std::pow(0.021L, kExperience), "ALPHA brPCost");
    ExpectClose(forecast.Brand(1, 1, 1, 2, si::brPCost), 134 * std::pow(0.041L, kExperience), "BRAVO brPCost");
    EXPECT_EQ(forecast.Prototype(1, 1, 1, si::ProCumProd), 2100);
    const TSimArr& mix = Arr(industry.PerDecisions(0), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3");
    EXPECT_EQ(mix.GetReal48({1, si::PortStatus}), kPortCarriedOn);
    ExpectClose(forecast.Default(1, 1, 1, "MPBrdSegSales", {2, 2}), 2002, "BRAVO segment 2");
    EXPECT_EQ(test::FirstDifference(test::GridBytes(industry.PerDecisions(1)), test::GridBytes(industry.PerDefaults(1))),
              "");
}

}  // namespace
}  // namespace cv
