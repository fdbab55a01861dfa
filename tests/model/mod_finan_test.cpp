// The finance step on the one-firm fixture (a: t = 0, decision period 1) and the
// first-period fixture (c: t = -1, decision period 0). The market steps' output
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
#include <string>
#include <vector>

#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::TFinanceView;

constexpr int kConjoint = 11;
constexpr int kConsumerSurvey = 1;
constexpr int kMarketForecast = 6;
constexpr int kBenchmark = 1;

// Values computed in extended precision pass through 6-byte reals (39-bit fractions).
void ExpectClose(long double actual, long double expected, const char* what) {
    EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected),
                std::max(1e-6, 1e-10 * std::fabs(static_cast<double>(expected))))
        << what;
}

// Studies: every market study available at 1000 x s but Conjoint (unavailable);
// firm 1 orders ConsumerSurvey, MarketForecast and Conjoint, and the zone's
// Benchmark (available, 8000). Projects: two counted of 100000, 50000 (and a
// third of 70000 beyond the count). Loan request: CostProfit -4000, BgtChg
// 20000, LoanCap 100000 over 4 periods at 5 % (500).
void WriteCommonInputs(TCvInd& industry) {
    test::WriteBrandInputsT1(industry);
    for (int study = 1; study <= kConjoint; ++study)
        test::SetMarketStudy(industry, 1, 1, study, study == kConjoint ? 0 : 1, 1000 * study);
    test::SetMarketStudyOrders(industry, 1, 1, 1, {kConsumerSurvey, kMarketForecast, kConjoint});
    test::SetZoneStudy(industry, 1, kBenchmark, 1, 8000);
    test::SetZoneStudyOrders(industry, 1, 1, {kBenchmark});
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
    for (const auto& [element, value] : market) test::SetMarketReportT(industry, 1, 1, 1, element, value);
    const std::pair<std::int8_t, long double> zone[] = {
        {si::ffxRSales0, 70000}, {si::ffxUSold0, 2500},  {si::ffxUMS0, 1000},     {si::ffxVMS0, 1000},
        {si::ffxCBM0, 20000},    {si::ffxCAM0, 5000},    {si::ffxNC0, 50000},     {si::ffxRMI0, 2.5L},
        {si::ffxCumMRS, 4000},   {si::ffxCumRnD, 90000}, {si::ffxCumAdv, 12000},  {si::ffxCumSlf, 5000},
        {si::ffxCumIP, 20000},   {si::ffxCumECP, 1000},  {si::ffxCumNC, 50000},   {si::ffxRSales, 70000},
        {si::ffxRSalesM1, 60000}, {si::ffxMktVal, 800},  {si::ffxMktVal0, 750}};
    for (const auto& [element, value] : zone) test::SetZoneReportT(industry, 1, 1, element, value);
    test::SetCumulativeSlotsT(industry, 1, 1, 1, {{1, "ALPHA", 1, 0, 100}, {2, "BRAVO", 1, 0, 200},
                                                  {3, "OLDIE", 2, 0, 300}});
}

class FinanceAcceptance : public ::testing::Test {
protected:
    TCvInd& Run(const test::TFixtureSpec& spec, bool periodZeroResults, long double costProfit) {
        TCvInd& industry = world_.OpenFixture(spec);
        test::PrepareForecastPeriod(industry);
        WriteCommonInputs(industry);
        test::SetLoanRequest(industry, 1, {costProfit, 20000, 100000, 4, 500});
        if (periodZeroResults) WritePeriodZeroResults(industry);
        warnings_ = test::RunFinanceStep(industry);
        return industry;
    }

    test::TModelWorld world_;
    std::vector<std::string> warnings_;
};

