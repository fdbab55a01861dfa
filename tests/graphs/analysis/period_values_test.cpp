// The analysis charts' arithmetic over periods: growth, benchmarking masks and
// their cumulation, segment label offsets.
#include <gtest/gtest.h>

#include "graphs/analysis/period_values.h"

namespace cv {
namespace {

TEST(GrowthSeriesTest, EachPeriodOverThePreviousWithZeroForTheFirstAndAfterAZero) {
    // 100 -> 120: 1.2 - 1 = 0.2; 120 -> 90: 0.75 - 1 = -0.25; 90 -> 0: -1;
    // 0 -> 50: previous is 0, so 0; the first period has no previous, 0.
    const std::vector<double> growth = GrowthSeries({100, 120, 90, 0, 50});
    ASSERT_EQ(growth.size(), 5u);
    EXPECT_DOUBLE_EQ(growth[0], 0.0);
    EXPECT_DOUBLE_EQ(growth[1], 0.2);
    EXPECT_DOUBLE_EQ(growth[2], -0.25);
    EXPECT_DOUBLE_EQ(growth[3], -1.0);
    EXPECT_DOUBLE_EQ(growth[4], 0.0);
    EXPECT_TRUE(GrowthSeries({}).empty());
}

TEST(BenchTableTest, RivalsAreUnknownInPeriodsWithoutTheStudyAndTheTeamNever) {
    TBenchTable table(3, 2);
    table.AddPeriod({1, 2, 3}, true);
    table.AddPeriod({10, 20, 30}, false);
    table.AddPeriod({100, 200, 300}, true);
    EXPECT_EQ(table.PeriodCount(), 3);
    EXPECT_EQ(table.Value(0, 1), 1.0);
    EXPECT_EQ(table.Value(1, 1), std::nullopt);
    EXPECT_EQ(table.Value(1, 3), std::nullopt);
    EXPECT_EQ(table.Value(1, 2), 20.0);
    EXPECT_EQ(table.Value(2, 3), 300.0);
    // The team: 2 + 20 + 200 = 222; a rival with one unknown period has no sum.
    EXPECT_EQ(table.Cumulative(2), 222.0);
    EXPECT_EQ(table.Cumulative(1), std::nullopt);
    EXPECT_EQ(table.Cumulative(3), std::nullopt);
}

TEST(BenchTableTest, EveryPeriodBoughtSumsEveryFirm) {
    TBenchTable table(2, 1);
    table.AddPeriod({1.5, -2}, true);
    table.AddPeriod({2.5, 7}, true);
    EXPECT_EQ(table.Cumulative(1), 4.0);  // 1.5 + 2.5
    EXPECT_EQ(table.Cumulative(2), 5.0);  // -2 + 7
    EXPECT_THROW(table.AddPeriod({1}, true), std::invalid_argument);
}

TEST(SegmentLabelOffsetTest, OneStepDownPerStrictlyLargerSegment) {
    const struct {
        std::vector<double> row;
        int segment;
        double offset;
    } cases[] = {
        {{5, 9, 9}, 1, 0.3 - 2},  // two segments above 5
        {{5, 9, 9}, 2, 0.3},      // the other 9 is not strictly larger
        {{5, 9, 9}, 3, 0.3},
        {{4, 3, 2, 1}, 4, 0.3 - 3},
        {{7}, 1, 0.3},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(SegmentLabelOffset(c.row, c.segment), c.offset) << c.segment;
}

// Sideways, in label cells: segment 1 over its point, then right and left by
// 4 cells (40 pixels), then by 8; a sixth segment stays over its point.
TEST(SegmentLabelDxTest, SegmentsAlternateRightAndLeftFurtherOutTwoByTwo) {
    const double expected[] = {0, 4, -4, 8, -8, 0};
    for (int segment = 1; segment <= 6; ++segment)
        EXPECT_DOUBLE_EQ(SegmentLabelDx(segment), expected[segment - 1]) << segment;
    EXPECT_DOUBLE_EQ(SegmentLabelDx(0), 0.0);
}

}  // namespace
}  // namespace cv
