// Every industry of the fixture catalog is a whole industry: it passes the
// whole-file check that taking, restoring and opening a team's copy run first,
// as the window tests and the benchmarks that open it as a team's copy need.

#include <gtest/gtest.h>

#include "core/store/industry_file_check.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

TEST(FixtureCatalog, EveryFixtureIndustryPassesTheWholeFileCheck) {
    struct TCase {
        const char* name;
        test::TFixtureSetup setup;
    };
    const TCase cases[] = {
        {"A", test::FixtureA()},
        {"B", test::FixtureB()},
        {"C, first period", test::FixtureC()},
        {"D, seed 1", test::FixtureD(1)},
        {"D, seed 2", test::FixtureD(2)},
        {"B at period four", test::FixtureBAtPeriodFour()},
        {"largest", test::FixtureLargest()},
        {"six brands of the distribution assistant", test::FixtureLargest(2, 1, 2, 3)},
    };
    const test::TempDir directory;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path file = directory.path() / "WHOLE.ind";
        test::WriteFixtureIndustry(file, c.setup);
        const TIndustryFileCheck check = CheckWholeIndustryFile(file.string());
        EXPECT_TRUE(check.Sound()) << check.reason;
    }
}

}  // namespace
}  // namespace cv
