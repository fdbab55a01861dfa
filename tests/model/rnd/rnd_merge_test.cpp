// The R&D run's copy and merge: prototype lists of t carried into t+1, projects
// continuing a prototype or becoming new ones, slot reuse in a full list and a
// list whose arrays end before 20 rows. Figures follow from the inputs each test
// sets (tests/model/rnd/rnd_world.h); t = 2, decision period d = 3.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "model/rnd/mod_rnd.h"
#include "tests/model/rnd/rnd_world.h"
#include "tests/model/fixtures/model_checks.h"

namespace cv {
namespace {

using test::TPrototypeSpec;
using test::TProjectSpec;

constexpr int kFirm = 1;
constexpr int kMarket = 1;

using test::Contains;

// Two firms, two zones, one market, no brands; t = 2.
test::TFixtureSpec TwoZoneSpec() {
    test::TFixtureSpec spec(2, 2, 2, 1);
    spec.Prototypes(1, 1) = {"PA1"};
    spec.Prototypes(2, 1) = {"PB1"};
    return spec;
}

std::vector<TPrototypeSpec> TwentyPrototypes() {
    std::vector<TPrototypeSpec> prototypes;
    for (int j = 1; j <= kMaxPrototypes; ++j)
        prototypes.push_back({(j < 10 ? "P0" : "P") + std::to_string(j), {1.0 * j, 2, 3}});
    return prototypes;
}

TEST(RnDMerge, ProjectsContinueTheirPrototypeOrJoinTheListAsNewOnes) {
    test::TRnDWorld rnd(TwoZoneSpec());
    rnd.SetPrototypes(kFirm, kMarket,
                      {{"PA1", {11, 12, 13}},
                       {"PA2", {21, 22, 23}, 400000, 150, 600000}});
    // "pa2" continues PA2 (letter case ignored); NOVA is new.
    rnd.SetProjects(kFirm, kMarket, {{"pa2", {24, 25, 26}, 300000, 140}, {"NOVA", {30, 30, 30}, 250000, 200}});
    rnd.RunOnly();

    ASSERT_EQ(rnd.NbPros(kFirm, kMarket), 3);
    // PA1 is copied as it stood in t.
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 1), "PA1");
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 1, si::ProCumBgt), 1000000);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 1, si::ProReqBgt), 0);
    EXPECT_EQ(rnd.ProTec(kFirm, kMarket, 1, 3), 13);
    // PA2 keeps its name, required budget and start; it takes the project's levels and
    // decision columns, and its cumulated budget grows by the allocation: 600,000 + 300,000.
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 2), "PA2");
    EXPECT_EQ(rnd.ProTec(kFirm, kMarket, 2, 1), 24);
    EXPECT_EQ(rnd.ProTec(kFirm, kMarket, 2, 3), 26);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 2, si::ProAllBgt), 300000);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 2, si::ProReqUC), 140);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 2, si::ProOldReqUC), 140);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 2, si::ProCumBgt), 900000);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 2, si::ProReqBgt), 400000);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 2, si::ProPerBeg), 1);
    // NOVA: the project's whole row, not costed yet (-1), begun in d = 3, open (32767),
    // cumulated 0 + 250,000.
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 3), "NOVA");
    EXPECT_EQ(rnd.ProTec(kFirm, kMarket, 3, 2), 30);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 3, si::ProReqBgt), -1);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 3, si::ProPerBeg), 3);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 3, si::ProPerEnd), 32767);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 3, si::ProCumBgt), 250000);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 3, si::ProReqUC), 200);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 3, si::ProDeveloper), kFirm);

    // The lists of t are untouched; a firm without projects or contracts keeps its list.
    EXPECT_EQ(rnd.industry.PerResults(2).GetSmallint(kCategoryFirmMarket, {2, 1, 0, 1}, "NbPros"), 2);
    EXPECT_EQ(rnd.NbPros(2, kMarket), 1);
    EXPECT_EQ(rnd.ProName(2, kMarket, 1), "PB1");
    EXPECT_TRUE(rnd.work.Warnings.empty());
}

