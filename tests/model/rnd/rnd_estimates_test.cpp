#include <gtest/gtest.h>

#include "core/store/series_index.h"
#include "core/base/random_generator.h"
#include "model/rnd/mod_rnd.h"
#include "tests/model/rnd/rnd_sample.h"

namespace cv {
namespace {

using test::kFirmA;
using test::kFirmE;
using test::kMarketM1;
using test::kMarketM2;
using test::LevelRows;

// Firm E in market M2, home zone 2, decision period 4. The seeds of its draws:
//   unit costs: (4 + 19) x 97 x 2 x 2 x 2 = 17,848
//     next seed 17,848 x 134,775,813 + 1 = 2,405,478,710,425 mod 2^32 = 297,024,665, r = 0.0691564
//   budgets:    (4 + 13) x 101 x 2 x 2 x 2 = 13,736
//     next seed 13,736 x 134,775,813 + 1 = 1,851,280,567,369 mod 2^32 = 149,662,793, r = 0.0348461
constexpr std::uint32_t kSeedAfterUCDraw = 297024665;
constexpr std::uint32_t kSeedAfterBudgetDraw = 149662793;
// Any seed left in the generator before an estimate that does not draw.
constexpr std::uint32_t kUntouchedSeed = 4242;

class RnDEstimatesTest : public test::RnDSampleTest {
protected:
    RnDEstimatesTest() { rnd.Init(industry, Context(kFirmE, kMarketM2)); }

    // Finance rows: prototypes with ProReqUC and ProReqBgt; a project with its three unit costs.
    TDynArr Prototypes(std::initializer_list<std::pair<double, double>> reqUCAndReqBgt) const {
        TDynArr fins = RowsOf(static_cast<int>(reqUCAndReqBgt.size()), "ProFinances");
        int row = 1;
        for (const auto& [reqUC, reqBgt] : reqUCAndReqBgt) {
            fins.SetReal48({row, si::ProReqUC}, reqUC);
            fins.SetReal48({row++, si::ProReqBgt}, reqBgt);
        }
        return fins;
    }
    TDynArr Project(double minUC, double stdUC, double reqUC) const {
        TDynArr fins = RowsOf(1, "ProFinances");
        fins.SetReal48({1, si::ProMinUC}, minUC);
        fins.SetReal48({1, si::ProStdUC}, stdUC);
        fins.SetReal48({1, si::ProReqUC}, reqUC);
        return fins;
    }

    TModRnD rnd;
};

TEST_F(RnDEstimatesTest, UnitCostsSumTheDimensionsMirroringWhereALowerLevelCostsMore) {
    // Levels Size 5, Speed 160, Price 320:
    //   Size  unit cost -5: mirrored level 20 + 1 - 5 = 16, term 5 x 16 = 80, minimum 0.8 x 80 = 64
    //   Speed unit cost 1.5: term 1.5 x 160 = 240, minimum 0.75 x 240 = 180
    //   Price unit cost 0.2: term 0.2 x 320 = 64,  minimum 0.9 x 64 = 57.6
    // Suc = 384, Muc = 301.6; with AdjCost 1.25: 480 and 377.
    const TDynArr levels = LevelRows({{5, 160, 320}});
    const TDynArr noTecs = LevelRows({{0, 0, 0}});
    const TDynArr noFins = Prototypes({{0, 1}});
    SetRandomSeed(kUntouchedSeed);
    const TUnitCosts costs = rnd.CalcUCs(noTecs, noFins, 0, levels, 1, nullptr, 1.25, false);
    EXPECT_EQ(costs.Suc, 480);
    EXPECT_EQ(costs.Muc, 377);
    EXPECT_EQ(RandomSeed(), kUntouchedSeed);
    EXPECT_NE(LogText().find("CalcUCs : AdjCost=1.25  Muc=377.00   Suc=480.00       Muc=377.00   Suc=480.00"),
              std::string::npos);

    // AdjCost 0.5: Suc 192; Muc 150.8 rounds to 151.
    const TUnitCosts half = rnd.CalcUCs(noTecs, noFins, 0, levels, 1, nullptr, 0.5, false);
    EXPECT_EQ(half.Suc, 192);
    EXPECT_EQ(half.Muc, 151);
}

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

TEST_F(RnDEstimatesTest, KnownUnitCostIsTheLowestRequestOfTheFinishedPrototypesWithTheseLevels) {
    const TDynArr levels = LevelRows({{1, 1, 1}, {5, 160, 320}});
    const TDynArr tecs = LevelRows({{5, 160, 320}, {5, 160, 320}, {5, 160, 320}, {4, 160, 320}});
    // Same levels: 340 finished, 330 finished, 310 unfinished; 200 finished but other levels.
    const TDynArr fins = Prototypes({{340, 0}, {330, 0}, {310, 10000}, {200, 0}});
    EXPECT_EQ(rnd.KnownUC(tecs, fins, 4, levels, 2), 330);
    EXPECT_EQ(rnd.KnownUC(tecs, fins, 1, levels, 2), 340);  // only prototype 1 counts
    EXPECT_EQ(rnd.KnownUC(tecs, fins, 4, levels, 1), kUnknownUC);
    EXPECT_EQ(rnd.KnownUC(tecs, fins, 0, levels, 2), kUnknownUC);
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
    EXPECT_NE(LogText().find("   CalcReqBgt: Muc=300.00   Suc=400.00   Ruc=321.25\n   development project\n"),
              std::string::npos);

    // Without finished prototypes the distances run to the top of each range:
    //   Size (budget -50,000): (2 x 20 + 1 - 5) / 2 = 18 -> 900,000
    //   Speed (10,000): (160 + 200) / 2 = 180 -> 1,800,000;  Price (2,000): (320 + 500) / 2 = 410 -> 820,000
    // 3,520,000 + 20,000 x (400 - 350) = 4,520,000; AdjCost 1.25 -> 5,650,000.
    const TDynArr open = Prototypes({{500, 50000}});
    EXPECT_EQ(rnd.CalcReqBgt(tecs, open, 1, levels, Project(300, 400, 350), 1, nullptr, nullptr, 1.25, false),
              5650000);
}

TEST_F(RnDEstimatesTest, RequestedUnitCostIsCostedWithinTheMinimumAndTheHighestCostedValue) {
    const TDynArr levels = LevelRows({{5, 160, 320}});
    const TDynArr tecs = LevelRows({{5, 150, 320}});
    const TDynArr fins = Prototypes({{500, 0}});
    // Technical part: only Speed differs, 10,000 x 10 = 100,000.
    // Request 2,000 above the highest costed 1,500: 100,000 + 20,000 x (1,800 - 1,500) = 6,100,000.
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 1, levels, Project(1200, 1800, 2000), 1, nullptr, nullptr, 1, false),
              6100000);
    // Request 100 below the minimum 300: costed as 300; 100,000 + 20,000 x (400 - 300) = 2,100,000.
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 1, levels, Project(300, 400, 100), 1, nullptr, nullptr, 1, false),
              2100000);
    // Request 450 above the standard cost: 100,000 - 20,000 x 50 = -900,000, raised to "MinRnDBgt".
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 1, levels, Project(300, 400, 450), 1, nullptr, nullptr, 1, false), 100000);
}

