// Drawing of TQNChart: the series from the data grid and the styles, then the
// labels, the backdrop picture and the second text block over the plot.
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTextDocument>
#include <QValueAxis>
#include <cmath>
#include <tuple>

#include "ui/chart/label_placement.h"
#include "ui/chart/qn_chart.h"

namespace cv {

namespace {

constexpr int kDefaultMarkerSize = 6;
const QColor kDefaultBackdrop = Qt::white;  // a chart's own backdrop before any is set
constexpr double kBubbleShare = 0.2;   // the largest bubble's diameter, as a share of the chart's smaller side
constexpr double kSmallestBubble = 3.0;
constexpr int kBubbleAlpha = 200;
constexpr double kLegendPadding = 6.0;
constexpr int kChartMargin = 10;
constexpr qreal kBackdropZ = 0.5;  // above the plot's own fill, under the grid
constexpr qreal kLabelZ = 20;

// Series colours before any style gives one.
QColor DefaultSeriesColour(int series) {
    static const QColor colours[] = {QColor(0, 0, 160), QColor(160, 0, 0), QColor(0, 128, 0), QColor(128, 0, 128),
                                     QColor(0, 128, 128), QColor(128, 128, 0), Qt::black, QColor(255, 128, 0)};
    return colours[(series - 1) % 8];
}

// Marker style codes of the graphs: 3 star, 4 ring, 5 hollow square, 6 hollow
// diamond, 7 and 8 hollow triangles, 9 dot, 10 square, 11 diamond, 12 and 13
// triangles, anything else a dot.
struct TMarkerShape {
    QScatterSeries::MarkerShape shape;
    bool filled;
};

TMarkerShape MarkerShape(int style) {
    switch (style) {
        case 3: return {QScatterSeries::MarkerShapeStar, true};
        case 4: return {QScatterSeries::MarkerShapeCircle, false};
        case 5: return {QScatterSeries::MarkerShapeRectangle, false};
        case 6: return {QScatterSeries::MarkerShapeRotatedRectangle, false};
        case 7:
        case 8: return {QScatterSeries::MarkerShapeTriangle, false};
        case 10: return {QScatterSeries::MarkerShapeRectangle, true};
        case 11: return {QScatterSeries::MarkerShapeRotatedRectangle, true};
        case 12:
        case 13: return {QScatterSeries::MarkerShapeTriangle, true};
        default: return {QScatterSeries::MarkerShapeCircle, true};
    }
}

QString TextOf(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace('\r', '\n');
    return result;
}

}  // namespace

void TQNChart::Redraw() {
    QChart* view = chart();
    view->removeAllSeries();
    for (QAbstractAxis* axis : view->axes()) {
        view->removeAxis(axis);
        delete axis;
    }
    drawnPoints_.clear();
    const QBrush backdrop(backColour_.value_or(kDefaultBackdrop));
    view->setBackgroundBrush(backdrop);
    setBackgroundBrush(backdrop);
    view->setTitle(title_.visible ? TextOf(title_.text) : QString());
    view->setTitleFont(QFontOfChartFont(title_.font));
    view->setTitleBrush(title_.font.colour);
    ConfigureAxes();
    DrawSeries();
    PlaceLegend();
    PlaceBackdropPicture();
    PlaceLabels();
}

void TQNChart::ConfigureAxes() {
    for (int id = 0; id <= 1; ++id) {
        const TAxisSettings& settings = axes_[static_cast<std::size_t>(id)];
        auto* axis = new QValueAxis;
        axis->setLabelsFont(settings.labelFont);
        axis->setLabelFormat("%g");
        axis->setGridLinePen(QPen(settings.majorGrid.colour, settings.majorGrid.width, QtPenStyle(settings.majorGrid.style)));
        axis->setMinorGridLinePen(QPen(settings.minorGrid.colour, settings.minorGrid.width, QtPenStyle(settings.minorGrid.style)));
        if (!settings.automatic) {
            axis->setRange(settings.minimum, settings.maximum);
            axis->setTickCount(std::max(2, settings.major + 1));
            axis->setMinorTickCount(std::max(0, settings.minor - 1));
        }
        if (settings.titleVisible) {
            axis->setTitleText(TextOf(settings.title));
            axis->setTitleFont(QFontOfChartFont(settings.titleFont));
            axis->setTitleBrush(settings.titleFont.colour);
        }
        chart()->addAxis(axis, id == 0 ? Qt::AlignBottom : Qt::AlignLeft);
    }
}

void TQNChart::DrawSeries() {
    if (chartType_ == kChartXY) {
        for (int series = 1; 2 * series <= columns_; ++series) DrawXYSeries(series, drawnPoints_);
    } else if (chartType_ == kChartBubble) {
        double largest = 0;
        for (int row = 1; row <= rows_; ++row)
            for (int column = 3; column <= columns_; column += 3) largest = std::max(largest, Data(row, column).value_or(0));
        for (int series = 1; 3 * series <= columns_; ++series) DrawBubbleSeries(series, largest, drawnPoints_);
    }
    for (QAbstractSeries* series : chart()->series())
        for (QAbstractAxis* axis : chart()->axes()) series->attachAxis(axis);
    // Automatic axes take the range of what is drawn.
    for (int id = 0; id <= 1; ++id)
        if (axes_[static_cast<std::size_t>(id)].automatic)
            if (auto* axis = qobject_cast<QValueAxis*>(chart()->axes(id == 0 ? Qt::Horizontal : Qt::Vertical).value(0))) {
                double low = 0, high = 1;
                bool first = true;
                for (const TDrawnPoint& point : drawnPoints_) {
                    const double v = id == 0 ? point.value.x() : point.value.y();
                    low = first ? v : std::min(low, v), high = first ? v : std::max(high, v), first = false;
                }
                axis->setRange(low, high > low ? high : low + 1);
                axis->applyNiceNumbers();
            }
}

void TQNChart::DrawXYSeries(int series, std::vector<TDrawnPoint>& drawn) {
    const TSeriesStyle& style = series_[series];
    const QColor seriesColour = style.markerColour.value_or(DefaultSeriesColour(series));
    QList<QPointF> line;
    // One scatter series per marker shape, colour and size.
    std::map<std::tuple<int, QRgb, double>, QScatterSeries*> markers;
    for (int row = 1; row <= rows_; ++row) {
        const std::optional<double> x = Data(row, 2 * series - 1), y = Data(row, 2 * series);
        if (!x || !y) continue;
        line.append(QPointF(*x, *y));
        const auto found = style.points.find(row);
        const TPointStyle* point = found == style.points.end() ? nullptr : &found->second;
        TDrawnPoint entry{series, row, QPointF(*x, *y), nullptr, 0, point ? point->label : TChartLabel()};
        const bool styled = point && point->markerStyle;
        if (styled || style.markerShown) {
            const int shapeCode = styled ? *point->markerStyle : -1;
            const QColor colour = point && point->colour ? *point->colour : seriesColour;
            entry.markerSize = styled ? point->markerSize : style.markerSize.value_or(kDefaultMarkerSize);
            QScatterSeries*& scatter = markers[{shapeCode, colour.rgb(), entry.markerSize}];
            if (!scatter) {
                scatter = new QScatterSeries;
                const TMarkerShape shape = MarkerShape(shapeCode);
                scatter->setMarkerShape(shape.shape);
                scatter->setColor(shape.filled ? colour : QColor(Qt::transparent));
                scatter->setBorderColor(colour);
                scatter->setPen(QPen(colour, 1.0));
                scatter->setMarkerSize(entry.markerSize);
            }
            scatter->append(entry.value);
            entry.drawnIn = scatter;
        }
        drawn.push_back(entry);
    }
    const TChartPen pen = style.pen.value_or(TChartPen{1, 1.0, seriesColour});
    if (line.size() >= 2 && pen.style != 0) {
        auto* lineSeries = new QLineSeries;
        lineSeries->append(line);
        lineSeries->setPen(QPen(pen.colour, pen.width, QtPenStyle(pen.style)));
        chart()->addSeries(lineSeries);
    }
    for (auto& [key, scatter] : markers) chart()->addSeries(scatter);
    for (TDrawnPoint& entry : drawn)
        if (entry.series == series && !entry.drawnIn && !chart()->series().isEmpty())
            entry.drawnIn = chart()->series().back();
}

void TQNChart::DrawBubbleSeries(int series, double largestSize, std::vector<TDrawnPoint>& drawn) {
    const TSeriesStyle& style = series_[series];
    const double largestDiameter = kBubbleShare * std::min(width(), height());
    std::map<std::pair<QRgb, double>, QScatterSeries*> bubbles;
    for (int row = 1; row <= rows_; ++row) {
        const std::optional<double> x = Data(row, 3 * series - 2), y = Data(row, 3 * series - 1),
                                    size = Data(row, 3 * series);
        if (!x || !y || !size || *size <= 0) continue;
        const auto found = style.points.find(row);
        const TPointStyle* point = found == style.points.end() ? nullptr : &found->second;
        QColor colour = point && point->colour ? *point->colour : DefaultSeriesColour(series);
        colour.setAlpha(kBubbleAlpha);
        const double diameter = std::max(kSmallestBubble, largestDiameter * std::sqrt(*size / largestSize));
        QScatterSeries*& scatter = bubbles[{colour.rgba(), diameter}];
        if (!scatter) {
            scatter = new QScatterSeries;
            scatter->setColor(colour);
            scatter->setBorderColor(colour.darker());
            scatter->setMarkerSize(diameter);
        }
        scatter->append(*x, *y);
        drawn.push_back({series, row, QPointF(*x, *y), scatter, diameter, point ? point->label : TChartLabel()});
    }
    for (auto& [key, scatter] : bubbles) chart()->addSeries(scatter);
}

double TQNChart::DrawnMarkerSize(int series, int point) const {
    for (const TDrawnPoint& drawn : drawnPoints_)
        if (drawn.series == series && drawn.point == point) return drawn.drawnIn ? drawn.markerSize : 0;
    return 0;
}

QRectF TQNChart::PlotArea() const { return chart()->plotArea(); }

void TQNChart::PlaceLabels() {
    for (QGraphicsItem* item : overlay_) delete item;
    overlay_.clear();
    drawnLabels_.clear();
    if (!repaint_) return;
    const auto place = [&](const TChartLabel& label, QPointF position, double markerSize) {
        if (label.text.empty() || label.location == kLabelNone) return;
        auto* text = new QGraphicsSimpleTextItem(TextOf(label.text), chart());
        text->setFont(QFontOfChartFont(label.font));
        text->setBrush(label.font.colour);
        const QRectF bounds = text->boundingRect();
        const QPointF offset(label.offsetX, label.offsetY);
        const QPointF topLeft = LabelTopLeft(label.location, position, markerSize, bounds.size(), offset);
        text->setPos(topLeft);
        text->setZValue(kLabelZ + 1);
        overlay_.push_back(text);
        const QRectF rect(topLeft, bounds.size());
        if (label.boxed) {
            auto* box = new QGraphicsRectItem(rect.adjusted(-2, -1, 2, 1), chart());
            box->setBrush(Qt::white);
            box->setPen(QPen(Qt::black, 1));
            box->setZValue(kLabelZ);
            overlay_.push_back(box);
        }
        if (label.leaderStyle != 0 && (label.offsetX != 0 || label.offsetY != 0)) {
            const QPointF from(std::clamp(position.x(), rect.left(), rect.right()),
                               std::clamp(position.y(), rect.top(), rect.bottom()));
            auto* leader = new QGraphicsLineItem(QLineF(from, position), chart());
            leader->setPen(QPen(label.font.colour, 1));
            leader->setZValue(kLabelZ);
            overlay_.push_back(leader);
        }
        drawnLabels_.push_back({label.text, rect, position});
    };
    std::map<int, std::pair<QPointF, int>> seriesCentres;
    for (const TDrawnPoint& point : drawnPoints_) {
        const QPointF position = chart()->mapToPosition(point.value, point.drawnIn);
        place(point.label, position, point.markerSize);
        auto& [sum, count] = seriesCentres[point.series];
        sum += position;
        ++count;
    }
    for (const auto& [number, style] : series_)
        if (style.seriesLabel && seriesCentres.count(number))
            place(*style.seriesLabel, seriesCentres[number].first / seriesCentres[number].second, 0);
}

void TQNChart::PlaceBackdropPicture() {
    delete backdropItem_;
    backdropItem_ = nullptr;
    if (!repaint_ || backdropFile_.empty()) return;
    const QRectF plot = chart()->plotArea();
    const QImage picture = LoadPicture(backdropFile_, plot.size().toSize());
    if (picture.isNull()) return;
    auto* item = new QGraphicsPixmapItem(QPixmap::fromImage(picture.scaled(plot.size().toSize())), chart());
    item->setPos(plot.topLeft());
    item->setZValue(kBackdropZ);
    backdropItem_ = item;
}

void TQNChart::PlaceLegend() {
    delete legendItem_;
    legendItem_ = nullptr;
    const QMargins plain(kChartMargin, kChartMargin, kChartMargin, kChartMargin);
    if (!repaint_ || !legend_.visible) {
        if (chart()->margins() != plain) chart()->setMargins(plain);
        return;
    }
    auto* block = new QGraphicsTextItem(chart());
    block->setFont(QFontOfChartFont(legend_.font));
    block->setDefaultTextColor(legend_.font.colour);
    block->setPlainText(TextOf(legend_.text));
    QTextOption option = block->document()->defaultTextOption();
    option.setAlignment(legend_.alignment == 2 ? Qt::AlignHCenter : legend_.alignment == 1 ? Qt::AlignRight : Qt::AlignLeft);
    block->document()->setDefaultTextOption(option);
    block->setTextWidth(block->document()->idealWidth());
    const QSizeF size = block->boundingRect().size();
    const QRectF area = chart()->rect();
    QMargins margins = plain;
    QPointF position;
    switch (legend_.location) {
        case 3: margins.setLeft(int(size.width() + 2 * kLegendPadding)); position = {kLegendPadding, (area.height() - size.height()) / 2}; break;
        case 4: margins.setRight(int(size.width() + 2 * kLegendPadding)); position = {area.width() - size.width() - kLegendPadding, (area.height() - size.height()) / 2}; break;
        case 5: case 6: case 7: margins.setBottom(int(size.height() + kLegendPadding)); position = {(area.width() - size.width()) / 2, area.height() - size.height() - kLegendPadding / 2}; break;
        default: margins.setTop(int(size.height() + kLegendPadding)); position = {(area.width() - size.width()) / 2, kLegendPadding / 2}; break;
    }
    block->setPos(position);
    block->setZValue(kLabelZ);
    legendItem_ = block;
    if (legend_.framed) {
        auto* frame = new QGraphicsRectItem(block->boundingRect(), block);
        frame->setPen(QPen(Qt::black, 1));
    }
    // Last: a new margin lays the chart out again, which places the legend anew.
    if (chart()->margins() != margins) chart()->setMargins(margins);
}

}  // namespace cv
