// The R&D model: binding a firm and market, its parameters and home zone; the
// contracts and projects of the decision period; the estimates of unit costs
// and budgets; the prototype lists of t+1 copied and merged; alliances; the
// outcomes drawn from the generator as the forecast seeds it. The worlds of
// rnd_world.h give the inputs.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/base/errors.h"
#include "core/base/random_generator.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/rnd/mod_rnd.h"
#include "model/rnd/rnd_contracts.h"
#include "model/rnd/rnd_rows.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/rnd/rnd_world.h"

namespace cv {
namespace {

using test::Contains;
using test::TPrototypeSetup;

constexpr double kReal48Tolerance = 1e-11;
constexpr int kFirm = 1;
constexpr int kMarket = 1;
// Reader of the "ProFins" row of a prototype, for tables of (column, expected).
auto FinsOf(const test::TRnDWorld& world, int firm, int market, int row) {
    return [&world, firm, market, row](int column) { return world.ProFin(firm, market, row, column); };
}

// Two firms, two zones (firm 2's home zone is 2), two markets; t = 3, decision period 4.
class RnDFirmTest : public ::testing::Test {
protected:
    RnDFirmTest() : world(test::TFixtureSetup(3, 2, 2, 2)) {}

    TDataContext Context(int firm, int market, int zone = 0) const {
        return test::FixtureCell(world.t(), firm, zone, market);
    }

    test::TRnDWorld world;
    TModRnD rnd;
};

TEST_F(RnDFirmTest, ParametersTheIndustryLacksTakeTheirDefaults) {
    world.industry.ConstPart().SetReal(kCategoryMarket, Context(2, 2), "MaxRUC", 899.5);
    rnd.Init(world.industry, Context(2, 2));
    EXPECT_NEAR(rnd.MinRnDBgtRatio, 0.8, kReal48Tolerance);
    EXPECT_EQ(rnd.MinRnDBgt, 100000);
    EXPECT_EQ(rnd.MaxRnDBgt, 20000000);
    EXPECT_EQ(rnd.MinUCOverEst, 0);
    EXPECT_EQ(rnd.MaxUCOverEst, 0);
    EXPECT_EQ(rnd.MinDBOverEst, 0);
    EXPECT_EQ(rnd.MaxDBOverEst, 0);
    EXPECT_EQ(rnd.MinRUC, 10);
    EXPECT_EQ(rnd.MaxRUC, 900);  // 899.5 rounds to the even 900
}

// Firm 1 (zone 1) buys PIBIS from firm 2 and holds no contract in zone 2.
TEST_F(RnDFirmTest, RankOutsideTheContractsIsAModelErrorNotAnExit) {
    world.SetContracts(1, 1, {{"Acq", "PIBIS", 2, 1}});
    TModCct contracts;
    contracts.Load(&world.industry, Context(1, kMarket, 1));
    try {
        contracts.GetCctByRank(Context(1, kMarket, 1), 2);
        ADD_FAILURE() << "no error for rank 2 of 1";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "TModCct.GetCctByRank not enough Ccts iFir=1 iFta=1 aCct=2 nCct=1");
    }
    EXPECT_THROW(contracts.GetCctByRank(Context(1, kMarket, 2), 1), EModelError);
    EXPECT_THROW(contracts.GetCctByRank(Context(1, kMarket, 1), 0), EModelError);
    EXPECT_TRUE(Contains(world.LogText(), "TModCct.GetCctByRank not enough Ccts iFir=1 iFta=2 aCct=1 nCct=0"));
    // The table stays usable.
    EXPECT_EQ(contracts.GetCctByRank(Context(1, kMarket, 1), 1).PrjName, "PIBIS");
}

// Firm 1 in market 1: prototypes PALBA, PARNO, PALTO (all finished), projects
// PAXIS (budget 312,500.75) and PAVIA (180,000, first level 35); four project slots.
class RnDProjectsTest : public RnDFirmTest {
protected:
    RnDProjectsTest() {
        world.SetPrototypes(kFirm, kMarket, {{"PALBA", {1, 1, 1}}, {"PARNO", {2, 2, 2}}, {"PALTO", {3, 3, 3}}});
        world.SetProjects(kFirm, kMarket, {{"PAXIS", {10, 10, 10}, 312500.75}, {"PAVIA", {35, 10, 10}, 180000}});
        rnd.Init(world.industry, Context(kFirm, kMarket));
    }

