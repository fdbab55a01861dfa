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

// Opens Spec in World without the series Series, or with it but without its label Label.
void OpenWithout(test::TModelWorld& world, const test::TFixtureSpec& spec, const char* series, const char* label) {
    TCvInd& industry = world.OpenFixture(spec);
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
