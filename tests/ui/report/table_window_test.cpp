// Report tables in real windows: a gallery of one small table in every
// style, a scrolled table with its panes, group headings as the table
// scrolls, a body that fits once its columns narrow, the clipboard forms. Each test
// saves a screenshot under build/screenshots.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

#include "tests/support/recording_ui.h"
#include "tests/ui/support/painted_texts.h"
#include "tests/ui/support/window_test.h"
#include "ui/report/qn_table.h"
#include "ui/report/table_number_formats.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

// A table of 1 title row, Brands body rows, 1 total row; 1 heading column,
// 2 body columns (units, change) and 1 total column.
void FillSmallTable(TQNTable& table, int brands) {
    const int top = table.OriginRow();
    table.SetCellText(top, 2, "Units");
    table.SetCellText(top, 3, "Change");
    table.SetCellText(top, 4, "Total");
    for (int b = 1; b <= brands; ++b) {
        const int row = top + b;
        table.SetCellText(row, 1, "Brand " + std::string(1, static_cast<char>('A' + (b - 1) % 26)));
        table.SetCellNumber(row, 2, 1000.0 * b + 0.5);
        table.SetCellNumber(row, 3, b % 2 ? 4.25 * b : -3.5 * b);
        table.SetCellFormula(row, 4, TQNTable::RangeRef(row, 1, 0, 1, 0, 1) + "*2");
    }
    const int total = top + 1 + brands;
    table.SetCellText(total, 1, "Total");
    for (int column = 2; column <= 4; ++column)
        table.SetCellFormula(total, column, "SUM(" + TQNTable::RangeRef(top, column, 1, 0, brands, 0) + ")");
    table.SetRangeFormat(top + 1, 2, total, 2, TNumberFormat::Whole);
    table.SetRangeFormat(top + 1, 3, total, 3, TNumberFormat::SignedPercentFigureColoured);
    table.SetRangeFormat(top + 1, 4, total, 4, TNumberFormat::Whole);
}

class TableWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetScreenWidth(1024); }
    test::RecordingUi ui;
};

TEST_F(TableWindowTest, GalleryOfAllSixteenStyles) {
    QWidget window;
    window.setObjectName("FoTableGallery");
    window.resize(1000, 760);
    window.setStyleSheet("background: white");
    std::vector<std::unique_ptr<TQNTable>> tables;
    for (int type = 1; type <= 16; ++type) {
        const int x = 6 + ((type - 1) % 4) * 248, y = 6 + ((type - 1) / 4) * 188;
        auto table = std::make_unique<TQNTable>(&window, static_cast<TTableType>(type), "Gallery",
                                                TTablePlacement{kPlaceLeft | kPlaceTop, x, y}, 100);
        table->FormatArea({"Type " + std::to_string(type)}, {}, 0, 0, 0, -1);
        table->DefineTable({1, 3, 1, 1, 2, 1});
        table->SetColumnWidthRange(1, 4, 7);
        FillSmallTable(*table, 3);
        table->Show();
        tables.push_back(std::move(table));
    }
    window.show();
    test::SaveScreenshotOfRunningTest(window);

    for (int type = 1; type <= 16; ++type) {
        const TQNTable& table = *tables[static_cast<std::size_t>(type - 1)];
        const TSheetModel& sheet = table.Sheet().Model();
        ASSERT_EQ(table.TitleLabel()->text(), QString("Type %1").arg(type));
        const int body = table.OriginRow() + 1;
        // Units 1000.5 + 2000.5 + 3000.5 = 6001.5 shows "6,002"; the change sum
        // 4.25 - 7 + 12.75 = 10 shows "+10.0%" in blue; totals 2 x 6001.5 = 12003.
        EXPECT_EQ(sheet.Text(body + 3, 2), "6,002") << type;
        EXPECT_EQ(sheet.Display(body + 3, 3).colour, 0xFF0000) << type;
        EXPECT_EQ(sheet.Text(body + 3, 4), "12,003") << type;
        EXPECT_EQ(sheet.Text(body + 1, 3), "-7.0%") << type;
        EXPECT_EQ(table.VerticalBar(), nullptr);
        EXPECT_EQ(table.TotalRowsPane(), nullptr);
    }
    // Banded rows: type 1's second body row is filled, its first is not; type 6
    // fills the whole body; type 7 bands the columns.
    const auto fill = [&](int type, int bodyRow, int column) {
        const TQNTable& table = *tables[static_cast<std::size_t>(type - 1)];
        return FillColour(table.Sheet().Model().Format(table.OriginRow() + bodyRow, column).fill);
    };
    EXPECT_EQ(fill(1, 1, 2), -1);
    EXPECT_NE(fill(1, 2, 2), -1);
    EXPECT_EQ(fill(6, 1, 2), 0xEBDCD0);
    EXPECT_EQ(fill(6, 2, 3), 0xEBDCD0);
    EXPECT_EQ(fill(7, 1, 2), -1);
    EXPECT_EQ(fill(7, 1, 3), 0xEBDCD0);
    EXPECT_TRUE(ui.plainBoxes.empty());
}

