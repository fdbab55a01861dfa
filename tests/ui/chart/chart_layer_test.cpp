// The chart layer and the graph base: division rules, label offsets and
// placement codes, marker sizes, the legend block, creation modes,
// placement, the clipboard, and two charts in real windows saved as
// screenshots (labels placed by every code; bubbles over a backdrop picture).
#include <gtest/gtest.h>

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QLineSeries>
#include <QPieSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QClipboard>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QTest>
#include <QDir>
#include <QPainter>
#include <QWidget>
#include <fstream>
#include <numbers>

#include "core/base/errors.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/chart_labels.h"
#include "tests/ui/support/window_test.h"
#include "ui/chart/cv_chart.h"
#include "ui/chart/label_placement.h"
#include "ui/chart/labels_apart.h"

namespace cv {
namespace {

TEST(ChartRules, ChooseDivisions) {
    struct Case {
        int minimum, maximum, major;
    };
    // 0..100: 100/10 = 10 >= 5; 0..30: 30/10 = 3 < 5, 30/5 = 6; 0..60: 6;
    // 0..20: 2 and 4 both < 5, so one per unit; 0..45: not a multiple of 10,
    // 45/5 = 9; 3..10: span 7; equal bounds: 0.
    for (const Case& c : {Case{0, 100, 10}, Case{0, 30, 6}, Case{0, 60, 6}, Case{0, 20, 20}, Case{0, 45, 9},
                          Case{3, 10, 7}, Case{5, 5, 0}}) {
        EXPECT_EQ(TCVChart::ChooseDivisions(c.minimum, c.maximum), (TAxisDivisions{c.major, 1})) << c.maximum;
    }
}

TEST(ChartRules, LabelOffsetsMoveByFractionsOfACell) {
    // x 150 then the nearest whole unit, halves to even: 0.8 -> 120,
    // -0.5 -> -75, 2.4 -> 360, 0.25 -> 37.5 -> 38 (a quarter cell still moves).
    EXPECT_EQ(PointLabelOffset(0.8), 120);
    EXPECT_EQ(PointLabelOffset(-0.5), -75);
    EXPECT_EQ(PointLabelOffset(2.4), 360);
    EXPECT_EQ(PointLabelOffset(0.25), 38);
    // Series labels: 15 x 100 / 100 = 15 (metric); 1500 / 254 = 5.9 -> 6.
    EXPECT_EQ(SeriesLabelOffset(15, 100.0), 15);
    EXPECT_EQ(SeriesLabelOffset(15, 254.0), 6);
    EXPECT_EQ(SeriesLabelOffset(15, 0.0), 0);
}

TEST(ChartRules, PlacementCodesPutTheLabelBesideItsMarker) {
    // A 20 x 10 label at (100, 100) beside a 10-pixel marker: the label's
    // centre moves by 5 + 2 (half the marker and the gap) plus half its own size.
    const QSizeF text(20, 10);
    struct Case {
        int code;
        QPointF topLeft;
    };
    for (const Case& c : {Case{kLabelAbove, {90, 83}}, Case{kLabelBelow, {90, 107}}, Case{kLabelCentre, {90, 95}},
                          Case{kLabelLeft, {73, 95}}, Case{kLabelRight, {107, 95}}, Case{kLabelOutside, {90, 83}},
                          Case{kLabelBase, {90, 107}}, Case{kLabelInside, {90, 95}}})
        EXPECT_EQ(LabelTopLeft(c.code, {100, 100}, 10, text, {}), c.topLeft) << c.code;
    // 150 units right and 150 up: 10 pixels each way.
    EXPECT_EQ(LabelTopLeft(kLabelCentre, {100, 100}, 10, text, {150, 150}), QPointF(100, 85));
}

class ChartTest : public ::testing::Test {
protected:
    test::RecordingUi ui;
    test::TempDir config;
    void SetUp() override { qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string())); }
};