    std::int16_t StoredNbPrjs() const { return rnd.DecNext->GetSmallint(kCategoryFirmMarket, rnd.Context, "NbPrjs"); }
};

TEST_F(RnDProjectsTest, DeletingAProjectMovesTheLaterOnesUpAndStoresTheCount) {
    rnd.DeleteProject(1);
    EXPECT_EQ(rnd.NbPrjs, 1);
    EXPECT_EQ(StoredNbPrjs(), 1);
    EXPECT_EQ(rnd.PrjNames->GetZts({1}), "PAVIA");
    EXPECT_EQ(rnd.PrjNames->GetZts({2}), "");
    EXPECT_EQ(rnd.PrjFins->GetReal48({1, si::ProAllBgt}), 180000);
    EXPECT_EQ(rnd.PrjFins->GetReal48({2, si::ProAllBgt}), 0);
    EXPECT_EQ(rnd.PrjTecs->GetReal48({1, 1}), 35);
    EXPECT_EQ(rnd.PrjTecs->GetReal48({2, 1}), 0);
    EXPECT_FALSE(rnd.IsProject("PAXIS"));
    EXPECT_TRUE(rnd.IsFreeName("paxis"));

    // Only projects in the list can go; a refusal changes nothing.
    for (const int bad : {0, 2, -1}) EXPECT_THROW(rnd.DeleteProject(bad), ERangeError) << bad;
    EXPECT_EQ(rnd.NbPrjs, 1);
    EXPECT_EQ(rnd.PrjNames->GetZts({1}), "PAVIA");

    rnd.DeleteProject(1);
    EXPECT_EQ(rnd.NbPrjs, 0);
    EXPECT_EQ(StoredNbPrjs(), 0);
    EXPECT_EQ(rnd.PrjNames->GetZts({1}), "");
}

TEST_F(RnDProjectsTest, PrototypeToContinueIsAnUnfinishedOneWithoutItsProject) {
    EXPECT_FALSE(rnd.HasPrototypeToContinue());  // every prototype is finished
    rnd.ProFins->SetReal48({2, si::ProReqBgt}, 250000);
    EXPECT_TRUE(rnd.HasPrototypeToContinue());

    // A project of PARNO's name (any case) continues it.
    rnd.PrjNames->SetZts({3}, "parno");
    rnd.SetNbPrjs(3);
    EXPECT_FALSE(rnd.HasPrototypeToContinue());
    EXPECT_FALSE(rnd.IsUnusedProtoName("parno"));  // the dialog would not over-estimate it

    // A negative required budget (a project merged this period) is no prototype to continue.
    rnd.ProFins->SetReal48({3, si::ProReqBgt}, -1);
    EXPECT_FALSE(rnd.HasPrototypeToContinue());
}

// Firm 2 in market 2, home zone 2, decision period 4, under these cost rules:
//   Size (levels 1..20, budget -50,000 per level, unit cost -5, minimum to
//   standard 0.8), Speed (10..200, 10,000, 1.5, 0.75), Price (50..500, 2,000,
//   0.2, 0.9); unit costs costed up to 1,500, 20,000 of budget per unit of
//   unit-cost reduction; unit costs over-estimated by 5..15 %, budgets by 10..30 %.
// The seeds of its draws:
//   unit costs: (4 + 19) x 97 x 2 x 2 x 2 = 17,848
//     next seed 17,848 x 134,775,813 + 1 = 2,405,478,710,425 mod 2^32 = 297,024,665, r = 0.0691564
//   budgets:    (4 + 13) x 101 x 2 x 2 x 2 = 13,736
//     next seed 13,736 x 134,775,813 + 1 = 1,851,280,567,369 mod 2^32 = 149,662,793, r = 0.0348461
constexpr std::uint32_t kSeedAfterUCDraw = 297024665;
constexpr std::uint32_t kSeedAfterBudgetDraw = 149662793;
// Any seed left in the generator before an estimate that does not draw.
constexpr std::uint32_t kUntouchedSeed = 4242;
constexpr int kFirm2 = 2;
constexpr int kMarket2 = 2;

class RnDEstimatesTest : public RnDFirmTest {
protected:
    RnDEstimatesTest() {
        constexpr double kTechnical[][5] = {{1, 20, -50000, -5, 0.8}, {10, 200, 10000, 1.5, 0.75},
                                            {50, 500, 2000, 0.2, 0.9}};
        const int columns[] = {si::TDMinLev, si::TDMaxLev, si::TDDevBgt, si::TDUnitCost, si::TDSuc2Muc};
        TCvPerData& constant = world.industry.ConstPart();
        TSimArr& technical = test::Arr(constant, kCategoryMarket, 0, 0, kMarket2, "Technical");
        for (int dim = 1; dim <= 3; ++dim)
            for (int k = 0; k < 5; ++k) technical.SetReal48({dim, columns[k]}, kTechnical[dim - 1][k]);
        TSimArr& ucParams = test::Arr(constant, kCategoryMarket, 0, 0, kMarket2, "UCParams");
        ucParams.SetReal48({si::TDMaxLev}, 1500);
        ucParams.SetReal48({si::TDDevBgt}, 20000);
        for (const auto& [name, value] : {std::pair{"MinUCOverEst", 0.05}, {"MaxUCOverEst", 0.15},
                                          {"MinDBOverEst", 0.1}, {"MaxDBOverEst", 0.3}})
            constant.SetReal(kCategoryMarket, Context(kFirm2, kMarket2), name, value);
        rnd.Init(world.industry, Context(kFirm2, kMarket2));
    }

