// The finance step on the one-firm fixture (a: t = 0, decision period 1) and on
// first-period industries (t = -1, decision period 0). The market steps' output
// comes from WriteBrandInputsT1 (fixture_finan.h); the other inputs are below.
// Every expected figure is worked out by hand from them, with the neutral
// economy of the fixtures (every money factor 1) and the default parameters.
//
// Brand inputs, firm 1, zone 1, market 1 (rows b = 1, 2):
//   units u 1000, 2000; retail price 31, 32; selling price 21, 22; produced
//   1500, 2500; CGS 10000, 20000; stock 500 each; IHC 1000, 2000; ISC 500,
//   1000; sales force 2000, 4000; advertising 5000, 10000 at quality 0.25.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "model/mod_finan.h"
#include "model/model_access.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::TForecastView;

constexpr int kConjoint = 11;
constexpr int kConsumerSurvey = 1;
constexpr int kMarketForecast = 6;
constexpr int kBenchmark = 1;

using test::AllClose;

// Studies: every market study available at 1000 x s but Conjoint (unavailable);
// firm 1 orders ConsumerSurvey, MarketForecast and Conjoint, and the zone's
// Benchmark (available, 8000). Projects: two counted of 100000, 50000 (and a
// third of 70000 beyond the count). Loan request: CostProfit -4000, BgtChg
// 20000, LoanCap 100000 over 4 periods at 5 % (500).
void WriteCommonInputs(TCvInd& industry) {
    test::WriteBrandInputsT1(industry);
    for (int study = 1; study <= kConjoint; ++study)
        test::SetStudy(industry, 1, 1, study, study == kConjoint ? 0 : 1, 1000 * study);
    test::SetStudyOrders(industry, 1, 1, 1, {kConsumerSurvey, kMarketForecast, kConjoint});
    test::SetStudy(industry, 1, 0, kBenchmark, 1, 8000);
    test::SetStudyOrders(industry, 1, 1, 0, {kBenchmark});
    test::SetProjects(industry, 1, 1, 2, {100000, 50000, 70000});
    test::SetLoanRequest(industry, 1, {-4000, 20000, 100000, 4, 500});
}

// Results of t (period 0) for fixture (a): a loan of period 0 (CostProfit 700,
// BgtChg 30000, LoanCap 200000 over 2 periods at 10 %), the carried elements of
// the market and zone reports, and three cumulative slots: ALPHA and BRAVO
// marketed (status 1), OLDIE withdrawn (status 2), slot k's results 100 x k + e.
void WritePeriodZeroResults(TCvInd& industry) {
    test::SetLoanHistoryT(industry, 1, 0, {700, 30000, 200000, 2, 1000});
    const std::pair<std::int8_t, long double> market[] = {{si::ffmUSold0, 2500}, {si::ffmRSales0, 70000},
                                                           {si::ffmVMS0, 1000},   {si::ffmUMS0, 1000},
                                                           {si::ffmCumMRS, 4000}, {si::ffmCumRnD, 90000}};
    for (const auto& [element, value] : market) test::SetReportT(industry, 1, 1, 1, element, value);
    const std::pair<std::int8_t, long double> zone[] = {
        {si::ffxRSales0, 70000}, {si::ffxUSold0, 2500},  {si::ffxUMS0, 1000},     {si::ffxVMS0, 1000},
        {si::ffxCBM0, 20000},    {si::ffxCAM0, 5000},    {si::ffxNC0, 50000},     {si::ffxRMI0, 2.5L},
        {si::ffxCumMRS, 4000},   {si::ffxCumRnD, 90000}, {si::ffxCumAdv, 12000},  {si::ffxCumSlf, 5000},
        {si::ffxCumIP, 20000},   {si::ffxCumECP, 1000},  {si::ffxCumNC, 50000},   {si::ffxRSales, 70000},
        {si::ffxRSalesM1, 60000}, {si::ffxMktVal, 800},  {si::ffxMktVal0, 750}};
    for (const auto& [element, value] : zone) test::SetReportT(industry, 1, 1, 0, element, value);
    test::SetCumulativeSlotsT(industry, 1, 1, 1, {{1, "ALPHA", 1, 0, 100}, {2, "BRAVO", 1, 0, 200},
                                                  {3, "OLDIE", 2, 0, 300}});
}

