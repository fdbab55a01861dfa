// The default decisions of t+2: plan figures and channel shares from the
// forecast, carried projects and contracts, resets, the default set as a copy
// of the decision set, and a run that changes nothing when it fails.

#include "model/mod_ddecs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "model/rnd/mod_rnd.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_ddecs.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

using test::Arr;

TCvPerData& DecisionsT2(TCvInd& industry) { return industry.PerDecisions(industry.CurPeriod() + 2); }
TCvPerData& DefaultsT2(TCvInd& industry) { return industry.PerDefaults(industry.CurPeriod() + 2); }

TCvInd& OpenPrepared(test::TModelWorld& world, const test::TFixtureSpec& spec) {
    TCvInd& industry = world.OpenFixture(spec);
    test::PrepareForecastPeriod(industry);
    return industry;
}

void RunDefaults(TCvInd& industry, TWorkRec* work = nullptr) {
    TModDDecs defaults;
    defaults.Init(industry, work);
    defaults.Run();
}

std::vector<long double> Row(const TSimArr& array, int row) {
    std::vector<long double> values;
    for (int j = array.LB(2); j <= array.UB(2); ++j) values.push_back(array.GetReal48({row, j}));
    return values;
}

std::vector<long double> Elements(const TSimArr& array) {
    std::vector<long double> values;
    for (int j = array.LB(1); j <= array.UB(1); ++j) values.push_back(array.GetReal48({j}));
    return values;
}

// Fixture (b) with three channels. Forecast unit sales "BrdUSales"[m, s, c] of
// t+1 (zone 1, market 1): Bravo (m 1, firm 1's brand 1) sells 1, 1, 1 in segment
// 1; COSMO (m 2, firm 1's brand 2) nothing; DELTA (m 3, firm 2's brand 1) sells
// 1, 1, 2 in segment 1 and 0, 2, 2 in segment 2.
TEST(ModDDecs, PlanFiguresComeFromTheForecastAndChannelSharesRoundToAWholeHundred) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureB();
    spec.channels = 3;
    TCvInd& industry = OpenPrepared(world, spec);
    test::SetUnitSales(industry, 1, 1, 1, 1, {1, 1, 1});
    test::SetUnitSales(industry, 1, 1, 3, 1, {1, 1, 2});
    test::SetUnitSales(industry, 1, 1, 3, 2, {0, 2, 2});
    // Plans entered for t+2 before: firm 1's split with a stray row 3, firm 2's
    // segment sales with a stray row 4 and its split over two channels only.
    TCvPerData& planned = DecisionsT2(industry);
    planned
        .CreateSimArr(kCategoryFirmFtaMarket, test::FixtureCell(0, 1, 1, 1), "MPBrdChaSales", dkReal48, 0,
                      {industry.FindSeries("FirBrand"), industry.ChaSeries(1)})
        .SetReal48({3, 1}, 99);
    const TSeries twoChannels(0, "Two", 1, {"C1", "C2"});
    TSimArr& stale = planned.AddSimArr(kCategoryFirmFtaMarket, test::FixtureCell(0, 2, 1, 1), "MPBrdSegSales",
                                       std::make_unique<TSimArr>());
    stale.InitFromSeries(dkReal48, 0, {industry.FindSeries("FirBrand"), industry.SegSeries(1, 1)});
    stale.SetReal48({4, 1}, 77);
    TSimArr& otherShape = planned.AddSimArr(kCategoryFirmFtaMarket, test::FixtureCell(0, 2, 1, 1), "MPBrdChaSales",
                                            std::make_unique<TSimArr>());
    otherShape.InitFromSeries(dkReal48, 0, {industry.FindSeries("FirBrand"), &twoChannels});
    otherShape.SetReal48({1, 2}, 55);

    RunDefaults(industry);
    TCvPerData& set = DecisionsT2(industry);
    for (int firm : {1, 2}) {
        SCOPED_TRACE("firm " + std::to_string(firm));
        // Segment 1: 3 (Bravo) + 0 (COSMO) + 4 (DELTA) = 7; segment 2: 0 + 0 + 4 = 4.
        EXPECT_EQ(Elements(Arr(set, 8, test::FixtureCell(0, firm, 1, 1), "MPSegSales")),
                  (std::vector<long double>{7, 4}));
    }
    const TSimArr& segSales1 = Arr(set, 8, test::FixtureCell(0, 1, 1, 1), "MPBrdSegSales");
    EXPECT_EQ(Row(segSales1, 1), (std::vector<long double>{3, 0}));
    EXPECT_EQ(Row(segSales1, 2), (std::vector<long double>{0, 0}));
    const TSimArr& shares1 = Arr(set, 8, test::FixtureCell(0, 1, 1, 1), "MPBrdChaSales");
    // Bravo: 100 x 1/3 = 33.3 -> 33, 33, and the last channel 100 - 66 = 34.
    EXPECT_EQ(Row(shares1, 1), (std::vector<long double>{33000, 33000, 34000}));
    // COSMO sold nothing: 0, 0 and the last channel 100.
    EXPECT_EQ(Row(shares1, 2), (std::vector<long double>{0, 0, 100000}));
    EXPECT_EQ(Row(shares1, 3), (std::vector<long double>{0, 0, 0}));

    const TSimArr& segSales2 = Arr(set, 8, test::FixtureCell(0, 2, 1, 1), "MPBrdSegSales");
    EXPECT_EQ(Row(segSales2, 1), (std::vector<long double>{4, 4}));
    EXPECT_EQ(Row(segSales2, 4), (std::vector<long double>{0, 0}));  // the stray row cleared
    // DELTA: channels 1, 3, 4 of 8: 12.5 -> 12 and 37.5 -> 38 (halves to even), last 100 - 50 = 50.
    const TSimArr& shares2 = Arr(set, 8, test::FixtureCell(0, 2, 1, 1), "MPBrdChaSales");
    EXPECT_EQ(shares2.UB(2), 3);  // reshaped over the zone's three channels
    EXPECT_EQ(Row(shares2, 1), (std::vector<long double>{12000, 38000, 50000}));
}