TEST_F(ChartTest, CreationModesAndMeasureSetting) {
    QWidget form;
    form.resize(400, 300);
    TQNChart window(&form, kChartXY, 0, 0, 0, 200, 100, 3);
    EXPECT_EQ(window.TextLengthType(), 1);
    EXPECT_EQ(window.BackColor(), QColor(Qt::white));
    EXPECT_EQ(window.MeasureFactor(), 100.0);

    TQNChart document(&form, kChartXY, 0, 0, 0, 200, 100, kChartDocumentMode);
    EXPECT_EQ(document.TextLengthType(), 0);
    EXPECT_FALSE(document.BackColor().has_value());
    EXPECT_EQ(document.ChartFont().family(), "Arial");
    EXPECT_TRUE(document.ChartFont().bold());
    EXPECT_EQ(document.ChartFont().pointSizeF(), 8.0);

    QDir().mkpath(QString::fromStdString((config.path() / "Corvantis3").string()));
    std::ofstream((config.path() / "Corvantis3" / "WIN.INI").string()) << "[intl]\niMeasure=1\n";
    TQNChart inches(&form, kChartXY, 0, 0, 0, 200, 100, 3);
    EXPECT_EQ(inches.MeasureFactor(), 254.0);
    EXPECT_THROW(TQNChart(&form, kChartXY, 0, 0, 0, 10, 10, 256), ERangeError);
    EXPECT_THROW(TQNChart(&form, -1, 0, 0, 0, 10, 10, 3), ERangeError);
}

TEST_F(ChartTest, PlacementFlags) {
    QWidget form;
    form.resize(400, 300);
    TQNChart centred(&form, kChartXY, kChartCentreX | kChartLeftAtX | kChartTopAtY, 7, 12, 200, 100, 3);
    EXPECT_EQ(centred.pos(), QPoint(100, 12));  // (400 - 200) / 2; bit 2 wins over bit 1
    TQNChart right(&form, kChartXY, kChartRightAtX | kChartBottomAtY, -10, -5, 200, 100, 3);
    EXPECT_EQ(right.geometry().right() + 1, 390);  // right edge 10 pixels inside
    EXPECT_EQ(right.y(), 195);                     // 300 - 100 - 5
}

TEST_F(ChartTest, MarkerSizesLegendAndLabelCounts) {
    QWidget form;
    form.resize(500, 400);
    TCVChart chart(&form, kChartXY, 0, 0, 0, 500, 400, 3);
    chart.SetGridSize(3, 4);
    for (int row = 1; row <= 3; ++row) {
        chart.SetData(row, 1, row), chart.SetData(row, 2, row * 2);
        chart.SetData(row, 3, row + 0.5), chart.SetData(row, 4, 1);
    }
    chart.SetSeriesMarker(1, true, 9, 0x0000FF);
    chart.SetPointStyles(2, 2, 10, 8, 0x008000);
    chart.SetSeriesStyle(2, 2, kLabelAbove, 0, "Two", 8, 0, 0, 0, 0);
    chart.SetSeriesStyle(2, 3, kLabelNone, 0, "Hidden", 8, 0, 0, 0, 0);
    chart.SetLegend("", 10, 3, 2, 1);
    chart.SetRepaint(true);
    form.show();
    EXPECT_EQ(chart.DrawnMarkerSize(1, 2), 3);  // an XY chart draws series markers of size 3
    EXPECT_EQ(chart.DrawnMarkerSize(2, 2), 8);
    ASSERT_EQ(chart.DrawnLabels().size(), 1u);  // code 0 draws no label
    EXPECT_EQ(chart.DrawnLabels()[0].text, "Two");
    EXPECT_LT(chart.DrawnLabels()[0].rect.bottom(), chart.DrawnLabels()[0].point.y());
    EXPECT_FALSE(chart.Legend().visible);

    chart.SetLegend("Map legend", 10, 3, 2, 1);
    QApplication::processEvents();  // the chart lays itself out again
    EXPECT_TRUE(chart.Legend().visible);
    const double plotLeftWithLegend = chart.PlotArea().left();
    chart.SetLegend("", 10, 3, 2, 1);  // hides the block only
    EXPECT_FALSE(chart.Legend().visible);
    EXPECT_EQ(chart.Legend().text, "Map legend");
    QApplication::processEvents();
    EXPECT_LT(chart.PlotArea().left(), plotLeftWithLegend);

    TQNChart bubbles(&form, kChartBubble, 0, 0, 0, 300, 300, 3);
    bubbles.SetSeriesMarker(1, true, 9, 0);
    EXPECT_EQ(bubbles.SeriesStyle(1)->markerSize, 9);

    // A new Build clears NoData and every per-point style and label.
    chart.NoData = true;
    chart.Build(TDataContext{});
    EXPECT_FALSE(chart.NoData);
    EXPECT_EQ(chart.DrawnLabels().size(), 0u);
    EXPECT_EQ(chart.DrawnMarkerSize(2, 2), 6);  // back to the series' default marker
    EXPECT_EQ(chart.GetLine(0), "bad line number 0");
    EXPECT_EQ(chart.GetLine(1), "bad line number 1");

    chart.CopyToClipboard();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), chart.size());
}

