// A cell text shaped once and drawn again looks exactly like the same text
// drawn afresh by QPainter::drawText: same line breaks, places and clipping.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "ui/sheet/cell_painter.h"
#include "ui/sheet/shaped_text.h"

namespace cv {
namespace {

struct TShapeCase {
    const char* name;
    const char* text;
    double points;
    bool bold, italic, underline;
    int flags;
    QRectF room;
};

// The cell font of Points at 128 % of the screen's scale, as a report sheet
// on a 1024-pixel screen paints it.
QFont CaseFont(const TShapeCase& c) {
    TCellFont font;
    font.size = c.points;
    font.bold = c.bold;
    font.italic = c.italic;
    font.underline = c.underline;
    return SheetFont(font, kScreenDpi / kTwipsPerInch * 1.28);
}

QImage Blank() {
    QImage image(240, 90, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

class ShapedText : public ::testing::TestWithParam<TShapeCase> {};

TEST_P(ShapedText, DrawsEveryPixelAsDrawTextDoes) {
    const TShapeCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    QImage expected = Blank(), kept = Blank(), moved = Blank(), movedExpected = Blank();
    const QPointF step(17.25, 9.5);
    {
        QPainter painter(&expected);
        painter.setFont(CaseFont(c));
        painter.drawText(c.room, c.flags, text);
    }
    {
        QPainter painter(&movedExpected);
        painter.setFont(CaseFont(c));
        painter.drawText(c.room.translated(step), c.flags, text);
    }
    QPainter painter(&kept);
    painter.setFont(CaseFont(c));
    const TShapedText shaped(text, painter.font(), c.flags, c.room.size(), painter.layoutDirection());
    shaped.Draw(painter, c.room);
    painter.end();
    // Drawn again elsewhere, as a scrolled sheet draws its kept texts.
    QPainter again(&moved);
    shaped.Draw(again, c.room.translated(step));
    again.end();
    // Nothing is drawn only for an empty text or room.
    EXPECT_EQ(expected == Blank(), text.isEmpty() || c.room.isEmpty()) << c.name;
    EXPECT_EQ(kept, expected) << c.name;
    EXPECT_EQ(moved, movedExpected) << c.name;
}

constexpr int kLeft = Qt::AlignLeft | Qt::AlignBottom;
constexpr int kRight = Qt::AlignRight | Qt::AlignBottom;
constexpr int kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapedText,
    ::testing::Values(
        TShapeCase{"left", "Consumer survey", 8, false, false, false, kLeft, {10.4, 5.2, 150.3, 18.6}},
        TShapeCase{"right number", "1,234,567.89", 8, false, false, false, kRight, {10.7, 5.5, 120.2, 18.1}},
        TShapeCase{"centred bold", "Distribution", 8, true, false, false, kCentre, {3.3, 2.8, 131.9, 27.3}},
        TShapeCase{"top right italic", "Zone 3", 10, false, true, false, Qt::AlignRight | Qt::AlignTop,
                   {0.5, 0.5, 90.0, 30.0}},
        TShapeCase{"caption", "Income statement \xe2\x80\x94 Firm 2", 16, true, true, false, kLeft,
                   {4.0, 3.6, 230.0, 40.2}},
        TShapeCase{"underlined", "Total", 8, false, false, true, kLeft, {6.6, 4.1, 80.0, 19.0}},
        TShapeCase{"overflowing, clipped", "Contribution after marketing", 8, false, false, false, kLeft,
                   {8.2, 6.1, 60.3, 18.0}},
        TShapeCase{"wrapped", "Cost of goods sold per unit", 8, true, false, false,
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, {5.1, 2.3, 70.6, 60.7}},
        TShapeCase{"wrapped, rows cut", "Cost of goods sold per unit", 8, false, false, false,
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, {5.1, 2.3, 55.6, 22.4}},
        TShapeCase{"line feeds", "Minimum\npossible\r\tprice", 8, false, false, false,
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, {20.0, 1.7, 100.0, 80.0}},
        TShapeCase{"empty room", "Lost", 8, false, false, false, kLeft, {10.0, 10.0, 0.0, 18.0}},
        TShapeCase{"empty text", "", 8, false, false, false, kLeft, {10.0, 10.0, 40.0, 18.0}}),
    [](const ::testing::TestParamInfo<TShapeCase>& info) {
        std::string name = info.param.name;
        for (char& character : name)
            if (!std::isalnum(static_cast<unsigned char>(character))) character = '_';
        return name;
    });

// The cache shapes a text once per font, room and alignment, and again for a
// room of another size.
TEST(ShapedTextCache, ShapesEachTextOnceForItsRoom) {
    QImage image = Blank();
    QPainter painter(&image);
    painter.setFont(SheetFont(TCellFont{}, kScreenDpi / kTwipsPerInch));
    TShapedTextCache cache;
    int fitted = 0;
    const auto fit = [&] {
        ++fitted;
        return QStringLiteral("Market share");
    };
    const TShapedText& first = cache.Shaped(painter, "Market share", kLeft, false, {80.0, 18.0}, fit);
    const TShapedText& again = cache.Shaped(painter, "Market share", kLeft, false, {80.0, 18.0}, fit);
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(fitted, 1);
    cache.Shaped(painter, "Market share", kLeft, false, {40.0, 18.0}, fit);
    cache.Shaped(painter, "Market share", kRight, false, {80.0, 18.0}, fit);
    painter.setFont(SheetFont(TCellFont{.bold = true}, kScreenDpi / kTwipsPerInch));
    cache.Shaped(painter, "Market share", kLeft, false, {80.0, 18.0}, fit);
    EXPECT_EQ(fitted, 4);
    EXPECT_EQ(cache.Size(), 4u);
}

}  // namespace
}  // namespace cv
