// The fixture builder refuses an industry that breaks a data rule of the model,
// naming the rule and the cell.

#include "tests/model/fixtures/industry_rules.h"

#include <gtest/gtest.h>

#include "core/session/session.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

std::vector<std::string> BrokenRules(const test::TFixtureSpec& spec) {
    test::TModelWorld world;
    world.OpenUncheckedFixture(spec);
    return test::CheckModelDataRules(*Session->Industry());
}

TEST(IndustryRules, EachBrokenRuleIsNamedWithItsCell) {
    EXPECT_TRUE(BrokenRules(test::FixtureB()).empty());

    test::TFixtureSpec twins = test::FixtureB();
    twins.Cell(2, 1, 1).brandsT1[0].name = "cosmo";  // firm 1 decides COSMO
    EXPECT_EQ(BrokenRules(twins),
              std::vector<std::string>{"brand name empty or not unique: cosmo (firm 2, zone 1, market 1)"});

    test::TFixtureSpec orphan = test::FixtureA();
    orphan.Cell(1, 1, 1).brandsT1[1].prototype = "PNONE";
    EXPECT_EQ(BrokenRules(orphan),
              std::vector<std::string>{"no firm lists prototype PNONE (firm 1, zone 1, market 1)"});

    test::TFixtureSpec split = test::FixtureA();
    split.Cell(1, 1, 1).brandsT1[0].channelShares = {60000, 30000};
    EXPECT_EQ(BrokenRules(split),
              std::vector<std::string>{"channel shares of Bravo do not add to 100000 (firm 1, zone 1, market 1)"});

    test::TFixtureSpec crowded = test::FixtureA();
    crowded.Cell(1, 1, 1).decidedCount = 6;
    EXPECT_EQ(BrokenRules(crowded), std::vector<std::string>{"6 brands decided, 5 slots (firm 1, zone 1, market 1)"});

    // Two market slots hold neither the three brands of t nor the three decided.
    test::TFixtureSpec small = test::FixtureB();
    small.mktBrandSlots = 2;
    EXPECT_EQ(BrokenRules(small),
              (std::vector<std::string>{"brand 3 of t is not the firm's brand 1 (firm 2, zone 1, market 1)",
                                        "3 brands decided, the market has 2 slots (firm 0, zone 1, market 1)"}));
}

}  // namespace
}  // namespace cv
