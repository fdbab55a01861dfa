// The sample industry keeps the model's data rules, and the forecast runs on
// it. Expected links from the sample's brand table (docs/sample_industry.md):
// decision period 4, brands launched up to period 4 marketed, prototypes of a
// period those of the brands launched up to the next one.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/store/industry_dump.h"
#include "core/store/industry_file.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/session/session.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

TEST(SampleForecast, SampleKeepsTheDataRulesAndForecastsItsBrands) {
    test::TModelWorld world;
    TCvInd& industry = world.Open(sample::WriteSampleIndustryFile(world.GamesDir()));
    EXPECT_NO_THROW(world.RequireDataRules());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    EXPECT_TRUE(world.warnings.empty());
    const test::TForecastView view(industry, 4);
    for (int zone = 1; zone <= 2; ++zone) {
        SCOPED_TRACE("zone " + std::to_string(zone));
        // M1: ALBA, ARNO, ALTO (A), EDRA (E), IBIS, IRMA (I); period 3 lacked ALTO.
        ASSERT_EQ(view.MarketCount(zone, 1), 6);
        const char* names[] = {"ALBA", "ARNO", "ALTO", "EDRA", "IBIS", "IRMA"};
        const int firms[] = {1, 1, 1, 2, 3, 3};
        const int slots[] = {1, 2, 3, 1, 1, 2};
        const int previous[] = {1, 2, 0, 3, 4, 5};
        for (int m = 1; m <= 6; ++m) {
            EXPECT_EQ(view.BrandName(zone, 1, m), names[m - 1]);
            EXPECT_EQ(view.MarketLink(zone, 1, m, si::Dfix), firms[m - 1]);
            EXPECT_EQ(view.MarketLink(zone, 1, m, si::Dbix), slots[m - 1]);
            EXPECT_EQ(view.MarketLink(zone, 1, m, si::pMbix), previous[m - 1]);
            // Each firm lists its prototypes in launch order: the brand's slot is its place.
            EXPECT_EQ(view.MarketLink(zone, 1, m, si::Rfix), firms[m - 1]);
            EXPECT_EQ(view.MarketLink(zone, 1, m, si::Rpix), slots[m - 1]);
        }
        EXPECT_EQ(view.FirmLink(1, zone, 1, 3, si::pDbix), 0);  // ALTO is new
        EXPECT_EQ(view.FirmLink(3, zone, 1, 2, si::pDbix), 2);  // IRMA was I's second brand
        // M2: AMOR (A), ELMA, EVOS (E), IOTA (I), all marketed in period 3 in that order.
        ASSERT_EQ(view.MarketCount(zone, 2), 4);
        for (int m = 1; m <= 4; ++m) EXPECT_EQ(view.MarketLink(zone, 2, m, si::pMbix), m);
        // Age p + 1 in period 3, one more in period 4.
        EXPECT_EQ(view.MarketAge(zone, 1), 5);
        EXPECT_EQ(view.MarketAge(zone, 2), 5);
    }
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void ExpectNoMissingQuantity(const std::string& text, const std::string& where) {
    EXPECT_FALSE(Contains(text, "Unknown scalar")) << where << ": " << text;
    EXPECT_FALSE(Contains(text, "cannot get SimArr")) << where << ": " << text;
}

// The whole forecast at the most detailed log level finds every quantity it
// reads; the industry saved after it reopens, every set loads, and the dump
// tool decodes every volume. The sets the forecast wrote come back byte for
// byte: the results of period 4 and the decisions and defaults of period 5.
TEST(SampleForecast, FindsEveryQuantityAndTheSavedFileReopensWhole) {
    test::TModelWorld world;
    const std::filesystem::path file = sample::WriteSampleIndustryFile(world.GamesDir());
    TCvInd& industry = world.Open(file);
    DebugLevel = 9;
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    DebugLevel = 0;
    ExpectNoMissingQuantity(test::ReadFileBytes(world.PrivateDir() / "CV3LOG04.TXT"), "model log");
    for (const std::string& box : world.ui.errorBoxes) ExpectNoMissingQuantity(box, "error box");
    for (const std::string& box : world.ui.plainBoxes) ExpectNoMissingQuantity(box, "plain box");
    EXPECT_TRUE(world.ui.errorBoxes.empty());
    EXPECT_TRUE(world.ui.plainBoxes.empty());
    const test::TGridBytes results = test::GridBytes(industry.PerResults(4));
    const test::TGridBytes decisions = test::GridBytes(industry.PerDecisions(5));
    const test::TGridBytes defaults = test::GridBytes(industry.PerDefaults(5));
    ASSERT_GT(test::FilledCells(defaults), 0);

    Session->IndClose();
    TCvInd& reopened = world.Open(file);
    for (int period = kFirstResultPeriod; period <= kLastResultPeriod; ++period)
        EXPECT_NO_THROW(reopened.PerResults(period)) << "results of " << period;
    for (int period = kFirstDecisionPeriod; period <= kLastDecisionPeriod; ++period) {
        EXPECT_NO_THROW(reopened.PerDecisions(period)) << "decisions of " << period;
        EXPECT_NO_THROW(reopened.PerDefaults(period)) << "defaults of " << period;
    }
    EXPECT_EQ(test::FirstDifference(results, test::GridBytes(reopened.PerResults(4))), "");
    EXPECT_EQ(test::FirstDifference(decisions, test::GridBytes(reopened.PerDecisions(5))), "");
    EXPECT_EQ(test::FirstDifference(defaults, test::GridBytes(reopened.PerDefaults(5))), "");
    Session->IndClose();

    std::ostringstream dump;
    ASSERT_NO_THROW(DumpVolSetFile(file.string(), dump));
    EXPECT_FALSE(Contains(dump.str(), "undecodable"));
    // Volume keys (type, period, ...): results (4) of period 4, decisions (5)
    // and defaults (6) of period 5 are in the file.
    for (const char* keys : {"(4,4,", "(5,5,", "(6,5,"}) EXPECT_TRUE(Contains(dump.str(), keys)) << keys;
    EXPECT_TRUE(world.ui.errorBoxes.empty());
}

}  // namespace
}  // namespace cv