// Fixture (a) ready for the finance step of decision period 1, with the inputs above.
TCvInd& OpenFixtureAAfterPeriodZero(test::TModelWorld& world) {
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    test::PrepareForecastPeriod(industry);
    WriteCommonInputs(industry);
    WritePeriodZeroResults(industry);
    return industry;
}

// Readers of firm 1's report of zone 1 and market 1, for tables of (element, expected).
auto MarketOf(const TForecastView& view) {
    return [&view](std::int8_t element) { return view.MarketReport(1, 1, 1, element); };
}
auto ZoneOf(const TForecastView& view) {
    return [&view](std::int8_t element) { return view.ZoneReport(1, 1, element); };
}

// Firm 1's two brands (rows 1 and 2).
void ExpectBrandFigures(const TForecastView& view) {
    auto row = [&view](int brandRow) {
        return [&view, brandRow](std::int8_t element) { return view.Brand(1, 1, 1, brandRow, element); };
    };
    // Advertising A x (1 - 0.25) and A x 0.25: 5000 -> 3750 + 1250; 10000 -> 7500 + 2500.
    // Revenues 21 x 1000, 22 x 2000; retail sales 31 x 1000, 32 x 2000.
    // CBM = Rev - (CGS + IHC + ISC): 21000 - 11500 = 9500; 44000 - 23000 = 21000.
    // CAM = CBM - (AdvM + AdvQ + Slf): 9500 - 7000 = 2500; 21000 - 14000 = 7000.
    // Shares in thousandths: units 1000 and 2000 of 3000; retail 31000 and 64000 of 95000.
    EXPECT_TRUE(AllClose<std::int8_t>(row(1), {
        {si::brAdvM, 3750}, {si::brAdvQ, 1250}, {si::brRev, 21000}, {si::brRSales, 31000}, {si::brCBM, 9500},
        {si::brCAM, 2500}, {si::brUMS, 1000.0L / 3}, {si::brVMS, 31000.0L / 95}
    }));
    EXPECT_TRUE(AllClose<std::int8_t>(row(2), {
        {si::brAdvM, 7500}, {si::brAdvQ, 2500}, {si::brRev, 44000}, {si::brRSales, 64000}, {si::brCBM, 21000},
        {si::brCAM, 7000}, {si::brUMS, 2000.0L / 3}, {si::brVMS, 64000.0L / 95}
    }));
    // Segment s: brand i sells 100 i + 10 s + c in channel c, so 200 i + 20 s + 3 over both channels:
    // s = 1: 223 + 423 = 646 units worth 31 x 223 + 32 x 423 = 20449;
    // s = 2: 243 + 443 = 686 units worth 31 x 243 + 32 x 443 = 21709.
    EXPECT_EQ(view.SegmentSales(1, 1, 1, si::Unit), 646);
    EXPECT_EQ(view.SegmentSales(1, 1, 1, si::Value), 20449);
    EXPECT_EQ(view.SegmentSales(1, 1, 2, si::Unit), 686);
    EXPECT_EQ(view.SegmentSales(1, 1, 2, si::Value), 21709);
}

