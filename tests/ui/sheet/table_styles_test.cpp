// The 16 table styles: what they all share, and the bounds of the look-ups.
// Each style's own colours show in the gallery of every style (table window
// test), which draws them.
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "ui/sheet/table_styles.h"

namespace cv {
namespace {

// White background, Arial, 1 blank row before and after the caption, bold
// titles and headings, a regular body, the border flags.
TEST(TableStyleTest, EveryTypeSharesTheLayoutRules) {
    for (int type = 1; type <= 16; ++type) {
        SCOPED_TRACE(type);
        const TTableStyle& style = TableStyle(type);
        EXPECT_EQ(style.background, 0xFFFFFF);
        EXPECT_EQ(style.fontName, "Arial");
        EXPECT_EQ(style.rowsBefore, 1);
        EXPECT_EQ(style.rowsBetween, 0);
        EXPECT_EQ(style.rowsAfter, 1);
        EXPECT_EQ(style.areas[kTitleHeading].font.style & 1, 1);
        EXPECT_EQ(style.areas[kBodyHeading].font.style & 1, 1);
        EXPECT_EQ(style.areas[kBodyBody].font.style, 0);
        EXPECT_EQ(style.areas[kBodyHeading].border.edges, kEdgeRight);
        EXPECT_EQ(style.areas[kBodyTotal].border.edges, kEdgeLeft);
        EXPECT_EQ(style.areas[kTotalBody].border.edges & kEdgeTop, kEdgeTop);
    }
    EXPECT_EQ(TableFont(1).foreground, 0xC0C0C0);
    EXPECT_EQ(TableFont(2).font.style, 2);  // italic
    for (int type : {0, 17, -1}) EXPECT_THROW(TableStyle(type), ERangeError) << type;
    EXPECT_THROW(TableFont(3), ERangeError);
}

}  // namespace
}  // namespace cv
