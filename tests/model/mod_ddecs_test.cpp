// The default decisions of t+2: plan figures and channel shares from the
// forecast, carried project levels and contracts, resets, and the brand
// decisions carried with the stock left.

#include "model/mod_ddecs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "model/work_rec.h"
#include "tests/support/checks.h"
#include "tests/support/stored_form.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_ddecs.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::Arr;

TCvPerData& DecisionsT2(TCvInd& industry) { return industry.PerDecisions(industry.CurPeriod() + 2); }
TCvPerData& DefaultsT2(TCvInd& industry) { return industry.PerDefaults(industry.CurPeriod() + 2); }

TCvInd& OpenPrepared(test::TModelWorld& world, const test::TFixtureSetup& setup) {
    TCvInd& industry = world.OpenFixture(setup);
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
    test::TFixtureSetup setup = test::FixtureB();
    setup.channels = 3;
    TCvInd& industry = OpenPrepared(world, setup);
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
        EXPECT_EQ(Elements(Arr(set, kCategoryFirmFtaMarket, firm, 1, 1, "MPSegSales")),
                  (std::vector<long double>{7, 4}));
    }
    const TSimArr& segSales1 = Arr(set, kCategoryFirmFtaMarket, 1, 1, 1, "MPBrdSegSales");
    EXPECT_EQ(Row(segSales1, 1), (std::vector<long double>{3, 0}));
    EXPECT_EQ(Row(segSales1, 2), (std::vector<long double>{0, 0}));
    const TSimArr& shares1 = Arr(set, kCategoryFirmFtaMarket, 1, 1, 1, "MPBrdChaSales");
    // Bravo: 100 x 1/3 = 33.3 -> 33, 33, and the last channel 100 - 66 = 34.
    EXPECT_EQ(Row(shares1, 1), (std::vector<long double>{33000, 33000, 34000}));
    // COSMO sold nothing: 0, 0 and the last channel 100.
    EXPECT_EQ(Row(shares1, 2), (std::vector<long double>{0, 0, 100000}));
    EXPECT_EQ(Row(shares1, 3), (std::vector<long double>{0, 0, 0}));

    const TSimArr& segSales2 = Arr(set, kCategoryFirmFtaMarket, 2, 1, 1, "MPBrdSegSales");
    EXPECT_EQ(Row(segSales2, 1), (std::vector<long double>{4, 4}));
    EXPECT_EQ(Row(segSales2, 4), (std::vector<long double>{0, 0}));  // the stray row cleared
    // DELTA: channels 1, 3, 4 of 8: 12.5 -> 12 and 37.5 -> 38 (halves to even), last 100 - 50 = 50.
    const TSimArr& shares2 = Arr(set, kCategoryFirmFtaMarket, 2, 1, 1, "MPBrdChaSales");
    EXPECT_EQ(shares2.UB(2), 3);  // reshaped over the zone's three channels
    EXPECT_EQ(Row(shares2, 1), (std::vector<long double>{12000, 38000, 50000}));
}

// Four channels selling 335, 335, 326 and 4 of 1,000: 33.5 -> 34, 33.5 -> 34 and
// 32.6 -> 33 would pass 100 (101) and leave the last channel -1. The third
// channel takes only the 32 left, the last 0.
TEST(ModDDecs, AChannelNeverTakesMoreThanTheShareLeft) {
    test::TModelWorld world;
    test::TFixtureSetup setup = test::FixtureA();
    setup.channels = 4;
    TCvInd& industry = OpenPrepared(world, setup);
    test::SetUnitSales(industry, 1, 1, 1, 1, {335, 335, 326, 4});
    RunDefaults(industry);
    const TSimArr& shares = Arr(DecisionsT2(industry), kCategoryFirmFtaMarket, 1, 1, 1, "MPBrdChaSales");
    EXPECT_EQ(Row(shares, 1), (std::vector<long double>{34000, 34000, 32000, 0}));
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
        const test::TGridBytes defaultsBefore = test::GridBytes(DefaultsT2(industry));
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
        EXPECT_EQ(test::FirstDifference(defaultsBefore, test::GridBytes(DefaultsT2(industry))), "");
    }
}