// The market report sums both brand rows; the studies charged are ConsumerSurvey
// (1000) and MarketForecast (6000), never the unavailable Conjoint: 7000. The
// zone adds Benchmark (8000): 15000. R&D: the two counted projects, 150000.
void ExpectPeriodMarketAndZoneSums(const TForecastView& view) {
    // Unit cost TCost 30000 / 4000 = 7.5; shares 1000 of the only firm. The zone's unit
    // cost is the sum of its markets'.
    EXPECT_TRUE(AllClose<std::int8_t>(MarketOf(view), {
        {si::ffmUSold, 3000}, {si::ffmRev, 65000}, {si::ffmUProd, 4000}, {si::ffmCGS, 30000}, {si::ffmUInv, 1000},
        {si::ffmIHC, 3000}, {si::ffmISC, 1500}, {si::ffmCBM, 30500}, {si::ffmAdvM, 11250}, {si::ffmAdvQ, 3750},
        {si::ffmSlf, 6000}, {si::ffmCAM, 9500}, {si::ffmRSales, 95000}, {si::ffmRPrice, 95000.0L / 3000},
        {si::ffmSPrice, 65000.0L / 3000}, {si::ffmTCost, 7.5L}, {si::ffmUMS, 1000}, {si::ffmVMS, 1000},
        {si::ffmMRS, 7000}, {si::ffmRnD, 150000}
    }));
    EXPECT_TRUE(AllClose<std::int8_t>(ZoneOf(view), {
        {si::ffxUSold, 3000}, {si::ffxRev, 65000}, {si::ffxCAM, 9500}, {si::ffxRSales, 95000}, {si::ffxTCost, 7.5L},
        {si::ffxMRS, 15000}, {si::ffxRnD, 150000}, {si::ffxRPrice, 95000.0L / 3000}, {si::ffxSPrice, 65000.0L / 3000},
        {si::ffxUMS, 1000}, {si::ffxVMS, 1000}
    }));
}