TEST_F(TableWindowTest, ScrolledTableKeepsItsTotalsInView) {
    QWidget window;
    window.setObjectName("FoScrolledTable");
    window.resize(640, 420);
    auto table = std::make_unique<TQNTable>(&window, TTableType::CrimsonBandedRows, "Scrolled", TTablePlacement{}, 100);
    table->FormatArea({"Sales by brand"}, {"Amounts in units"}, -1, -1, -1, -1);
    table->DefineTable({.titleRows = 1,
                        .bodyRows = 40,
                        .totalRows = 1,
                        .headingCols = 1,
                        .bodyCols = 8,
                        .totalCols = 1,
                        .maxVisibleRows = 12,
                        .maxVisibleCols = 4});
    table->SetColumnWidthRange(1, 10, 8);
    FillSmallTable(*table, 40);  // fills columns 2..4 of all 40 brands; the rest of the body stays empty
    for (int column = 5; column <= 9; ++column)
        table->SetCellText(table->OriginRow(), column, "Period " + std::to_string(column - 4));
    table->SetCellText(table->OriginRow(), 10, "Year");
    for (int row = table->OriginRow() + 1; row <= table->OriginRow() + 41; ++row)
        table->SetCellFormula(row, 10, "SUM(" + TQNTable::RangeRef(row, 0, 0, 2, 0, 9) + ")");
    table->SetRangeFormat(table->OriginRow() + 1, 10, table->OriginRow() + 41, 10, TNumberFormat::Whole);
    table->Show();
    window.show();

    ASSERT_NE(table->VerticalBar(), nullptr);
    ASSERT_NE(table->HorizontalBar(), nullptr);
    ASSERT_NE(table->TotalRowsPane(), nullptr);
    ASSERT_NE(table->TotalColumnsPane(), nullptr);
    ASSERT_NE(table->CornerPane(), nullptr);
    // 40 body rows with 12 shown: the top row runs from the first body row to
    // 40 - 12 = 28 rows below it, a page is 11 rows.
    const int firstBody = table->OriginRow() + 1;
    EXPECT_EQ(table->VerticalBar()->minimum(), firstBody);
    EXPECT_EQ(table->VerticalBar()->maximum(), firstBody + 28);
    EXPECT_EQ(table->VerticalBar()->pageStep(), 11);
    table->VerticalBar()->setValue(firstBody + 10);
    table->HorizontalBar()->setValue(4);
    test::SaveScreenshotOfRunningTest(window);

    EXPECT_EQ(table->Sheet().TopRow(), firstBody + 10);
    EXPECT_EQ(table->TotalRowsPane()->y(), table->Sheet().y() + table->Sheet().height() + kPaneGap);
    EXPECT_EQ(table->TotalColumnsPane()->TopRow(), firstBody + 10);
    EXPECT_EQ(table->Sheet().LeftCol(), 4);
    EXPECT_EQ(table->TotalRowsPane()->LeftCol(), 4);
    // The panes hold copies: the total row's label and the total column's title.
    EXPECT_EQ(table->TotalRowsPane()->Model().Text(1, 1), "Total");
    EXPECT_EQ(table->TotalColumnsPane()->Model().Text(table->OriginRow(), 1), "Year");
    // 40 brands of 1000 b + 0.5: 1000 x 820 + 20 = 820,020.
    // The corner sums the total row: units 820,020, changes 4.25 x (1 + 3 + .. + 39)
    // - 3.5 x (2 + 4 + .. + 40) = 1,700 - 1,470 = 230, doubled units 1,640,040.
    EXPECT_EQ(table->CornerPane()->Model().Text(1, 1), "2,460,290");
    EXPECT_EQ(table->TotalRowsPane()->Model().Text(1, 2), "820,020");
    // Bars lie beside and below the sheets, inside the table's extent.
    EXPECT_EQ(table->VerticalBar()->x() + table->VerticalBar()->width(), table->RightEdge());
    EXPECT_EQ(table->HorizontalBar()->y() + table->HorizontalBar()->height(), table->BottomEdge());
}

