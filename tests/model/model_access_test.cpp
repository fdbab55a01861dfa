// Checked access for the model: names compare as the model compares them, a
// missing source clears its copy, and counts out of range are clamped.

#include "model/model_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "core/store/series.h"
#include "core/base/log_file.h"
#include "model/mod_basic.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/support/checks.h"
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
    EXPECT_TRUE(test::Contains(log, "array Past of t missing: Past of t+1 cleared")) << log;
}

// Names are found among rows 1..Count of a list, whatever its lower bound, and
// compare as model names compare; 0 when absent, beyond the count or without a list.
TEST(ModelAccess, ModelNamesAreFoundAmongTheCountedRows) {
    const TSeries fromOne(1, "Rows", 1, {"1", "2", "3"});
    const TSeries fromZero(2, "Rows", 0, {"0", "1", "2"});
    TSimArr one;
    one.InitFromSeries(dkZts, 8, {&fromOne});
    TSimArr zero;
    zero.InitFromSeries(dkZts, 8, {&fromZero});
    const TSeries longer(3, "Rows", 1, {"1", "2", "3", "4", "5"});
    TSimArr mixed;
    mixed.InitFromSeries(dkZts, 0, {&longer});
    for (TSimArr* names : {&one, &zero}) {
        names->SetZts({1}, "ALPHA");
        names->SetZts({2}, "Bravo");
    }
    one.SetZts({3}, "CHARLIE");
    zero.SetZts({0}, "ZERO");
    // Names of eight characters and more, a name twice, one that differs by the
    // case bit outside a..z, and an empty row last.
    mixed.SetZts({1}, "EightChr");
    mixed.SetZts({2}, "NineChars");
    mixed.SetZts({3}, "[x]");
    mixed.SetZts({4}, "eightchr");
    struct TCase {
        const TSimArr* names;
        int count;
        const char* name;
        int found;
    };
    const TCase cases[] = {
        {&one, 3, "alpha", 1},   {&one, 3, "BRAVO", 2}, {&one, 3, "Charlie", 3},
        {&one, 2, "CHARLIE", 0},  // beyond the count
        {&one, 9, "charlie", 3},  // the count held to the rows
        {&zero, 3, "bravo", 2},  {&zero, 3, "alpha", 1},
        {&zero, 3, "ZERO", 0},  // row 0 is not counted
        {&one, 3, "DELTA", 0},   {nullptr, 3, "ALPHA", 0},
        {&mixed, 5, "EIGHTCHR", 1},  // the first of two rows
        {&mixed, 5, "ninechars", 2}, {&mixed, 5, "NINECHAR", 0}, {&mixed, 5, "NineCharsX", 0},
        {&mixed, 5, "[X]", 3},       {&mixed, 5, "{x}", 0},      {&mixed, 5, "", 5},
        {&mixed, 4, "", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " among " + std::to_string(c.count));
        EXPECT_EQ(FindModelName(c.names, c.count, c.name), c.found);
        // The index of a list answers alike.
        EXPECT_EQ(TModelNameIndex(c.names, c.count).Find(c.name), c.found);
    }
}

// One look-up per cell: the array of the cell asked for, again after another cell.
TEST(ModelAccess, CellArraysFollowTheCellAskedFor) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureB());
    TCvPerData& decisions = industry.PerDecisions(industry.CurPeriod() + 1);
    TCellArr lookup(decisions, kCategoryFirmFtaMarket, "DecBrdCV3");
    TDataContext cell;
    cell.SelFta = cell.SelMarket = 1;
    cell.SelFirm = 1;
    const TSimArr* first = &lookup.For(cell);
    EXPECT_EQ(first, &test::Arr(decisions, kCategoryFirmFtaMarket, 1, 1, 1, "DecBrdCV3"));
    cell.SelFirm = 2;
    EXPECT_EQ(&lookup.For(cell), &test::Arr(decisions, kCategoryFirmFtaMarket, 2, 1, 1, "DecBrdCV3"));
    cell.SelFirm = 1;
    EXPECT_EQ(&lookup.For(cell), first);
    cell.SelFirm = 3;  // the fixture has two firms
    EXPECT_THROW(lookup.For(cell), EModelError);
}