// The step refuses an industry without a series it addresses, and one whose
// zone report does not begin with the market report's elements: it would add
// each market sum into the wrong element.
TEST(FinanceEdge, InitRefusesSeriesTheStepCannotUse) {
    struct TCase {
        void (*damage)(TCvInd& industry);
        const char* message;
    };
    const TCase cases[] = {
        {[](TCvInd& industry) { test::HideSeries(industry, "StuInfos"); }, "the industry has no series StuInfos"},
        {[](TCvInd& industry) {
             industry.FindSeries("FFXRpt")->InsertLabel(0, "ffxExtra");
             InitSeriesIndexes(industry.SeriesList());
         },
         "the series FFXRpt does not begin with the elements of FFMRpt: ffxExtra is not ffxUSold"},
    };
    for (const TCase& c : cases) {
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureA());
        c.damage(industry);
        TWorkRec work;
        TModFinan finance;
        try {
            finance.Init(industry, &work);
            ADD_FAILURE() << "no model error: " << c.message;
        } catch (const EModelError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

// Cuts dimension Dim of the array Name of the cell to its first element, as a
// damaged industry may hold it (the elements become 0).
void CutToFirstElement(TCvPerData& set, int category, const TDataContext& cell, const char* name, int dim) {
    TSimArr& array = *set.FindSimArr(category, cell, name);
    TIndex lb;
    TIndex ub;
    for (int d = 1; d <= array.NDim(); ++d) {
        lb.Set(d - 1, array.LB(d));
        ub.Set(d - 1, d == dim ? array.LB(d) : array.UB(d));
    }
    array.Init(array.Kind(), array.SubType(), array.NDim(), lb, ub);
}

// "index [1, 2] outside the array Name", as the model error reads.
std::string OutsideMessage(std::initializer_list<int> components, const char* name) {
    std::string text;
    for (int component : components) text += (text.empty() ? "" : ", ") + std::to_string(component);
    return "index [" + text + "] outside the array " + name;
}

// An element outside an array the step reads or writes stops it with a model
// error naming the array and the index, whichever way the element is reached.
// Fixture (a): market brand 2 (COSMO) is row 2 of its firm; two segments and
// two channels, both from 1; decision period 1, so the market report of t is read.
TEST(FinanceEdge, AnElementOutsideItsArrayIsAModelErrorNamingBoth) {
    struct TCase {
        const char* name;
        bool ofT;  // results of t, else of t+1
        int category;
        int dim;
        // The message, once the industry's series give the elements their numbers.
        std::string (*message)();
    };
    const TCase cases[] = {
        // Row 2 gets its media advertising first.
        {"BrdRpt", false, kCategoryFirmFtaMarket, 1, [] { return OutsideMessage({2, si::brAdvM}, "BrdRpt"); }},
        // Brand 1's units of segment 2, summed from channel 1.
        {"BrdUSales", false, kCategoryFtaMarket, 2, [] { return OutsideMessage({1, 2, 1}, "BrdUSales"); }},
        // Brand 1's units of segment 2 added to the segment sales.
        {"SegSales", false, kCategoryFtaMarket, 1, [] { return OutsideMessage({2, si::Unit}, "SegSales"); }},
        // The first base element carried from t.
        {"FFMRpt", true, kCategoryFirmFtaMarket, 1, [] { return OutsideMessage({si::ffmUSold0}, "FFMRpt"); }},
    };
    for (const TCase& c : cases) {
        test::TModelWorld world;
        TCvInd& industry = OpenFixtureAAfterPeriodZero(world);
        const int period = industry.CurPeriod() + (c.ofT ? 0 : 1);
        CutToFirstElement(industry.PerResults(period), c.category, test::FixtureCell(0, 1, 1, 1), c.name, c.dim);
        try {
            test::RunFinanceStep(industry);
            ADD_FAILURE() << "no model error: " << c.name;
        } catch (const EModelError& error) {
            EXPECT_EQ(error.what(), c.message()) << c.name;
        }
    }
}

// An empty or negative decision amount counts as 0, with a warning naming it:
// the loan's cost or profit entry first (loans come before the market steps),
// then the project budget of the R&D costs.
TEST(FinanceEdge, EmptyOrNegativeDecisionAmountsAreWarnedAndTakenAsZero) {
    test::TModelWorld world;
    TCvInd& industry = OpenFixtureAAfterPeriodZero(world);
    test::SetLoanRequest(industry, 1, {kEmptyDecisionValue, 20000, 100000, 4, 500});
    test::SetProjects(industry, 1, 1, 2, {-500, 50000});
    const std::vector<std::string> warnings = test::RunFinanceStep(industry);
    const std::vector<std::string> expected = {
        "CostProfit of firm 1 is empty and is taken as 0",
        "ProAllBgt of project 1 of firm 1, market 1 is negative (-500.00) and is taken as 0",
    };
    EXPECT_EQ(warnings, expected);
    const TForecastView view(industry, 1);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxECP), 0);
    EXPECT_EQ(view.MarketReport(1, 1, 1, si::ffmRnD), 50000);
}