    // Row i of the result holds Rows[i - 1] over the market's dimensions.
    static TDynArr LevelRows(std::initializer_list<std::vector<double>> rows) {
        TDynArr array;
        array.Init(dkReal48, 0, 2, {1, 1}, {static_cast<int>(rows.size()), 3});
        int row = 1;
        for (const std::vector<double>& values : rows) {
            for (int dim = 1; dim <= 3; ++dim) array.SetReal48({row, dim}, values[dim - 1]);
            ++row;
        }
        return array;
    }
    // Finance rows: prototypes with ProReqUC and ProReqBgt; a project with its three unit costs.
    TDynArr FinanceRows(int rows) const {
        const TSeries* columns = world.industry.FindSeries("ProFinances");
        TDynArr array;
        array.Init(dkReal48, 0, 2, {1, columns->Lo()}, {rows, columns->Hi()});
        return array;
    }
    TDynArr Prototypes(std::initializer_list<std::pair<double, double>> reqUCAndReqBgt) const {
        TDynArr fins = FinanceRows(static_cast<int>(reqUCAndReqBgt.size()));
        int row = 1;
        for (const auto& [reqUC, reqBgt] : reqUCAndReqBgt) {
            fins.SetReal48({row, si::ProReqUC}, reqUC);
            fins.SetReal48({row++, si::ProReqBgt}, reqBgt);
        }
        return fins;
    }
    TDynArr Project(double minUC, double stdUC, double reqUC) const {
        TDynArr fins = FinanceRows(1);
        fins.SetReal48({1, si::ProMinUC}, minUC);
        fins.SetReal48({1, si::ProStdUC}, stdUC);
        fins.SetReal48({1, si::ProReqUC}, reqUC);
        return fins;
    }
};

TEST_F(RnDEstimatesTest, OverEstimatedMinimumUnitCostIsReseededAndReproducible) {
    // Unknown levels: Muc 377 x (1 + 0.05 + 0.0691564 x (0.15 - 0.05)) = 377 x 1.0569156 = 398.46 -> 398.
    const TDynArr levels = LevelRows({{5, 160, 320}});
    const TDynArr tecs = LevelRows({{5, 160, 321}});
    const TDynArr fins = Prototypes({{300, 0}});
    for (const std::uint32_t before : {1u, 99999u}) {
        SetRandomSeed(before);
        const TUnitCosts costs = rnd.CalcUCs(tecs, fins, 1, levels, 1, nullptr, 1.25, true);
        EXPECT_EQ(costs.Suc, 480);  // never over-estimated
        EXPECT_EQ(costs.Muc, 398);
        EXPECT_EQ(RandomSeed(), kSeedAfterUCDraw);
    }

    // The same levels as a finished prototype: no draw and no over-estimation.
    const TDynArr known = LevelRows({{5, 160, 320}});
    SetRandomSeed(kUntouchedSeed);
    EXPECT_EQ(rnd.CalcUCs(known, fins, 1, levels, 1, nullptr, 1.25, true).Muc, 377);
    EXPECT_EQ(RandomSeed(), kUntouchedSeed);
    // A prototype with those levels that is not finished (ReqBgt 0.5, not 0) does not count.
    const TDynArr unfinished = Prototypes({{300, 0.5}});
    EXPECT_EQ(rnd.CalcUCs(known, unfinished, 1, levels, 1, nullptr, 1.25, true).Muc, 398);
}

TEST_F(RnDEstimatesTest, CostReductionBudgetRunsFromTheKnownUnitCost) {
    const TDynArr levels = LevelRows({{5, 160, 320}});
    const TDynArr tecs = LevelRows({{5, 160, 320}, {5, 160, 320}});
    const TDynArr fins = Prototypes({{340, 0}, {360, 0}});
    // Known unit cost 340; Ruc 321.25: 20,000 x 18.75 = 375,000 = 37.5 steps -> 38 -> 380,000.
    SetRandomSeed(kUntouchedSeed);
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, Project(300, 400, 321.25), 1, nullptr, nullptr, 1, true), 380000);
    EXPECT_EQ(RandomSeed(), kUntouchedSeed);  // no over-estimation of a cost reduction
    EXPECT_TRUE(Contains(world.LogText(), "   cost reduction project - cuc=340.00"));
    // Ruc 345 above the known 340: nothing to do, the minimum budget 100,000.
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, Project(300, 400, 345), 1, nullptr, nullptr, 1, false), 100000);
    // AdjCost 2: 20,000 x (340 - 310) x 2 = 1,200,000.
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, Project(300, 400, 310), 1, nullptr, nullptr, 2, false), 1200000);
}