// Four channels selling 335, 335, 326 and 4 of 1,000: 33.5 -> 34, 33.5 -> 34 and
// 32.6 -> 33 would pass 100 (101) and leave the last channel -1. The third
// channel takes only the 32 left, the last 0.
TEST(ModDDecs, AChannelNeverTakesMoreThanTheShareLeft) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureA();
    spec.channels = 4;
    TCvInd& industry = OpenPrepared(world, spec);
    test::SetUnitSales(industry, 1, 1, 1, 1, {335, 335, 326, 4});
    RunDefaults(industry);
    const TSimArr& shares = Arr(DecisionsT2(industry), 8, test::FixtureCell(0, 1, 1, 1), "MPBrdChaSales");
    EXPECT_EQ(Row(shares, 1), (std::vector<long double>{34000, 34000, 32000, 0}));
}

// Prototypes of t+1 (fixture formulas): ProTecs[j, d] = 10 j + d, ProFins[j, e] =
// 1000 j + e, with ProReqBgt as listed and ProDecStatus 1.
TEST(ModDDecs, ProjectsReturnOnlyWhileTheirPrototypeNeedsABudget) {
    test::TModelWorld world;
    TCvInd& industry = OpenPrepared(world, test::FixtureA());
    test::WritePrototypesT1(industry, 1, 1, {{"PALPHA", 0}, {"DONE", 0}, {"ALPHA2", 250000}, {"Beta3", 1000000}});
    test::WriteProjectsT1(industry, 1, 1, {"Alpha2", "done", "ghost", "BETA3"});
    TWorkRec work;
    RunDefaults(industry, &work);
    EXPECT_TRUE(work.Warnings.empty());

    TCvPerData& set = DecisionsT2(industry);
    const TDataContext cell = test::FixtureCell(0, 1, 0, 1);
    // "Alpha2" is ALPHA2 (j 3, budget 250,000), "done" needs nothing, "ghost" has no
    // prototype, "BETA3" is Beta3 (j 4, budget 1,000,000): two projects, named as
    // their prototypes.
    EXPECT_EQ(set.GetSmallint(kCategoryFirmMarket, cell, "NbPrjs"), 2);
    const TSimArr& names = Arr(set, kCategoryFirmMarket, cell, "PrjNames");
    EXPECT_EQ(names.GetZts({1}), "ALPHA2");
    EXPECT_EQ(names.GetZts({2}), "Beta3");
    EXPECT_EQ(names.GetZts({3}), "");
    const TSimArr& levels = Arr(set, kCategoryFirmMarket, cell, "PrjTecs");
    EXPECT_EQ(Row(levels, 1), (std::vector<long double>{31, 32, 33}));
    EXPECT_EQ(Row(levels, 2), (std::vector<long double>{41, 42, 43}));
    EXPECT_EQ(Row(levels, 3), (std::vector<long double>{0, 0, 0}));  // t+1's row cleared
    const TSimArr& finances = Arr(set, kCategoryFirmMarket, cell, "PrjFins");
    for (int e = finances.LB(2); e <= finances.UB(2); ++e) {
        SCOPED_TRACE("column " + std::to_string(e));
        long double first = 3000 + e;
        long double second = 4000 + e;
        if (e == si::ProReqBgt || e == si::ProAllBgt) first = 250000, second = 1000000;
        if (e == si::ProDecStatus) first = second = 0;
        EXPECT_EQ(finances.GetReal48({1, e}), first);
        EXPECT_EQ(finances.GetReal48({2, e}), second);
        EXPECT_EQ(finances.GetReal48({3, e}), 0);
    }

    // Decision arrays of t+1 whose levels hold one row only: the second project
    // finds no slot and is left out with a warning.
    test::WriteProjectsT1(industry, 1, 1, {"Alpha2", "BETA3"}, 1);
    RunDefaults(industry, &work);
    EXPECT_EQ(set.GetSmallint(kCategoryFirmMarket, cell, "NbPrjs"), 1);
    ASSERT_EQ(work.Warnings.size(), 1u);
    EXPECT_NE(work.Warnings[0].find("no slot left for BETA3"), std::string::npos) << work.Warnings[0];
}

