// Range operations of the report table: clearing areas and bands, the
// standard fonts, a colour taken with the first cell's font, clicks that
// select only where selections are allowed.
#include <gtest/gtest.h>

#include <QTest>

#include "ui/report/qn_table.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

class TableRangesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenWidth(1024);
        // 1 title row, 2 body rows, 1 total row; 1 heading, 2 body, 1 total column:
        // every cell holds "r,c".
        table.DefineTable({1, 2, 1, 1, 2, 1});
        for (int row = 1; row <= 4; ++row)
            for (int column = 1; column <= 4; ++column)
                table.SetCellText(row, column, std::to_string(row) + "," + std::to_string(column));
    }
    std::string Filled() const {
        std::string cells;
        for (int row = 1; row <= 4; ++row)
            for (int column = 1; column <= 4; ++column) cells += table.CellText(row, column).empty() ? '.' : 'x';
        return cells;
    }
    QWidget owner;
    TQNTable table{&owner, TTableType::BandedRows, "Ranges", {kPlaceLeft | kPlaceTop}, 100};
};

TEST_F(TableRangesTest, ClearAreasTakesAreasAndBandsByFlag) {
    const struct {
        int flags;
        const char* left;  // rows 1..4, columns 1..4: x holds text, . cleared
    } cases[] = {
        {16, "xxxx" "x..x" "x..x" "xxxx"},          // body x body
        {1 | 256, ".xxx" "xxxx" "xxxx" "xxx."},      // title x heading, totals x total
        {1024, "xxxx" "...." "...." "xxxx"},         // the body row band
        {16384, "xxx." "xxx." "xxx." "xxx."},        // the total column band
        {kClearEverything, "...." "...." "...." "...."},
    };
    for (const auto& c : cases) {
        SetUp();
        table.ClearAreas(c.flags);
        EXPECT_EQ(Filled(), c.left) << c.flags;
    }
}

TEST_F(TableRangesTest, StandardFontsAndColours) {
    table.SetRangeStdFont(2, 2, 2, 2, 1);
    const TCellFormat& boxed = table.Sheet().Model().Format(3, 3);
    EXPECT_EQ(boxed.fill.pattern, 1);
    EXPECT_EQ(FillColour(boxed.fill), 0xC0C0C0);
    EXPECT_EQ(table.Sheet().Model().Format(2, 3).top.style, 1);  // the block's top line
    EXPECT_EQ(table.Sheet().Model().Format(3, 3).top.style, 0);
    table.SetRangeStdFont(4, 1, 1, 4, 2);
    EXPECT_TRUE(table.Sheet().Model().Format(4, 2).font.italic);

    // Colour: the first cell's whole font, recoloured, over the range.
    table.SetRangeFont(1, 1, 1, 1, 12, 0, 1, -1, -1);
    table.SetRangeFontColor(1, 1, 2, 4, 0x2FF0000);  // palette flag dropped
    const TCellFont& font = table.Sheet().Model().Format(2, 4).font;
    EXPECT_EQ(font.size, 12);
    EXPECT_TRUE(font.italic);
    EXPECT_FALSE(font.bold);
    EXPECT_EQ(font.colour, 0xFF0000);
}

TEST_F(TableRangesTest, ClicksSelectOnlyWhereAllowed) {
    table.Show();
    TQNSheet& sheet = table.Sheet();
    int heard = 0;
    sheet.Model().AddSelectionListener([&] { ++heard; });
    const QPoint secondBodyRowTotalColumn(sheet.width() - 5, sheet.height() - 5 - sheet.BlockSize(4, 1, 4, 1).height());
    QTest::mouseClick(&sheet, Qt::LeftButton, {}, secondBodyRowTotalColumn);
    EXPECT_EQ(heard, 0);
    sheet.AllowSelections = true;
    QTest::mouseClick(&sheet, Qt::LeftButton, {}, secondBodyRowTotalColumn);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(sheet.Model().Selection(), (TSheetSelection{3, 4, 3, 4, 3, 4}));
    EXPECT_EQ(sheet.CellAt({2, 2}), QPoint(1, 1));
}

}  // namespace
}  // namespace cv