TEST_F(ChartTest, DemoChartWithLabelsPlacedByEachCode) {
    QWidget window;
    window.setObjectName("FoChartDemo");
    window.resize(640, 480);
    TCVChart chart(&window, kChartXY, kChartCentreX | kChartTopAtY, 0, 0, 640, 480, 3);
    const std::vector<std::pair<int, std::string>> codes{{1, "Above"}, {2, "Below"}, {3, "Centre"},
                                                         {7, "Left"}, {8, "Right"}, {6, "Outside"}};
    chart.SetGridSize(1, static_cast<int>(2 * codes.size()));
    chart.SetXAxisScale(10, 1, 0, 100);
    chart.SetYAxisScale(6, 1, 0, 30);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const int series = static_cast<int>(i) + 1;
        chart.SetData(1, 2 * series - 1, 12.0 + 15.0 * static_cast<double>(i));
        chart.SetData(1, 2 * series, i % 2 ? 10.0 : 20.0);
        chart.SetPointStyles(series, 1, i % 2 ? 4 : 9, 10, i % 2 ? 0x0000C0 : 0x800000);
        chart.SetSeriesStyle(series, 1, codes[i].first, 0, codes[i].second, 9, 0, 0, 0, 0);
    }
    chart.SetSeriesStyle(6, 1, kLabelRight, 2, "Moved", 9, 1, 0x000080, 1.0, -1.0);
    chart.SetLegend("Placement codes\r\rone label per code", 10, 3, 2, 1);
    chart.SetRepaint(true);
    window.show();
    test::SaveScreenshotOfRunningTest(window);

    ASSERT_EQ(chart.DrawnLabels().size(), codes.size());
    for (const auto& label : chart.DrawnLabels()) {
        const QRectF& r = label.rect;
        if (label.text == "Above") {
            EXPECT_LT(r.bottom(), label.point.y());
        } else if (label.text == "Below") {
            EXPECT_GT(r.top(), label.point.y());
        } else if (label.text == "Centre") {
            EXPECT_TRUE(r.contains(label.point));
        } else if (label.text == "Left") {
            EXPECT_LT(r.right(), label.point.x());
        } else if (label.text == "Moved") {
            EXPECT_GT(r.top(), label.point.y());  // right, then a cell down
        }
    }
}