// A note under a table runs on from the frozen column over the scrolled
// ones and wraps where the columns shown are narrower than it; in a window
// that shows them all it takes one line again. A heading wider than its
// column wraps, its title row as high as its lines.
TEST_F(TableWindowTest, ANoteRunsAcrossTheTableAndWrapsWhereTheColumnsShownAreNarrower) {
    QWidget window;
    window.setObjectName("FoNotedTable");
    window.resize(300, 300);
    TQNTable table(&window, TTableType::BandedRows, "Noted", TTablePlacement{}, 100);
    table.DefineTable({.titleRows = 1, .bodyRows = 2, .headingCols = 1, .bodyCols = 6});
    table.SetColumnWidthRange(1, 7, 8);
    for (int column = 2; column <= 7; ++column) {
        table.SetCellText(table.OriginRow(), column, "Period " + std::to_string(column - 1));
        table.SetCellNumber(table.OriginRow() + 1, column, 1000.0 * column);
    }
    // A heading laid on one line, as a screen may lay one, wraps where its column would cut it.
    table.SetCellText(table.OriginRow(), 2, "Units sold in the first period");
    table.SetRangeAlign(table.OriginRow(), 2, table.OriginRow(), 2, kAlignCentre, kAlignBottom, false);
    const int noteRow = table.OriginRow() + 2;
    table.SetCellText(noteRow, 1, "Figures in units sold; a period without sales shows none of them at all");
    table.SetRangeStdFont(noteRow, 1, 1, 7, 1);
    table.Show();
    window.show();
    const TSheetModel& sheet = table.Sheet().Model();
    ASSERT_NE(table.HorizontalBar(), nullptr);
    EXPECT_GT(sheet.RowHeight(noteRow), sheet.DefaultRowHeight());
    EXPECT_GT(sheet.RowHeight(table.OriginRow()), 2 * sheet.DefaultRowHeight());
    EXPECT_TRUE(test::UnpaintedCellTexts(table.Sheet()).isEmpty());
    EXPECT_TRUE(test::CutCellTexts(table.Sheet()).isEmpty()) << test::CutCellTexts(table.Sheet()).join("|").toStdString();
    test::SaveScreenshotOfRunningTest(window);

    window.resize(1000, 300);
    table.FollowOwnerSize();
    EXPECT_EQ(table.HorizontalBar(), nullptr);
    EXPECT_EQ(sheet.RowHeight(noteRow), sheet.DefaultRowHeight());
    EXPECT_TRUE(test::CutCellTexts(table.Sheet()).isEmpty());
}

// A window 360 pixels wide showing a table of two title rows, two groups of
// four periods under their headings laid across, 1 heading column and 8 body
// columns of 9 characters: about 540 pixels wide, of which its texts leave
// some free.
struct TGroupedTableWindow {
    explicit TGroupedTableWindow(const char* name)
        : table(&window, TTableType::BandedRows, name, TTablePlacement{}, 100) {
        window.setObjectName(QStringLiteral("Fo%1Table").arg(name));
        window.resize(360, 200);
        const int top = table.OriginRow();
        table.DefineTable({.titleRows = 2, .bodyRows = 2, .headingCols = 1, .bodyCols = 8});
        table.SetColumnWidthRange(1, 9, 9);
        table.SetTextAcross(top, 2, 5, "Units sold");
        table.SetTextAcross(top, 6, 9, "Sales value");
        for (int column = 2; column <= 9; ++column) {
            table.SetCellText(top + 1, column, "Period " + std::to_string((column - 2) % 4 + 1));
            for (int row = top + 2; row <= top + 3; ++row) table.SetCellNumber(row, column, 100.0 * row * column);
        }
        table.SetCellText(top + 2, 1, "Brand A");
        table.SetCellText(top + 3, 1, "Brand B");
        table.Show();
        window.show();
    }
    QWidget window;
    TQNTable table;
};

