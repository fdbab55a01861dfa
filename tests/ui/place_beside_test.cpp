#include "ui/place_beside.h"

#include <gtest/gtest.h>

namespace cv {
namespace {

struct TBesideCase {
    const char* where;
    QRect dialog;
    QRect expected;
};

// On a 1024 x 768 area, a window framed 560 x 505 at most, 282 x 265 at least.
TEST(PlaceBeside, TakesTheRoomBesideTheDialogThatHoldsMostOfTheWindow) {
    const QRect area(0, 0, 1024, 768);
    const TBesideCase cases[] = {
        // Right 728..1023 (296) against left 0..294 (295); below and above 223 high.
        {"centred", QRect(295, 223, 433, 322), QRect(728, 223, 296, 505)},
        // Left 0..599 takes the whole width, next to the dialog: 600 - 560 = 40.
        {"at the right edge", QRect(600, 100, 400, 300), QRect(40, 100, 560, 505)},
        // Below 200..767: level with the dialog's left edge.
        {"across the top", QRect(0, 0, 1024, 200), QRect(0, 200, 560, 505)},
        // Above 0..499 (500 high): the window is as high as the room.
        {"across the bottom", QRect(100, 500, 800, 268), QRect(100, 0, 560, 500)},
        // 121 left and right, 93 below and above.
        {"too large", QRect(121, 93, 782, 582), QRect()},
    };
    for (const TBesideCase& beside : cases)
        EXPECT_EQ(PlaceBeside(beside.dialog, area, QSize(560, 505), QSize(282, 265)), beside.expected) << beside.where;
}

}  // namespace
}  // namespace cv