TEST_F(ChartTest, BubbleChartOverABackdropPicture) {
    // The backdrop: four quadrants in light colours, as the portfolio chart's picture.
    QImage quadrants(400, 400, QImage::Format_RGB32);
    QPainter painter(&quadrants);
    painter.fillRect(0, 0, 200, 200, QColor(255, 240, 200));
    painter.fillRect(200, 0, 200, 200, QColor(210, 240, 210));
    painter.fillRect(0, 200, 200, 200, QColor(220, 220, 250));
    painter.fillRect(200, 200, 200, 200, QColor(245, 220, 220));
    painter.end();
    const std::string picture = (config.path() / "quadrants.png").string();
    quadrants.save(QString::fromStdString(picture));

    QWidget window;
    window.setObjectName("FoBubbleDemo");
    window.resize(600, 500);
    TCVChart chart(&window, kChartBubble, kChartCentreX | kChartTopAtY, 0, 0, 600, 500, 3);
    chart.SetXAxisScale(1, 1, 0, 1);
    chart.SetYAxisScale(2, 1, -0.2, 0.2);
    const double items[][3] = {{0.2, 0.1, 400}, {0.7, 0.15, 100}, {0.4, -0.1, 900}, {0.85, -0.05, 50}};
    chart.SetGridSize(4, 3);
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 3; ++column) chart.SetData(row, column, items[row - 1][column - 1]);
        chart.SetPointColors(1, row, row % 2 ? 0x0000C0 : 0xC00000);
        chart.SetSeriesStyle(1, row, kLabelCentre, 0, "B" + std::to_string(row), 8, 1, 0xFFFFFF, 0, 0);
    }
    chart.SetPlotBackdrop(picture);
    chart.SetTitle("Portfolio", 12, 1, 0, 1);
    chart.SetRepaint(true);
    window.show();
    test::SaveScreenshotOfRunningTest(window);

    // Diameters grow with the square root of the size: 900 against 100 is 3 times.
    EXPECT_NEAR(chart.DrawnMarkerSize(1, 3), 3 * chart.DrawnMarkerSize(1, 2), 1e-9);
    EXPECT_EQ(chart.DrawnLabels().size(), 4u);
    // The backdrop fills the plot: a corner of the plot shows the picture's colour.
    const QImage shot = window.grab().toImage();
    const QRectF plot = chart.PlotArea();
    EXPECT_EQ(QColor(shot.pixel((plot.topLeft() + QPointF(4, 4)).toPoint())), QColor(255, 240, 200));

    // The program's backdrops are metafiles; a file that cannot be read shows none.
    chart.SetPlotBackdrop(std::string(CV_MEDIA_DIR) + "/LOGOCR.WMF");
    EXPECT_TRUE(chart.HasBackdropPicture());
    chart.SetPlotBackdrop((config.path() / "missing.wmf").string());
    EXPECT_FALSE(chart.HasBackdropPicture());
}

}  // namespace
}  // namespace cv

namespace cv {
namespace {

// Bars and pies draw row 1, one bar or slice per written column, named by its label.
TEST(ChartShapesTest, BarsAndPiesDrawTheWrittenColumnsWithTheirLabels) {
    QWidget form;
    form.resize(500, 400);
    for (const int type : {kChartBars, kChartPie}) {
        TQNChart chart(&form, type, 0, 0, 0, 500, 400, 3);
        chart.SetGridSize(1, 3);
        chart.SetData(1, 1, 30);
        chart.SetData(1, 3, 70);  // column 2 stays empty
        chart.SetSeriesStyle(1, 1, 1, 0, "A (30)", 8, 0, 0, 0, 0);
        chart.SetSeriesStyle(3, 1, 1, 0, "O (70)", 8, 0, 0, 0, 0);
        chart.SetPointColors(3, 1, 0x0000FF);
        chart.SetRepaint(true);
        form.show();
        ASSERT_EQ(chart.chart()->series().size(), 1) << type;
        if (type == kChartBars) {
            auto* bars = qobject_cast<QBarSeries*>(chart.chart()->series().front());
            ASSERT_NE(bars, nullptr);
            ASSERT_EQ(bars->count(), 2);
            EXPECT_EQ(bars->barSets()[0]->label(), "A (30)");
            EXPECT_EQ(bars->barSets()[1]->at(0), 70.0);
            EXPECT_EQ(bars->barSets()[1]->color(), QColor(255, 0, 0));  // platform 0x0000FF is red
        } else {
            auto* pie = qobject_cast<QPieSeries*>(chart.chart()->series().front());
            ASSERT_NE(pie, nullptr);
            ASSERT_EQ(pie->count(), 2);
            EXPECT_EQ(pie->slices()[1]->label(), "O (70)");
            EXPECT_DOUBLE_EQ(pie->slices()[1]->percentage(), 0.7);  // 70 of 100
        }
    }
}

// The texts the chart's scene draws.
QStringList DrawnTexts(TQNChart& chart) {
    QStringList texts;
    for (const QGraphicsItem* item : chart.scene()->items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item)) texts << text->toPlainText();
    return texts;
}

// The text block the chart's scene draws whose text starts with Start; none when there is none.
const QGraphicsTextItem* DrawnTextBlock(TQNChart& chart, const char* start) {
    for (const QGraphicsItem* item : chart.scene()->items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item); text && text->toPlainText().startsWith(start))
            return text;
    return nullptr;
}

