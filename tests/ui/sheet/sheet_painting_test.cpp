// What a sheet view paints, read back from the paint itself: the texts of the
// fixed rows and columns and of the scrolled body, and nothing of the rows and
// columns scrolled away.
#include <QApplication>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/painted_texts.h"
#include "tests/ui/support/window_test.h"
#include "ui/sheet/sheet_view.h"

namespace cv {
namespace {

// A 6 x 4 sheet: headings in row 1, labels in column 1, figures in the body.
constexpr int kRows = 6;
constexpr int kColumns = 4;

std::string CellText(int row, int column) {
    if (row == 1) return column == 1 ? "Brand" : "Period " + std::to_string(column - 2);
    if (column == 1) return "SAMA" + std::to_string(row);
    return std::to_string(row * 100 + column);
}

struct TScrollCase {
    const char* name;
    int topRow, leftCol;
    std::vector<int> rowsShown, columnsShown;
};

class SheetPaintingTest : public ::testing::TestWithParam<TScrollCase> {
protected:
    SheetPaintingTest() {
        TSheetModel& model = view.Model();
        model.SetMaxRow(kRows);
        model.SetMaxCol(kColumns);
        for (int row = 1; row <= kRows; ++row)
            for (int column = 1; column <= kColumns; ++column) model.SetText(row, column, CellText(row, column));
        view.SetFixedRow(1, 1);
        view.SetFixedCol(1, 1);
        const QSize whole = view.BlockSize(1, 1, kRows, kColumns);
        view.resize(whole.width() + 2, whole.height() + 2);
    }

    TSheetView view;
};

TEST_P(SheetPaintingTest, PaintsTheFixedCellsAndTheScrolledBody) {
    const TScrollCase& c = GetParam();
    view.SetTopRow(c.topRow);
    view.SetLeftCol(c.leftCol);
    view.show();
    QTRY_VERIFY(view.isVisible());
    const QStringList painted = test::Paint(view).Texts();
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column) {
            const QString text = QString::fromStdString(CellText(row, column));
            const bool shown = std::find(c.rowsShown.begin(), c.rowsShown.end(), row) != c.rowsShown.end() &&
                               std::find(c.columnsShown.begin(), c.columnsShown.end(), column) != c.columnsShown.end();
            EXPECT_EQ(painted.count(text), shown ? 1 : 0) << text.toStdString() << " in " << c.name;
        }
    EXPECT_TRUE(test::UnpaintedCellTexts(view).isEmpty()) << test::UnpaintedCellTexts(view).join(" | ").toStdString();
    test::SaveScreenshotOfRunningTest(view);
}

// Scrolled, the fixed row and column stay; the body starts at the top row
// and left column, and what no longer fits is not painted.
INSTANTIATE_TEST_SUITE_P(Scrolls, SheetPaintingTest,
                         ::testing::Values(TScrollCase{"unscrolled", 1, 1, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4}},
                                           TScrollCase{"down", 4, 1, {1, 4, 5, 6}, {1, 2, 3, 4}},
                                           TScrollCase{"right", 1, 3, {1, 2, 3, 4, 5, 6}, {1, 3, 4}},
                                           TScrollCase{"both", 5, 4, {1, 5, 6}, {1, 4}}),
                         [](const ::testing::TestParamInfo<TScrollCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cv
