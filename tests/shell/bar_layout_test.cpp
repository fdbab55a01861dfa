// The bar's layout for the room the main window has: on the bare screens and
// on the same screens less a window manager's frame, against places worked
// out by hand (tests/shell/bar_places.h).

#include "shell/bar_layout.h"

#include <gtest/gtest.h>

#include "tests/shell/bar_places.h"

namespace cv::test {
namespace {

TEST(BarLayoutTest, EveryControlLiesWhereWorkedOutForTheRoom) {
    for (const TExpectedBar& bar : ExpectedBars()) {
        const std::string room = std::to_string(bar.room.width()) + "x" + std::to_string(bar.room.height());
        EXPECT_EQ(BarHeight(bar.room), bar.height) << room;
        const std::map<std::string, QRect> layout = BarLayout(bar.room);
        for (const TExpectedPlace& expected : bar.places) {
            ASSERT_TRUE(layout.contains(expected.name)) << room << " " << expected.name;
            const QRect placed = layout.at(expected.name);
            EXPECT_EQ(placed, expected.place)
                << room << " " << expected.name << " at " << placed.x() << "," << placed.y() << " " << placed.width()
                << "x" << placed.height();
        }
    }
}

}  // namespace
}  // namespace cv::test