// A project's levels are copied row by row from its prototype's: "PrjTecs" of
// t+1 (carried into t+2) must have the columns of "ProTecs" (the market's three
// dimensions, 1..3); its number of rows does not matter. A list of another
// shape abandons the run, and the decisions of t+2 stay as they were.
TEST(ModDDecs, ProjectLevelsMustHaveTheColumnsOfThePrototypeLevels) {
    struct TCase {
        const char* what;
        int nDim;
        TIndex lb, ub;
        bool accepted;
    };
    const TCase cases[] = {{"more rows, the same columns", 2, {1, 1}, {12, 3}, true},
                           {"a column short", 2, {1, 1}, {10, 2}, false},
                           {"columns from 0", 2, {1, 0}, {10, 2}, false},
                           {"no columns", 1, {1}, {10}, false}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::TModelWorld world;
        TCvInd& industry = OpenPrepared(world, test::FixtureA());
        test::WritePrototypesT1(industry, 1, 1, {{"ALPHA2", 250000}});
        test::WriteProjectsT1(industry, 1, 1, {"ALPHA2"});
        Arr(industry.PerDecisions(1), kCategoryFirmMarket, 1, 0, 1, "PrjTecs").Init(dkReal48, 0, c.nDim, c.lb, c.ub);
        const test::TGridBytes before = test::GridBytes(DecisionsT2(industry));
        if (c.accepted) {
            RunDefaults(industry);
            const TSimArr& levels = Arr(DecisionsT2(industry), kCategoryFirmMarket, 1, 0, 1, "PrjTecs");
            EXPECT_EQ(Row(levels, 1), (std::vector<long double>{11, 12, 13}));  // ProTecs[1, d] = 10 + d
            continue;
        }
        try {
            RunDefaults(industry);
            ADD_FAILURE() << "no error";
        } catch (const EModelError& error) {
            EXPECT_STREQ(error.what(), "the rows of ProTecs and PrjTecs differ in shape");
        }
        EXPECT_EQ(test::FirstDifference(before, test::GridBytes(DecisionsT2(industry))), "");
    }
}

