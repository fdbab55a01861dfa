// The model driver: the default decisions only before the last period, the
// full-period branch, the error path, and the ageing of a market without brands.

#include "model/mod_cv3.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/base/log_file.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/period_arrays.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/model/rnd/rnd_world.h"
#include "tests/support/stored_form.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

TDataContext MarketCell() {
    TDataContext context;
    context.SelFta = context.SelMarket = 1;
    return context;
}

// The period series runs 0..12: from t = 10 the forecast of 11 lays down the
// defaults of 12; from t = 11 the forecast of 12, the last period, leaves the
// decisions and defaults of 13 as they were.
TEST(ModCV3, DefaultDecisionsOnlyWhileTheForecastPeriodIsBeforeTheLast) {
    for (int t : {10, 11}) {
        SCOPED_TRACE("t = " + std::to_string(t));
        test::TFixtureSetup setup = test::FixtureB();
        setup.currentPeriod = t;
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(setup);
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

// A run that fails answers false with the reason and the process goes on: the
// notice and the log are closed with the reason in the log, and the forecast
// period holds nothing but zeros.
TEST(ModCV3, MissingPrototypeAbandonsTheRunAndLeavesAnEmptyForecast) {
    test::TModelWorld world;
    test::TFixtureSetup setup = test::FixtureBAtPeriodFour();
    setup.Cell(2, 1, 1).brandsT1.push_back({"GHOST", "PNONE", {}});
    TCvInd& industry = world.OpenFixture(setup);
    EXPECT_FALSE(world.RunForecast());
    EXPECT_EQ(world.failureReason, "Could not find prototype PNONE for GHOST");
    EXPECT_FALSE(LogIsOpen());
    EXPECT_FALSE(world.ui.progressOpen);
    const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG05.TXT");
    EXPECT_TRUE(test::Contains(log, "Model run abandoned: Could not find prototype PNONE for GHOST")) << log;
    std::string where;
    EXPECT_TRUE(test::ForecastAllZero(industry, 5, where)) << where;
    // Every array of the dictionary is there again, all zero.
    EXPECT_EQ(test::TForecastView(industry, 5).MarketCount(1, 1), 0);
}

// Firm 1 develops XRAY jointly with firm 2 (contract "Dev", firm 2 paying
// 40,000). A run writes the brands' portfolio statuses (preference: Bravo
// modified, 3) and the alliance fields of XRAY (partner 2, the other's budget
// 40,000) into the decisions of period 5; without a loan request the finance
// step stops the run, and both arrays are back as they were, the same arrays.
TEST(ModCV3, AFailedRunPutsBackWhatItWroteIntoTheDecisions) {
    for (const bool withLoan : {true, false}) {
        SCOPED_TRACE(withLoan ? "complete run" : "run without a loan request");
        test::TFixtureSetup setup = test::FixtureBAtPeriodFour();
        if (!withLoan) setup.omittedDecisionArrays = {"LoanVal"};
        test::TRnDWorld rnd(setup);
        rnd.SetProjects(1, 1, {{"XRAY", {50, 50, 54}, 100000, 300}});
        rnd.SetContracts(1, 1, {{"Dev", "XRAY", 1, 2, 100000, 40000}});
        TCvPerData& decisions = rnd.industry.PerDecisions(5);
        TSimArr* mix = &test::Arr(decisions, kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3");
        TSimArr* projects = &test::Arr(decisions, kCategoryFirmMarket, 1, 0, 1, "PrjFins");
        const std::vector<std::uint8_t> mixBefore = test::StoredForm(*mix);
        const std::vector<std::uint8_t> projectsBefore = test::StoredForm(*projects);
        EXPECT_EQ(rnd.world.RunForecast(), withLoan) << rnd.world.failureReason;
        EXPECT_EQ(&test::Arr(decisions, kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3"), mix);
        EXPECT_EQ(&test::Arr(decisions, kCategoryFirmMarket, 1, 0, 1, "PrjFins"), projects);
        if (withLoan) {
            EXPECT_EQ(mix->GetReal48({1, si::PortStatus}), 3);
            EXPECT_EQ(projects->GetReal48({1, si::ProPartner}), 2);
            EXPECT_EQ(projects->GetReal48({1, si::ProAllBgtOther}), 40000);
        } else {
            EXPECT_TRUE(test::Contains(rnd.world.failureReason, "LoanVal")) << rnd.world.failureReason;
            EXPECT_EQ(test::StoredForm(*mix), mixBefore);
            EXPECT_EQ(test::StoredForm(*projects), projectsBefore);
        }
    }
}

// Every forecast makes the results of t+1 afresh, whatever an earlier one left
// there: the second gives the bytes of the first, every cell marked changed,
// when the cells were left as the first run made them and when one holds an
// element, a counter, an array or a scalar of its own, or an array of another
// shape or another letter case.
TEST(ModCV3, EveryForecastMakesTheForecastPeriodAfresh) {
    struct TCase {
        const char* name;
        void (*change)(TCvPerData& results);
    };
    const TCase cases[] = {
        {"as made", [](TCvPerData&) {}},
        {"element", [](TCvPerData& r) { r.FindSimArr(kCategoryFtaMarket, MarketCell(), "SegSizes")->SetReal48({1, 1}, 7); }},
        {"counter", [](TCvPerData& r) { r.SetSmallint(kCategoryFtaMarket, MarketCell(), "NbMktedBrds", 9); }},
        {"scalar", [](TCvPerData& r) { r.SetSmallint(kCategoryFtaMarket, MarketCell(), "Earlier", 4); }},
        {"array", [](TCvPerData& r) { r.CreateSimArr(kCategoryFtaMarket, MarketCell(), "Stray", dkByte, 0, {si::UorV}); }},
        {"shape",
         [](TCvPerData& r) {
             r.FindSimArr(kCategoryFtaMarket, MarketCell(), "SemWeights")->InitFromSeries(dkSmallint, 0, {si::UorV});
         }},
        {"letter case",
         [](TCvPerData& r) {
             // The cell as made, but for one array whose name differs in letter case.
             TCvPerData renamed;
             for (std::string_view name : PeriodCellNames(kCategoryFtaMarket).arrays) {
                 auto copy = std::make_unique<TSimArr>();
                 copy->Assign(*r.FindSimArr(kCategoryFtaMarket, MarketCell(), name));
                 renamed.AddSimArr(kCategoryFtaMarket, MarketCell(), name == "SegSales" ? "SEGSALES" : name,
                                   std::move(copy));
             }
             renamed.SetSmallint(kCategoryFtaMarket, MarketCell(), "NbMktedBrds", 0);
             const TCellIndex cell = CalcIndices(kCategoryFtaMarket, MarketCell());
             r.Cell(cell)->Swap(*renamed.Cell(cell));
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(test::FixtureB());
        ASSERT_TRUE(world.RunForecast()) << world.failureReason;
        const test::TGridBytes first = test::GridBytes(industry.PerResults(1));
        c.change(industry.PerResults(1));
        ASSERT_TRUE(world.RunForecast()) << world.failureReason;
        EXPECT_EQ(test::FirstDifference(first, test::GridBytes(industry.PerResults(1))), "");
        ForEachCell([&](const TCellIndex& cell) {
            const TSimData* bag = industry.PerResults(1).Cell(cell);
            if (bag) {
                EXPECT_TRUE(bag->IsModified()) << test::CellText(cell);
            }
        });
    }
}

TEST(MarketedBrands, MarketWithoutBrandsKeepsAgeingOnceItHadBrands) {
    test::TFixtureSetup setup(6, 1, 1, 2);
    setup.Prototypes(1, 1) = {"PX"};
    setup.MarketAgeT(1, 1) = 3;
    setup.MarketAgeT(1, 2) = 0;
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(setup);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const test::TForecastView view(industry, 7);
    // No brand in t+1 anywhere: age 3 becomes 4; a market that never had brands stays 0.
    EXPECT_EQ(view.MarketCount(1, 1), 0);
    EXPECT_EQ(view.MarketAge(1, 1), 4);
    EXPECT_EQ(view.MarketAge(1, 2), 0);
}

}  // namespace
}  // namespace cv
