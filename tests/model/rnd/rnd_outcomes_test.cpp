// The outcomes of the R&D projects: pre-drawn numbers, passes, re-costing.
// Cost rules of tests/model/rnd/rnd_world.h: levels L cost S = sum(d x L_d);
// in the decision period d = 3 (money 2) Suc = 2S, Muc = S; in d + 1 (money 4)
// Suc = 4S, Muc = 2S; budgets: 10,000 per unit of distance to the nearest
// finished prototype plus 1,000 per unit of (Suc - costed Ruc), times the money.
//
// Firm 1 of fixture (a) moved to t = 2, its prototypes replaced by
//   PALPHA (11, 12, 13) S 74, PBRAVO (21, 22, 23) S 134, PCOSMO (31, 32, 33) S 194,
//   finished, each asking its S as unit cost; and three projects, new:
//   XRAY (50, 50, 54) S 312, 1,440,000 allocated, asks 300
//   YETI (36, 36, 40) S 228, 800,000 allocated, asks 250
//   ZULU (80, 80, 80) S 480, 200,000 allocated, asks 600
// They become rows 4, 5, 6; seeded with t x 7 = 14, the generator gives
// r1 = 1,886,861,383 / 2^32 = 0.4393 (XRAY), r2 = 0.6467 (YETI), r3 = 0.6425 (ZULU).

#include <gtest/gtest.h>

#include <string>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "model/rnd/mod_rnd.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/rnd/rnd_world.h"
#include "tests/model/fixtures/model_checks.h"

namespace cv {
namespace {

constexpr int kFirm = 1;
constexpr int kMarket = 1;

using test::Contains;

test::TFixtureSpec FixtureAAtPeriod2() {
    test::TFixtureSpec spec = test::FixtureA();
    spec.currentPeriod = 2;
    return spec;
}

void SetScenario(test::TRnDWorld& rnd) {
    rnd.SetPrototypes(kFirm, kMarket,
                      {{"PALPHA", {11, 12, 13}, 0, 74}, {"PBRAVO", {21, 22, 23}, 0, 134},
                       {"PCOSMO", {31, 32, 33}, 0, 194}});
    rnd.SetProjects(kFirm, kMarket,
                    {{"XRAY", {50, 50, 54}, 1440000, 300},
                     {"YETI", {36, 36, 40}, 800000, 250},
                     {"ZULU", {80, 80, 80}, 200000, 600}});
}

// Pass 1, nearest finished prototypes PCOSMO:
//   XRAY: distances 19 + 18 + 21 = 58; asks 300 < Muc 312, costed (and stored) as 312;
//     TotB = 2 x (580,000 + 1,000 x (624 - 312)) = 1,784,000 -> 1,780,000, MinB 1,424,000;
//     CumB 1,440,000: p = 16,000 / 356,000 = 0.04 < r1 = 0.44, not available.
//   YETI: distances 5 + 4 + 7 = 16; TotB = 2 x (160,000 + 1,000 x (456 - 250)) = 732,000
//     -> 730,000 <= CumB 800,000: available.
//   ZULU: CumB 200,000 below MinB (nearest YETI: 44 + 44 + 40 = 128;
//     TotB = 2 x (1,280,000 + 1,000 x (960 - 600)) = 3,280,000, MinB 2,624,000).
// Pass 2, YETI finished: XRAY's distances 14 + 14 + 14 = 42;
//   TotB = 2 x (420,000 + 312,000) = 1,464,000 -> 1,460,000, MinB 1,168,000;
//   p = 272,000 / 292,000 = 0.93 > r1 (the same number): available.
// Pass 3 makes nothing available.
// Re-costing in d + 1: Suc 4S, Muc 2S, Ruc = asked x 2, at least Muc:
//   PALPHA 296 / 148 / 148, PBRAVO 536 / 268 / 268, PCOSMO 776 / 388 / 388,
//   XRAY 1,248 / 624 / 624 (asked 312 since pass 1), YETI 912 / 456 / 500, ZULU 1,920 / 960 / 1,200;
//   ZULU still open: nearest finished XRAY, 30 + 30 + 26 = 86; asked 1,200 costed as
//   1,000; TotB = 4 x (860,000 + 1,000 x (1,920 - 1,000)) = 7,120,000; required
//   7,120,000 - 200,000 = 6,920,000.
void ExpectScenarioOutcomes(const test::TRnDWorld& rnd) {
    ASSERT_EQ(rnd.NbPros(kFirm, kMarket), 6);
    struct TExpected {
        const char* name;
        double suc, muc, ruc, required, end;
    };
    const TExpected expected[] = {
        {"PALPHA", 296, 148, 148, 0, 2},    {"PBRAVO", 536, 268, 268, 0, 2},   {"PCOSMO", 776, 388, 388, 0, 2},
        {"XRAY", 1248, 624, 624, 0, 3},     {"YETI", 912, 456, 500, 0, 3},
        {"ZULU", 1920, 960, 1200, 6920000, 32767},
    };
    for (int row = 1; row <= 6; ++row) {
        const TExpected& e = expected[row - 1];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(rnd.ProName(kFirm, kMarket, row), e.name);
        EXPECT_EQ(rnd.ProFin(kFirm, kMarket, row, si::ProStdUC), e.suc);
        EXPECT_EQ(rnd.ProFin(kFirm, kMarket, row, si::ProMinUC), e.muc);
        EXPECT_EQ(rnd.ProFin(kFirm, kMarket, row, si::ProReqUC), e.ruc);
        EXPECT_EQ(rnd.ProFin(kFirm, kMarket, row, si::ProOldReqUC), e.ruc);
        EXPECT_EQ(rnd.ProFin(kFirm, kMarket, row, si::ProReqBgt), e.required);
        EXPECT_EQ(rnd.ProFin(kFirm, kMarket, row, si::ProPerEnd), e.end);
    }
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 4, si::ProCumBgt), 1440000);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 6, si::ProCumBgt), 200000);
}