TEST_F(RnDEstimatesTest, DevelopmentBudgetFromTheNearestFinishedPrototypesAndTheUnitCostGap) {
    const TDynArr levels = LevelRows({{5, 160, 320}});
    const TDynArr tecs = LevelRows({{4, 150, 300}, {10, 100, 200}, {7, 170, 330}});
    // Prototypes 1 and 3 finished, 2 still open (its levels are ignored).
    const TDynArr fins = Prototypes({{500, 0}, {500, 50000}, {500, 0}});
    // Distances Size min(1, 2) = 1, Speed min(10, 10) = 10, Price min(20, 10) = 10:
    //   50,000 x 1 + 10,000 x 10 + 2,000 x 10 = 170,000.
    // Unit-cost part 20,000 x (Suc 400 - Ruc 321.25) = 1,575,000. Total 1,745,000 = 174.5 steps of
    // 10,000: halves go to the even step, 174 -> 1,740,000.
    const TDynArr project = Project(300, 400, 321.25);
    SetRandomSeed(kUntouchedSeed);
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 3, levels, project, 1, nullptr, nullptr, 1, false), 1740000);
    EXPECT_EQ(RandomSeed(), kUntouchedSeed);
    EXPECT_TRUE(
        Contains(world.LogText(), "   CalcReqBgt: Muc=300.00   Suc=400.00   Ruc=321.25\n   development project\n"));

    // Without finished prototypes the distances run to the top of each range:
    //   Size (budget -50,000): (2 x 20 + 1 - 5) / 2 = 18 -> 900,000
    //   Speed (10,000): (160 + 200) / 2 = 180 -> 1,800,000;  Price (2,000): (320 + 500) / 2 = 410 -> 820,000
    // 3,520,000 + 20,000 x (400 - 350) = 4,520,000; AdjCost 1.25 -> 5,650,000.
    const TDynArr open = Prototypes({{500, 50000}});
    EXPECT_EQ(rnd.CalcReqBgt(tecs, open, 1, levels, Project(300, 400, 350), 1, nullptr, nullptr, 1.25, false),
              5650000);
}

