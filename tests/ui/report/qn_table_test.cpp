// Geometry of the report table: what fits gets no bars or panes (a long body
// with its bars and panes: table window test), empty trailing rows go,
// captions centre over the table inside the page, the zoom follows a wide
// owner, the bad-type message.
#include <gtest/gtest.h>

#include <cmath>

#include "core/base/errors.h"
#include "tests/support/recording_ui.h"
#include "ui/report/qn_table.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

class QNTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenWidth(1024);  // screen class 2: rows 250 twips, columns 12 characters (1200 twips)
        owner.resize(800, 600);
    }
    // Pixels of a twips length at the sheet's resolution, less one, as the sheet sizes itself.
    int Pixels(const TQNTable& table, int twips) const {
        return static_cast<int>(std::lround(twips * table.Sheet().logicalDpiX() / 1440.0)) - 1;
    }
    // A table of 1 title row, Body rows, 1 total row; 1 heading, 3 body, 0 total columns.
    std::unique_ptr<TQNTable> MakeTable(int body, int filled, int minBody, int maxVisible) {
        auto table = std::make_unique<TQNTable>(&owner, TTableType::FilledHeadings, "Results", TTablePlacement{}, 100);
        table->DefineTable({.titleRows = 1,
                            .bodyRows = body,
                            .totalRows = 1,
                            .headingCols = 1,
                            .bodyCols = 3,
                            .minBodyRows = minBody,
                            .maxVisibleRows = maxVisible});
        table->SetCellText(1, 2, "Sales");
        for (int row = 2; row < 2 + filled; ++row) table->SetCellNumber(row, 2, row);
        table->SetCellText(2 + body, 1, "Total");
        return table;
    }
    QWidget owner;
    test::RecordingUi ui;
};

TEST_F(QNTableTest, ABodyThatFitsGetsNoBarsOrPanes) {
    auto table = MakeTable(5, 5, 0, 20);
    table->Refresh();
    EXPECT_EQ(table->VerticalBar(), nullptr);
    EXPECT_EQ(table->HorizontalBar(), nullptr);
    EXPECT_EQ(table->TotalRowsPane(), nullptr);
    EXPECT_EQ(table->TotalColumnsPane(), nullptr);
    // 4 columns x 1200 twips wide; 7 rows (title, 5 body, total) x 250 twips high.
    EXPECT_EQ(table->Width(), Pixels(*table, 4800));
    EXPECT_EQ(table->Height(), Pixels(*table, 1750));
    EXPECT_EQ(table->Sheet().size(), QSize(table->Width(), table->Height()));
    // Centred in the 800 x 600 owner.
    EXPECT_EQ(table->Left(), static_cast<int>(std::lround((800 - table->Width()) / 2.0)));
}

TEST_F(QNTableTest, TrailingEmptyBodyRowsGoDownToTheMinimum) {
    const struct {
        int filled, minimum, bodyAfter;
    } cases[] = {{2, 4, 4}, {6, 4, 6}, {0, 0, 0}, {10, 4, 10}};
    for (const auto& c : cases) {
        auto table = MakeTable(10, c.filled, c.minimum, 32767);
        table->Refresh();
        EXPECT_EQ(table->Sheet().Geometry().bodyRows, c.bodyAfter) << c.filled;
        // Rows: title, the body left, the total row.
        EXPECT_EQ(table->Sheet().Model().MaxRow(), 1 + c.bodyAfter + 1) << c.filled;
        EXPECT_EQ(table->CellText(2 + c.bodyAfter, 1), "Total") << c.filled;
    }
}

// A one-column table at Left in the owner, under a caption much wider than it.
std::unique_ptr<TQNTable> NarrowTable(QWidget& owner, int left) {
    auto table = std::make_unique<TQNTable>(&owner, TTableType::BandedRows, "Narrow",
                                            TTablePlacement{kPlaceLeft | kPlaceTop, left, 20}, 100);
    table->FormatArea({"A caption line that is much wider than one column"}, {"note"}, -1, -1, -1, -1);
    table->DefineTable({.bodyRows = 2, .bodyCols = 1});
    table->SetCellNumber(table->OriginRow(), 1, 7);
    table->Refresh();
    return table;
}

TEST_F(QNTableTest, ACaptionWiderThanTheTableIsCentredOverIt) {
    auto table = NarrowTable(owner, 400);
    ASSERT_NE(table->TitleLabel(), nullptr);
    EXPECT_EQ(table->OriginRow(), 5);  // 1 blank, 1 title, 0 between, 1 note, 1 blank row above the table
    EXPECT_EQ(table->Sheet().Model().Text(2, 1), "A caption line that is much wider than one column");
    const QRect title = table->TitleLabel()->geometry();
    ASSERT_GT(title.width(), table->Width());
    EXPECT_EQ(title.x(), 400 - (title.width() - table->Width()) / 2);
    EXPECT_EQ(table->NoteLabel()->y(), 20 + title.height());
    EXPECT_EQ(table->Sheet().y(), table->NoteLabel()->y() + table->NoteLabel()->height());
}