TEST(RnDOutcomes, PrototypesBecomeAvailableAgainstTheirPreDrawnNumbers) {
    test::TRnDWorld rnd(FixtureAAtPeriod2());
    SetScenario(rnd);
    rnd.RunRnD();
    ExpectScenarioOutcomes(rnd);

    const std::string log = rnd.LogText();
    EXPECT_TRUE(Contains(log, "Random : available if 0.04 > 0.44"));
    EXPECT_TRUE(Contains(log, "Random : available if 0.93 > 0.44"));
    EXPECT_TRUE(Contains(log, "Available because CumB=800000 > TotB=+730000"));
    EXPECT_TRUE(Contains(log, "Not available because CumB=200000 < MinB=+2624000"));
    EXPECT_TRUE(Contains(log, "Project XRAY is available"));
    EXPECT_TRUE(Contains(log, "Project ZULU is not available"));
}

// The complete forecast runs the R&D model as the scenario above does: seeded
// with t x 7 = 14 at its start, the plan pass drawing nothing, the pre-draws
// of firm 1's open prototypes are r1, r2, r3 again, with the same outcomes.
TEST(RnDOutcomes, TheCompleteForecastDrawsTheSameOutcomes) {
    test::TRnDWorld rnd(FixtureAAtPeriod2());
    SetScenario(rnd);
    ASSERT_TRUE(rnd.world.RunForecast()) << rnd.world.failureReason;
    ExpectScenarioOutcomes(rnd);
}

TEST(RnDOutcomes, ProjectsRunOnlyForTheCurrentPeriodAfterTheRun) {
    test::TRnDWorld rnd(FixtureAAtPeriod2());
    TModRnD model;
    const TDataContext context = test::FixtureCell(2, kFirm, 0, kMarket);
    model.Init(rnd.industry, context);
    // Without the run, the lists of t+1 do not exist.
    try {
        model.RunProjects(model.Context);
        ADD_FAILURE() << "no error without the lists of t+1";
    } catch (const EModelError& error) {
        EXPECT_TRUE(Contains(error.what(), "array ProNames missing in the results of period 3")) << error.what();
    }
    model.Run(rnd.industry);
    model.Init(rnd.industry, context);
    TDataContext other = model.Context;
    other.SelPeriod = 1;
    try {
        model.RunProjects(other);
        ADD_FAILURE() << "no error for another period";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "The period in selector (1) is not equal to SimPer (2)");
    }
    EXPECT_NO_THROW(model.RunProjects(model.Context));
    EXPECT_TRUE(rnd.world.ui.errorBoxes.empty());
    EXPECT_TRUE(rnd.world.ui.plainBoxes.empty());
}

// No zone, no home zone and no money: the lists are carried and merged, nothing is costed.
TEST(RnDOutcomes, AnIndustryWithoutZonesCarriesItsListsWithoutCostingThem) {
    test::TFixtureSpec spec(3, 1, 0, 1);
    spec.Prototypes(1, 1) = {"PX"};
    test::TRnDWorld rnd(spec);
    rnd.SetPrototypes(kFirm, kMarket, {{"PX", {11, 12, 13}, 0, 74}});
    rnd.SetProjects(kFirm, kMarket, {{"NOVA", {30, 30, 30}, 250000, 200}});
    ASSERT_NO_THROW(rnd.RunRnD());
    ASSERT_EQ(rnd.NbPros(kFirm, kMarket), 2);
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 1, si::ProReqUC), 74);
    EXPECT_EQ(rnd.ProName(kFirm, kMarket, 2), "NOVA");
    EXPECT_EQ(rnd.ProFin(kFirm, kMarket, 2, si::ProReqBgt), -1);
    EXPECT_TRUE(Contains(rnd.LogText(), "no zone in the industry"));
    EXPECT_EQ(rnd.LogText().find("cannot get SimArr"), std::string::npos);
}

}  // namespace
}  // namespace cv
