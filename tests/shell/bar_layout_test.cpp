#include "shell/bar_layout.h"

#include <gtest/gtest.h>

#include "tests/shell/bar_places.h"

namespace cv::test {
namespace {

TEST(BarLayout, BarHeightFollowsTheScreenHeight) {
    // Round(58 x 768 / 480) + 27 = Round(92.8) + 27 = 120; at 480: 58 + 27 = 85.
    EXPECT_EQ(BarHeight(QSize(1024, 768)), 120);
    EXPECT_EQ(BarHeight(QSize(640, 480)), 85);
}

TEST(BarLayout, EveryControlAtItsPlaceOnBothScreens) {
    for (const QSize screen : {QSize(1024, 768), QSize(640, 480)}) {
        const std::map<std::string, QRect> layout = BarLayout(screen);
        for (const TExpectedPlace& expected : ExpectedBarPlaces(screen)) {
            ASSERT_TRUE(layout.contains(expected.name)) << expected.name;
            EXPECT_EQ(layout.at(expected.name), expected.place) << expected.name << " on " << screen.width();
        }
    }
}

}  // namespace
}  // namespace cv::test