TEST_F(RnDEstimatesTest, OverEstimatedDevelopmentBudgetSteepensBelowTheThresholdAndIsReseeded) {
    const TDynArr levels = LevelRows({{5, 160, 320}});
    const TDynArr tecs = LevelRows({{4, 150, 300}, {7, 170, 330}});
    const TDynArr fins = Prototypes({{500, 0}, {500, 0}});
    const TDynArr project = Project(300, 400, 321.25);
    // Nearest finished prototypes: distances Size min(1, 2) = 1, Speed min(10, 10) = 10,
    // Price min(20, 10) = 10: technical part 50,000 x 1 + 10,000 x 10 + 2,000 x 10 = 170,000.
    // Threshold T = 300 + 0.25 x 100 = 325 > 321.25:
    //   exponent 1 + 0.1 x (325 - 321.25) / (325 - 300) = 1.015
    //   20,000 x 78.75^1.015 = 20,000 x 78.75 x e^(0.015 ln 78.75) = 20,000 x 84.08031 = 1,681,606.26
    //   total 1,851,606.26; over-estimation 1 + 0.1 + 0.0348461 x (0.3 - 0.1) = 1.1069692
    //   2,049,671.1 -> 2,050,000.
    for (const std::uint32_t before : {7u, 123456u}) {
        SetRandomSeed(before);
        EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, project, 1, nullptr, nullptr, 1, true), 2050000);
        EXPECT_EQ(RandomSeed(), kSeedAfterBudgetDraw);
    }
    // Over-estimation ranges at their default 0: only the steeper part, 1,851,606.26 -> 1,850,000,
    // and the generator is re-seeded all the same.
    rnd.MinDBOverEst = rnd.MaxDBOverEst = 0;
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, project, 1, nullptr, nullptr, 1, true), 1850000);
    EXPECT_EQ(RandomSeed(), kSeedAfterBudgetDraw);
    // At or above the threshold the unit-cost part stays linear: Ruc 350 gives
    // 170,000 + 20,000 x 50 = 1,170,000 with or without the (zero) over-estimation.
    const TDynArr above = Project(300, 400, 350);
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, above, 1, nullptr, nullptr, 1, true), 1170000);
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, above, 1, nullptr, nullptr, 1, false), 1170000);
}

// The R&D run's merge into a full list. Two firms, two zones, one market, no
// brands; t = 2, decision period d = 3 (tests/model/rnd/rnd_world.h). Firm 1
// holds 20 finished prototypes P01..P20 but two.
TEST(RnDMerge, AFullListReusesAnOlderSlotThatNoMarketedBrandIsBuiltOn) {
    test::TFixtureSetup setup(2, 2, 2, 1);
    setup.Prototypes(1, 1) = {"PA1"};
    setup.Prototypes(2, 1) = {"PB1"};
    test::TRnDWorld rnd(setup);
    std::vector<TPrototypeSetup> prototypes;
    for (int j = 1; j <= kMaxPrototypes; ++j)
        prototypes.push_back({(j < 10 ? "P0" : "P") + std::to_string(j), {1.0 * j, 2, 3}});
    prototypes[4].requiredBudget = 300000;  // P05 unfinished, but a brand of firm 2 is built on it
    prototypes[6].requiredBudget = 200000;  // P07 unfinished
    rnd.SetPrototypes(kFirm, kMarket, prototypes);
    rnd.SetMarketedPrototypes(2, 2, kMarket, {"p05"});
    rnd.SetProjects(kFirm, kMarket, {{"NEW1", {5, 5, 5}, 100000}, {"NEW2", {6, 6, 6}, 120000}});
    rnd.RunOnly();

    // NEW1: the lowest unfinished older prototype not marketed is P07 (P05 is marketed).
    // NEW2: P07's row is now NEW1, begun in d, so no unfinished older one is left: the
    // lowest older non-marketed prototype, P01, gives its row.
    ASSERT_EQ(rnd.NbPros(kFirm, kMarket), 20);
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 7), "NEW1");
    EXPECT_TRUE(test::AllClose<int>(FinsOf(rnd, kFirm, kMarket, 7), {
        {si::ProReqBgt, -1}, {si::ProPerBeg, 3}, {si::ProCumBgt, 100000}
    }));
    EXPECT_EQ(rnd.ProTec(kFirm, kMarket, 7, 1), 5);
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 1), "NEW2");
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 1, si::ProCumBgt), 120000);
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 5), "P05");
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 2), "P02");
}