// CctTerms[i, party, e] = 100 i + 10 party + e (fixture formula) but party 1's
// first period of use and duration. A contract runs through Per1stUse + Duration - 1.
TEST(ModDDecs, ContractsAreCarriedThroughTheirLastPeriodOfUse) {
    const std::vector<test::TFixtureContract> contracts = {
        {"Dev", "ALPHA2", 3, 2},  // A: periods 3..4
        {"Acq", "OLD", 1, 2},     // B: periods 1..2
        {"Dev", "BETA3", 4, 1},   // C: period 4
        {"Lic", "CHARLY", 5, 3},  // D: periods 5..7
    };
    struct TCase {
        int currentPeriod;
        std::vector<int> kept;  // rows of t+1, in order
    };
    for (const TCase& c : {TCase{2, {1, 3, 4}}, TCase{3, {4}}}) {
        SCOPED_TRACE("t+2 = " + std::to_string(c.currentPeriod + 2));
        test::TModelWorld world;
        test::TFixtureSpec spec = test::FixtureA();
        spec.currentPeriod = c.currentPeriod;
        TCvInd& industry = OpenPrepared(world, spec);
        test::WriteContractsT1(industry, 1, 1, contracts);
        RunDefaults(industry);

        TCvPerData& set = DecisionsT2(industry);
        const TDataContext cell = test::FixtureCell(0, 1, 1, 0);
        ASSERT_EQ(set.GetSmallint(kCategoryFirmFta, cell, "NbCcts"), static_cast<int>(c.kept.size()));
        const TSimArr& what = Arr(set, kCategoryFirmFta, cell, "CctWhat");
        const TSimArr& terms = Arr(set, kCategoryFirmFta, cell, "CctTerms");
        for (std::size_t row = 1; row <= c.kept.size(); ++row) {
            const int i = c.kept[row - 1];
            const test::TFixtureContract& contract = contracts[static_cast<std::size_t>(i - 1)];
            EXPECT_EQ(what.GetZts({row, si::CctType}), contract.type);
            EXPECT_EQ(what.GetZts({row, si::PrjName}), contract.project);
            for (int party = terms.LB(2); party <= terms.UB(2); ++party)
                for (int e = terms.LB(3); e <= terms.UB(3); ++e) {
                    long double expected = 100 * i + 10 * party + e;
                    if (party == 1 && e == si::Per1stUse) expected = contract.firstUse;
                    if (party == 1 && e == si::Duration) expected = contract.duration;
                    EXPECT_EQ(terms.GetReal48({row, party, e}), expected) << row << ", " << party << ", " << e;
                }
        }
        const int cleared = static_cast<int>(c.kept.size()) + 1;
        EXPECT_EQ(what.GetZts({cleared, si::CctType}), "");
        EXPECT_EQ(terms.GetReal48({cleared, 1, si::Firm}), 0);
    }
}

