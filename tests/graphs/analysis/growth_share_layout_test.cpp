// The growth-share chart's figures: which pairs become bubbles, the axis
// ranges (the empty chart and the two degenerate cases included), positions
// on the logarithmic share axis and the label offsets.

#include "graphs/analysis/growth_share_layout.h"

#include <gtest/gtest.h>

namespace cv {
namespace {

TEST(GrowthShareLayout, LogScaleMapsTheShareAxisOntoZeroToOne) {
    EXPECT_DOUBLE_EQ(TGspLayout::LogScale(1.0, 0.1, 10), 0.5);  // log(10) / log(100)
    EXPECT_DOUBLE_EQ(TGspLayout::LogScale(10, 0.1, 10), 1.0);
    EXPECT_EQ(TGspLayout::LogScale(1.0, 0, 10), 0);
    EXPECT_EQ(TGspLayout::LogScale(1.0, 0.1, 0.1), 0);
    EXPECT_EQ(TGspLayout::LogScale(0, 0.1, 10), 0);
}

TEST(GrowthShareLayout, PairsNeedARelativeShareAboveATenthAndFivePercent) {
    struct Case {
        double share, rival;
        bool drawn;
    };
    const Case cases[] = {
        {0.06, 0.75, false},  // relative 0.08
        {0.08, 0.60, true},   // relative 0.133
        {0.04, 0.01, false},  // 4 % is never drawn
        {0.30, 0.00, true},   // no rival
    };
    for (const Case& c : cases) {
        TGspLayout layout;
        EXPECT_EQ(layout.AddPair("B", c.share, c.rival, 1000, 0.1, 1), c.drawn) << c.share << " against " << c.rival;
    }
    EXPECT_EQ(TGspLayout::PairLabel("SOLARIS-EXTENDED", "Hi"), "SOLARIS-EXTENDED");
    EXPECT_EQ(TGspLayout::PairLabel("MAXA", "B"), "MAXA-B");
}

TEST(GrowthShareLayout, AxesFromTheGrowthsAndTheLargestRelativeShare) {
    // Growths 0.12 and -0.03: margin 0.015, so -0.045 down to -0.05 and 0.135 up to 0.15.
    // Largest relative share 3.2 rounds up to 5.
    TGspLayout layout;
    layout.AddSegmentGrowth(0.12);
    layout.AddSegmentGrowth(-0.03);
    layout.AddPair("A-1", 0.32, 0.10, 500, 0.12, 1);
    const TGspAxes axes = layout.Axes();
    EXPECT_NEAR(axes.growthMin, -0.05, 1e-12);
    EXPECT_NEAR(axes.growthMax, 0.15, 1e-12);
    EXPECT_EQ(axes.shareMin, 0.1);
    EXPECT_EQ(axes.shareMax, 5);
}

TEST(GrowthShareLayout, DegenerateRangesGetTheDefaults) {
    // No bubble: growth -0.1..0.1 widened by 0.02 to -0.15..0.15, share axis 0.1..10.
    TGspLayout empty;
    empty.AddSegmentGrowth(0.3);
    TGspAxes axes = empty.Axes();
    EXPECT_NEAR(axes.growthMin, -0.15, 1e-12);
    EXPECT_NEAR(axes.growthMax, 0.15, 1e-12);
    EXPECT_EQ(axes.shareMax, 10);

    // Only brands without a rival: no share maximum is ever seen; the empty chart's 10.
    TGspLayout noRival;
    noRival.AddSegmentGrowth(0.1);
    noRival.AddPair("A-1", 0.5, 0, 800, 0.1, 1);
    axes = noRival.Axes();
    EXPECT_EQ(axes.shareMax, 10);
    EXPECT_EQ(noRival.Bubbles(axes)[0].x, 1.0);

    // One growth of 0.05 (a multiple of the step, no margin): widened to 0..0.1.
    TGspLayout oneGrowth;
    oneGrowth.AddSegmentGrowth(0.05);
    oneGrowth.AddPair("A-1", 0.3, 0.1, 800, 0.05, 1);
    axes = oneGrowth.Axes();
    EXPECT_NEAR(axes.growthMin, 0.0, 1e-12);
    EXPECT_NEAR(axes.growthMax, 0.1, 1e-12);
}

TEST(GrowthShareLayout, BubblesAndTheirLabels) {
    // Growth axis -0.05..0.15 (middle 0.05); share axis 0.1..5: the left fifth ends at
    // 0.1 + 4.9 x 0.2 = 1.08, the right fifth starts at 0.1 + 4.9 x 0.8 = 4.02.
    TGspLayout layout;
    layout.AddSegmentGrowth(0.12);
    layout.AddSegmentGrowth(-0.03);
    layout.AddPair("LOW-1", 0.10, 0.20, 1000, -0.03, 1);  // relative 0.5, below the middle
    layout.AddPair("LOW-2", 0.45, 0.10, 2000, 0.00, 2);   // relative 4.5, below the middle
    layout.AddPair("HIGH-1", 0.20, 0.10, 3000, 0.12, 1);  // relative 2, above
    layout.AddPair("HIGH-2", 0.20, 0.00, 4000, 0.10, 2);  // no rival, above
    const TGspAxes axes = layout.Axes();
    ASSERT_EQ(axes.shareMax, 5);
    const std::vector<TGspBubble> bubbles = layout.Bubbles(axes);
    ASSERT_EQ(bubbles.size(), 4u);

    EXPECT_EQ(bubbles[0].labelPosition, 1);
    EXPECT_EQ(bubbles[0].labelDx, -0.25);
    EXPECT_DOUBLE_EQ(bubbles[0].size, 100);  // 1000 x 0.10
    EXPECT_DOUBLE_EQ(bubbles[0].x, TGspLayout::LogScale(0.5, 0.1, 5));

    EXPECT_EQ(bubbles[1].labelPosition, 1);
    EXPECT_EQ(bubbles[1].labelDx, 0.25);

    EXPECT_EQ(bubbles[2].labelPosition, 2);
    EXPECT_EQ(bubbles[2].labelDx, 0);

    EXPECT_EQ(bubbles[3].labelPosition, 2);
    EXPECT_EQ(bubbles[3].x, 1.0);
    EXPECT_EQ(bubbles[3].market, 2);

    const auto markers = layout.AxisMarkers(axes);
    EXPECT_EQ(markers[0].x, 1.0);
    EXPECT_EQ(markers[0].share, 5);
    EXPECT_DOUBLE_EQ(markers[1].x, TGspLayout::LogScale(1.0, 0.1, 5));
    EXPECT_EQ(markers[2].share, 0.1);
}

TEST(GrowthShareLayout, HoldsAtMostSeventyFiveBubbles) {
    TGspLayout layout;
    for (int i = 0; i < MaxGspBubbles; ++i) ASSERT_TRUE(layout.AddPair("B", 0.3, 0.1, 1, 0, 1));
    EXPECT_FALSE(layout.AddPair("B", 0.3, 0.1, 1, 0, 1));
    EXPECT_EQ(layout.BubbleCount(), MaxGspBubbles);
}

// Near bubbles keep their labels on their half's side, leaning inwards at
// the ends of the share axis: the chart moves labels that would meet apart by
// their drawn sizes (ui/chart/labels_apart.h), so none steps away here.
TEST(GrowthShareLayout, NearBubblesKeepTheirLabelsOnTheirSide) {
    struct TCase {
        const char* label;
        double share, rivalShare, growth;
        int labelPosition;
        double labelDx;
    };
    // Growth axis -0.05..0.15 (middle 0.05); share axis 0.1..5 (left fifth below 1.08, right above 4.02).
    const TCase cases[] = {
        {"A-1", 0.20, 0.10, 0.12, 2, 0},      // relative 2, below its bubble
        {"B-1", 0.21, 0.10, 0.115, 2, 0},     // relative 2.1, next to A-1: below its own bubble too
        {"C-1", 0.22, 0.10, 0.118, 2, 0},     // next to both
        {"D-1", 0.06, 0.30, 0.12, 2, -0.25},  // relative 0.2, the left fifth: leans left
        {"E-1", 0.20, 0.10, -0.03, 1, 0},     // the lower half: above its bubble
        {"F-1", 0.45, 0.10, 0.09, 2, 0.25},   // relative 4.5, the right fifth: leans right
    };
    TGspLayout layout;
    layout.AddSegmentGrowth(-0.03);
    layout.AddSegmentGrowth(0.12);
    for (const TCase& c : cases) ASSERT_TRUE(layout.AddPair(c.label, c.share, c.rivalShare, 1000, c.growth, 1)) << c.label;
    const TGspAxes axes = layout.Axes();
    ASSERT_NEAR(axes.growthMin, -0.05, 1e-12);
    ASSERT_NEAR(axes.growthMax, 0.15, 1e-12);
    ASSERT_EQ(axes.shareMax, 5);
    const std::vector<TGspBubble> bubbles = layout.Bubbles(axes);
    ASSERT_EQ(bubbles.size(), std::size(cases));
    for (std::size_t i = 0; i < bubbles.size(); ++i) {
        EXPECT_EQ(bubbles[i].label, cases[i].label);
        EXPECT_EQ(bubbles[i].labelPosition, cases[i].labelPosition) << cases[i].label;
        EXPECT_EQ(bubbles[i].labelDx, cases[i].labelDx) << cases[i].label;
    }
}

}  // namespace
}  // namespace cv