// The R&D run's contracts: the partner's copy of a joint development, beside
// acquisitions from sellers with lower and higher firm numbers and one into a
// full list. Figures follow from the inputs set here and the cost rules of
// tests/model/rnd/rnd_world.h: t = 2, d = 3; R&D money 2 in d and 4 in d + 1.

// Four firms in one zone and one market; t = 2.
//   firm 1: PA1 finished, PA2 unfinished (required 500,000, spent 700,000), continued
//           this period with 100,000; buys PC1 from firm 3 (a higher number), the
//           contract listed twice (as a contract running several periods would be)
//   firm 2: PB1 finished; develops DUO with firm 3 as partner (300,000 and 60,000)
//   firm 3: PC1 finished; holds the same DUO contract and a DUO project of its own;
//           buys PA2 from firm 1 (a lower number)
//   firm 4: 20 finished prototypes; buys PA1 from firm 1
class RnDAlliances : public ::testing::Test {
protected:
    RnDAlliances() : rnd(AllianceIndustry()) {
        rnd.SetPrototypes(1, kMarket, {{"PA1", {11, 12, 13}}, {"PA2", {21, 22, 23}, 500000, 150, 700000}});
        rnd.SetPrototypes(2, kMarket, {{"PB1", {11, 12, 13}}});
        rnd.SetPrototypes(3, kMarket, {{"PC1", {31, 32, 33}, 0, 100}});
        std::vector<TPrototypeSetup> full;
        for (int j = 1; j <= kMaxPrototypes; ++j) full.push_back({"Q" + std::to_string(j), {1, 1, 1}});
        rnd.SetPrototypes(4, kMarket, full);
        rnd.SetProjects(1, kMarket, {{"PA2", {24, 25, 26}, 100000, 150}});
        rnd.SetProjects(2, kMarket, {{"DUO", {20, 20, 20}, 300000, 200}});
        rnd.SetProjects(3, kMarket, {{"DUO", {20, 20, 20}, 60000, 200}});
        rnd.SetContracts(1, 1, {{"Acq", "PC1", 3, 1}, {"Acq", "pc1", 3, 1}});
        rnd.SetContracts(2, 1, {{"Dev", "DUO", 2, 3, 300000, 60000}});
        rnd.SetContracts(3, 1, {{"dev", "duo", 2, 3, 300000, 60000}, {"ACQ", "PA2", 1, 3}, {"Acq", "PC1", 3, 1}});
        rnd.SetContracts(4, 1, {{"Acq", "PA1", 1, 4}});
    }

    static test::TFixtureSetup AllianceIndustry() {
        test::TFixtureSetup setup(2, 4, 1, 1);
        for (int firm = 1; firm <= 4; ++firm) setup.Prototypes(firm, kMarket) = {"X" + std::to_string(firm)};
        return setup;
    }

    test::TRnDWorld rnd;
};