// Both fixtures market two brands of the same figures (rows 1 and 2).
void ExpectBrandFigures(const TFinanceView& view) {
    auto brand = [&view](int row, std::int8_t element) { return view.Brand(1, 1, 1, row, element); };
    // Advertising A x (1 - 0.25) and A x 0.25: 5000 -> 3750 + 1250; 10000 -> 7500 + 2500.
    EXPECT_EQ(brand(1, si::brAdvM), 3750);
    EXPECT_EQ(brand(1, si::brAdvQ), 1250);
    EXPECT_EQ(brand(2, si::brAdvM), 7500);
    EXPECT_EQ(brand(2, si::brAdvQ), 2500);
    // Revenues 21 x 1000, 22 x 2000; retail sales 31 x 1000, 32 x 2000.
    EXPECT_EQ(brand(1, si::brRev), 21000);
    EXPECT_EQ(brand(2, si::brRev), 44000);
    EXPECT_EQ(brand(1, si::brRSales), 31000);
    EXPECT_EQ(brand(2, si::brRSales), 64000);
    // CBM = Rev - (CGS + IHC + ISC): 21000 - 11500 = 9500; 44000 - 23000 = 21000.
    EXPECT_EQ(brand(1, si::brCBM), 9500);
    EXPECT_EQ(brand(2, si::brCBM), 21000);
    // CAM = CBM - (AdvM + AdvQ + Slf): 9500 - 7000 = 2500; 21000 - 14000 = 7000.
    EXPECT_EQ(brand(1, si::brCAM), 2500);
    EXPECT_EQ(brand(2, si::brCAM), 7000);
    // Shares in thousandths: units 1000 and 2000 of 3000; retail 31000 and 64000 of 95000.
    ExpectClose(brand(1, si::brUMS), 1000.0L / 3, "brUMS 1");
    ExpectClose(brand(2, si::brUMS), 2000.0L / 3, "brUMS 2");
    ExpectClose(brand(1, si::brVMS), 31000.0L / 95, "brVMS 1");
    ExpectClose(brand(2, si::brVMS), 64000.0L / 95, "brVMS 2");
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
void ExpectPeriodMarketAndZoneSums(const TFinanceView& view) {
    auto market = [&view](std::int8_t element) { return view.MarketReport(1, 1, 1, element); };
    EXPECT_EQ(market(si::ffmUSold), 3000);
    EXPECT_EQ(market(si::ffmRev), 65000);
    EXPECT_EQ(market(si::ffmUProd), 4000);
    EXPECT_EQ(market(si::ffmCGS), 30000);
    EXPECT_EQ(market(si::ffmUInv), 1000);
    EXPECT_EQ(market(si::ffmIHC), 3000);
    EXPECT_EQ(market(si::ffmISC), 1500);
    EXPECT_EQ(market(si::ffmCBM), 30500);
    EXPECT_EQ(market(si::ffmAdvM), 11250);
    EXPECT_EQ(market(si::ffmAdvQ), 3750);
    EXPECT_EQ(market(si::ffmSlf), 6000);
    EXPECT_EQ(market(si::ffmCAM), 9500);
    EXPECT_EQ(market(si::ffmRSales), 95000);
    ExpectClose(market(si::ffmRPrice), 95000.0L / 3000, "ffmRPrice");
    ExpectClose(market(si::ffmSPrice), 65000.0L / 3000, "ffmSPrice");
    EXPECT_EQ(market(si::ffmTCost), 7.5);  // 30000 / 4000
    EXPECT_EQ(market(si::ffmUMS), 1000);   // the only firm
    EXPECT_EQ(market(si::ffmVMS), 1000);
    EXPECT_EQ(market(si::ffmMRS), 7000);
    EXPECT_EQ(market(si::ffmRnD), 150000);

    auto zone = [&view](std::int8_t element) { return view.ZoneReport(1, 1, element); };
    EXPECT_EQ(zone(si::ffxUSold), 3000);
    EXPECT_EQ(zone(si::ffxRev), 65000);
    EXPECT_EQ(zone(si::ffxCAM), 9500);
    EXPECT_EQ(zone(si::ffxRSales), 95000);
    EXPECT_EQ(zone(si::ffxTCost), 7.5);  // the sum of the markets' unit costs
    EXPECT_EQ(zone(si::ffxMRS), 15000);
    EXPECT_EQ(zone(si::ffxRnD), 150000);
    ExpectClose(zone(si::ffxRPrice), 95000.0L / 3000, "ffxRPrice");
    ExpectClose(zone(si::ffxSPrice), 65000.0L / 3000, "ffxSPrice");
    EXPECT_EQ(zone(si::ffxUMS), 1000);
    EXPECT_EQ(zone(si::ffxVMS), 1000);
}

TEST_F(FinanceAcceptance, OneFirmFixtureAfterPeriodZero) {
    TCvInd& industry = Run(test::FixtureA(), true, -4000);
    EXPECT_TRUE(warnings_.empty());
    const TFinanceView view(industry, 1);
    ExpectBrandFigures(view);
    ExpectPeriodMarketAndZoneSums(view);

    // Base elements of the market report carried from period 0; cumulative ones add the period's.
    auto market = [&view](std::int8_t element) { return view.MarketReport(1, 1, 1, element); };
    EXPECT_EQ(market(si::ffmUSold0), 2500);
    EXPECT_EQ(market(si::ffmRSales0), 70000);
    EXPECT_EQ(market(si::ffmVMS0), 1000);
    EXPECT_EQ(market(si::ffmUMS0), 1000);
    EXPECT_EQ(market(si::ffmCumMRS), 11000);   // 4000 + 7000
    EXPECT_EQ(market(si::ffmCumRnD), 240000);  // 90000 + 150000

    // Loans: history row 0 carried whole (CostProfit 700 included), row 1 from the request.
    EXPECT_EQ(view.LoanHistory(1, 0, si::CostProfit), 700);
    EXPECT_EQ(view.LoanHistory(1, 0, si::LoanCap), 200000);
    EXPECT_EQ(view.LoanHistory(1, 0, si::BgtChg), 30000);
    EXPECT_EQ(view.LoanHistory(1, 1, si::LoanCap), 100000);
    EXPECT_EQ(view.LoanHistory(1, 1, si::LoanDur), 4);
    EXPECT_EQ(view.LoanHistory(1, 1, si::LoanIR), 500);
    EXPECT_EQ(view.LoanHistory(1, 1, si::BgtChg), 20000);
    EXPECT_EQ(view.LoanHistory(1, 1, si::CostProfit), 0);
    // Interest of period 1: the loan of period 0 repays 200000 / (1 + 1.1) = 95238.095 first, so
    // 104761.905 stays at 10 %: 10476.190; the new loan pays 5 % of 100000 at once: 5000.
    const long double interest = (200000 - 200000 / 2.1L) * 0.1L + 5000;
    auto zone = [&view](std::int8_t element) { return view.ZoneReport(1, 1, element); };
    ExpectClose(zone(si::ffxIP), interest, "ffxIP");
    EXPECT_EQ(zone(si::ffxECP), -4000);
    // NC = CAM - MRS - RnD - IP + ECP = 9500 - 15000 - 150000 - 15476.190 - 4000 = -174976.190.
    const long double netContribution = 9500 - 15000 - 150000 - interest - 4000;
    ExpectClose(zone(si::ffxNC), netContribution, "ffxNC");
    EXPECT_EQ(zone(si::ffxNPB), 7000000);  // no positive contribution: the smallest budget

    // Base elements carried from period 0.
    EXPECT_EQ(zone(si::ffxRSales0), 70000);
    EXPECT_EQ(zone(si::ffxUSold0), 2500);
    EXPECT_EQ(zone(si::ffxCBM0), 20000);
    EXPECT_EQ(zone(si::ffxCAM0), 5000);
    EXPECT_EQ(zone(si::ffxNC0), 50000);
    EXPECT_EQ(zone(si::ffxRMI0), 2.5);
    // Cumulative = period 0's + the period's.
    EXPECT_EQ(zone(si::ffxCumMRS), 19000);   // 4000 + 15000
    EXPECT_EQ(zone(si::ffxCumRnD), 240000);  // 90000 + 150000
    EXPECT_EQ(zone(si::ffxCumAdv), 27000);   // 12000 + 11250 + 3750
    EXPECT_EQ(zone(si::ffxCumSlf), 11000);   // 5000 + 6000
    ExpectClose(zone(si::ffxCumIP), 20000 + interest, "ffxCumIP");
    EXPECT_EQ(zone(si::ffxCumECP), -3000);  // 1000 - 4000
    ExpectClose(zone(si::ffxCumNC), 50000 + netContribution, "ffxCumNC");
    // Returns per thousand spent: spending 150000 + 15000 + 11250 + 3750 + 6000 = 186000;
    // cumulative spending 240000 + 19000 + 27000 + 11000 = 297000.
    ExpectClose(zone(si::ffxRMI), netContribution / 186, "ffxRMI");
    ExpectClose(zone(si::ffxCumRMI), (50000 + netContribution) / 297, "ffxCumRMI");

    // Stock price: retail sales 95000, 70000 and 60000 over the last three periods, so
    // G = sqrt(95000 / 60000); P1 = (1 + (G - 1) / 2) x (240000 + CumNC) / (2 x 50000);
    // P2 = 1000 / 1000; V = 10 x 50000 x (P1 + P2), above 1.5 x 95000; the base value is
    // carried (750 thousand) and with the lag 1 the previous value has no weight.
    const long double growth = std::sqrt(95000.0L / 60000);
    const long double p1 = (1 + (growth - 1) / 2) * (240000 + 50000 + netContribution) / 100000;
    const long double value = 500000 * (p1 + 1);
    EXPECT_EQ(zone(si::ffxRSalesM1), 70000);
    EXPECT_EQ(zone(si::ffxRSalesM2), 60000);
    ExpectClose(zone(si::ffxMktVal), value / 1000, "ffxMktVal");
    EXPECT_EQ(zone(si::ffxMktVal0), 750);
    ExpectClose(zone(si::ffxSPI), 1000 * value / 750000, "ffxSPI");
}

TEST_F(FinanceAcceptance, OneFirmFixtureCumulatesCarriedWithdrawnAndNewBrands) {
    TCvInd& industry = Run(test::FixtureA(), true, -4000);
    const TFinanceView view(industry, 1);
    auto slot = [&view](int k, int element) { return view.Cumulative(1, 1, 1, k, element); };
    // "Bravo" is BRAVO of slot 2 (letter case ignored): its name, slot and introduction stay,
    // its results add the period's: USold 203 + 1000, RSales 204 + 31000, Rev 205 + 21000,
    // CGS 206 + 10000, IHSC 207 + 1000 + 500, Adv 208 + 3750 + 1250, Slf 209 + 2000, CAM 210 + 2500.
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 2), "BRAVO");
    EXPECT_EQ(slot(2, si::brcIsMkted), 1);
    EXPECT_EQ(slot(2, si::brcIntroPer), 0);
    const long double bravo[] = {1203, 31204, 21205, 10206, 1707, 5208, 2209, 2710};
    for (int e = si::brcUSold; e <= si::brcCAM; ++e) EXPECT_EQ(slot(2, e), bravo[e - si::brcUSold]) << e;
    // COSMO is new: the first free slot, 4, introduced in period 1, with the period's results.
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 4), "COSMO");
    EXPECT_EQ(slot(4, si::brcIsMkted), 1);
    EXPECT_EQ(slot(4, si::brcIntroPer), 1);
    const long double cosmo[] = {2000, 64000, 44000, 20000, 3000, 10000, 4000, 7000};
    for (int e = si::brcUSold; e <= si::brcCAM; ++e) EXPECT_EQ(slot(4, e), cosmo[e - si::brcUSold]) << e;
    // ALPHA, marketed in period 0 and not now, is withdrawn; OLDIE stays withdrawn; both keep their results.
    EXPECT_EQ(slot(1, si::brcIsMkted), 2);
    EXPECT_EQ(slot(1, si::brcUSold), 103);
    EXPECT_EQ(slot(3, si::brcIsMkted), 2);
    EXPECT_EQ(slot(3, si::brcCAM), 310);
    EXPECT_EQ(slot(5, si::brcIsMkted), 0);
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 5), "");
}

