// The layout rules of the decisions page, worked out by hand for two client areas.
#include <gtest/gtest.h>

#include "decisions/page/decision_page_layout.h"

namespace cv {
namespace {

TDecisionPageBoxes Sized() {
    TDecisionPageBoxes boxes;
    for (TLayoutBox* button : {&boxes.BrdPF, &boxes.BrdMMix, &boxes.Distrib, &boxes.Studies, &boxes.RnD})
        *button = {0, 0, 170, 28};
    for (TLayoutBox* picture : {&boxes.ImBrdPF, &boxes.ImBrdMMix, &boxes.ImDistrib, &boxes.ImStudies, &boxes.ImRnD})
        *picture = {0, 0, 0, 96};
    for (TLayoutBox* button : {&boxes.Summary, &boxes.Budget, &boxes.MktPlan}) *button = {0, 0, 130, 28};
    boxes.ErrWng = {0, 0, 520, 72};
    return boxes;
}

// 1000 x 600, gap 5, margin 30: bottom row at 600 - 28 - 30 = 542, panel at
// 542 - 72 - 30 = 440 and (1000 - 520) / 2 = 240; free height 600 - 160 =
// 440, spacing (440 - 2 x 129) / 3 = 60; side space (1000 - 510) / 4 = 122.
TEST(DecisionPageLayout, WideScreen) {
    TDecisionPageBoxes b = Sized();
    LayoutButtons(b, 1000, 600, LayoutSpacing(2));
    EXPECT_EQ(b.ErrWng, (TLayoutBox{240, 440, 520, 72}));
    EXPECT_EQ(b.Summary, (TLayoutBox{240, 542, 130, 28}));
    EXPECT_EQ(b.Budget, (TLayoutBox{435, 542, 130, 28}));
    EXPECT_EQ(b.MktPlan, (TLayoutBox{630, 542, 130, 28}));
    EXPECT_EQ(b.ImBrdPF, (TLayoutBox{122, 60, 170, 96}));
    EXPECT_EQ(b.BrdPF, (TLayoutBox{122, 161, 170, 28}));
    EXPECT_EQ(b.BrdMMix, (TLayoutBox{415, 161, 170, 28}));
    EXPECT_EQ(b.Distrib, (TLayoutBox{708, 161, 170, 28}));
    EXPECT_EQ(b.ImStudies, (TLayoutBox{248, 249, 170, 96}));
    EXPECT_EQ(b.Studies, (TLayoutBox{248, 350, 170, 28}));
    EXPECT_EQ(b.RnD, (TLayoutBox{581, 350, 170, 28}));
}

// 640 x 400, gap 2, margin 2: bottom row at 370, panel at 296; free height
// 296, spacing (296 - 2 x 126) / 3 = 14; side space (640 - 510) / 4 = 32.
TEST(DecisionPageLayout, SmallScreen) {
    TDecisionPageBoxes b = Sized();
    LayoutButtons(b, 640, 400, LayoutSpacing(1));
    EXPECT_EQ(b.ErrWng, (TLayoutBox{60, 296, 520, 72}));
    EXPECT_EQ(b.Budget, (TLayoutBox{255, 370, 130, 28}));
    EXPECT_EQ(b.ImBrdPF, (TLayoutBox{32, 14, 170, 96}));
    EXPECT_EQ(b.BrdPF, (TLayoutBox{32, 112, 170, 28}));
    EXPECT_EQ(b.Distrib, (TLayoutBox{438, 112, 170, 28}));
    EXPECT_EQ(b.ImRnD, (TLayoutBox{341, 154, 170, 96}));
    EXPECT_EQ(b.RnD, (TLayoutBox{341, 252, 170, 28}));
}

}  // namespace
}  // namespace cv
