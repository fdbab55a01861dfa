// The finance step at its edges: an assumed growth of -1 before period 0, a
// negative growth, empty or negative decision entries, missing arrays of t or of
// the decisions, and an industry whose series the step cannot use. Brand figures
// from WriteBrandInputsT1 (fixture_finan.h): the firm's two brands sell 1000 and
// 2000 units at 31 and 32, for a contribution after marketing of 2500 + 7000 = 9500.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "model/mod_finan.h"
#include "model/model_access.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

constexpr int kZoneCategory = 3;

// The brand figures and nothing else: no studies, projects or loans, no loan of t.
TCvInd& OpenPlain(test::TModelWorld& world, const test::TFixtureSpec& spec) {
    TCvInd& industry = world.OpenFixture(spec);
    test::PrepareForecastPeriod(industry);
    test::WriteBrandInputsT1(industry);
    test::SetMarketStudyOrders(industry, 1, 1, 1, {});
    test::SetZoneStudyOrders(industry, 1, 1, {});
    test::SetProjects(industry, 1, 1, 0, {});
    test::SetLoanRequest(industry, 1, {});
    if (spec.currentPeriod >= 0) test::SetLoanHistoryT(industry, 1, 0, {});
    return industry;
}

TEST(FinanceEdge, GrowthOfMinusOneBeforePeriodZeroLeavesNoPastSales) {
    test::TModelWorld world;
    TCvInd& industry = OpenPlain(world, test::FixtureC());
    test::SetParameter(industry, kZoneCategory, 1, "RevGrowthBefPer0", -1);
    ASSERT_NO_THROW(test::RunFinanceStep(industry));
    const test::TFinanceView view(industry, 0);
    // Retail sales 95000 / (1 + -1) has no value: the past sales are 0 and so is G. With
    // NC = NC0 = CAM = 9500: P1 = (1 + (0 - 1) / 2) x 9500 / 9500 = 0.5, P2 = 1, V = 10 x 9500 x 1.5
    // = 142500, which is also 1.5 x 95000; the base value is V, the index 1000.
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxRSalesM1), 0);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxRSalesM2), 0);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxNC0), 9500);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxMktVal), 142.5);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxSPI), 1000);
    EXPECT_TRUE(world.ui.plainBoxes.empty());
}

TEST(FinanceEdge, NegativeGrowthKeepsItsSign) {
    test::TModelWorld world;
    TCvInd& industry = OpenPlain(world, test::FixtureA());
    const std::pair<std::int8_t, long double> before[] = {
        {si::ffxRSales, 70000}, {si::ffxRSalesM1, -60000}, {si::ffxNC0, 50000},   {si::ffxVMS0, 1000},
        {si::ffxCumNC, 0},      {si::ffxCumRnD, 0},        {si::ffxMktVal0, 750}, {si::ffxMktVal, 0}};
    for (const auto& [element, value] : before) test::SetZoneReportT(industry, 1, 1, element, value);
    test::RunFinanceStep(industry);
    const test::TFinanceView view(industry, 1);
    // G = -sqrt(95000 / 60000); P1 = (1 + (G - 1) / 2) x (0 + 9500) / (2 x 50000); P2 = 1;
    // V = 10 x 50000 x (P1 + 1), above 1.5 x 95000; index 1000 x V / 750000.
    const long double growth = -std::sqrt(95000.0L / 60000);
    const long double value = 500000 * ((1 + (growth - 1) / 2) * 9500 / 100000 + 1);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxRSalesM2), -60000);
    EXPECT_NEAR(static_cast<double>(view.ZoneReport(1, 1, si::ffxMktVal)), static_cast<double>(value / 1000), 1e-6);
    EXPECT_NEAR(static_cast<double>(view.ZoneReport(1, 1, si::ffxSPI)), static_cast<double>(value / 750), 1e-6);
    EXPECT_TRUE(world.ui.plainBoxes.empty());  // Power never sees a negative base
}

