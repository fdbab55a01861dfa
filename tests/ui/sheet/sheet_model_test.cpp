// The sheet model without a display: index checks, copies, clearing,
// protection and selection, and the clipboard forms.
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "ui/sheet/sheet_clipboard.h"
#include "ui/sheet/sheet_model.h"

namespace cv {
namespace {

std::string RangeErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const ERangeError& error) {
        return error.what();
    }
    return "no error";
}

TEST(SheetModelTest, BadIndexesAreNamedAndWriteNothing) {
    TSheetModel sheet;
    EXPECT_EQ(RangeErrorOf([&] { sheet.SetText(0, 1, "x"); }), "[SetText] Bad row : 0 not in [1,16384]");
    EXPECT_EQ(RangeErrorOf([&] { sheet.SetNumber(1, 257, 1); }), "[SetNumber] Bad column : 257 not in [1,256]");
    EXPECT_EQ(RangeErrorOf([&] { sheet.FormatRange(1, 1, 16385, 1, [](TCellFormat&) {}); }),
              "[FormatRange] Bad row : 16385 not in [1,16384]");
    EXPECT_EQ(RangeErrorOf([&] { sheet.SetColumnWidths(3, -1, 0); }),
              "[SetColumnWidths] Bad column : -1 not in [1,256]");
    EXPECT_EQ(RangeErrorOf([&] { sheet.SetMaxRow(20000); }), "[SetMaxRow] Bad row : 20000 not in [1,16384]");
    EXPECT_EQ(RangeErrorOf([&] { sheet.DeleteRows(0, 2); }), "[DeleteRows] Bad row : 0 not in [1,16384]");
    EXPECT_TRUE(sheet.IsEmpty(1, 1));
    EXPECT_EQ(sheet.ColumnWidth(3), sheet.DefaultColumnWidth());
    EXPECT_EQ(sheet.MaxRow(), 100);
}

TEST(SheetModelTest, CopiesCarryValuesFormatsAndSizes) {
    TSheetModel source;
    source.SetNumber(2, 2, 0.25);
    source.SetFormula(3, 2, "B2*4");
    source.SetFormula(4, 2, "B2/0");
    source.FormatRange(2, 2, 3, 2, [](TCellFormat& format) { format.numberFormat = "0.0%"; });
    source.SetRowHeights(3, 3, 400);
    source.SetColumnWidths(2, 2, 0);
    TSheetModel pane;
    pane.CopyRange(1, 1, source, 2, 2, 4, 2);
    EXPECT_EQ(pane.Text(1, 1), "25.0%");
    EXPECT_EQ(pane.FormulaText(2, 1), "");  // a copy holds what the formula computed
    EXPECT_EQ(pane.Text(2, 1), "100.0%");
    EXPECT_EQ(pane.Text(3, 1), "#DIV/0!");
    EXPECT_EQ(pane.RowHeight(2), 400);
    EXPECT_EQ(pane.ColumnWidth(1), 0);
}

TEST(SheetModelTest, ProtectionLeavesOnlyUnlockedCellsEditable) {
    TSheetModel sheet;
    int heard = 0, removedHeard = 0;
    sheet.AddSelectionListener([&] { ++heard; });
    const int removed = sheet.AddSelectionListener([&] { ++removedHeard; });
    sheet.FormatRange(3, 4, 5, 6, [](TCellFormat& format) { format.locked = false; });
    EXPECT_TRUE(sheet.IsEditable(1, 1));  // no protection yet
    sheet.SetProtectionEnabled(true);
    EXPECT_FALSE(sheet.IsEditable(1, 1));
    EXPECT_TRUE(sheet.IsEditable(4, 5));
    sheet.SetSelection(5, 6, 3, 4);
    EXPECT_EQ(sheet.Selection(), (TSheetSelection{3, 4, 5, 6, 3, 4}));
    sheet.SetSelection(3, 4, 5, 6);  // unchanged: no notice
    sheet.RemoveSelectionListener(removed);
    sheet.SetActiveCell(4, 6);
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(removedHeard, 1);
}