// Scrolled by its bar's arrow, column by column, a table keeps each group's
// heading over the columns of the group still in view.
TEST_F(TableWindowTest, AGroupHeadingStaysOverTheColumnsOfItsGroupInView) {
    TGroupedTableWindow shown("Grouped");
    QWidget& window = shown.window;
    TQNTable& table = shown.table;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QScrollBar* bar = table.HorizontalBar();
    ASSERT_NE(bar, nullptr);
    const QPoint rightArrow(bar->width() - bar->height() / 2, bar->height() / 2);
    std::string shot;
    while (bar->value() < bar->maximum()) {
        const int before = bar->value();
        QTest::mouseClick(bar, Qt::LeftButton, {}, rightArrow);
        ASSERT_EQ(bar->value(), before + 1);
        const QStringList unpainted = test::UnpaintedCellTexts(table.Sheet());
        EXPECT_TRUE(unpainted.isEmpty()) << "from column " << table.Sheet().LeftCol() << ": "
                                         << unpainted.join(" | ").toStdString();
        // The first screenshot with a group's first column out of view.
        if (shot.empty() && table.Sheet().LeftCol() == 3) shot = test::SaveScreenshotOfRunningTest(window);
    }
    EXPECT_FALSE(shot.empty());
}

// A body a little wider than its window shows whole once its columns give up
// the width their texts leave free; one that would scroll all the same keeps
// the widths the screen gave it.
TEST_F(TableWindowTest, ABodyThatFitsOnceItsColumnsGiveUpTheirSpareWidthShowsWhole) {
    TGroupedTableWindow shown("Narrowed");
    QWidget& window = shown.window;
    TQNTable& table = shown.table;
    const TSheetModel& sheet = table.Sheet().Model();
    ASSERT_NE(table.HorizontalBar(), nullptr);
    for (int column = 2; column <= 9; ++column) EXPECT_EQ(sheet.ColumnWidth(column), 9 * kColumnUnitsPerCharacter);

    window.resize(table.Sheet().BlockSize(1, 1, 1, 9).width() - 20, 200);
    table.FollowOwnerSize();
    EXPECT_EQ(table.HorizontalBar(), nullptr);
    EXPECT_LE(table.RightEdge(), window.width());
    EXPECT_LT(sheet.ColumnsWidthTwips(2, 9), 8 * 9 * kTwipsPerCharacter);
    EXPECT_TRUE(test::CutCellTexts(table.Sheet()).isEmpty()) << test::CutCellTexts(table.Sheet()).join("|").toStdString();
    test::SaveScreenshotOfRunningTest(window);
}

TEST_F(TableWindowTest, ClipboardHoldsTextAndHtml) {
    QWidget window;
    TQNTable table(&window, TTableType::FilledHeadings, "Copy", {kPlaceLeft | kPlaceTop}, 100);
    table.DefineTable({.titleRows = 1, .bodyRows = 1, .headingCols = 1, .bodyCols = 1});
    table.SetCellText(1, 1, "Brand");
    table.SetCellText(1, 2, "Sales");
    table.SetCellText(2, 1, "A & B");
    table.SetCellNumber(2, 2, 1234.5);
    table.SetRangeFormat(2, 2, 2, 2, TNumberFormat::Whole);
    table.CopyToClipboard();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), "Brand\tSales\r\nA & B\t1,235\r\n");
    ASSERT_TRUE(data->hasHtml());
    EXPECT_TRUE(data->html().contains(">A &amp; B</td>")) << data->html().toStdString();
    EXPECT_TRUE(data->html().contains(">1,235</td>")) << data->html().toStdString();
}

}  // namespace
}  // namespace cv
