// The model driver: the run's frame (seed, fresh forecast period, model log,
// wait notice), the order of its steps, the default decisions only before the
// last period, the full-period branch, and the one error path.

#include "model/mod_cv3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/log_file.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/model_access.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/model/rnd/rnd_world.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

TDataContext MarketCell() {
    TDataContext context;
    context.SelFta = context.SelMarket = 1;
    return context;
}

using test::Contains;

TEST(ModCV3, RunWritesTheForecastAndTheModelLogAndClosesTheNotice) {
    test::TModelWorld world;
    world.OpenFixture(test::FixtureA());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    // t = 0: the log of period 1 is "CV3LOG" + "01" + ".TXT" in the private directory.
    EXPECT_TRUE(fs::exists(world.PrivateDir() / "CV3LOG01.TXT"));
    EXPECT_FALSE(LogIsOpen());
    ASSERT_EQ(world.ui.progressBoxes.size(), 1u);
    EXPECT_EQ(world.ui.progressBoxes[0], (std::vector<std::string>{"Running the simulation   -   Period 1",
                                                                   "100% completed", "", "Please wait ..."}));
    EXPECT_FALSE(world.ui.progressOpen);
    EXPECT_TRUE(world.ui.plainBoxes.empty());
    EXPECT_TRUE(world.ui.errorBoxes.empty());
    EXPECT_TRUE(world.warnings.empty());
    EXPECT_FALSE(Session->ForecastDone);  // the plan dialog marks it, not the driver

    world.OpenFixture(test::FixtureC(), "first.ind");
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    EXPECT_TRUE(fs::exists(world.PrivateDir() / "CV3LOG00.TXT"));
}

// The period series runs 0..12: from t = 10 the forecast of 11 lays down the
// defaults of 12; from t = 11 the forecast of 12, the last period, leaves the
// decisions and defaults of 13 as they were.
TEST(ModCV3, DefaultDecisionsOnlyWhileTheForecastPeriodIsBeforeTheLast) {
    for (int t : {10, 11}) {
        SCOPED_TRACE("t = " + std::to_string(t));
        test::TFixtureSpec spec = test::FixtureB();
        spec.currentPeriod = t;
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(spec);
        TDataContext firmCell;
        firmCell.SelFirm = 1;
        industry.PerDecisions(t + 2).SetSmallint(kCategoryFirm, firmCell, "Earlier", 3);
        const test::TGridBytes before = test::GridBytes(industry.PerDecisions(t + 2));
        ASSERT_TRUE(world.RunForecast()) << world.failureReason;
        const test::TGridBytes after = test::GridBytes(industry.PerDecisions(t + 2));
        if (t == 10) {
            EXPECT_NE(test::FirstDifference(before, after), "");
            EXPECT_EQ(test::FirstDifference(after, test::GridBytes(industry.PerDefaults(t + 2))), "");
        } else {
            EXPECT_EQ(test::FirstDifference(before, after), "");
            EXPECT_FALSE(industry.PerDefaults(t + 2).HasCells());
        }
    }
}

TEST(ModCV3, FullPeriodOnlyAnswersWithItsMessage) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    industry.NewPerResults(1).SetSmallint(kCategoryFtaMarket, MarketCell(), "Earlier", 4);
    TModCV3 driver;
    driver.Init(industry, nullptr);
    EXPECT_FALSE(driver.Run(rfFullPeriod));
    EXPECT_EQ(world.ui.plainBoxes,
              std::vector<std::string>{"This version was not compiled with the appropriate options. Please contact "
                                       "Quenor."});
    EXPECT_EQ(industry.CurPeriod(), 0);
    EXPECT_EQ(industry.PerResults(1).GetSmallint(kCategoryFtaMarket, MarketCell(), "Earlier"), 4);
    EXPECT_FALSE(fs::exists(world.PrivateDir() / "CV3LOG01.TXT"));
    EXPECT_TRUE(world.ui.progressBoxes.empty());
}

// A run that fails: Run answers false with the reason, the process goes on, the
// notice and the log are closed with the reason in the log, and the forecast
// period holds nothing but zeros.
void ExpectAbandoned(test::TModelWorld& world, TCvInd& industry, const std::string& reason) {
    EXPECT_FALSE(world.RunForecast());
    EXPECT_EQ(world.failureReason, reason);
    EXPECT_FALSE(LogIsOpen());
    EXPECT_FALSE(world.ui.progressOpen);
    const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG05.TXT");
    EXPECT_TRUE(Contains(log, "Model run abandoned: " + reason)) << log;
    std::string where;
    EXPECT_TRUE(test::ForecastAllZero(industry, 5, where)) << where;
}

TEST(ModCV3, MissingPrototypeAbandonsTheRunAndLeavesAnEmptyForecast) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureBAtPeriodFour();
    spec.Cell(2, 1, 1).brandsT1.push_back({"GHOST", "PNONE", {}});
    TCvInd& industry = world.OpenFixture(spec);
    ExpectAbandoned(world, industry, "Could not find prototype PNONE for GHOST");
    // Every array of the dictionary is there again, all zero.
    EXPECT_EQ(test::TForecastView(industry, 5).MarketCount(1, 1), 0);
}

std::vector<long double> Elements(const TSimArr& array) {
    std::vector<long double> values;
    for (int row = array.LB(1); row <= array.UB(1); ++row)
        for (int column = array.LB(2); column <= array.UB(2); ++column) values.push_back(array.GetReal48({row, column}));
    return values;
}