// A second run, on the sets the first one left: a loan acknowledged since in
// t+2, then project levels of another shape in t+1. The run fails after the
// finance carry has reset the acknowledgement; the decisions of t+2 keep it,
// and the defaults stay the first run's copy.
TEST(ModDDecs, AFailedRunAfterOneThatSucceededLeavesTheDecisionsAndDefaultsOfT2AsTheyWere) {
    test::TModelWorld world;
    TCvInd& industry = OpenPrepared(world, test::FixtureA());
    test::WritePrototypesT1(industry, 1, 1, {{"ALPHA2", 250000}});
    test::WriteProjectsT1(industry, 1, 1, {"ALPHA2"});
    RunDefaults(industry);
    DecisionsT2(industry).SetSmallint(kCategoryFirm, test::FixtureCell(0, 1, 0, 0), "LoanAck", 1);
    Arr(industry.PerDecisions(1), kCategoryFirmMarket, 1, 0, 1, "PrjTecs").Init(dkReal48, 0, 2, {1, 1}, {10, 2});
    const test::TGridBytes decisions = test::GridBytes(DecisionsT2(industry));
    const test::TGridBytes defaults = test::GridBytes(DefaultsT2(industry));

    EXPECT_THROW(RunDefaults(industry), EModelError);
    EXPECT_EQ(DecisionsT2(industry).GetSmallint(kCategoryFirm, test::FixtureCell(0, 1, 0, 0), "LoanAck"), 1);
    EXPECT_EQ(test::FirstDifference(decisions, test::GridBytes(DecisionsT2(industry))), "");
    EXPECT_EQ(test::FirstDifference(defaults, test::GridBytes(DefaultsT2(industry))), "");
}

// After a first run, firm 1's note in t+2 (a scalar no carry writes) changes,
// its plan of brand sales per segment in zone 1, market 1 is cut to one
// element and byte arrays fill that cell to 20 bytes short of a volume. The
// plan carry gives the plan back its brands and segments (more than 20 bytes),
// so the copy into the defaults refuses the cell, naming its volume: the
// decisions of t+2 go back to what they were and the defaults, the firm's
// note included, stay the first run's copy.
TEST(ModDDecs, ACellGrownPastAVolumeLeavesTheDecisionsAndDefaultsOfT2AsTheyWere) {
    test::TModelWorld world;
    TCvInd& industry = OpenPrepared(world, test::FixtureA());
    TCvPerData& decisions = DecisionsT2(industry);
    decisions.SetSmallint(kCategoryFirm, test::FixtureCell(0, 1, 0, 0), "Note", 1);
    RunDefaults(industry);
    decisions.SetSmallint(kCategoryFirm, test::FixtureCell(0, 1, 0, 0), "Note", 2);
    const TDataContext cell = test::FixtureCell(0, 1, 1, 1);
    Arr(decisions, kCategoryFirmFtaMarket, cell, "MPBrdSegSales").Init(dkReal48, 0, 2, {1, 1}, {1, 1});
    // Two byte arrays: an index stops at 32,767.
    decisions.AddSimArr(kCategoryFirmFtaMarket, cell, "Pad1", std::make_unique<TSimArr>())
        .Init(dkByte, 0, 1, {1}, {32000});
    TSimArr& pad = decisions.AddSimArr(kCategoryFirmFtaMarket, cell, "Pad2", std::make_unique<TSimArr>());
    pad.Init(dkByte, 0, 1, {1}, {1});
    const TSimData& bag = *decisions.Cell(CalcIndices(kCategoryFirmFtaMarket, cell));
    const auto size = static_cast<long>(test::StoredForm(bag).size());
    pad.Init(dkByte, 0, 1, {1}, {1 + static_cast<long>(kBufSize) - 20 - size});
    ASSERT_EQ(test::StoredForm(bag).size(), kBufSize - 20);
    const test::TGridBytes decisionsBefore = test::GridBytes(decisions);
    const test::TGridBytes defaultsBefore = test::GridBytes(DefaultsT2(industry));

    const std::string period = std::to_string(industry.CurPeriod() + 2);
    EXPECT_PRED2(test::Contains, test::ErrorText<ERangeError>([&] { RunDefaults(industry); }),
                 "Copy of volume (type 5, period " + period + ", zone 1, market 1, firm 1): ");
    EXPECT_EQ(test::FirstDifference(decisionsBefore, test::GridBytes(DecisionsT2(industry))), "");
    EXPECT_EQ(test::FirstDifference(defaultsBefore, test::GridBytes(DefaultsT2(industry))), "");
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
        test::TFixtureSetup setup = test::FixtureA();
        setup.currentPeriod = c.currentPeriod;
        TCvInd& industry = OpenPrepared(world, setup);
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
    test::TFixtureSetup setup = test::FixtureA();
    setup.omittedDecisionArrays = {"SlfAlloc"};
    TCvInd& industry = OpenPrepared(world, setup);
    test::WriteLoanRequestT1(industry, 1);
    TSimArr& decided =
        Arr(industry.PerDecisions(industry.CurPeriod() + 1), kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3");
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

}  // namespace
}  // namespace cv
