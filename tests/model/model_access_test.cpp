// Checked access for the model: the messages name what is missing, names
// compare as the model compares them, and a missing source clears its copy.

#include "model/model_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/base/errors.h"
#include "core/base/log_file.h"
#include "model/mod_basic.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

TEST(ModelAccess, NamesCompareIgnoringTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(SameModelName("Alpha", "ALPHA"));
    EXPECT_TRUE(SameModelName("a-1_z", "A-1_Z"));
    EXPECT_FALSE(SameModelName("Alph", "Alpha"));
    EXPECT_FALSE(SameModelName("\xe9t\xe9", "\xc9T\xc9"));  // e acute: not a letter a-z
    EXPECT_FALSE(SameModelName("[", "{"));                  // 0x5B and 0x7B differ by the case bit only
}

TEST(ModelAccess, MissingArraysAndIndexesAreNamedWithTheirCell) {
    TCvPerData results(4, 5);
    TDataContext context;
    context.SelFirm = 2;
    context.SelFta = 1;
    context.SelMarket = 3;
    const TSeries brands(1, "MktBrand", 1, {"1", "2", "3"});
    results.CreateSimArr(kCategoryFirmFtaMarket, context, "Names", dkZts, 8, {&brands});
    EXPECT_EQ(DescribeCell(results, kCategoryFirmMarket, context), "results of period 5, firm 2, market 3");
    EXPECT_EQ(&RequireArr(results, kCategoryFirmFtaMarket, context, "Names"),
              results.FindSimArr(kCategoryFirmFtaMarket, context, "Names"));
    try {
        RequireArr(results, kCategoryFtaMarket, context, "Names");
        FAIL() << "a missing array was answered";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "array Names missing in the results of period 5, zone 1, market 3");
    }
    const TSimArr& names = *results.FindSimArr(kCategoryFirmFtaMarket, context, "Names");
    EXPECT_NO_THROW(RequireIndex(names, "Names", {3}));
    try {
        RequireIndex(names, "Names", {4});
        FAIL() << "an index outside the array was accepted";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "index [4] outside the array Names");
    }
    EXPECT_FALSE(IndexInBounds(names, {0}));
    EXPECT_FALSE(IndexInBounds(names, {1, 1}));  // more components than dimensions
    EXPECT_EQ(FindModelName(&names, 3, "x"), 0);
    EXPECT_EQ(RowCapacity(&names, 31), 3);
    EXPECT_EQ(RowCapacity(&names, 2), 2);
    EXPECT_EQ(RowCapacity(nullptr, 2), 0);
}

TEST(ModelAccess, CopyOrClearTakesTheSourceOrClearsWithALogLine) {
    test::TempDir dir;
    const TSeries rows(1, "Rows", 1, {"1", "2"});
    TSimArr source;
    source.InitFromSeries(dkReal48, 0, {&rows});
    source.SetReal48({2}, 7.5);
    TSimArr target;
    target.InitFromSeries(dkReal48, 0, {&rows});
    target.SetReal48({1}, 3);
    CopyOrClear(target, &source, "Past");
    EXPECT_EQ(target.GetReal48({1}), 0);
    EXPECT_EQ(target.GetReal48({2}), 7.5);

    LogOpen((dir.path() / "LOG").string(), 1);
    CopyOrClear(target, nullptr, "Past");
    LogClose();
    EXPECT_EQ(target.GetReal48({2}), 0);
    const std::string log = test::ReadFileBytes(dir.path() / "LOG01.TXT");
    EXPECT_NE(log.find("array Past of t missing: Past of t+1 cleared"), std::string::npos) << log;
}

// A module bound to a fixture, collecting its warnings.
struct WarningModule {
    WarningModule() { module.Init(world.OpenFixture(test::FixtureA()), &record); }
    test::TModelWorld world;
    TWorkRec record;
    TModBasic module;
};

TEST(ModelAccess, SixteenBitStoresSaturateWithAWarningInsteadOfAborting) {
    WarningModule module;
    TDynArr positions;
    positions.Init(dkSmallint, 0, 1, {1}, {3});
    StoreSmallintSaturated(module.module, positions, "PosSemBrds", "results of period 2", {1}, 1234.5);  // halves to even
    StoreSmallintSaturated(module.module, positions, "PosSemBrds", "results of period 2", {2}, 40000.0);
    StoreSmallintSaturated(module.module, positions, "PosSemBrds", "results of period 2", {3}, -1e9);
    EXPECT_EQ(positions.GetSmallint({1}), 1234);
    EXPECT_EQ(positions.GetSmallint({2}), 32767);
    EXPECT_EQ(positions.GetSmallint({3}), -32768);
    ASSERT_EQ(module.record.Warnings.size(), 2u);
    EXPECT_NE(module.record.Warnings[0].find("PosSemBrds of results of period 2: 40000.00"), std::string::npos);
}

TEST(ModelAccess, CountsOutsideZeroToTheLimitAreClampedWithAWarning) {
    WarningModule module;
    EXPECT_EQ(ClampCount(module.module, 5, 5, "brands"), 5);
    EXPECT_EQ(ClampCount(module.module, -3, 5, "brands"), 0);
    EXPECT_EQ(ClampCount(module.module, 9, 5, "brands"), 5);
    EXPECT_EQ(module.record.Warnings, (std::vector<std::string>{"brands: -3 is outside 0..5 and is taken as 0",
                                                                "brands: 9 is outside 0..5 and is taken as 5"}));
}

}  // namespace
}  // namespace cv