// DUO at firm 2, levels (20, 20, 20): sum of d x L = 120.
//   In d (money 2): Suc 240, Muc 120. Nearest finished prototype PB1 (11, 12, 13):
//   distances 9 + 8 + 7 = 24 -> 240,000; unit-cost part 1,000 x (240 - 200) = 40,000;
//   TotB = 2 x 280,000 = 560,000, MinB = 448,000 > CumB 360,000: not available.
//   Re-costed in d + 1 (money 4): Suc 480, Muc 240, Ruc = 200 x 2 = 400;
//   TotB = 4 x (240,000 + 1,000 x (480 - 400)) = 1,280,000; required 1,280,000 - 360,000.
TEST_F(RnDAlliances, ThePartnersCopyReceivesTheDevelopersFigures) {
    rnd.RunRnD();
    EXPECT_TRUE(test::AllClose<int>(FinsOf(rnd, 2, kMarket, 2), {
        {si::ProStdUC, 480}, {si::ProMinUC, 240}, {si::ProReqUC, 400}, {si::ProReqBgt, 920000}
    }));
    // Firm 3's DUO (row 3) holds the developer's figures, firm 2's allocation included,
    // and keeps its own columns; firm 3, not the developer, costs nothing of it.
    const int copyColumns[] = {si::ProReqUC, si::ProOldReqUC, si::ProStdUC,  si::ProMinUC, si::ProCumBgt,
                               si::ProReqBgt, si::ProAllBgt, si::ProPerEnd, si::ProPerBeg, si::ProCumProd};
    for (const int column : copyColumns)
        EXPECT_EQ(rnd.ProFin(3, kMarket, 3, column), rnd.ProFin(2, kMarket, 2, column)) << column;
    EXPECT_TRUE(test::AllClose<int>(FinsOf(rnd, 3, kMarket, 3), {
        {si::ProAllBgt, 300000}, {si::ProAllBgtOther, 300000}, {si::ProDeveloper, 2}
    }));
    const std::string log = rnd.LogText();
    EXPECT_TRUE(Contains(log, "firm 2 updates firm 3 's  report at project 3 with project 2"));
    // The developer's outcome counts the partner's 60,000 in this period's allocation.
    EXPECT_TRUE(Contains(log, "AllB=300000+60000  CumB=360000  TotB=560000  MinB=448000  Suc=240  Muc=120  Ruc=200"))
        << log;
    // Only the developer re-costs: firm 3's own PC1 in d + 1 money (Suc 4 x 194 = 776,
    // Muc 388, Ruc 100 x 2 = 200 raised to 388); firm 1's bought copy keeps 100.
    EXPECT_EQ(rnd.ProFin(3, kMarket, 1, si::ProReqUC), 388);
    EXPECT_EQ(rnd.ProFin(3, kMarket, 1, si::ProStdUC), 776);
    EXPECT_EQ(rnd.ProFin(1, kMarket, 3, si::ProReqUC), 100);
}