TEST_F(FinanceAcceptance, FirstPeriodFixtureStartsEveryBaseAndCumulativeValue) {
    // A profit entry of 25000000 makes the net contribution 9500 - 15000 - 150000 - 5000 + 25000000 = 24839500.
    TCvInd& industry = Run(test::FixtureC(), false, 25000000);
    EXPECT_TRUE(warnings_.empty());
    const TFinanceView view(industry, 0);
    ExpectBrandFigures(view);
    ExpectPeriodMarketAndZoneSums(view);

    auto market = [&view](std::int8_t element) { return view.MarketReport(1, 1, 1, element); };
    EXPECT_EQ(market(si::ffmUSold0), 3000);
    EXPECT_EQ(market(si::ffmRSales0), 95000);
    EXPECT_EQ(market(si::ffmVMS0), 1000);
    EXPECT_EQ(market(si::ffmUMS0), 1000);
    EXPECT_EQ(market(si::ffmCumMRS), 7000);
    EXPECT_EQ(market(si::ffmCumRnD), 150000);

    // The history holds only row 0, from the request; the loan pays 5 % of 100000 in period 0.
    EXPECT_EQ(view.LoanHistory(1, 0, si::LoanCap), 100000);
    EXPECT_EQ(view.LoanHistory(1, 0, si::BgtChg), 20000);
    EXPECT_EQ(view.LoanHistory(1, 1, si::LoanCap), 0);
    auto zone = [&view](std::int8_t element) { return view.ZoneReport(1, 1, element); };
    EXPECT_EQ(zone(si::ffxIP), 5000);
    EXPECT_EQ(zone(si::ffxECP), 25000000);
    EXPECT_EQ(zone(si::ffxNC), 24839500);
    // 0.4 x 24839500 = 9935800, between the bounds; 198.716 steps of 50000 round to 199.
    EXPECT_EQ(zone(si::ffxNPB), 9950000);

    // Base elements are the period's values, cumulative ones the period's.
    EXPECT_EQ(zone(si::ffxRSales0), 95000);
    EXPECT_EQ(zone(si::ffxUSold0), 3000);
    EXPECT_EQ(zone(si::ffxUMS0), 1000);
    EXPECT_EQ(zone(si::ffxVMS0), 1000);
    EXPECT_EQ(zone(si::ffxCBM0), 30500);
    EXPECT_EQ(zone(si::ffxCAM0), 9500);
    EXPECT_EQ(zone(si::ffxNC0), 24839500);
    EXPECT_EQ(zone(si::ffxCumMRS), 15000);
    EXPECT_EQ(zone(si::ffxCumRnD), 150000);
    EXPECT_EQ(zone(si::ffxCumAdv), 15000);
    EXPECT_EQ(zone(si::ffxCumSlf), 6000);
    EXPECT_EQ(zone(si::ffxCumIP), 5000);
    EXPECT_EQ(zone(si::ffxCumECP), 25000000);
    EXPECT_EQ(zone(si::ffxCumNC), 24839500);
    // Spending and cumulative spending are both 186000.
    ExpectClose(zone(si::ffxRMI), 24839500.0L / 186, "ffxRMI");
    ExpectClose(zone(si::ffxCumRMI), 24839500.0L / 186, "ffxCumRMI");
    ExpectClose(zone(si::ffxRMI0), 24839500.0L / 186, "ffxRMI0");

    // Before period 0 retail sales grew 5 % a period: 95000 / 1.05 and 95000 / 1.05^2, so G = 1.05.
    // P1 = 1.025 x (150000 + 24839500) / 24839500 = 1.025 + 153750 / 24839500; P2 = 1;
    // V = 10 x 24839500 x (P1 + 1) = 20.25 x 24839500 + 1537500 = 504537375, the base value too.
    ExpectClose(zone(si::ffxRSalesM1), 95000 / 1.05L, "ffxRSalesM1");
    ExpectClose(zone(si::ffxRSalesM2), 95000 / 1.05L / 1.05L, "ffxRSalesM2");
    ExpectClose(zone(si::ffxMktVal), 504537.375L, "ffxMktVal");
    ExpectClose(zone(si::ffxMktVal0), 504537.375L, "ffxMktVal0");
    ExpectClose(zone(si::ffxSPI), 1000, "ffxSPI");

    // The firm's brands take slots 1 and 2 in the order of its marketed brands, introduced in period 0.
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 1), "ALPHA");
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 2), "BRAVO");
    const long double alpha[] = {1000, 31000, 21000, 10000, 1500, 5000, 2000, 2500};
    for (int e = si::brcUSold; e <= si::brcCAM; ++e)
        EXPECT_EQ(view.Cumulative(1, 1, 1, 1, e), alpha[e - si::brcUSold]) << e;
    EXPECT_EQ(view.Cumulative(1, 1, 1, 2, si::brcIsMkted), 1);
    EXPECT_EQ(view.Cumulative(1, 1, 1, 2, si::brcIntroPer), 0);
    EXPECT_EQ(view.Cumulative(1, 1, 1, 2, si::brcRSales), 64000);
    EXPECT_EQ(view.Cumulative(1, 1, 1, 3, si::brcIsMkted), 0);
}

}  // namespace
}  // namespace cv