TEST_F(RnDEstimatesTest, CostReductionBudgetRunsFromTheKnownUnitCost) {
    const TDynArr levels = LevelRows({{5, 160, 320}});
    const TDynArr tecs = LevelRows({{5, 160, 320}, {5, 160, 320}});
    const TDynArr fins = Prototypes({{340, 0}, {360, 0}});
    // Known unit cost 340; Ruc 321.25: 20,000 x 18.75 = 375,000 = 37.5 steps -> 38 -> 380,000.
    SetRandomSeed(kUntouchedSeed);
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, Project(300, 400, 321.25), 1, nullptr, nullptr, 1, true), 380000);
    EXPECT_EQ(RandomSeed(), kUntouchedSeed);  // no over-estimation of a cost reduction
    EXPECT_NE(LogText().find("   cost reduction project - cuc=340.00"), std::string::npos);
    // Ruc 345 above the known 340: nothing to do, the minimum budget 100,000.
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, Project(300, 400, 345), 1, nullptr, nullptr, 1, false), 100000);
    // AdjCost 2: 20,000 x (340 - 310) x 2 = 1,200,000.
    EXPECT_EQ(rnd.CalcReqBgt(tecs, fins, 2, levels, Project(300, 400, 310), 1, nullptr, nullptr, 2, false), 1200000);
}

TEST_F(RnDEstimatesTest, OverEstimatedDevelopmentBudgetSteepensBelowTheThresholdAndIsReseeded) {
    const TDynArr levels = LevelRows({{5, 160, 320}});
    const TDynArr tecs = LevelRows({{4, 150, 300}, {7, 170, 330}});
    const TDynArr fins = Prototypes({{500, 0}, {500, 0}});
    const TDynArr project = Project(300, 400, 321.25);
    // Technical part 170,000 as in the development test. Threshold T = 300 + 0.25 x 100 = 325 > 321.25:
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

TEST_F(RnDEstimatesTest, EstimatesOfTheSamplePrototypesAndPassedTables) {
    // Firm A in M1 (Weight, Power, Design, Price), prototype 1 PALBA at 40, 20, 5, 200:
    //   Weight (10..100, unit cost -2): 2 x (100 + 10 - 40) = 140, minimum 0.8 x 140 = 112
    //   Power 4 x 20 = 80 (0.75: 60); Design 10 x 5 = 50 (0.7: 35); Price 0.2 x 200 = 40 (0.9: 36)
    //   Suc 310, Muc 243.
    TModRnD firmA;
    firmA.Init(industry, Context(kFirmA, kMarketM1));
    ASSERT_EQ(firmA.NbPros, 3);
    const TUnitCosts costs =
        firmA.CalcUCs(*firmA.ProTecs, *firmA.ProFins, firmA.NbPros, *firmA.ProTecs, 1, nullptr, 1, true);
    EXPECT_EQ(costs.Suc, 310);
    EXPECT_EQ(costs.Muc, 243);  // a finished prototype's own levels are never over-estimated
    // Its requested unit cost (half-way in the history period, 276.5 -> 276, and carried into the
    // money of each period since by the forecasts) is the known unit cost of its levels.
    EXPECT_GT(firmA.ProFins->GetReal48({1, firmA.Fin.ProReqUC}), 276);
    EXPECT_EQ(firmA.KnownUC(*firmA.ProTecs, *firmA.ProFins, firmA.NbPros, *firmA.ProTecs, 1),
              firmA.ProFins->GetReal48({1, firmA.Fin.ProReqUC}));

    // Tables passed in place of the market's: one dimension of unit cost 3 and factor 0.5, level 10
    // -> Suc 30, Muc 15 (the other dimensions are all zero).
    TDynArr technical = RowsOf(4, "TecDimVars");
    technical.SetReal48({1, si::TDUnitCost}, 3);
    technical.SetReal48({1, si::TDSuc2Muc}, 0.5);
    const TDynArr levels = LevelRows({{10, 0, 0, 0}});
    const TUnitCosts passed = firmA.CalcUCs(*firmA.ProTecs, *firmA.ProFins, 0, levels, 1, &technical, 1, false);
    EXPECT_EQ(passed.Suc, 30);
    EXPECT_EQ(passed.Muc, 15);
}

}  // namespace
}  // namespace cv