TEST(RnDMerge, AFullListReusesAnOlderSlotThatNoMarketedBrandIsBuiltOn) {
    test::TRnDWorld rnd(TwoZoneSpec());
    std::vector<TPrototypeSpec> prototypes = TwentyPrototypes();
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
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 7, si::ProReqBgt), -1);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 7, si::ProPerBeg), 3);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 7, si::ProCumBgt), 100000);
    EXPECT_EQ(rnd.ProTec(kFirm, kMarket, 7, 1), 5);
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 1), "NEW2");
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 1, si::ProCumBgt), 120000);
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 5), "P05");
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 2), "P02");
}

TEST(RnDMerge, ANewProjectIsDroppedWhenEveryPrototypeIsMarketed) {
    test::TRnDWorld rnd(TwoZoneSpec());
    rnd.SetPrototypes(kFirm, kMarket, TwentyPrototypes());
    // Five brands per firm and zone: firms 1 and 2 in zones 1 and 2 cover P01..P20.
    for (int firm = 1; firm <= 2; ++firm)
        for (int zone = 1; zone <= 2; ++zone) {
            std::vector<std::string> names;
            const int first = ((firm - 1) * 2 + zone - 1) * 5;
            for (int k = 1; k <= 5; ++k) names.push_back(TwentyPrototypes()[first + k - 1].name);
            rnd.SetMarketedPrototypes(firm, zone, kMarket, names);
        }
    rnd.SetProjects(kFirm, kMarket, {{"NEW9", {5, 5, 5}, 100000}});

    TModRnD model;
    model.Init(rnd.industry, test::FixtureCell(2, kFirm, 0, kMarket));
    EXPECT_TRUE(model.IsMarketedBrandName("p17"));
    EXPECT_FALSE(model.IsMarketedBrandName("P21"));
    EXPECT_FALSE(model.IsMarketedBrandName(""));

    rnd.RunOnly();
    EXPECT_EQ(rnd.NbPros(kFirm, kMarket), 20);
    for (int row = 1; row <= 20; ++row) EXPECT_EQ(rnd.ProName(kFirm, kMarket, row), TwentyPrototypes()[row - 1].name);
    EXPECT_TRUE(Contains(rnd.LogText(), "ERROR !!! could not find a slot for NEW9"));
}

TEST(RnDMerge, AListWhoseArraysEndBeforeTwentyStopsAtTheirLastRow) {
    test::TRnDWorld rnd(TwoZoneSpec());
    rnd.SetPrototypes(kFirm, kMarket, {{"PA1", {11, 12, 13}}, {"PA2", {21, 22, 23}, 400000}});
    rnd.ShrinkPrototypeLists(kFirm, kMarket, 3);
    rnd.SetProjects(kFirm, kMarket, {{"N1", {1, 1, 1}, 100000}, {"N2", {2, 2, 2}, 100000}});
    rnd.RunOnly();

    // N1 takes the third and last row; N2 finds the list full at 3 and reuses the
    // unfinished older PA2.
    ASSERT_EQ(rnd.NbPros(kFirm, kMarket), 3);
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 1), "PA1");
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 2), "N2");
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 3), "N1");
    const std::string warning = "the prototype list of firm 1 in market 1 ends at row 3, before 20";
    EXPECT_NE(std::find(rnd.work.Warnings.begin(), rnd.work.Warnings.end(), warning), rnd.work.Warnings.end());
    EXPECT_TRUE(Contains(rnd.LogText(), "Warning: " + warning));
}

TEST(RnDMerge, AListTooNarrowForItsColumnsStopsTheRunWithAModelError) {
    test::TRnDWorld rnd(TwoZoneSpec());
    rnd.SetProjects(kFirm, kMarket, {{"NOVA", {30, 30, 30}, 250000, 200}});
    TDataContext cell;
    cell.SelFirm = kFirm;
    cell.SelMarket = kMarket;
    // Five finance columns where "ProFinances" has 18: a copy would read past the row.
    rnd.industry.PerDecisions(3).FindSimArr(kCategoryFirmMarket, cell, "PrjFins")->Init(dkReal48, 0, 2, {1, 1}, {4, 5});
    try {
        rnd.RunOnly();
        ADD_FAILURE() << "no error for a narrow project list";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "array PrjFins does not span 1..18 in its dimension 2");
    }
    EXPECT_TRUE(rnd.world.ui.errorBoxes.empty());
    EXPECT_TRUE(rnd.world.ui.plainBoxes.empty());
}

}  // namespace
}  // namespace cv