// A chart of one point on Form, sized to it, shown with the text block Legend over it.
void ShowWithLegend(QWidget& form, TQNChart& chart, const std::string& legend) {
    chart.SetGridSize(1, 2);
    chart.SetData(1, 1, 1);
    chart.SetData(1, 2, 2);
    chart.SetLegend(legend, 10, 1, 2, 1);
    chart.SetRepaint(true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QApplication::processEvents();
}

// A title wider than a small chart is broken at its spaces onto more lines,
// every word drawn and none cut with "..."; its own line breaks stay. The
// title block over a map (a framed text block) wraps to the chart's width and
// takes at most a quarter of its height, dropping the empty lines between its
// lines when it would take more, then taking a smaller font down to a floor.
TEST(ChartShapesTest, SmallScreenTitlesAreDrawnWholeOnTheirLines) {
    QWidget form;
    form.resize(260, 200);
    TQNChart chart(&form, kChartXY, 0, 0, 0, 260, 200, 3);
    chart.SetGridSize(1, 2);
    chart.SetData(1, 1, 1);
    chart.SetData(1, 2, 2);
    const std::string title = "Unit market shares of every brand by segment\rin market M1 of zone NORTH";
    chart.SetTitle(title, 10, 1, 0, 0);
    chart.SetRepaint(true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QApplication::processEvents();
    const QString expected = QString::fromStdString(title).replace('\r', ' ');
    bool found = false;
    for (const QString& text : DrawnTexts(chart)) {
        if (!text.startsWith(QStringLiteral("Unit"))) continue;
        found = true;
        EXPECT_FALSE(text.contains(QStringLiteral("..."))) << text.toStdString();
        EXPECT_EQ(text.simplified(), expected) << text.toStdString();
        EXPECT_GE(text.count(QChar::LineSeparator) + text.count('\n'), 2) << text.toStdString();
    }
    EXPECT_TRUE(found);
    test::SaveScreenshotOfRunningTest(form);

    chart.SetTitle("", 10, 1, 0, 0);
    chart.SetLegend("Perceptual map: brands and ideal points\r\rAxes: the first two\r\rHorizontal: PRICE\r\r"
                    "Vertical: PERFORMANCE of the brands in the market",
                    10, 1, 2, 1);
    QApplication::processEvents();
    const QGraphicsTextItem* block = DrawnTextBlock(chart, "Perceptual");
    ASSERT_NE(block, nullptr);
    EXPECT_LE(block->boundingRect().width(), chart.chart()->size().width());
    EXPECT_FALSE(block->toPlainText().contains("\n\n")) << "the empty lines stay on a chart this small";
    EXPECT_TRUE(block->toPlainText().contains("PERFORMANCE of the brands"));
    // Still taller without them on a chart this small, the block takes the smallest font.
    EXPECT_EQ(block->font().pointSizeF(), 6.5);
    test::SaveScreenshotOfRunningTest(form);
}

// A map's four-line text block on a small screen's chart: lines long enough
// to wrap take a smaller font, so that the block keeps to a quarter of the
// chart's height and the plot keeps more than half of it.
TEST(ChartShapesTest, SmallScreenAMapsTextBlockKeepsToAQuarterOfTheChart) {
    QWidget form;
    form.resize(640, 337);
    TQNChart chart(&form, kChartXY, 0, 0, 0, 640, 337, 3);
    ShowWithLegend(form, chart,
                   "Perceptual map: brands and ideal points of the segments in market MOUNTAIN BIKES of zone NORTH "
                   "AMERICA\r\rDimensions of the perceptual map, from -20 to +20, as the study measured them "
                   "this period\r\rHorizontal: ECONOMY\r\rVertical: PERFORMANCE");
    const QGraphicsTextItem* block = DrawnTextBlock(chart, "Perceptual");
    ASSERT_NE(block, nullptr);
    EXPECT_LE(block->boundingRect().height(), chart.height() / 4.0);
    EXPECT_GE(block->font().pointSizeF(), 6.5);
    EXPECT_GT(chart.PlotArea().height(), chart.height() / 2.0);
    EXPECT_TRUE(block->toPlainText().contains("Vertical: PERFORMANCE"));
    test::SaveScreenshotOfRunningTest(form);
}

// On an automatic axis the highest labelled point leaves room above it: its
// label stands inside the plot, clear of the title.
TEST(ChartShapesTest, SmallScreenTheHighestPointsLabelStaysInThePlot) {
    QWidget form;
    form.resize(320, 240);
    TQNChart chart(&form, kChartXY, 0, 0, 0, 320, 240, 3);
    chart.SetGridSize(3, 2);
    for (int row : {1, 2, 3}) chart.SetData(row, 1, row), chart.SetData(row, 2, 50 * row - 50);
    chart.SetSeriesStyle(1, 3, kLabelAbove, 0, "Leaders (P3)", 8, 1, 0, 0, 0);
    chart.SetTitle("Segment sizes", 10, 1, 0, 0);
    chart.SetRepaint(true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QApplication::processEvents();
    auto* axis = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
    ASSERT_NE(axis, nullptr);
    EXPECT_GT(axis->max(), 100.0);
    const QGraphicsSimpleTextItem* label = nullptr;
    for (QGraphicsItem* item : chart.scene()->items())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item); text && text->text() == "Leaders (P3)") label = text;
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->sceneBoundingRect().top(), chart.chart()->plotArea().top());
    test::SaveScreenshotOfRunningTest(form);
}