// Fixture (a): SlfSize[c] of t+1 = 10 x firm + c; the ddecs writer's SegStrat,
// DecStuFta and DecStuMkt. The test sets DecBrdCV3[k, j] of t+1 := 1000 + 100 x k + j.
TEST(ModDDecs, LoansAndStatusesAreResetAndBrandDecisionsCarriedWithTheStockLeft) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureA();
    spec.omittedDecisionArrays = {"SlfAlloc"};
    TCvInd& industry = OpenPrepared(world, spec);
    test::WriteLoanRequestT1(industry, 1);
    TSimArr& decided =
        Arr(industry.PerDecisions(industry.CurPeriod() + 1), 8, test::FixtureCell(0, 1, 1, 1), "DecBrdCV3");
    for (int k = 1; k <= decided.UB(1); ++k)
        for (int j = decided.LB(2); j <= decided.UB(2); ++j) decided.SetReal48({k, j}, 1000 + 100 * k + j);
    // Stock after the forecast: brand 1 holds 100 units from period 0 and 250 from
    // period 1 (350); brand 2 40 from period 1 and 2 from period 12 (42).
    test::SetInventory(industry, 1, 1, 1, 0, 1, 100);
    test::SetInventory(industry, 1, 1, 1, 1, 1, 250);
    test::SetInventory(industry, 1, 1, 1, 1, 2, 40);
    test::SetInventory(industry, 1, 1, 1, 12, 2, 2);
    // Entered for t+2 before the forecast: a loan request and an allocation that t+1 lacks.
    TCvPerData& set = DecisionsT2(industry);
    set.CreateSimArr(kCategoryFirm, test::FixtureCell(0, 1, 0, 0), "LoanVal", dkReal48, 0,
                     {industry.FindSeries("LoanTerms")})
        .SetReal48({si::LoanCap}, 500000);
    set.SetSmallint(kCategoryFirm, test::FixtureCell(0, 1, 0, 0), "LoanAck", 1);
    set.CreateSimArr(kCategoryFirmFtaMarket, test::FixtureCell(0, 1, 1, 1), "SlfAlloc", dkReal48, 0,
                     {industry.ChaSeries(1), industry.FindSeries("FirBrand")})
        .SetReal48({1, 1}, 0.5);

    RunDefaults(industry);
    const TDataContext firm = test::FixtureCell(0, 1, 0, 0);
    EXPECT_EQ(Elements(Arr(set, kCategoryFirm, firm, "LoanVal")), (std::vector<long double>(5, 0)));
    for (const char* name : {"LoanAck", "BgtChgAck", "NbQueriesMade", "DecStatus"})
        EXPECT_EQ(set.GetSmallintDef(kCategoryFirm, firm, name, -1), 0) << name;

    const TDataContext zone = test::FixtureCell(0, 1, 1, 0);
    EXPECT_EQ(Elements(Arr(set, kCategoryFirmFta, zone, "SlfSize")), (std::vector<long double>{11, 12}));
    EXPECT_EQ(Arr(set, kCategoryFirmFta, zone, "DecStuFta").GetByte({1}), 1);
    EXPECT_EQ(set.GetSmallintDef(kCategoryFirmFta, zone, "SlfDecStatus", -1), 0);
    EXPECT_EQ(set.GetSmallintDef(kCategoryFirmFta, zone, "StudiesDecStatus", -1), 0);

    const TDataContext market = test::FixtureCell(0, 1, 1, 1);
    EXPECT_EQ(set.GetSmallint(kCategoryFirmFtaMarket, market, "NbMktedBrds"), 2);
    const TSimArr& mix = Arr(set, kCategoryFirmFtaMarket, market, "DecBrdCV3");
    const std::vector<std::int8_t> cleared = {si::SellStock, si::CoType, si::CoSOrP1,     si::CoVal1,
                                              si::CoSOrP2,   si::CoVal2, si::BrdDecStatus};
    for (int k = 1; k <= mix.UB(1); ++k)
        for (int j = mix.LB(2); j <= mix.UB(2); ++j) {
            long double expected = 1000 + 100 * k + j;  // carried as decided, rows 3..5 untouched
            if (k <= 2 && std::find(cleared.begin(), cleared.end(), j) != cleared.end()) expected = 0;
            if (k <= 2 && j == si::PortStatus) expected = 1;
            if (k <= 2 && j == si::AvailStock) expected = k == 1 ? 350 : 42;
            EXPECT_EQ(mix.GetReal48({k, j}), expected) << k << ", " << j;
        }
    const TSimArr& portfolio = Arr(set, kCategoryFirmFtaMarket, market, "DecBrdPort");
    EXPECT_EQ(portfolio.GetZts({1, si::BrdName}), "Bravo");
    EXPECT_EQ(portfolio.GetZts({2, si::ProName}), "PCOSMO");
    const TSimArr& targets = Arr(set, kCategoryFirmFtaMarket, market, "SegStrat");
    EXPECT_NEAR(static_cast<double>(targets.GetReal48({2, 1})), 0.21, 1e-9);  // (10 x 2 + 1) / 100
    const TSimArr& orders = Arr(set, kCategoryFirmFtaMarket, market, "DecStuMkt");
    EXPECT_EQ(orders.GetByte({1}), 0);  // (1 + 1) mod 2
    EXPECT_EQ(orders.GetByte({2}), 1);  // (2 + 1) mod 2
    // t+1 decided no allocation: the one entered for t+2 is cleared, without a box.
    EXPECT_EQ(Row(Arr(set, kCategoryFirmFtaMarket, market, "SlfAlloc"), 1), (std::vector<long double>{0, 0, 0, 0, 0}));
    EXPECT_TRUE(world.ui.plainBoxes.empty());
    EXPECT_TRUE(world.ui.errorBoxes.empty());
}

