#include <gtest/gtest.h>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "model/rnd/mod_rnd.h"
#include "tests/model/rnd/rnd_sample.h"

namespace cv {
namespace {

using test::kFirmA;
using test::kMarketM1;

// Firm A in market M1: prototypes PALBA, PARNO, PALTO (all finished), projects
// PAXIS (budget 312,500.75) and PAVIA (180,000); ten project slots.
class RnDProjectsTest : public test::RnDSampleTest {
protected:
    RnDProjectsTest() { rnd.Init(industry, Context(kFirmA, kMarketM1)); }

    std::int16_t StoredNbPrjs() const { return rnd.DecNext->GetSmallint(kCategoryFirmMarket, rnd.Context, "NbPrjs"); }

    TModRnD rnd;
};

TEST_F(RnDProjectsTest, NameLookUpsIgnoreLetterCase) {
    ASSERT_EQ(rnd.NbPros, 3);
    ASSERT_EQ(rnd.NbPrjs, 2);
    EXPECT_EQ(rnd.PrototypeIndex("palto"), 3);
    EXPECT_EQ(rnd.PrototypeIndex("PaRnO"), 2);
    EXPECT_EQ(rnd.PrototypeIndex("PAXIS"), 0);  // a project, not a prototype
    EXPECT_EQ(rnd.PrototypeIndex(""), 0);

    EXPECT_FALSE(rnd.IsUnusedProtoName("palba"));
    EXPECT_TRUE(rnd.IsUnusedProtoName("pavia"));

    EXPECT_TRUE(rnd.IsProject("pAvIa"));
    EXPECT_FALSE(rnd.IsProject("PALBA"));

    EXPECT_FALSE(rnd.IsFreeName("Palto"));  // prototype
    EXPECT_FALSE(rnd.IsFreeName("paxis"));  // project
    EXPECT_TRUE(rnd.IsFreeName("PNOVA"));
}

TEST_F(RnDProjectsTest, DeletingAProjectMovesTheLaterOnesUpAndStoresTheCount) {
    rnd.PrjTecs->SetReal48({2, 1}, 35);  // PAVIA's weight, as in the sample
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

TEST_F(RnDProjectsTest, CountOfProjectsStaysWithinTheSlots) {
    rnd.SetNbPrjs(10);
    EXPECT_EQ(StoredNbPrjs(), 10);
    for (const int bad : {11, -1, 40000}) EXPECT_THROW(rnd.SetNbPrjs(bad), ERangeError) << bad;
    EXPECT_EQ(rnd.NbPrjs, 10);
    EXPECT_EQ(StoredNbPrjs(), 10);

    // Names left beyond the count are not projects.
    rnd.SetNbPrjs(1);
    EXPECT_TRUE(rnd.IsProject("paxis"));
    EXPECT_FALSE(rnd.IsProject("pavia"));
    EXPECT_TRUE(rnd.IsFreeName("pavia"));
}

TEST_F(RnDProjectsTest, PrototypeToContinueIsAnUnfinishedOneWithoutItsProject) {
    EXPECT_FALSE(rnd.HasPrototypeToContinue());  // every sample prototype is finished
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

}  // namespace
}  // namespace cv