TEST(FinanceAcceptance, OneFirmFixtureAfterPeriodZero) {
    test::TModelWorld world;
    TCvInd& industry = OpenFixtureAAfterPeriodZero(world);
    EXPECT_TRUE(test::RunFinanceStep(industry).empty());
    const TForecastView view(industry, 1);
    ExpectBrandFigures(view);
    ExpectPeriodMarketAndZoneSums(view);

    // Base elements of the market report carried from period 0; cumulative ones add the
    // period's: MRS 4000 + 7000, RnD 90000 + 150000.
    EXPECT_TRUE(AllClose<std::int8_t>(MarketOf(view), {
        {si::ffmUSold0, 2500}, {si::ffmRSales0, 70000}, {si::ffmVMS0, 1000}, {si::ffmUMS0, 1000},
        {si::ffmCumMRS, 11000}, {si::ffmCumRnD, 240000}
    }));

    // Loans: history row 0 carried whole (CostProfit 700 included), row 1 from the request.
    auto loans = [&view](int period) {
        return [&view, period](std::int8_t element) { return view.LoanHistory(1, period, element); };
    };
    EXPECT_TRUE(AllClose<std::int8_t>(loans(0), {{si::CostProfit, 700}, {si::LoanCap, 200000}, {si::BgtChg, 30000}}));
    EXPECT_TRUE(AllClose<std::int8_t>(
        loans(1),
        {{si::LoanCap, 100000}, {si::LoanDur, 4}, {si::LoanIR, 500}, {si::BgtChg, 20000}, {si::CostProfit, 0}}));
    // Interest of period 1: the loan of period 0 repays 200000 / (1 + 1.1) = 95238.095 first, so
    // 104761.905 stays at 10 %: 10476.190; the new loan pays 5 % of 100000 at once: 5000.
    const long double interest = (200000 - 200000 / 2.1L) * 0.1L + 5000;
    // NC = CAM - MRS - RnD - IP + ECP = 9500 - 15000 - 150000 - 15476.190 - 4000 = -174976.190;
    // no positive contribution: the smallest budget NPB 7000000.
    const long double netContribution = 9500 - 15000 - 150000 - interest - 4000;
    // Base elements carried from period 0; cumulative = period 0's + the period's: MRS 4000 +
    // 15000, RnD 90000 + 150000, Adv 12000 + 11250 + 3750, Slf 5000 + 6000, ECP 1000 - 4000.
    // Returns per thousand spent: spending 150000 + 15000 + 11250 + 3750 + 6000 = 186000;
    // cumulative spending 240000 + 19000 + 27000 + 11000 = 297000.
    EXPECT_TRUE(AllClose<std::int8_t>(ZoneOf(view), {
        {si::ffxIP, interest}, {si::ffxECP, -4000}, {si::ffxNC, netContribution}, {si::ffxNPB, 7000000},
        {si::ffxRSales0, 70000}, {si::ffxUSold0, 2500}, {si::ffxCBM0, 20000}, {si::ffxCAM0, 5000}, {si::ffxNC0, 50000},
        {si::ffxRMI0, 2.5L}, {si::ffxCumMRS, 19000}, {si::ffxCumRnD, 240000}, {si::ffxCumAdv, 27000},
        {si::ffxCumSlf, 11000}, {si::ffxCumIP, 20000 + interest}, {si::ffxCumECP, -3000},
        {si::ffxCumNC, 50000 + netContribution}, {si::ffxRMI, netContribution / 186},
        {si::ffxCumRMI, (50000 + netContribution) / 297}
    }));

    // Stock price: retail sales 95000, 70000 and 60000 over the last three periods, so
    // G = sqrt(95000 / 60000); P1 = (1 + (G - 1) / 2) x (240000 + CumNC) / (2 x 50000);
    // P2 = 1000 / 1000; V = 10 x 50000 x (P1 + P2), above 1.5 x 95000; the base value is
    // carried (750 thousand) and with the lag 1 the previous value has no weight.
    const long double growth = std::sqrt(95000.0L / 60000);
    const long double p1 = (1 + (growth - 1) / 2) * (240000 + 50000 + netContribution) / 100000;
    const long double value = 500000 * (p1 + 1);
    EXPECT_TRUE(AllClose<std::int8_t>(ZoneOf(view), {
        {si::ffxRSalesM1, 70000}, {si::ffxRSalesM2, 60000}, {si::ffxMktVal, value / 1000}, {si::ffxMktVal0, 750},
        {si::ffxSPI, 1000 * value / 750000}
    }));
}

// The next-period budget: 0.4 x the net contribution within [7,000,000,
// 20,000,000] in the zone's money, in steps of 50,000. Six firms without brands,
// studies, projects or loans in a first-period industry: the net contribution of
// each is the cost or profit entry of its loan request.

constexpr int kFirms = 6;
constexpr int kFirstPeriod = 0;