// A forecast's R&D outcomes are drawn from the generator as the run seeded it
// (t x 7). Fixture (b) at t = 2 with the R&D cost rules of rnd_world.h
// (S = sum(d x L_d); in the decision period 3 Suc = 2S, Muc = S; in period 4
// Suc = 4S, Muc = 2S; budgets 10,000 per unit of distance to the nearest
// finished prototype plus 1,000 per unit of (Suc - costed Ruc), times the money).
// Firm 1 holds PALPHA (11, 12, 13), PBRAVO (21, 22, 23), PCOSMO (31, 32, 33),
// finished, and develops, as rows 4 to 6:
//   XRAY (50, 50, 54) S 312, 1,440,000 allocated, asks 300 (costed as Muc 312)
//   YETI (36, 36, 40) S 228, 800,000 allocated, asks 250
//   ZULU (80, 80, 80) S 480, 200,000 allocated, asks 600
// Pass 1, nearest PCOSMO: XRAY at 19 + 18 + 21 = 58, TotB = 2 x (580,000 + 312,000)
// = 1,784,000 -> 1,780,000, MinB 1,424,000: p = 16,000 / 356,000 = 0.04 < r1 = 0.44;
// YETI at 16: TotB 2 x (160,000 + 206,000) = 732,000 -> 730,000 <= 800,000: available;
// ZULU (nearest YETI, 128) needs MinB 2,624,000. Pass 2, YETI finished: XRAY at
// 42, TotB 1,464,000 -> 1,460,000, MinB 1,168,000: p = 272,000 / 292,000 = 0.93 > r1.
// Firm 2 holds PECHO (20, 20, 20), finished, and PFOX (30, 30, 30), open since
// period 1 with 440,000 spent, which it continues with 100,000 at the standard
// unit cost 360.
//   PFOX: S = 30 + 60 + 90 = 180, Suc 360, Muc 180; nearest finished PECHO at
//   10 + 10 + 10 = 30 levels: TotB = 2 x (300,000 + 1,000 x (360 - 360)) = 600,000,
//   MinB 480,000; CumB 440,000 + 100,000 = 540,000, 60,000 above MinB and below
//   AllB 100,000: p = 60,000 / 120,000 = 0.5.
// Open prototypes draw in list order, firm by firm: firm 1's XRAY, YETI, ZULU
// and firm 2's PFOX take the first four numbers from seed t x 7 = 14:
//   s1 = 14 x 134775813 + 1 = 1,886,861,383 (r1 0.4393), s2 = 2,777,724,260 (0.6467),
//   s3 = 2,759,531,253 (0.6425), s4 = 804,641,482 (r4 = 0.1873), all modulo 2^32;
// PFOX is available since 0.5 > 0.19 (with the fifth number, 0.855, it would not be).
// Re-costed in period 4: Suc 720, Muc 360, Ruc 360 x (1 + 100 %) = 720.
TEST(RnDForecast, PreDrawsFollowTheGeneratorFromSeedTTimesSeven) {
    test::TFixtureSetup setup = test::FixtureB();
    setup.currentPeriod = 2;
    test::TRnDWorld rnd(setup);
    rnd.SetPrototypes(1, 1,
                      {{"PALPHA", {11, 12, 13}, 0, 74}, {"PBRAVO", {21, 22, 23}, 0, 134},
                       {"PCOSMO", {31, 32, 33}, 0, 194}});
    rnd.SetProjects(1, 1,
                    {{"XRAY", {50, 50, 54}, 1440000, 300},
                     {"YETI", {36, 36, 40}, 800000, 250},
                     {"ZULU", {80, 80, 80}, 200000, 600}});
    rnd.SetPrototypes(2, 1, {{"PECHO", {20, 20, 20}, 0, 120}, {"PFOX", {30, 30, 30}, 160000, 360, 440000, 1}});
    rnd.SetProjects(2, 1, {{"PFOX", {30, 30, 30}, 100000, 360}});
    SetRandomSeed(55555);
    ASSERT_TRUE(rnd.world.RunForecast()) << rnd.world.failureReason;

    EXPECT_EQ(rnd.ProFin(1, 1, 4, si::ProPerEnd), 3);      // XRAY: 0.93 > r1 in the second pass
    EXPECT_EQ(rnd.ProFin(1, 1, 6, si::ProPerEnd), 32767);  // ZULU: below its minimum budget
    ASSERT_EQ(rnd.NbPros(2, 1), 2);
    EXPECT_EQ(rnd.ProName(2, 1, 2), "PFOX");
    EXPECT_TRUE(test::AllClose<int>(FinsOf(rnd, 2, 1, 2), {
        {si::ProReqBgt, 0}, {si::ProPerEnd, 3}, {si::ProCumBgt, 540000}, {si::ProStdUC, 720}, {si::ProMinUC, 360},
        {si::ProReqUC, 720}
    }));
    // Four draws and no other: nothing else in the run takes a number (s4 above).
    EXPECT_EQ(RandomSeed(), 804641482u);
    const std::string log = test::ReadFileBytes(rnd.world.PrivateDir() / "CV3LOG03.TXT");
    EXPECT_TRUE(Contains(log, "Random : available if 0.50 > 0.19")) << log;
    EXPECT_TRUE(Contains(log, "Random : available if 0.04 > 0.44"));
}

// Firm numbers held as reals round halves to the even neighbour; anything that
// does not round into 0..32767 is no firm (0).
TEST(RnDRows, FirmNumbersRoundHalvesToEvenAndRefuseWhatIsNoSixteenBitFirm) {
    const std::vector<std::pair<long double, int>> cases = {
        {3, 3},       {2.5L, 2},         {3.5L, 4},  {2.4999L, 2}, {-0.4L, 0}, {-1, 0}, {32767.4L, 32767},
        {32767.5L, 0}, {32766.5L, 32766}, {1e30L, 0}, {std::numeric_limits<long double>::quiet_NaN(), 0}};
    for (const auto& [value, firm] : cases) EXPECT_EQ(FirmNumber(value), firm) << static_cast<double>(value);
}

}  // namespace
}  // namespace cv
