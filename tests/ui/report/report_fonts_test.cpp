// The fonts listed for the idle warm-up are the ones report tables really
// paint with: every cell's font at the scale the sheet takes in its owner,
// and the title and note labels' fonts.
#include <gtest/gtest.h>

#include <QSet>

#include "ui/report/qn_table.h"
#include "ui/report/report_fonts.h"
#include "ui/sheet/cell_painter.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

QSet<QString> Keys(const std::vector<QFont>& fonts) {
    QSet<QString> keys;
    for (const QFont& font : fonts) keys.insert(font.key());
    return keys;
}

struct TOwnerCase {
    int ownerWidth;
    int bodyPixels;  // the pixel size of a body cell's 8-point font
};

class ReportFonts : public ::testing::TestWithParam<TOwnerCase> {};

TEST_P(ReportFonts, ListEveryFontATableInTheOwnerPaintsWith) {
    SetScreenWidth(1024);
    QWidget owner;
    owner.resize(GetParam().ownerWidth, 600);
    const QSet<QString> listed = Keys(ReportTableFonts(owner));
    for (const TTableType type : {TTableType::BandedRows, TTableType::FilledHeadings}) {
        TQNTable table(&owner, type, "Results", TTablePlacement{}, kDerivedZoom);
        table.DefineTable({.titleRows = 1, .bodyRows = 3, .totalRows = 1, .headingCols = 1, .bodyCols = 2});
        table.FormatArea({"Income statement"}, {"Amounts in K$"}, -1, -1, -1, -1);
        table.SetCellText(1, 2, "Sales");
        table.SetCellNumber(2, 2, 1250.5);
        table.Refresh();
        const TQNSheet& sheet = table.Sheet();
        for (int row = 1; row <= sheet.Model().MaxRow(); ++row)
            for (int column = 1; column <= sheet.Model().MaxCol(); ++column) {
                const QFont font = SheetFont(sheet.Model().Format(row, column).font, sheet.PixelsPerTwip());
                EXPECT_TRUE(listed.contains(font.key())) << row << "," << column << " " << font.key().toStdString();
            }
        ASSERT_NE(table.TitleLabel(), nullptr);
        EXPECT_TRUE(listed.contains(table.TitleLabel()->font().key())) << table.TitleLabel()->font().key().toStdString();
        // An 8-point body font: 160 twips at 96 / 1440 pixels a twip and the sheet's scale.
        EXPECT_EQ(SheetFont(sheet.Model().Format(3, 2).font, sheet.PixelsPerTwip()).pixelSize(), GetParam().bodyPixels);
    }
}

// 1024 pixels: a scale of 1024 / 800 = 128 %, 160 x 0.0667 x 1.28 = 13.65, 14 pixels.
// 800 pixels: the sheet keeps 100 %, 160 x 0.0667 = 10.67, 11 pixels.
INSTANTIATE_TEST_SUITE_P(Owners, ReportFonts, ::testing::Values(TOwnerCase{1024, 14}, TOwnerCase{800, 11}));

}  // namespace
}  // namespace cv
