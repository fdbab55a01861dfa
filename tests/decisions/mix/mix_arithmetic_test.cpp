// The marketing mix's own figures: the increase both ways and the segment total.
#include <gtest/gtest.h>

#include <vector>

#include "decisions/mix/mix_arithmetic.h"
#include "ui/fields/qn_edit.h"

namespace cv::test {
namespace {

constexpr std::int32_t kEmpty = TQNEdit::kVoidInt;
constexpr std::int32_t kDash = TQNEdit::kDashInt;

TEST(MixArithmetic, IncreaseFromLastPeriod) {
    // (120 - 100) x 100 / 100 = 20; (90 - 120) x 100 / 120 = -25; (1 - 3) x 100 / 3 = -66.67.
    EXPECT_DOUBLE_EQ(*MixIncrease(100, 120), 20.0);
    EXPECT_DOUBLE_EQ(*MixIncrease(120, 90), -25.0);
    EXPECT_NEAR(*MixIncrease(3, 1), -66.6667, 1e-4);
    EXPECT_DOUBLE_EQ(*MixIncrease(250, 0), -100.0);
    // Nothing to compare with: no last period, nothing decided, or a last period of 0.
    EXPECT_FALSE(MixIncrease(kDash, 120));
    EXPECT_FALSE(MixIncrease(100, kEmpty));
    EXPECT_FALSE(MixIncrease(kEmpty, 120));
    EXPECT_FALSE(MixIncrease(0, 120));
}

TEST(MixArithmetic, DecidedFromIncrease) {
    // 100 + 100 x 10 / 100 = 110; 640 - 640 x 12.5 / 100 = 560; 5 x 1.1 = 5.5 goes to 6,
    // 15 x 1.1 = 16.5 to 16 (halves to even).
    EXPECT_EQ(DecidedFromIncrease(100, 10.0), 110);
    EXPECT_EQ(DecidedFromIncrease(640, -12.5), 560);
    EXPECT_EQ(DecidedFromIncrease(5, 10.0), 6);
    EXPECT_EQ(DecidedFromIncrease(15, 10.0), 16);
    EXPECT_EQ(DecidedFromIncrease(100, -150.0), -50);
}

TEST(MixArithmetic, SegmentTotal) {
    struct Case {
        std::vector<std::int32_t> shares;
        std::int32_t total;
    };
    const Case cases[] = {
        {{50, 30, 20}, 100},
        {{50, 30, 10}, 90},
        {{34, 33, 33, 0, 0}, 100},
        {{}, 0},
        {{kEmpty, kEmpty}, kEmpty},        // nothing typed: no total
        {{50, kEmpty, 20}, 70},            // an empty share after others leaves their sum
        {{kEmpty, 40, 60}, 100},           // the empty start is dropped by the next share
        {{0, kEmpty}, kEmpty},             // an empty share while the sum is still 0
        {{0, kEmpty, 30}, 30},
    };
    for (const Case& c : cases) EXPECT_EQ(SegmentTotal(c.shares), c.total) << ::testing::PrintToString(c.shares);
}

TEST(MixArithmetic, SegmentPercentsAddUpAsTheSharesDo) {
    struct Case {
        std::vector<long double> shares;
        std::vector<std::int32_t> percents;
    };
    const Case cases[] = {
        {{0.5L, 0.3L, 0.2L}, {50, 30, 20}},
        // 33.33 x 3 round to 99 against a total of 100: the first of the equal remainders takes the point.
        {{1.0L / 3, 1.0L / 3, 1.0L / 3}, {34, 33, 33}},
        // 16.67 x 6 round to 102 (17 each) against 100: the two smallest remainders (first ones) give one each.
        {{1.0L / 6, 1.0L / 6, 1.0L / 6, 1.0L / 6, 1.0L / 6, 1.0L / 6}, {16, 16, 17, 17, 17, 17}},
        // 0.2 x 3 + 0.125 + 0.175 = 0.9: 20, 20, 20, 12 (12.5 to even), 18 (17.5 to even) total 90, as the shares do.
        {{0.2L, 0.2L, 0.2L, 0.125L, 0.175L}, {20, 20, 20, 12, 18}},
        // 0.444 + 0.444 + 0.112 = 1: 44 + 44 + 11 = 99; the largest remainder (0.4 of 44.4, the first
        // of two) takes the point, not the smallest share.
        {{0.444L, 0.444L, 0.112L}, {45, 44, 11}},
        {{}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SegmentPercents(c.shares), c.percents) << ::testing::PrintToString(c.shares);
}

}  // namespace
}  // namespace cv::test