// Labels kept apart: a label whose place is free keeps it; one that would
// lie over an earlier label or over another marker, or leave the bounds,
// moves to a free place beside its own marker.
TEST(LabelsApart, EachLabelTakesTheNearestFreePlaceBesideItsMarker) {
    const QRectF bounds(0, 0, 200, 100);
    const QSizeF size(40, 10);
    const auto at = [&](int code, const TMarkerDisc& marker) {
        return QRectF(LabelTopLeft(code, marker.centre, marker.diameter, size, {}), size);
    };
    const TMarkerDisc middle{{100, 50}, 10};
    struct TCase {
        const char* what;
        std::vector<TMarkerDisc> markers;  // the last one's label is placed last
        std::optional<QRectF> expectedLast;
    };
    const TCase cases[] = {
        {"free: where its code puts it", {middle}, at(kLabelAbove, middle)},
        // The second marker 12 px right of and 6 px below the first: above
        // and the upper corners are taken; the right side, the next nearest
        // to above, is free.
        {"taken: beside its own marker", {middle, {{112, 56}, 10}}, at(kLabelRight, {{112, 56}, 10})},
        // The second marker 4 px right of the first: above either one a label
        // lies as near the other, so the first goes aside and the second to
        // its upper right corner, 7 px out from its centre (5 + 2).
        {"as near another marker: where it reads as its own", {middle, {{104, 50}, 10}},
         QRectF(QPointF(104 + 7 / std::numbers::sqrt2, 50 - 7 / std::numbers::sqrt2 - 10), size)},
        // Near the top edge above and the upper corners would leave the bounds.
        {"at the edge: inside", {{{100, 8}, 6}}, at(kLabelRight, {{100, 8}, 6})},
        // A wide marker up to the right reaches into the places above and
        // above right, its centre outside both: the label goes clear of it.
        {"over another marker: clear of it", {{{120, 30}, 20}, middle}, std::nullopt},
    };
    for (const TCase& c : cases) {
        std::vector<TLabelToPlace> labels;
        for (std::size_t i = 0; i < c.markers.size(); ++i) labels.push_back({i, at(kLabelAbove, c.markers[i])});
        const std::vector<QRectF> rects = KeepLabelsApart(labels, c.markers, bounds);
        ASSERT_EQ(rects.size(), labels.size()) << c.what;
        const QRectF& last = rects.back();
        if (c.expectedLast) {
            EXPECT_EQ(last, *c.expectedLast) << c.what;
        }
        EXPECT_LT(GapToMarker(last, c.markers.back()), 2.5) << c.what;  // 2 px beside it
        for (std::size_t i = 0; i + 1 < rects.size(); ++i) {
            EXPECT_FALSE(rects[i].intersects(last)) << c.what;
            EXPECT_FALSE(LabelCoversMarker(last, c.markers[i])) << c.what;
        }
    }
}