class FinanceBudget : public ::testing::Test {
protected:
    // Opens the six-firm industry; every firm's net contribution is NetContributions[f - 1].
    TCvInd& Open(const std::vector<long double>& netContributions) {
        test::TFixtureSetup setup(-1, kFirms, 1, 1);
        setup.moreZoneStudies = {"Audit", "Census", "Survey"};
        TCvInd& industry = world_.OpenFixture(setup);
        test::PrepareForecastPeriod(industry);
        for (int firm = 1; firm <= kFirms; ++firm) {
            test::SetStudyOrders(industry, firm, 1, 1, {});
            test::SetStudyOrders(industry, firm, 1, 0, {});
            test::SetProjects(industry, firm, 1, 0, {});
            test::SetLoanRequest(industry, firm, {netContributions[firm - 1], 0, 0, 0, 0});
        }
        return industry;
    }

    long double Budget(TCvInd& industry, int firm) const {
        return test::TForecastView(industry, kFirstPeriod).ZoneReport(firm, 1, si::ffxNPB);
    }

    test::TModelWorld world_;
};

// The economy of period 0 in zone 1: inflation 5 %, accumulated inflation 0.2 for
// Research and 0.1 for Salaries, none for Communic. F(k) = (1 + cumulated) x 1.05:
// Research 1.26, Salaries 1.155, Communic 1.05; their mean 1.155.
void SetZoneEconomy(TCvInd& industry) {
    TDataContext zone;
    zone.SelFta = 1;
    TCvPerData& constant = industry.ConstPart();
    constant.FindSimArr(kCategoryFta, zone, "Economics")->SetReal48({kFirstPeriod, si::InflationRate}, 0.05L);
    TSimArr& cumulated = *constant.FindSimArr(kCategoryFta, zone, "CumInflation");
    cumulated.SetReal48({kFirstPeriod, si::Research}, 0.2L);
    cumulated.SetReal48({kFirstPeriod, si::Salaries}, 0.1L);
}

TEST_F(FinanceBudget, BoundsAndStudyCostsFollowTheZonesMoney) {
    TCvInd& industry = Open({-1, 50000000, 100000000, 21000000, 20000000, 0});
    SetZoneEconomy(industry);
    // Firm 6 orders the market forecast (6000, the only study of a market without brands)
    // and the zone's benchmark (10000), both paid in salaries money: x 1.155.
    test::SetStudy(industry, 1, 1, si::MarketForecast, 1, 6000);
    test::SetStudyOrders(industry, 6, 1, 1, {si::MarketForecast});
    test::SetStudy(industry, 1, 0, si::Benchmark, 1, 10000);
    test::SetStudyOrders(industry, 6, 1, 0, {si::Benchmark});
    test::RunFinanceStep(industry);
    const test::TForecastView view(industry, kFirstPeriod);
    EXPECT_NEAR(static_cast<double>(view.MarketReport(6, 1, 1, si::ffmMRS)), 6930, 1e-6);
    EXPECT_NEAR(static_cast<double>(view.ZoneReport(6, 1, si::ffxMRS)), 18480, 1e-6);  // 6930 + 11550
    // Bounds 7000000 x 1.155 = 8085000 and 20000000 x 1.155 = 23100000.
    EXPECT_EQ(Budget(industry, 1), 8100000);   // 8085000 is 161.7 steps: 162
    EXPECT_EQ(Budget(industry, 2), 20000000);  // 0.4 x 50000000 inside
    EXPECT_EQ(Budget(industry, 3), 23100000);  // 40000000 capped at 462 steps
    EXPECT_EQ(Budget(industry, 4), 8400000);   // 8400000 inside
    EXPECT_EQ(Budget(industry, 5), 8100000);   // 8000000 raised to 8085000: 162 steps
    EXPECT_EQ(Budget(industry, 6), 8100000);   // the studies make a loss of 18480
}

