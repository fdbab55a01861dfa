// The arithmetic of the marketing-plan cells: what a typed value becomes and
// what follows from it, worked out by hand.
#include <gtest/gtest.h>

#include "decisions/plan/plan_cell_checks.h"

namespace cv {
namespace {

TEST(PlanCellChecks, SegmentPlanTyped) {
    // 120 planned over 100 last period: growth (120 / 100 - 1) x 100 = 20 %.
    TSegmentCells cells = CheckSegmentPlan(100, 120);
    EXPECT_FALSE(cells.beep);
    EXPECT_EQ(cells.plan, 120);
    EXPECT_DOUBLE_EQ(*cells.growth, 20);
    // -5 is refused with a beep: the plan 0, the growth (0 / 100 - 1) x 100 = -100 %.
    cells = CheckSegmentPlan(100, -5);
    EXPECT_TRUE(cells.beep);
    EXPECT_EQ(cells.plan, 0);
    EXPECT_DOUBLE_EQ(*cells.growth, -100);
    // 120.4 is taken to the nearest whole thousand without a beep: 120, growth 20 %.
    cells = CheckSegmentPlan(100, 120.4);
    EXPECT_FALSE(cells.beep);
    EXPECT_EQ(cells.plan, 120);
    EXPECT_DOUBLE_EQ(*cells.growth, 20);
    // Nothing sold last period: no growth to show.
    EXPECT_FALSE(CheckSegmentPlan(0, 40).growth.has_value());
}

struct TGrowthCase {
    double last, plan, growth;
    double wantPlan, wantGrowth;
    bool beep;
};

TEST(PlanCellChecks, SegmentGrowthTyped) {
    const TGrowthCase cases[] = {
        // +10 % of 250: round(1.1 x 250) = round(275) = 275.
        {250, 250, 10, 275, 10, false},
        // +5 % of 33: round(34.65) = 35; the growth stays as typed.
        {33, 33, 5, 35, 5, false},
        // -150 %: round(-0.5 x 100) = -50 below 0: beep, plan 0, growth -100.
        {100, 100, -150, 0, -100, true},
        // A growth that gives the plan already there changes nothing.
        {200, 220, 10, 220, 10, false},
        // Nothing sold last period ("-" reads 0): any growth gives a plan of 0.
        {0, 40, 0, 0, 0, false},
    };
    for (const TGrowthCase& c : cases) {
        const TSegmentCells cells = CheckSegmentGrowth(c.last, c.plan, c.growth);
        EXPECT_EQ(cells.plan, c.wantPlan) << c.last << " " << c.growth;
        EXPECT_EQ(*cells.growth, c.wantGrowth) << c.last << " " << c.growth;
        EXPECT_EQ(cells.beep, c.beep) << c.last << " " << c.growth;
    }
}

struct TShareCase {
    const char* what;
    bool changeTyped;
    double last, plan, change, ceiling;
    double wantPlan, wantChange;
    bool beep;
};

TEST(PlanCellChecks, ShareAndChangeTyped) {
    const TShareCase cases[] = {
        {"a plan in range", false, 10, 12, 0, 100, 12, 2, false},
        {"a negative plan", false, 10, -4, 0, 100, 0, -10, true},
        {"a share over 100 %", false, 10, 120, 0, 100, 100, 90, true},
        // Units: the ceiling is the segment's planned size, 5,000 units.
        {"units over the segment plan", false, 1000, 6500, 0, 5000, 5000, 4000, true},
        {"a change of +2 on 10", true, 10, 10, 2, 100, 12, 2, false},
        {"a change of -15 on 10", true, 10, 10, -15, 100, 0, -10, true},
        {"a change past 100 %", true, 95, 95, 10, 100, 100, 5, true},
        {"a change past the segment plan", true, 1000, 1000, 4500, 5000, 5000, 4000, true},
        {"a change that leaves the plan", true, 10, 12, 2, 100, 12, 2, false},
    };
    for (const TShareCase& c : cases) {
        const TShareCells cells = c.changeTyped ? CheckShareChange(c.last, c.plan, c.change, c.ceiling)
                                                : CheckSharePlan(c.last, c.plan, c.ceiling);
        EXPECT_EQ(cells.plan, c.wantPlan) << c.what;
        EXPECT_EQ(cells.change, c.wantChange) << c.what;
        EXPECT_EQ(cells.beep, c.beep) << c.what;
    }
    EXPECT_EQ(ShareCeiling(TShareUnit::Percent, 5000), 100);
    EXPECT_EQ(ShareCeiling(TShareUnit::Units, 5000), 5000);
}

TEST(PlanCellChecks, ChannelShareTyped) {
    EXPECT_EQ(CheckChannelShare(40).share, 40);
    EXPECT_FALSE(CheckChannelShare(40).beep);
    EXPECT_EQ(CheckChannelShare(-3).share, 0);
    EXPECT_TRUE(CheckChannelShare(-3).beep);
    EXPECT_EQ(CheckChannelShare(150).share, 100);
    EXPECT_TRUE(CheckChannelShare(150).beep);
}

TEST(PlanCellChecks, ChannelSplitLeavesTheRestToTheLastChannel) {
    // 300, 100 and 600 of 1,000: 30 % and 10 %, the last 100 - 40 = 60 %.
    const std::vector<double> split = ChannelSplit({300, 100, 600});
    EXPECT_DOUBLE_EQ(split[0], 30);
    EXPECT_DOUBLE_EQ(split[1], 10);
    EXPECT_DOUBLE_EQ(split[2], 60);
    // Thirds: 33.33.. twice, the last 33.33.. as the rest; the total is 100.
    const std::vector<double> thirds = ChannelSplit({1, 1, 1});
    EXPECT_DOUBLE_EQ(thirds[0] + thirds[1] + thirds[2], 100);
    // No sales (a new brand): everything in the last channel.
    EXPECT_EQ(ChannelSplit({0, 0, 0}), (std::vector<double>{0, 0, 100}));
}

TEST(PlanCellChecks, ChannelSplitCompleteToTheTenth) {
    // round(999.6) = 1000 passes; round(999) = 999 does not; 100.04 -> round(1000.4) = 1000.
    EXPECT_TRUE(ChannelSplitComplete(99.96));
    EXPECT_FALSE(ChannelSplitComplete(99.9));
    EXPECT_TRUE(ChannelSplitComplete(100.04));
    EXPECT_FALSE(ChannelSplitComplete(100.1));
}

TEST(PlanCellChecks, PlanPercentToFourDecimals) {
    // 1 of 3: 33.3333.. to the ten-thousandth, 33.3333.
    EXPECT_DOUBLE_EQ(PlanPercent(1, 3), 33.3333);
    EXPECT_EQ(PlanPercent(5, 0), 0);
}

}  // namespace
}  // namespace cv