// A crowded portfolio on a small screen's chart: thirty bubbles of nine-letter
// labels over the middle of the plot, many of them overlapping; every label
// beside its bubble, none over another, all inside the plot.
TEST(ChartShapesTest, SmallScreenCrowdedBubblesKeepTheirLabelsApartBesideThem) {
    constexpr int kBubbles = 30;
    QWidget form;
    form.setObjectName("FoCrowdedBubbles");
    form.resize(640, 340);
    TQNChart chart(&form, kChartBubble, 0, 0, 0, 640, 340, 3);
    chart.SetLabelsApart(true);
    chart.SetXAxisScale(1, 1, 0, 1);
    chart.SetYAxisScale(2, 1, 0, 0.1);
    chart.SetGridSize(kBubbles, 3);
    for (int row = 1; row <= kBubbles; ++row) {
        chart.SetData(row, 1, 0.2 + 0.7 * ((row * 37) % 100) / 100.0);
        chart.SetData(row, 2, 0.01 + 0.08 * ((row * 61) % 100) / 100.0);
        chart.SetData(row, 3, 20 + (row * 53) % 200);
        chart.SetSeriesStyle(1, row, row % 2 ? kLabelAbove : kLabelBelow, 0, "BRAND" + std::to_string(10 + row) + "-S",
                             8, 1, 0, 0, 0);
    }
    chart.SetTitle("Crowded portfolio", 14, 1, 0, 1);
    chart.SetTitleLayout();
    chart.SetRepaint(true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QApplication::processEvents();
    ASSERT_EQ(chart.DrawnLabels().size(), static_cast<std::size_t>(kBubbles));
    EXPECT_EQ(test::MarkerLabelFaults(chart, 14), std::vector<std::string>{});
    test::SaveScreenshotOfRunningTest(form);
}

TEST(ChartShapesTest, AnEmptyCellBreaksTheLineWhenAsked) {
    QWidget form;
    form.resize(400, 300);
    const auto lineCount = [&form](bool breakAtGaps) {
        TQNChart chart(&form, kChartXY, 0, 0, 0, 400, 300, 3);
        chart.BreakLinesAtGaps = breakAtGaps;
        chart.SetGridSize(5, 2);
        for (int row : {1, 2, 4, 5}) chart.SetData(row, 1, row), chart.SetData(row, 2, row);  // row 3 empty
        chart.SetRepaint(true);
        int lines = 0;
        for (QAbstractSeries* series : chart.chart()->series())
            if (auto* line = qobject_cast<QLineSeries*>(series)) {
                ++lines;
                EXPECT_EQ(line->count(), breakAtGaps ? 2 : 4);
            }
        return lines;
    };
    EXPECT_EQ(lineCount(false), 1);  // rows 1, 2, 4 and 5 joined
    EXPECT_EQ(lineCount(true), 2);   // rows 1 and 2, then rows 4 and 5
}

// Two series through the same points: the lines lie under every marker, and
// larger markers under smaller ones, so a marker ringing another's stays in view.
TEST(ChartShapesTest, LinesLieUnderMarkersAndLargerMarkersUnderSmallerOnes) {
    QWidget form;
    form.resize(400, 300);
    TQNChart chart(&form, kChartXY, 0, 0, 0, 400, 300, 3);
    chart.SetGridSize(2, 4);
    for (int row : {1, 2})
        for (int series : {1, 2}) {
            chart.SetData(row, 2 * series - 1, row), chart.SetData(row, 2 * series, 10);
            chart.SetPointStyles(series, row, 10, series == 1 ? 9 : 15, series == 1 ? 0 : 0xFF);
        }
    chart.SetRepaint(true);
    bool markersBegun = false;
    double lastSize = 1e9;
    for (QAbstractSeries* series : chart.chart()->series()) {
        if (auto* scatter = qobject_cast<QScatterSeries*>(series)) {
            markersBegun = true;
            EXPECT_LE(scatter->markerSize(), lastSize);
            lastSize = scatter->markerSize();
        } else {
            EXPECT_FALSE(markersBegun) << "a line over a marker";
        }
    }
    EXPECT_EQ(lastSize, 9.0);  // the small black markers last, on top
}

TEST(ChartShapesTest, AFlatSeriesGetsARangeFromZeroWithRoomAbove) {
    QWidget form;
    form.resize(400, 300);
    TQNChart chart(&form, kChartXY, 0, 0, 0, 400, 300, 3);
    chart.SetGridSize(2, 2);
    for (int row : {1, 2}) chart.SetData(row, 1, row), chart.SetData(row, 2, 100);
    chart.SetRepaint(true);
    auto* axis = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
    ASSERT_NE(axis, nullptr);
    // 0 .. 110 before the axis rounds its ends outwards.
    EXPECT_LE(axis->min(), 0.0);
    EXPECT_GE(axis->max(), 110.0);
}

// Periods 1 to 3 on an automatic axis: ticks at 1, 2 and 3, never at 1.5;
// values with fractions keep the rounded ticks between whole numbers.
TEST(ChartShapesTest, AnAxisOverWholeNumbersTicksOnlyAtWholeNumbers) {
    for (const double step : {1.0, 0.5}) {
        QWidget form;
        form.resize(400, 300);
        TQNChart chart(&form, kChartXY, 0, 0, 0, 400, 300, 3);
        chart.SetGridSize(3, 2);
        for (int row : {1, 2, 3}) chart.SetData(row, 1, 1 + (row - 1) * step), chart.SetData(row, 2, row * 10);
        chart.SetRepaint(true);
        auto* axis = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
        ASSERT_NE(axis, nullptr);
        if (step == 1.0) {
            EXPECT_EQ(axis->tickType(), QValueAxis::TicksDynamic);
            EXPECT_EQ(axis->tickInterval(), 1.0);
            EXPECT_EQ(axis->tickAnchor(), std::floor(axis->min()));
            EXPECT_EQ(axis->min(), std::round(axis->min()));
        } else {
            EXPECT_EQ(axis->tickType(), QValueAxis::TicksFixed);
        }
    }
}

TEST(ChartShapesTest, AxisNumberFormatLabelsEachMajorTick) {
    QWidget form;
    form.resize(500, 400);
    TQNChart chart(&form, kChartXY, 0, 0, 0, 500, 400, 3);
    chart.SetGridSize(1, 2);
    chart.SetData(1, 1, 0.5), chart.SetData(1, 2, 0.05);
    chart.SetYAxisScale(2, 1, -0.1, 0.1);
    chart.SetAxisNumberFormat(1, "0.0%");
    chart.SetAxisCrossing(0, -0.1);
    chart.SetRepaint(true);
    form.show();
    auto* axis = qobject_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
    ASSERT_NE(axis, nullptr);
    // -0.1 .. 0.1 in two steps: -10.0 %, 0.0 %, 10.0 %.
    EXPECT_EQ(axis->categoriesLabels(), (QStringList{"-10.0%", "0.0%", "10.0%"}));
    EXPECT_EQ(chart.Axis(0).crossing, -0.1);
}

}  // namespace
}  // namespace cv