// A zone study is charged when it is available and ordered, each of the four:
// the costs 1000, 2000, 4000, 8000 tell which were charged. Study 3 is not available.
TEST_F(FinanceBudget, EachZoneStudyAvailableAndOrderedIsCharged) {
    TCvInd& industry = Open({0, 0, 0, 0, 0, 0});
    for (int study = 1; study <= 4; ++study) test::SetStudy(industry, 1, 0, study, study == 3 ? 0 : 1, 500 << study);
    test::SetStudyOrders(industry, 1, 1, 0, {1, 3, 4});
    test::SetStudyOrders(industry, 2, 1, 0, {1, 2, 3, 4});
    test::RunFinanceStep(industry);
    const test::TForecastView view(industry, kFirstPeriod);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxMRS), 9000);   // 1 and 4: not the last alone, nor every available one
    EXPECT_EQ(view.ZoneReport(2, 1, si::ffxMRS), 11000);  // 1, 2 and 4
    EXPECT_EQ(view.ZoneReport(3, 1, si::ffxMRS), 0);      // none ordered
}

// Cumulative brand slots of one firm, zone and market in decision period 1, all
// 19 taken: S01..S19 marketed in t, slot k with base 100 x k, holding 100 x k + e
// in each result element e (brcUSold = 3 .. brcCAM = 10); row 20 sums lost slots.
// The period's results of the firm's brand rows 1 and 2 (fixture_finan.h):
//   row 1: USold 1000, RSales 31000, Rev 21000, CGS 10000, IHSC 1000 + 500,
//          Adv 3750 + 1250, Slf 2000, CAM 2500
//   row 2: USold 2000, RSales 64000, Rev 44000, CGS 20000, IHSC 2000 + 1000,
//          Adv 7500 + 2500, Slf 4000, CAM 7000
TEST(FinanceSlots, FullSlotsWithoutAWithdrawnBrandEmptySlotOneEvenWhileItIsMarketed) {
    constexpr int kSlots = 19;
    constexpr int kLostRow = 20;
    const long double rowOne[] = {1000, 31000, 21000, 10000, 1500, 5000, 2000, 2500};
    const long double rowTwo[] = {2000, 64000, 44000, 20000, 3000, 10000, 4000, 7000};
    test::TFixtureSetup setup(0, 1, 1, 1);
    setup.Prototypes(1, 1) = {"PS01", "PNEWONE"};
    setup.Cell(1, 1, 1).brandsT1 = {{"S01", "PS01", {}}, {"NEWONE", "PNEWONE", {}}};
    setup.MarketAgeT(1, 1) = 1;
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(setup);
    test::PrepareForecastPeriod(industry);
    test::WriteBrandInputsT1(industry);
    std::vector<test::TCumulativeSlotFixture> slots;
    for (int k = 1; k <= kSlots; ++k) slots.push_back({k, (k < 10 ? "S0" : "S") + std::to_string(k), 1, 0, 100.0L * k});
    test::SetCumulativeSlotsT(industry, 1, 1, 1, slots);
    test::RunFinanceStep(industry);

    // S01 (row 1) keeps slot 1 and adds the period, then NEWONE (row 2) finds no slot
    // free and none withdrawn: slot 1 goes to the lost row with this period's results.
    const test::TForecastView view(industry, 1);
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 1), "NEWONE");
    EXPECT_EQ(view.Cumulative(1, 1, 1, 1, si::brcIsMkted), 1);
    EXPECT_EQ(view.Cumulative(1, 1, 1, 1, si::brcIntroPer), 1);
    for (int e = si::brcUSold; e <= si::brcCAM; ++e) {
        EXPECT_EQ(view.Cumulative(1, 1, 1, 1, e), rowTwo[e - si::brcUSold]) << e;
        EXPECT_EQ(view.Cumulative(1, 1, 1, kLostRow, e), 100 + e + rowOne[e - si::brcUSold]) << e;
    }
    EXPECT_EQ(view.Cumulative(1, 1, 1, kLostRow, si::brcIsMkted), 32767);  // the lost row's mark
    for (int k = 2; k <= kSlots; ++k) EXPECT_EQ(view.Cumulative(1, 1, 1, k, si::brcIsMkted), 2) << k;
}

}  // namespace
}  // namespace cv
