// The R&D run's contracts: joint developments, acquisitions from sellers with
// lower and higher firm numbers, the refusal of an acquisition into a full
// list, and the partner's copy of a joint development. Figures follow from the
// inputs set here and the cost rules of tests/model/rnd/rnd_world.h: t = 2,
// d = 3; R&D money 2 in d and 4 in d + 1.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/store/series_index.h"
#include "model/rnd/mod_rnd.h"
#include "tests/model/rnd/rnd_world.h"
#include "tests/model/fixtures/model_checks.h"

namespace cv {
namespace {

using test::TPrototypeSpec;

constexpr int kMarket = 1;

using test::Contains;

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
    RnDAlliances() : rnd(Spec()) {
        rnd.SetPrototypes(1, kMarket, {{"PA1", {11, 12, 13}}, {"PA2", {21, 22, 23}, 500000, 150, 700000}});
        rnd.SetPrototypes(2, kMarket, {{"PB1", {11, 12, 13}}});
        rnd.SetPrototypes(3, kMarket, {{"PC1", {31, 32, 33}, 0, 100}});
        std::vector<TPrototypeSpec> full;
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

    static test::TFixtureSpec Spec() {
        test::TFixtureSpec spec(2, 4, 1, 1);
        for (int firm = 1; firm <= 4; ++firm) spec.Prototypes(firm, kMarket) = {"X" + std::to_string(firm)};
        return spec;
    }

    test::TRnDWorld rnd;
};

TEST_F(RnDAlliances, AcquisitionsCopyTheSellersPrototypeWhateverTheFirmNumbers) {
    rnd.RunOnly();
    // Firm 1 buys PC1 from firm 3 before firm 3's turn: the copy of firm 3's list of t.
    ASSERT_EQ(rnd.NbPros(1, kMarket), 3);
    EXPECT_EQ(rnd.ProName(1, kMarket, 3), "PC1");
    EXPECT_EQ(rnd.ProTec(1, kMarket, 3, 2), 32);
    EXPECT_EQ(rnd.ProFin(1, kMarket, 3, si::ProReqUC), 100);
    EXPECT_EQ(rnd.ProFin(1, kMarket, 3, si::ProDeveloper), 3);
    // The second listing finds PC1 already held and copies nothing.
    EXPECT_TRUE(Contains(rnd.LogText(), "firm 1 already holds pc1: nothing acquired"));
    // The seller keeps PC1.
    EXPECT_EQ(rnd.ProName(3, kMarket, 1), "PC1");
    // Firm 3 buys PA2 from firm 1 after firm 1's merge: 700,000 + 100,000 spent, the new levels.
    ASSERT_EQ(rnd.NbPros(3, kMarket), 3);
    EXPECT_EQ(rnd.ProName(3, kMarket, 2), "PA2");
    EXPECT_EQ(rnd.ProFin(3, kMarket, 2, si::ProCumBgt), 800000);
    EXPECT_EQ(rnd.ProFin(3, kMarket, 2, si::ProReqBgt), 500000);
    EXPECT_EQ(rnd.ProTec(3, kMarket, 2, 1), 24);
    EXPECT_EQ(rnd.ProName(1, kMarket, 2), "PA2");
    // The contract that firm 3 holds as seller of PC1 copies nothing to itself.
    EXPECT_EQ(rnd.ProName(3, kMarket, 3), "DUO");
}

TEST_F(RnDAlliances, AnAcquisitionIntoAFullListIsRefusedWithAWarning) {
    rnd.RunOnly();
    ASSERT_EQ(rnd.NbPros(4, kMarket), 20);
    EXPECT_EQ(rnd.ProName(4, kMarket, 1), "Q1");
    EXPECT_EQ(rnd.ProName(4, kMarket, 20), "Q20");
    const std::string warning = "acquisition of PA1 by firm 4 in market 1 refused: its list of 20 prototypes is full";
    EXPECT_NE(std::find(rnd.work.Warnings.begin(), rnd.work.Warnings.end(), warning), rnd.work.Warnings.end());
    EXPECT_TRUE(Contains(rnd.LogText(), "Warning: " + warning));
    // The run goes on: the outcomes of the full list draw within its 20 rows.
    EXPECT_NO_THROW(rnd.RunRnD());
}

TEST_F(RnDAlliances, AJointDevelopmentRecordsBothPartiesAndTheOthersBudget) {
    rnd.RunOnly();
    // The developer's project: developer 2, partner 3, the partner's 60,000; its
    // prototype has spent 300,000 + 60,000.
    EXPECT_EQ(rnd.PrjFin(2, kMarket, 1, si::ProDeveloper), 2);
    EXPECT_EQ(rnd.PrjFin(2, kMarket, 1, si::ProPartner), 3);
    EXPECT_EQ(rnd.PrjFin(2, kMarket, 1, si::ProAllBgtOther), 60000);
    EXPECT_EQ(rnd.ProName(2, kMarket, 2), "DUO");
    EXPECT_EQ(rnd.ProFin(2, kMarket, 2, si::ProCumBgt), 360000);
    // The partner's project (type and name in other letter cases): the developer's 300,000.
    EXPECT_EQ(rnd.PrjFin(3, kMarket, 1, si::ProDeveloper), 2);
    EXPECT_EQ(rnd.PrjFin(3, kMarket, 1, si::ProAllBgtOther), 300000);
    EXPECT_EQ(rnd.ProFin(3, kMarket, 3, si::ProCumBgt), 360000);
}

// DUO at firm 2, levels (20, 20, 20): sum of d x L = 120.
//   In d (money 2): Suc 240, Muc 120. Nearest finished prototype PB1 (11, 12, 13):
//   distances 9 + 8 + 7 = 24 -> 240,000; unit-cost part 1,000 x (240 - 200) = 40,000;
//   TotB = 2 x 280,000 = 560,000, MinB = 448,000 > CumB 360,000: not available.
//   Re-costed in d + 1 (money 4): Suc 480, Muc 240, Ruc = 200 x 2 = 400;
//   TotB = 4 x (240,000 + 1,000 x (480 - 400)) = 1,280,000; required 1,280,000 - 360,000.
TEST_F(RnDAlliances, ThePartnersCopyReceivesTheDevelopersFigures) {
    rnd.RunRnD();
    EXPECT_EQ(rnd.ProFin(2, kMarket, 2, si::ProStdUC), 480);
    EXPECT_EQ(rnd.ProFin(2, kMarket, 2, si::ProMinUC), 240);
    EXPECT_EQ(rnd.ProFin(2, kMarket, 2, si::ProReqUC), 400);
    EXPECT_EQ(rnd.ProFin(2, kMarket, 2, si::ProReqBgt), 920000);
    // Firm 3's DUO (row 3) holds the developer's figures, firm 2's allocation included,
    // and keeps its own columns; firm 3, not the developer, costs nothing of it.
    const int copyColumns[] = {si::ProReqUC, si::ProOldReqUC, si::ProStdUC,  si::ProMinUC, si::ProCumBgt,
                               si::ProReqBgt, si::ProAllBgt, si::ProPerEnd, si::ProPerBeg, si::ProCumProd};
    for (const int column : copyColumns)
        EXPECT_EQ(rnd.ProFin(3, kMarket, 3, column), rnd.ProFin(2, kMarket, 2, column)) << column;
    EXPECT_EQ(rnd.ProFin(3, kMarket, 3, si::ProAllBgt), 300000);
    EXPECT_EQ(rnd.ProFin(3, kMarket, 3, si::ProAllBgtOther), 300000);
    EXPECT_EQ(rnd.ProFin(3, kMarket, 3, si::ProDeveloper), 2);
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

}  // namespace
}  // namespace cv