// Warnings go to the work record of the module that asks.
TEST(ModelAccess, CountsOutsideZeroToTheLimitAreClampedWithAWarning) {
    test::TModelWorld world;
    TWorkRec record;
    TModBasic module;
    module.Init(world.OpenFixture(test::FixtureA()), &record);
    EXPECT_EQ(ClampCount(module, 5, 5, "brands"), 5);
    EXPECT_EQ(ClampCount(module, -3, 5, "brands"), 0);
    EXPECT_EQ(ClampCount(module, 9, 5, "brands"), 5);
    EXPECT_EQ(record.Warnings, (std::vector<std::string>{"brands: -3 is outside 0..5 and is taken as 0",
                                                         "brands: 9 is outside 0..5 and is taken as 5"}));
}

// Opens Setup in World without the series Series, or with it but without its label Label.
void OpenWithout(test::TModelWorld& world, const test::TFixtureSetup& setup, const char* series, const char* label) {
    TCvInd& industry = world.OpenFixture(setup);
    if (label)
        test::HideLabel(industry, series, label);
    else
        test::HideSeries(industry, series);
}

// A series or label that the industry lacks stops the run before it writes
// anything, and the reason names it: a missing series as such, even when a
// label of it is what the step asks for first.
TEST(ModelAccess, AMissingSeriesOrLabelAbandonsTheRunNamingIt) {
    struct TCase {
        const char* series;
        const char* label;  // nullptr: the whole series is missing
        const char* reason;
    };
    const TCase cases[] = {
        {"BrdCumRes", nullptr, "the industry has no series BrdCumRes"},
        {"FFMLinks", nullptr, "the industry has no series FFMLinks"},
        {"MktBrand", nullptr, "the industry has no series MktBrand"},  // a series without labels of its own
        {"XFMLinks", "Rpix", "the series XFMLinks has no label Rpix"},
        {"DecBrdPort", "ProName", "the series DecBrdPort has no label ProName"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.reason);
        test::TModelWorld world;
        OpenWithout(world, test::FixtureBAtPeriodFour(), c.series, c.label);
        EXPECT_FALSE(world.RunForecast());
        EXPECT_EQ(world.failureReason, c.reason);
    }
}

// The look-ups themselves: a missing series is named as such whether a step
// asks for the series or for one of its labels; a missing label names its series.
TEST(ModelAccess, RequiredSeriesAndLabelsNameWhatIsMissing) {
    using enum TIndexedSeries;
    using enum TIndexedElement;
    struct TCase {
        const char* series;
        const char* label;  // nullptr: the whole series is hidden
        std::function<void()> lookUp;
        const char* message;  // nullptr: found
    };
    const TCase cases[] = {
        {"XFMLinks", nullptr, [] { RequireIndexedElements({pMbix, Rpix}); }, "the industry has no series XFMLinks"},
        {"XFMLinks", nullptr, [] { RequireIndexedSeries({MktBrand, XFMLinks}); },
         "the industry has no series XFMLinks"},
        {"XFMLinks", "Rpix", [] { RequireIndexedElements({pMbix, Rpix}); }, "the series XFMLinks has no label Rpix"},
        {"XFMLinks", "Rpix", [] { RequireIndexedSeries({MktBrand, XFMLinks}); }, nullptr},
        {"XFMLinks", "Rpix", [] { RequireIndexedElements({pMbix, Dfix}); }, nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.series) + (c.label ? std::string(".") + c.label : std::string()));
        test::TModelWorld world;
        OpenWithout(world, test::FixtureA(), c.series, c.label);
        try {
            c.lookUp();
            EXPECT_EQ(c.message, nullptr) << "nothing missing";
        } catch (const EModelError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

}  // namespace
}  // namespace cv