TEST(ModDDecs, DefaultsAreByteEqualToTheDecisionsOfT2AndARunIsAllOrNothing) {
    test::TModelWorld world;
    TCvInd& industry = OpenPrepared(world, test::FixtureB());
    test::WriteLoanRequestT1(industry, 2);
    test::WritePrototypesT1(industry, 1, 1, {{"ALPHA2", 250000}});
    test::WriteProjectsT1(industry, 1, 1, {"ALPHA2"});
    test::WriteContractsT1(industry, 2, 1, {{"Dev", "ALPHA2", 1, 5}});
    test::SetUnitSales(industry, 1, 1, 1, 1, {5, 7});
    // A default cell that the decisions of t+2 will not have.
    DefaultsT2(industry).SetSmallint(kCategoryFirm, test::FixtureCell(0, 5, 0, 0), "Stale", 1);

    RunDefaults(industry);
    const auto decisions = test::GridBytes(DecisionsT2(industry));
    EXPECT_EQ(test::GridBytes(DefaultsT2(industry)), decisions);
    // Firm cells of both firms, firm-and-zone, firm-and-market and firm-zone-market cells.
    EXPECT_EQ(test::FilledCells(decisions), 8);
    EXPECT_EQ(DefaultsT2(industry).Cell({5, 0, 0}), nullptr);

    // Saved and opened again, both sets of t+2 read back the same.
    const std::filesystem::path file = industry.FileName();
    Session->IndClose();
    TCvInd& reopened = world.Open(file);
    EXPECT_EQ(test::GridBytes(DecisionsT2(reopened)), decisions);
    EXPECT_EQ(test::GridBytes(DefaultsT2(reopened)), decisions);

    // What was entered for t+2 since is overwritten by a second run.
    TSimArr& mix = Arr(DecisionsT2(reopened), 8, test::FixtureCell(0, 1, 1, 1), "DecBrdCV3");
    mix.SetReal48({1, si::Price}, 1);
    RunDefaults(reopened);
    EXPECT_EQ(&mix, &Arr(DecisionsT2(reopened), 8, test::FixtureCell(0, 1, 1, 1), "DecBrdCV3"));  // the handle holds
    EXPECT_EQ(test::GridBytes(DecisionsT2(reopened)), decisions);
    EXPECT_EQ(test::GridBytes(DefaultsT2(reopened)), decisions);

    // A project of t+1 whose prototypes of t+1 are missing abandons the run: both
    // sets of t+2 stay exactly as they were, the entry made since included.
    mix.SetReal48({1, si::Price}, 1);
    const auto before = test::GridBytes(DecisionsT2(reopened));
    test::WriteProjectsT1(reopened, 2, 1, {"NOPRO"});
    try {
        RunDefaults(reopened);
        ADD_FAILURE() << "the run went through";
    } catch (const EModelError& error) {
        EXPECT_NE(std::string(error.what()).find("array ProNames missing in the results"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(test::GridBytes(DecisionsT2(reopened)), before);
    EXPECT_EQ(test::GridBytes(DefaultsT2(reopened)), decisions);
}

}  // namespace
}  // namespace cv