// Centred near the page's edge, the caption would start left of the page:
// it starts at the edge instead. On a page narrower than the caption it
// wraps at the page's width.
TEST_F(QNTableTest, ACaptionStaysInsideItsPage) {
    auto table = NarrowTable(owner, 100);
    const QRect oneLine = table->TitleLabel()->geometry();
    ASSERT_GT((oneLine.width() - table->Width()) / 2, 100);
    EXPECT_EQ(oneLine.x(), 0);

    owner.resize(oneLine.width() / 2 + 60, 600);
    table = NarrowTable(owner, 10);
    const QRect wrapped = table->TitleLabel()->geometry();
    EXPECT_EQ(wrapped.x(), 0);
    EXPECT_EQ(wrapped.width(), owner.width());
    EXPECT_GT(wrapped.height(), oneLine.height());
    EXPECT_EQ(table->NoteLabel()->y(), 20 + wrapped.height());
}

TEST_F(QNTableTest, TheZoomFollowsOnlyAWideOwner) {
    const struct {
        int ownerWidth, zoom, scale;
    } cases[] = {{1600, kDerivedZoom, 200}, {1200, kDerivedZoom, 150}, {800, kDerivedZoom, 100},
                 {1000, 120, 120},          {700, 120, 100},           {1000, 0, 100}};
    for (const auto& c : cases) {
        owner.resize(c.ownerWidth, 600);
        TQNSheet sheet(&owner, 1, "Zoom", c.zoom);
        EXPECT_EQ(sheet.ViewScale(), c.scale) << c.ownerWidth << " " << c.zoom;
    }
}

TEST_F(QNTableTest, RefreshKeepsTheFormatsAScreenGaveItsCells) {
    auto table = MakeTable(3, 3, 0, 20);
    table->SetTextAcross(2, 2, 4, "Across");
    table->SetRangeFont(5, -1, 5, -1, 10, 1, -1, -1, 0x0000FF);  // the total row: 10 pt bold red
    table->SetRangeBorderBottom(3, 1, 3, 4, 2, 0);
    table->Refresh();
    const TSheetModel& model = table->Sheet().Model();
    EXPECT_EQ(model.Format(2, 3).horizontal, kAlignCentreAcross);
    EXPECT_EQ(model.Format(5, 4).font.size, 10);
    EXPECT_TRUE(model.Format(5, 4).font.bold);
    EXPECT_EQ(model.Format(5, 4).font.colour, 0x0000FF);
    EXPECT_FALSE(model.Format(5, 4).font.italic);  // -1 kept the style's upright font
    EXPECT_EQ(model.Format(3, 4).bottom, (TCellEdge{2, 0}));
    // The style's own formats stay too: type 2 fills the body's heading column.
    EXPECT_EQ(model.Format(2, 1).fill.pattern, 3);
    EXPECT_EQ(model.Format(2, 2).fill.pattern, 0);
}

TEST_F(QNTableTest, ProportionalWidthsKeepZeroColumnsAtZero) {
    auto table = MakeTable(2, 2, 0, 20);
    TQNSheet& sheet = table->Sheet();
    sheet.SetColumnWidthCode(3, 4, 0);
    sheet.SetColumnWidths(3, 4, 10);  // sum 0: ratio 1, widths stay 0
    // Columns 1..2 of 12 characters each share 10 x 1.2 = 12 characters: 6 each.
    sheet.SetColumnWidths(1, 2, 10);
    table->Refresh();
    EXPECT_EQ(sheet.Model().ColumnWidth(3), 0);
    EXPECT_EQ(sheet.Model().ColumnWidth(4), 0);
    EXPECT_EQ(sheet.Model().ColumnWidth(1), 6 * 256);
    EXPECT_EQ(table->Width(), Pixels(*table, 2 * 600));
}

TEST_F(QNTableTest, ABadTableTypeIsNamedAndTypeOneUsed) {
    for (int type : {0, 17, -3}) {
        TQNSheet sheet(&owner, type, "Bad", 100);
        EXPECT_EQ(sheet.TableType(), 1);
        EXPECT_EQ(ui.plainBoxes.back(), "Bad table type : " + std::to_string(type));
    }
    EXPECT_EQ(ui.plainBoxes.size(), 3u);
    TQNTable table(&owner, TTableType::Document, "Good", {kPlaceLeft | kPlaceTop}, 100);
    EXPECT_EQ(ui.plainBoxes.size(), 3u);
    EXPECT_THROW(table.SetCellText(0, 1, "x"), ERangeError);
    EXPECT_THROW(table.SetRangeFont(1, 1, 1, 300, 10, -1, -1, -1, -1), ERangeError);
    EXPECT_THROW(table.SetColumnWidths({1, 2}, {10}), ERangeError);
}

}  // namespace
}  // namespace cv