TEST(FinanceEdge, EmptyOrNegativeEntriesCountAsZeroWithAWarning) {
    test::TModelWorld world;
    TCvInd& industry = OpenPlain(world, test::FixtureA());
    TDataContext cell;
    cell.SelFirm = cell.SelFta = cell.SelMarket = 1;
    TSimArr& mix = *industry.PerDecisions(1).GetSimArr(kCategoryFirmFtaMarket, cell, "DecBrdCV3");
    mix.SetReal48({1, si::AdvertBgt}, kEmptyDecisionValue);
    mix.SetReal48({2, si::AdvertQual}, kEmptyDecisionValue);
    test::SetLoanRequest(industry, 1, {kEmptyDecisionValue, 0, 0, 0, 0});
    test::SetProjects(industry, 1, 1, 1, {-5000});
    const std::vector<std::string> warnings = test::RunFinanceStep(industry);
    const test::TFinanceView view(industry, 1);
    EXPECT_EQ(view.Brand(1, 1, 1, 1, si::brAdvM), 0);
    EXPECT_EQ(view.Brand(1, 1, 1, 1, si::brAdvQ), 0);
    EXPECT_EQ(view.Brand(1, 1, 1, 2, si::brAdvM), 10000);  // quality 0: all media
    EXPECT_EQ(view.Brand(1, 1, 1, 2, si::brAdvQ), 0);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxECP), 0);
    EXPECT_EQ(view.MarketReport(1, 1, 1, si::ffmRnD), 0);
    EXPECT_TRUE(test::HasWarning(warnings, "AdvertBgt of brand 1 of firm 1 in zone 1, market 1 is empty"));
    EXPECT_TRUE(test::HasWarning(warnings, "AdvertQual of brand 2 of firm 1 in zone 1, market 1 is empty"));
    EXPECT_TRUE(test::HasWarning(warnings, "CostProfit of firm 1 is empty"));
    EXPECT_TRUE(test::HasWarning(warnings, "ProAllBgt of project 1 of firm 1, market 1 is negative"));
    EXPECT_EQ(mix.GetReal48({1, si::AdvertBgt}), kEmptyDecisionValue);  // the decision itself is kept
}

TEST(FinanceEdge, MissingArraysOfTCarryZeros) {
    test::TModelWorld world;
    TCvInd& industry = OpenPlain(world, test::FixtureA());
    // Results of t as an empty set: no loan history, reports or cumulative slots.
    industry.FreePerResults(0);
    industry.NewPerResults(0);
    std::vector<std::string> warnings;
    ASSERT_NO_THROW(warnings = test::RunFinanceStep(industry));
    EXPECT_TRUE(warnings.empty());
    const test::TFinanceView view(industry, 1);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxNC), 9500);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxCumNC), 9500);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxNC0), 0);
    EXPECT_EQ(view.MarketReport(1, 1, 1, si::ffmRSales0), 0);
    EXPECT_EQ(view.LoanHistory(1, 0, si::LoanCap), 0);
    // Without names of t both brands are new: slots 1 and 2, introduced in period 1.
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 1), "Bravo");
    EXPECT_EQ(view.CumulativeName(1, 1, 1, 2), "COSMO");
    EXPECT_EQ(view.Cumulative(1, 1, 1, 2, si::brcIntroPer), 1);
    // No base net contribution, value share or base value: P1 = P2 = 0 and V is the floor
    // 1.5 x 95000 = 142500; the index against a base value of 0 is 0.
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxMktVal), 142.5);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxMktVal0), 0);
    EXPECT_EQ(view.ZoneReport(1, 1, si::ffxSPI), 0);
}

TEST(FinanceEdge, MissingLoanRequestIsAModelErrorNamingIt) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureA();
    spec.omittedDecisionArrays = {"LoanVal"};
    TCvInd& industry = world.OpenFixture(spec);
    test::PrepareForecastPeriod(industry);
    try {
        test::RunFinanceStep(industry);
        ADD_FAILURE() << "no model error";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "array LoanVal missing in the decisions of period 1, firm 1");
    }
}

TEST(FinanceEdge, InitRefusesSeriesTheStepCannotUse) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureA();
    spec.omittedSeries = {"StuInfos"};
    TCvInd& industry = world.OpenFixture(spec);
    TWorkRec work;
    TModFinan finance;
    try {
        finance.Init(industry, &work);
        ADD_FAILURE() << "no model error";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "the industry has no series StuInfos");
    }

    // A zone report that does not begin with the market report's elements would take
    // each market sum into the wrong element.
    TCvInd& other = world.OpenFixture(test::FixtureA(), "shifted.ind");
    other.FindSeries("FFXRpt")->InsertLabel(0, "ffxExtra");
    InitSeriesIndexes(other.SeriesList());
    try {
        finance.Init(other, &work);
        ADD_FAILURE() << "no model error";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(),
                     "the series FFXRpt does not begin with the elements of FFMRpt: ffxExtra is not ffxUSold");
    }
}

}  // namespace
}  // namespace cv
