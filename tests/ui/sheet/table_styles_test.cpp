// The 16 table styles: what sets each apart (caption colour, title-row fill
// and font, body fill, heading alignment), and what they share.
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "ui/sheet/table_styles.h"

namespace cv {
namespace {

struct TStyleCase {
    int type;
    std::int32_t captionColour;
    int captionSize;
    std::int32_t titleFill;
    std::int32_t titleFont;
    int bodyFill;  // fill flags of the body x body area
    int headingAlign;
};

class TableStyleTest : public ::testing::TestWithParam<TStyleCase> {};

TEST_P(TableStyleTest, RecordsMatchTheirType) {
    const TStyleCase& c = GetParam();
    const TTableStyle& style = TableStyle(c.type);
    EXPECT_EQ(style.caption.font.colour, c.captionColour);
    EXPECT_EQ(style.caption.font.size, c.captionSize);
    EXPECT_EQ(style.areas[kTitleBody].foreground, c.titleFill);
    EXPECT_EQ(style.areas[kTitleBody].font.colour, c.titleFont);
    EXPECT_EQ(style.areas[kBodyBody].fillFlags, c.bodyFill);
    EXPECT_EQ(style.areas[kBodyHeading].horizontal, c.headingAlign);
    // Shared by all: white background, Arial, 1 blank row before and after the
    // caption, bold titles and headings, a regular body, the border flags.
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

constexpr std::int32_t kPurple = 0x800080, kYellow = 0x00FFFF, kRed = 0x0000FF, kWhite = 0xFFFFFF;
INSTANTIATE_TEST_SUITE_P(
    AllTypes, TableStyleTest,
    ::testing::Values(TStyleCase{1, kPurple, 16, kYellow, kRed, kFillBandedRows, 2},
                      TStyleCase{2, kPurple, 16, kYellow, kRed, 0, 2},
                      TStyleCase{3, kPurple, 16, kYellow, kRed, kFillBandedColumns, 2},
                      TStyleCase{4, 0x000000, 10, 0xC0C0C0, 0x000000, 0, 2},
                      TStyleCase{5, 0x2CCA896, 16, 0x2B8876F, kWhite, kFillBandedRows, 7},
                      TStyleCase{6, 0x2CCA896, 16, 0x2B8876F, kWhite, kFillWhole, 2},
                      TStyleCase{7, 0x2CCA896, 16, 0x2B8876F, kWhite, kFillBandedColumns, 2},
                      TStyleCase{8, 0x20736DF, 16, 0x20736DF, kWhite, kFillBandedRows, 7},
                      TStyleCase{9, 0x20736DF, 16, 0x20736DF, kWhite, kFillWhole, 2},
                      TStyleCase{10, 0x20736DF, 16, 0x20736DF, kWhite, kFillBandedColumns, 2},
                      TStyleCase{11, 0x000000, 13, 0x20000D6, kWhite, kFillBandedRows, 7},
                      TStyleCase{12, 0x000000, 16, 0x20000D6, kWhite, 0, 2},
                      TStyleCase{13, 0x000000, 16, 0x20000D6, kWhite, kFillBandedColumns, 2},
                      TStyleCase{14, 0x235C7FE, 16, 0x21500A4, kWhite, kFillBandedRows, 7},
                      TStyleCase{15, 0x235C7FE, 16, 0x21500A4, kWhite, kFillWhole, 2},
                      TStyleCase{16, 0x235C7FE, 16, 0x21500A4, kWhite, kFillBandedColumns, 2}));

TEST(TableStyleRecordsTest, TheOddOnesOutAndTheBounds) {
    EXPECT_EQ(TableStyle(4).noteFont.colour, 0x000000);   // black notes
    EXPECT_EQ(TableStyle(1).noteFont.colour, 0x808080);   // grey italic elsewhere
    EXPECT_EQ(TableStyle(5).noteFont.size, 11);
    EXPECT_EQ(TableStyle(4).areas[kTitleBody].border.edges, kEdgeTop | kEdgeBottom | kEdgeLeft | kEdgeRight);
    EXPECT_EQ(TableStyle(1).areas[kTitleHeading].horizontal, 3);  // type 1 centres its title heading
    EXPECT_EQ(TableStyle(14).areas[kBodyBody].secondForeground, 0x2E6E6E6);
    EXPECT_EQ(TableFont(1).foreground, 0xC0C0C0);
    EXPECT_EQ(TableFont(2).font.style, 2);  // italic
    for (int type : {0, 17, -1}) EXPECT_THROW(TableStyle(type), ERangeError) << type;
    EXPECT_THROW(TableFont(3), ERangeError);
}

}  // namespace
}  // namespace cv