// Firm 1 develops XRAY jointly with firm 2 (contract "Dev", firm 2 paying
// 40,000). A run writes the brands' portfolio statuses (preference: Bravo
// modified, 3) and the alliance fields of XRAY (partner 2, the other's budget
// 40,000) into the decisions of period 5; without a loan request the finance
// step stops the run, and both arrays are back as they were, the same arrays.
TEST(ModCV3, AFailedRunPutsBackWhatItWroteIntoTheDecisions) {
    for (const bool withLoan : {true, false}) {
        SCOPED_TRACE(withLoan ? "complete run" : "run without a loan request");
        test::TFixtureSpec spec = test::FixtureBAtPeriodFour();
        if (!withLoan) spec.omittedDecisionArrays = {"LoanVal"};
        test::TRnDWorld rnd(spec);
        rnd.SetProjects(1, 1, {{"XRAY", {50, 50, 54}, 100000, 300}});
        rnd.SetContracts(1, 1, {{"Dev", "XRAY", 1, 2, 100000, 40000}});
        TCvPerData& decisions = rnd.industry.PerDecisions(5);
        TDataContext cell = MarketCell();
        cell.SelFirm = 1;
        TSimArr* mix = decisions.FindSimArr(kCategoryFirmFtaMarket, cell, "DecBrdCV3");
        cell.SelFta = 0;
        TSimArr* projects = decisions.FindSimArr(kCategoryFirmMarket, cell, "PrjFins");
        ASSERT_NE(mix, nullptr);
        ASSERT_NE(projects, nullptr);
        const std::vector<long double> mixBefore = Elements(*mix);
        const std::vector<long double> projectsBefore = Elements(*projects);
        EXPECT_EQ(rnd.world.RunForecast(), withLoan) << rnd.world.failureReason;
        EXPECT_EQ(decisions.FindSimArr(kCategoryFirmMarket, cell, "PrjFins"), projects);
        cell.SelFta = 1;
        EXPECT_EQ(decisions.FindSimArr(kCategoryFirmFtaMarket, cell, "DecBrdCV3"), mix);
        if (withLoan) {
            EXPECT_EQ(mix->GetReal48({1, si::PortStatus}), 3);
            EXPECT_EQ(projects->GetReal48({1, si::ProPartner}), 2);
            EXPECT_EQ(projects->GetReal48({1, si::ProAllBgtOther}), 40000);
        } else {
            EXPECT_TRUE(Contains(rnd.world.failureReason, "LoanVal")) << rnd.world.failureReason;
            EXPECT_EQ(Elements(*mix), mixBefore);
            EXPECT_EQ(Elements(*projects), projectsBefore);
        }
    }
}

// The marketed brands of t+1 and their links, derived by hand from each
// fixture's brands of t, portfolio decisions of t+1 and prototypes of t.

using test::TFixtureSpec;
using test::TForecastView;

struct TLinks {
    int firm, slot, previous, prototypeFirm, prototypeIndex;
};

void ExpectMarketBrand(const TForecastView& view, int zone, int market, int brand, const std::string& name,
                       const TLinks& links) {
    SCOPED_TRACE("market brand " + std::to_string(brand) + " " + name);
    EXPECT_EQ(view.BrandName(zone, market, brand), name);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Dfix), links.firm);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Dbix), links.slot);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::pMbix), links.previous);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Rfix), links.prototypeFirm);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Rpix), links.prototypeIndex);
}

TEST(MarketedBrands, NumberingSkipsFirmsWithoutBrandsAndPrototypesPreferTheOwnFirm) {
    TFixtureSpec spec(4, 3, 1, 1);
    spec.Prototypes(1, 1) = {"PSHARE", "PONE"};
    spec.Prototypes(2, 1) = {"PTWO"};
    spec.Prototypes(3, 1) = {"PTHREE", "PSHARE"};
    spec.Cell(2, 1, 1).brandsT1 = {{"TWO", "PTWO", {}}};
    spec.Cell(3, 1, 1).brandsT1 = {{"THREE", "PSHARE", {}}, {"TRIO", "PONE", {}}};
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 5);
    // Firm 1 decides nothing: firm 2's TWO is market brand 1, firm 3's brands 2 and 3.
    // PSHARE is listed by firm 1 (place 1) and by firm 3 (place 2): THREE of firm 3 links to
    // firm 3. PONE only by firm 1, place 2. No market had brands: every pMbix is 0.
    EXPECT_EQ(view.FirmCount(1, 1, 1), 0);
    EXPECT_EQ(view.MarketCount(1, 1), 3);
    ExpectMarketBrand(view, 1, 1, 1, "TWO", {2, 1, 0, 2, 1});
    ExpectMarketBrand(view, 1, 1, 2, "THREE", {3, 1, 0, 3, 2});
    ExpectMarketBrand(view, 1, 1, 3, "TRIO", {3, 2, 0, 1, 2});
    // Age 0 in t, brands now: 0 + 1.
    EXPECT_EQ(view.MarketAge(1, 1), 1);
}

TEST(MarketedBrands, MarketWithoutBrandsKeepsAgeingOnceItHadBrands) {
    TFixtureSpec spec(6, 1, 1, 2);
    spec.Prototypes(1, 1) = {"PX"};
    spec.MarketAgeT(1, 1) = 3;
    spec.MarketAgeT(1, 2) = 0;
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 7);
    // No brand in t+1 anywhere: age 3 becomes 4; a market that never had brands stays 0.
    EXPECT_EQ(view.MarketCount(1, 1), 0);
    EXPECT_EQ(view.MarketAge(1, 1), 4);
    EXPECT_EQ(view.MarketAge(1, 2), 0);
}

}  // namespace
}  // namespace cv
