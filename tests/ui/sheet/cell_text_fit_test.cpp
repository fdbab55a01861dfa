// The text a cell shows when it is wider than the cell: cut on the right
// with an ellipsis, so that a right-aligned label still shows its start.
#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "ui/sheet/cell_painter.h"

namespace cv {
namespace {

struct TFitCase {
    const char* text;
    const char* roomFor;  // the cell is as wide as this text
    bool wrap;
    const char* expectedStart;  // what the shown text starts with
    bool cut;
};

class CellTextFit : public ::testing::TestWithParam<TFitCase> {};

TEST_P(CellTextFit, AWideTextKeepsItsStartAndEndsWithAnEllipsis) {
    const TFitCase& c = GetParam();
    const QFont font = SheetFont(TCellFont{}, kScreenDpi / kTwipsPerInch);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(QString::fromLatin1(c.roomFor));
    const QString shown = FittedCellText(QString::fromLatin1(c.text), metrics, width, c.wrap);
    EXPECT_TRUE(shown.startsWith(QString::fromLatin1(c.expectedStart))) << shown.toStdString();
    EXPECT_EQ(shown.contains(QChar(0x2026)), c.cut) << shown.toStdString();
    if (!c.wrap) {
        EXPECT_LE(metrics.horizontalAdvance(shown), width);
    } else {
        for (const QString& word : shown.split(QLatin1Char(' '))) EXPECT_LE(metrics.horizontalAdvance(word), width);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellTextFit,
    ::testing::Values(TFitCase{"Consumer survey", "Consumer survey", false, "Consumer survey", false},
                      TFitCase{"Consumer survey", "Consumer su", false, "Consu", true},
                      TFitCase{"Distribution panel", "Distri", false, "Di", true},
                      // Wrapped: words that fit stay whole; a word wider than the cell is cut.
                      TFitCase{"Contribution after marketing", "marketing", true, "Contrib", true},
                      TFitCase{"Cost of goods sold", "goods sold", true, "Cost of goods sold", false}));

}  // namespace
}  // namespace cv