TEST(SheetModelTest, ClipboardFormsHoldTheShownTexts) {
    TSheetModel sheet;
    sheet.SetText(1, 1, "Brand <A&B>");
    sheet.SetNumber(1, 2, -0.053);
    sheet.FormatRange(1, 2, 1, 2, [](TCellFormat& format) {
        format.numberFormat = "+0.0%;[Red]-0.0%";
        format.font.bold = true;
    });
    sheet.SetFormula(2, 2, "B1*2");
    EXPECT_EQ(SheetAsTabText(sheet, 1, 1, 2, 2), "Brand <A&B>\t-5.3%\r\n\t-0.106\r\n");
    const std::string html = SheetAsHtml(sheet, 1, 1, 2, 2);
    EXPECT_NE(html.find(">Brand &lt;A&amp;B&gt;</td>"), std::string::npos) << html;
    EXPECT_NE(html.find("font-weight:bold;color:#ff0000;text-align:right\">-5.3%</td>"), std::string::npos) << html;
}

}  // namespace
}  // namespace cv

namespace cv {
namespace {

// Every character 100 twips wide, every line 1000 twips high.
class TFixedMeasure final : public TTextMeasure {
public:
    int TextWidthTwips(const TCellFont&, std::string_view text) const override {
        return static_cast<int>(text.size()) * 100;
    }
    int LineHeightTwips(const TCellFont&) const override { return 1000; }
};

// A wrapped heading broken by the screen ("Minimum\npossible") needs a line
// per part even when the whole text would fit the column's width.
TEST(SheetModelTest, FittedRowsCountTheLineBreaksOfWrappedTexts) {
    TSheetModel model;
    model.SetMaxRow(3);
    model.SetMaxCol(1);
    model.SetColumnWidths(1, 1, 40 * kColumnUnitsPerCharacter);
    model.FormatRange(1, 1, 3, 1, [](TCellFormat& format) { format.wrap = true; });
    model.SetText(1, 1, "Minimum");
    model.SetText(2, 1, "Min\npossible");
    model.SetText(3, 1, "Min\npos\nsible");
    model.FitRowHeights(1, 3, TFixedMeasure());
    EXPECT_EQ(model.RowHeight(2) - model.RowHeight(1), 1000);
    EXPECT_EQ(model.RowHeight(3) - model.RowHeight(1), 2000);
}

}  // namespace
}  // namespace cv

namespace cv {
namespace {

// Rows holding a wrapped text grow to its lines in a 10-character column
// (1000 twips, 940 of room after the padding: 9 characters a line with the
// fixed measure); a line is 1000 twips and the padding adds 30. Rows of one
// line keep their height however low, and no row gets lower.
TEST(SheetModelTest, RowsGrowToTheLinesOfTheirWrappedTextsOnly) {
    struct TCase {
        const char* text;
        bool wrap;
        int height;
        int grown;
    };
    const TCase cases[] = {
        {"Not significant", true, 200, 2030},      // 15 characters: two lines
        {"Significant", true, 200, 2030},          // 11 characters: two lines
        {"Verdict", true, 200, 200},               // one line stays low
        {"Not significant", false, 200, 200},      // not wrapped: one line
        {"Not\nsignificant at all", true, 200, 3030},  // a line, then two
        {"Not significant", true, 5000, 5000},     // higher already
    };
    TSheetModel model;
    model.SetMaxRow(static_cast<int>(std::size(cases)));
    model.SetMaxCol(2);
    model.SetColumnWidths(1, 2, 10 * kColumnUnitsPerCharacter);
    for (int row = 1; row <= static_cast<int>(std::size(cases)); ++row) {
        const TCase& c = cases[row - 1];
        model.SetText(row, 2, c.text);
        model.FormatRange(row, 2, row, 2, [&](TCellFormat& format) { format.wrap = c.wrap; });
        model.SetRowHeights(row, row, c.height);
    }
    model.GrowRowsToWrappedTexts(1, static_cast<int>(std::size(cases)), TFixedMeasure());
    for (int row = 1; row <= static_cast<int>(std::size(cases)); ++row)
        EXPECT_EQ(model.RowHeight(row), cases[row - 1].grown) << cases[row - 1].text;
}

}  // namespace
}  // namespace cv
