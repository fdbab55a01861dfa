// The text a cell shows when it is wider than the cell: cut on the right
// with an ellipsis, so that a right-aligned label still shows its start.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

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
        for (const QString& line : shown.split(QLatin1Char('\n')))
            for (const QString& word : line.split(QLatin1Char(' '))) EXPECT_LE(metrics.horizontalAdvance(word), width);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellTextFit,
    ::testing::Values(TFitCase{"Consumer survey", "Consumer survey", false, "Consumer survey", false},
                      TFitCase{"Consumer survey", "Consumer su", false, "Consu", true},
                      TFitCase{"Distribution panel", "Distri", false, "Di", true},
                      // Wrapped: words that fit stay whole; a word wider than the cell is cut.
                      TFitCase{"Contribution after marketing", "marketing", true, "Contrib", true},
                      TFitCase{"Cost of goods sold", "goods sold", true, "Cost of goods sold", false},
                      TFitCase{"Minimum\npossible", "Minimum", true, "Minimum\npossible", false}));

// Whether any pixel of the image's columns X1..X2 is darker than the fill.
bool InkBetween(const QImage& image, int x1, int x2) {
    for (int x = std::max(x1, 0); x < std::min(x2, image.width()); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128) return true;
    return false;
}

// A right-aligned label wider than its column runs back over its empty left
// neighbour, as a general-aligned one runs on to the right; with a neighbour
// that holds text it stays in its own cell. Only texts run on: a number stays
// in its own column.
TEST(CellTextSpan, OnlyATextRunsOnOverAnEmptyNeighbour) {
    const struct {
        int column;  // the neighbour is the other one of two
        int horizontal;
        bool number, neighbourEmpty, inkInNeighbour;
    } cases[] = {{2, kAlignRight, false, true, true},
                 {2, kAlignRight, false, false, false},
                 {1, kAlignGeneral, false, true, true},
                 {1, kAlignGeneral, true, true, false}};
    for (const auto& c : cases) {
        TSheetModel model;
        model.SetMaxRow(1);
        model.SetMaxCol(2);
        model.SetColumnWidths(1, 2, 10 * kColumnUnitsPerCharacter);  // ten characters each
        if (c.number) model.SetNumber(1, c.column, 1234);
        else model.SetText(1, c.column, "Competitive advertising");
        if (!c.neighbourEmpty) model.SetText(1, 3 - c.column, " ");
        model.FormatRange(1, c.column, 1, c.column, [&](TCellFormat& format) { format.horizontal = c.horizontal; });
        const double scale = kScreenDpi / kTwipsPerInch;
        const TCellPainter painter(model, scale);
        const int split = static_cast<int>(painter.ColumnOffset(1, 2));
        const int width = static_cast<int>(painter.ColumnOffset(1, 3));
        QImage image(width, static_cast<int>(painter.RowOffset(1, 2)) + 1, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter onImage(&image);
        painter.PaintBlock(onImage, QPointF(0, 0), 1, 1, 1, 2);
        onImage.end();
        const bool inkLeft = InkBetween(image, 0, split - 1), inkRight = InkBetween(image, split, width);
        EXPECT_TRUE(c.column == 1 ? inkLeft : inkRight) << "column " << c.column << ", number " << c.number;
        EXPECT_EQ(c.column == 1 ? inkRight : inkLeft, c.inkInNeighbour)
            << "column " << c.column << ", number " << c.number << ", neighbour empty " << c.neighbourEmpty;
    }
}

}  // namespace
}  // namespace cv

namespace cv {
namespace {

struct TContrastCase {
    QRgb text, fill;
    bool kept;       // the colour stays as it is
    bool lighter;    // else: made lighter (true) or darker (false)
};

class NumberColourOnFill : public ::testing::TestWithParam<TContrastCase> {};

// The rise and fall colours of the number formats on the fills of the styles.
TEST_P(NumberColourOnFill, StaysReadableAndKeepsItsColourWhereItAlreadyIs) {
    const TContrastCase& c = GetParam();
    const QColor text = QColor::fromRgb(c.text), fill = QColor::fromRgb(c.fill);
    const QColor shown = ReadableOn(text, fill);
    if (c.kept) {
        EXPECT_EQ(shown, text);
        return;
    }
    EXPECT_NE(shown, text);
    EXPECT_EQ(shown.lightness() > text.lightness(), c.lighter);
    // Lightness moved far enough: the shade reads against the fill.
    EXPECT_GE(std::abs(shown.lightness() - fill.lightness()), std::abs(text.lightness() - fill.lightness()));
}

INSTANTIATE_TEST_SUITE_P(
    StyleFills, NumberColourOnFill,
    ::testing::Values(TContrastCase{0xFF0000, 0xFFFFFF, true, false},   // red on white
                      TContrastCase{0x0000FF, 0xFFFFFF, true, false},   // blue on white
                      TContrastCase{0x0000FF, 0x002A8A, false, true},   // blue on navy
                      TContrastCase{0xFF0000, 0xC0FF40, false, false},  // red on lime
                      TContrastCase{0x0000FF, 0xE6E6E6, true, false})); // blue on light grey

}  // namespace
}  // namespace cv
