// The forecast as the plan dialog asks for it: the session's flag that a
// forecast stands follows the outcome of the run, never the call.

#include "model/plan_forecast.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/session/session.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

TEST(PlanForecast, TheSessionMarksAForecastOnlyWhenTheRunSucceeded) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureBAtPeriodFour());
    const TForecastOutcome done = RunPlanForecast(*Session);
    EXPECT_TRUE(done.Done);
    EXPECT_EQ(done.Reason, "");
    EXPECT_TRUE(done.Warnings.empty());
    EXPECT_TRUE(Session->ForecastDone);
    // Fixture (b): Bravo, COSMO of firm 1 and DELTA of firm 2 stand in the forecast of period 5.
    EXPECT_EQ(test::TForecastView(industry, 5).MarketCount(1, 1), 3);

    // A second industry whose decisions lack the portfolio: the run fails, and
    // the flag set by the first forecast is cleared with it.
    test::TFixtureSetup broken = test::FixtureBAtPeriodFour();
    broken.omittedDecisionArrays = {"DecBrdPort"};
    world.OpenFixture(broken, "broken.ind");
    Session->ForecastDone = true;
    const TForecastOutcome failed = RunPlanForecast(*Session);
    EXPECT_FALSE(failed.Done);
    EXPECT_EQ(failed.Reason, "array DecBrdPort missing in the decisions of period 5, firm 1, zone 1, market 1");
    EXPECT_FALSE(Session->ForecastDone);
    EXPECT_TRUE(world.ui.errorBoxes.empty());  // the dialog shows the reason, not the model
}

TEST(PlanForecast, WarningsOfASuccessfulRunReachTheCaller) {
    test::TModelWorld world;
    test::TFixtureSetup setup = test::FixtureOverfullPortfolio();
    // Firm 1 states six brands in a portfolio of five slots: the count is taken as 5.
    world.OpenFixture(setup);
    const TForecastOutcome outcome = RunPlanForecast(*Session);
    EXPECT_TRUE(outcome.Done) << outcome.Reason;
    EXPECT_TRUE(Session->ForecastDone);
    EXPECT_EQ(outcome.Warnings,
              std::vector<std::string>{"brands of firm 1, zone 1, market 1: 6 is outside 0..5 and is taken as 5"});
}

TEST(PlanForecast, WithoutAnIndustryNothingRuns) {
    test::TModelWorld world;
    Session->ForecastDone = true;
    const TForecastOutcome outcome = RunPlanForecast(*Session);
    EXPECT_FALSE(outcome.Done);
    EXPECT_EQ(outcome.Reason, "no industry is open");
    EXPECT_FALSE(Session->ForecastDone);
    EXPECT_TRUE(world.ui.progressBoxes.empty());
}

}  // namespace
}  // namespace cv
