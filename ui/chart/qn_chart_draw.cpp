// Drawing of TQNChart: the series from the data grid and the styles, then the
// labels, the backdrop picture and the second text block over the plot.
#include <QFontMetrics>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QPainter>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QLineSeries>
#include <QPieSeries>
#include <QScatterSeries>
#include <QTextDocument>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "ui/chart/label_placement.h"
#include "ui/chart/labels_apart.h"
#include "ui/sheet/number_format.h"
#include "ui/chart/qn_chart.h"

namespace cv {

namespace {

constexpr int kDefaultMarkerSize = 6;
const QColor kDefaultBackdrop = Qt::white;  // a chart's own backdrop before any is set
constexpr double kBubbleShare = 0.2;   // the largest bubble's diameter, as a share of the chart's smaller side
constexpr double kSmallestBubble = 3.0;
constexpr int kBubbleAlpha = 200;
constexpr double kLegendPadding = 6.0;
constexpr double kSmallestLegendFont = 6.5;  // points
constexpr double kLegendFontStep = 0.5;
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

// The chart draws its title as HTML on one line per line break and cuts a
// line longer than its width with "...": each line of Text is broken at
// spaces into lines of at most Width pixels in Font (a word longer than that
// stands alone), escaped, joined by HTML line breaks and centred.
QString WrappedTitle(const std::string& text, const QFont& font, int width) {
    const QFontMetrics metrics(font);
    QStringList lines;
    for (const QString& line : QString::fromStdString(text).replace('\r', '\n').split('\n')) {
        QString current;
        for (const QString& word : line.split(' ', Qt::SkipEmptyParts)) {
            const QString longer = current.isEmpty() ? word : current + ' ' + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                lines << current.toHtmlEscaped();
                current = word;
            } else {
                current = longer;
            }
        }
        lines << current.toHtmlEscaped();
    }
    return QStringLiteral("<center>") + lines.join(QStringLiteral("<br>")) + QStringLiteral("</center>");
}

QString TextOf(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace('\r', '\n');
    return result;
}

// A value axis whose labels stand at its major ticks in the axis's number
// format, or blank.
QAbstractAxis* FormattedAxis(const TAxisSettings& settings) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(settings.minimum, settings.maximum);
    const int steps = std::max(1, settings.major);
    for (int step = 0; step <= steps; ++step) {
        const double value = settings.minimum + (settings.maximum - settings.minimum) * step / steps;
        // Category labels must differ: blank ones are told apart by trailing spaces.
        const QString text = settings.labelsBlank ? QString(step, ' ')
                                                  : QString::fromStdString(FormatNumber(value, settings.numberFormat).text);
        axis->append(text, value);
    }
    return axis;
}

// A range of about five round steps around Low..High.
TAxisSettings RoundedRange(TAxisSettings settings, double low, double high) {
    if (high <= low) high = low + 1;
    const double raw = (high - low) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    const double step = (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * magnitude;
    settings.automatic = false;
    settings.minimum = std::floor(low / step) * step;
    settings.maximum = std::ceil(high / step) * step;
    settings.major = static_cast<int>(std::lround((settings.maximum - settings.minimum) / step));
    return settings;
}

QAbstractAxis* ValueAxis(const TAxisSettings& settings) {
    if (!settings.automatic && (settings.labelsBlank || !settings.numberFormat.empty())) return FormattedAxis(settings);
    auto* axis = new QValueAxis;
    axis->setLabelFormat("%g");
    if (!settings.automatic) {
        axis->setRange(settings.minimum, settings.maximum);
        axis->setTickCount(std::max(2, settings.major + 1));
        axis->setMinorTickCount(std::max(0, settings.minor - 1));
    }
    return axis;
}

// The most ticks an axis over whole numbers gets.
constexpr int kMaxWholeTicks = 10;

// An axis over whole numbers only (periods, counts) never ticks between them:
// where the rounded ticks fall closer than 1, it ticks at each whole number
// (or every few on a long range).
void KeepWholeTicks(QValueAxis& axis) {
    const double span = axis.max() - axis.min();
    if (axis.tickCount() < 2 || span / (axis.tickCount() - 1) >= 1) return;
    const double low = std::floor(axis.min()), high = std::ceil(axis.max());
    axis.setRange(low, std::max(high, low + 1));
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setTickAnchor(low);
    axis.setTickInterval(std::max(1.0, std::ceil((high - low) / kMaxWholeTicks)));
    axis.setLabelFormat("%.0f");
}

// Picture with its four quarters stretched so that they meet at Split
// instead of at its centre.
QImage SplitPicture(const QImage& picture, QPointF split) {
    const QPointF centre(picture.width() / 2.0, picture.height() / 2.0);
    if (std::abs(split.x() - centre.x()) < 0.5 && std::abs(split.y() - centre.y()) < 0.5) return picture;
    QImage result(picture.size(), picture.format());
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double xs[] = {0, centre.x(), double(picture.width())}, ys[] = {0, centre.y(), double(picture.height())};
    const double toX[] = {0, split.x(), double(picture.width())}, toY[] = {0, split.y(), double(picture.height())};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            painter.drawImage(QRectF(QPointF(toX[i], toY[j]), QPointF(toX[i + 1], toY[j + 1])), picture,
                              QRectF(QPointF(xs[i], ys[j]), QPointF(xs[i + 1], ys[j + 1])));
    return result;
}

}  // namespace

void TQNChart::Redraw() {
    ++redrawCount_;
    QChart* view = chart();
    view->removeAllSeries();
    for (QAbstractAxis* axis : view->axes()) {
        // Hidden first: a category axis removed while shown leaves its labels drawn.
        axis->setVisible(false);
        view->removeAxis(axis);
        delete axis;
    }
    drawnPoints_.clear();
    const QBrush backdrop(backColour_.value_or(kDefaultBackdrop));
    view->setBackgroundBrush(backdrop);
    setBackgroundBrush(backdrop);
    ShowTitle();
    view->setTitleBrush(title_.font.colour);
    ConfigureAxes();
    DrawSeries();
    PlaceLegend();
    PlaceBackdropPicture();
    PlaceLabels();
}

// The room the chart's layout leaves its title: the chart's width less its
// margins and the text's own margins on both sides.
void TQNChart::ShowTitle() {
    constexpr int kTextMargins = 2 * 4;
    QChart* view = chart();
    const QFont font = QFontOfChartFont(title_.font);
    view->setTitleFont(font);
    // Before the chart has a size its lines stay whole; the first resize breaks them.
    const int width = view->size().width() > 0 ? static_cast<int>(view->size().width()) - view->margins().left() -
                                                     view->margins().right() - kTextMargins
                                               : std::numeric_limits<int>::max();
    view->setTitle(title_.visible ? WrappedTitle(title_.text, font, std::max(width, 1)) : QString());
}

void TQNChart::ConfigureAxes() {
    if (chartType_ == kChartPie) return;
    for (int id = 0; id <= 1; ++id) {
        const TAxisSettings& settings = axes_[static_cast<std::size_t>(id)];
        QAbstractAxis* axis = nullptr;
        if (id == 0 && chartType_ == kChartBars) {
            auto* categories = new QBarCategoryAxis;
            categories->append(QStringLiteral(" "));
            axis = categories;
        } else if (settings.automatic && !settings.numberFormat.empty()) {
            const auto [low, high] = GridRange(id);
            axis = ValueAxis(RoundedRange(settings, low, high));
        } else {
            axis = ValueAxis(settings);
        }
        axis->setLabelsFont(settings.labelFont);
        axis->setGridLinePen(QPen(settings.majorGrid.colour, settings.majorGrid.width, QtPenStyle(settings.majorGrid.style)));
        axis->setMinorGridLinePen(QPen(settings.minorGrid.colour, settings.minorGrid.width, QtPenStyle(settings.minorGrid.style)));
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
        // Lines under every marker, larger markers under smaller ones: a
        // marker that rings another's at the same point leaves it in view.
        std::vector<QScatterSeries*> markers;
        for (int series = 1; 2 * series <= columns_; ++series) DrawXYSeries(series, drawnPoints_, markers);
        std::stable_sort(markers.begin(), markers.end(),
                         [](const QScatterSeries* a, const QScatterSeries* b) { return a->markerSize() > b->markerSize(); });
        for (QScatterSeries* scatter : markers) chart()->addSeries(scatter);
    } else if (chartType_ == kChartBubble) {
        double largest = 0;
        for (int row = 1; row <= rows_; ++row)
            for (int column = 3; column <= columns_; column += 3) largest = std::max(largest, Data(row, column).value_or(0));
        for (int series = 1; 3 * series <= columns_; ++series) DrawBubbleSeries(series, largest, drawnPoints_);
    } else if (chartType_ == kChartBars) {
        DrawBars();
    } else if (chartType_ == kChartPie) {
        DrawPie();
    }
    if (chartType_ != kChartBars && chartType_ != kChartPie) chart()->legend()->setVisible(false);
    for (QAbstractSeries* series : chart()->series())
        for (QAbstractAxis* axis : chart()->axes()) series->attachAxis(axis);
    // Automatic axes take the range of what is drawn.
    for (int id = 0; id <= 1; ++id)
        if (axes_[static_cast<std::size_t>(id)].automatic)
            if (auto* axis = qobject_cast<QValueAxis*>(chart()->axes(id == 0 ? Qt::Horizontal : Qt::Vertical).value(0))) {
                double low = 0, high = 1;
                bool first = chartType_ != kChartBars;  // bars stand on 0
                bool allWhole = !drawnPoints_.empty();
                bool labelled = false;
                for (const TDrawnPoint& point : drawnPoints_) {
                    const double v = id == 0 ? point.value.x() : point.value.y();
                    low = first ? v : std::min(low, v), high = first ? v : std::max(high, v), first = false;
                    allWhole = allWhole && v == std::round(v);
                    labelled = labelled || !point.label.text.empty();
                }
                // A flat series stands inside a range from 0 with a tenth more room, not on an edge.
                if (high <= low) low = std::min(low, 0.0) * 1.1, high = std::max(high, 0.0) * 1.1;
                // Labelled points get a tenth more room above, so that the highest one's
                // label stays in the plot, clear of the title.
                else if (id == 1 && labelled) high += (high - low) / 10;
                axis->setRange(low, high > low ? high : low + 1);
                axis->applyNiceNumbers();
                if (allWhole) KeepWholeTicks(*axis);
            }
}

void TQNChart::DrawXYSeries(int series, std::vector<TDrawnPoint>& drawn, std::vector<QScatterSeries*>& markerSeries) {
    const TSeriesStyle& style = series_[series];
    const QColor seriesColour = style.markerColour.value_or(DefaultSeriesColour(series));
    std::vector<QList<QPointF>> lines(1);
    // One scatter series per marker shape, colour and size.
    std::map<std::tuple<int, QRgb, double>, QScatterSeries*> markers;
    for (int row = 1; row <= rows_; ++row) {
        const std::optional<double> x = Data(row, 2 * series - 1), y = Data(row, 2 * series);
        if (!x || !y) {
            if (BreakLinesAtGaps && !lines.back().isEmpty()) lines.emplace_back();
            continue;
        }
        lines.back().append(QPointF(*x, *y));
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
    for (const QList<QPointF>& line : lines)
        if (line.size() >= 2 && pen.style != 0) {
            auto* lineSeries = new QLineSeries;
            lineSeries->append(line);
            lineSeries->setPen(QPen(pen.colour, pen.width, QtPenStyle(pen.style)));
            chart()->addSeries(lineSeries);
        }
    for (auto& [key, scatter] : markers) markerSeries.push_back(scatter);
    for (TDrawnPoint& entry : drawn)
        if (entry.series == series && !entry.drawnIn && !chart()->series().isEmpty())
            entry.drawnIn = chart()->series().back();
}

void TQNChart::DrawBubbleSeries(int series, double largestSize, std::vector<TDrawnPoint>& drawn) {
    const TSeriesStyle& style = series_[series];
    const double largestDiameter = kBubbleShare * std::min(width(), height());
    std::map<std::pair<QRgb, double>, QScatterSeries*> bubbles;
    // Points of size 0 draw no disc but carry their label (axis markers).
    QScatterSeries* anchors = nullptr;
    for (int row = 1; row <= rows_; ++row) {
        const std::optional<double> x = Data(row, 3 * series - 2), y = Data(row, 3 * series - 1),
                                    size = Data(row, 3 * series);
        if (!x || !y || !size || *size < 0) continue;
        const auto found = style.points.find(row);
        const TPointStyle* point = found == style.points.end() ? nullptr : &found->second;
        if (*size == 0) {
            if (!point || point->label.text.empty()) continue;
            if (!anchors) {
                anchors = new QScatterSeries;
                anchors->setColor(Qt::transparent);
                anchors->setBorderColor(Qt::transparent);
                anchors->setMarkerSize(1);
            }
            anchors->append(*x, *y);
            drawn.push_back({series, row, QPointF(*x, *y), anchors, 0, point->label});
            continue;
        }
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
    if (anchors) chart()->addSeries(anchors);
}

std::pair<double, double> TQNChart::GridRange(int axisId) const {
    double low = 0, high = 0;
    bool first = chartType_ == kChartXY || chartType_ == kChartBubble;  // bars and pies start at 0
    const int stride = chartType_ == kChartBubble ? 3 : chartType_ == kChartXY ? 2 : 1;
    const int offset = chartType_ == kChartXY || chartType_ == kChartBubble ? axisId : 0;
    for (int row = 1; row <= rows_; ++row)
        for (int column = 1 + offset; column <= columns_; column += stride)
            if (const std::optional<double> value = Data(row, column)) {
                low = first ? *value : std::min(low, *value), high = first ? *value : std::max(high, *value);
                first = false;
            }
    return {low, high};
}

QColor TQNChart::ColumnColour(int column) const {
    const auto found = series_.find(column);
    if (found == series_.end()) return DefaultSeriesColour(column);
    const auto point = found->second.points.find(1);
    if (point != found->second.points.end() && point->second.colour) return *point->second.colour;
    return found->second.markerColour.value_or(DefaultSeriesColour(column));
}

// Row 1: one bar per written column, side by side, named by its point label.
void TQNChart::DrawBars() {
    auto* bars = new QBarSeries;
    for (int column = 1; column <= columns_; ++column) {
        const std::optional<double> value = Data(1, column);
        if (!value) continue;
        const TSeriesStyle* style = SeriesStyle(column);
        const auto point = style ? style->points.find(1) : std::map<int, TPointStyle>::const_iterator();
        const bool labelled = style && point != style->points.end();
        auto* set = new QBarSet(labelled ? TextOf(point->second.label.text) : QString());
        set->append(*value);
        set->setColor(ColumnColour(column));
        bars->append(set);
        drawnPoints_.push_back({column, 1, QPointF(column, *value), bars, 0, TChartLabel()});
    }
    chart()->addSeries(bars);
    chart()->legend()->setVisible(repaint_ && !bars->barSets().isEmpty());
    chart()->legend()->setAlignment(Qt::AlignRight);
}

// Row 1: one slice per written column, labelled outside with its point label.
void TQNChart::DrawPie() {
    auto* pie = new QPieSeries;
    for (int column = 1; column <= columns_; ++column) {
        const std::optional<double> value = Data(1, column);
        if (!value || *value <= 0) continue;
        const TSeriesStyle* style = SeriesStyle(column);
        const auto point = style ? style->points.find(1) : std::map<int, TPointStyle>::const_iterator();
        const bool labelled = style && point != style->points.end();
        QPieSlice* slice = pie->append(labelled ? TextOf(point->second.label.text) : QString(), *value);
        slice->setColor(ColumnColour(column));
        slice->setLabelVisible(labelled);
        slice->setLabelFont(ChartFont());
        drawnPoints_.push_back({column, 1, QPointF(column, *value), pie, 0, TChartLabel()});
    }
    pie->setPieSize(0.6);
    chart()->addSeries(pie);
    chart()->legend()->setVisible(false);
}

// An axis drawn where the other axis has a given value: a line across the plot.
void TQNChart::DrawAxisCrossings() {
    if (chartType_ == kChartPie || chartType_ == kChartBars || chart()->series().isEmpty()) return;
    QAbstractSeries* reference = chart()->series().front();
    for (int id = 0; id <= 1; ++id) {
        const TAxisSettings& settings = axes_[static_cast<std::size_t>(id)];
        if (!settings.crossing) continue;
        // The category axis (0) lies horizontally over its own range at a
        // value of the value axis; the value axis vertically at a category.
        const QPointF from = id == 0 ? QPointF(settings.minimum, *settings.crossing) : QPointF(*settings.crossing, settings.minimum);
        const QPointF to = id == 0 ? QPointF(settings.maximum, *settings.crossing) : QPointF(*settings.crossing, settings.maximum);
        auto* line = new QGraphicsLineItem(QLineF(chart()->mapToPosition(from, reference), chart()->mapToPosition(to, reference)),
                                           chart());
        line->setPen(QPen(Qt::black, 1));
        line->setZValue(kLabelZ - 1);
        overlay_.push_back(line);
    }
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
    drawnMarkers_.clear();
    if (!repaint_) return;
    // Each label beside its point by its placement code and offsets.
    struct TPlaced {
        const TChartLabel* label;
        QPointF position;
        double markerSize;
        int marker;
        QGraphicsSimpleTextItem* text;
        QRectF rect;
        bool leader = false;
    };
    std::vector<TPlaced> placed;
    const auto add = [&](const TChartLabel& label, QPointF position, double markerSize, int marker) {
        if (label.text.empty() || label.location == kLabelNone) return;
        auto* text = new QGraphicsSimpleTextItem(TextOf(label.text), chart());
        text->setFont(QFontOfChartFont(label.font));
        text->setBrush(label.font.colour);
        text->setZValue(kLabelZ + 1);
        overlay_.push_back(text);
        const QSizeF size = text->boundingRect().size();
        const QPointF offset(label.offsetX, label.offsetY);
        placed.push_back({&label, position, markerSize, marker, text,
                          QRectF(LabelTopLeft(label.location, position, markerSize, size, offset), size)});
    };
    std::map<int, std::pair<QPointF, int>> seriesCentres;
    for (const TDrawnPoint& point : drawnPoints_) {
        const QPointF position = chart()->mapToPosition(point.value, point.drawnIn);
        int marker = -1;
        if (point.drawnIn && point.markerSize > 0) {
            marker = static_cast<int>(drawnMarkers_.size());
            drawnMarkers_.push_back({position, point.markerSize});
        }
        add(point.label, position, point.markerSize, marker);
        auto& [sum, count] = seriesCentres[point.series];
        sum += position;
        ++count;
    }
    for (const auto& [number, style] : series_)
        if (style.seriesLabel && seriesCentres.count(number))
            add(*style.seriesLabel, seriesCentres[number].first / seriesCentres[number].second, 0, -1);
    if (labelsApart_) {
        // The labels of drawn markers move apart inside the plot; the others keep their places.
        std::vector<TPlaced*> moving;
        std::vector<TLabelToPlace> toPlace;
        for (TPlaced& label : placed)
            if (label.marker >= 0) {
                moving.push_back(&label);
                toPlace.push_back({static_cast<std::size_t>(label.marker), label.rect});
            }
        const std::vector<QRectF> rects = KeepLabelsApart(toPlace, drawnMarkers_, chart()->plotArea());
        for (std::size_t i = 0; i < moving.size(); ++i) {
            TPlaced& label = *moving[i];
            label.leader = NeedsLeader(rects[i], drawnMarkers_[toPlace[i].marker]);
            label.rect = rects[i];
        }
    }
    for (const TPlaced& label : placed) {
        label.text->setPos(label.rect.topLeft());
        if (label.label->boxed) {
            auto* box = new QGraphicsRectItem(label.rect.adjusted(-2, -1, 2, 1), chart());
            box->setBrush(Qt::white);
            box->setPen(QPen(Qt::black, 1));
            box->setZValue(kLabelZ);
            overlay_.push_back(box);
        }
        const bool offsetLeader =
            label.label->leaderStyle != 0 && (label.label->offsetX != 0 || label.label->offsetY != 0);
        if (offsetLeader || label.leader) {
            // A line to a kept-apart label's marker ends at the marker's edge.
            const QLineF line = LeaderLine(label.rect, {label.position, label.leader ? label.markerSize : 0});
            auto* leader = new QGraphicsLineItem(line, chart());
            leader->setPen(QPen(label.label->font.colour, 1));
            leader->setZValue(kLabelZ);
            overlay_.push_back(leader);
        }
        drawnLabels_.push_back({label.label->text, label.rect, label.position, label.markerSize, label.marker,
                                offsetLeader || label.leader});
    }
    DrawAxisCrossings();
}

void TQNChart::PlaceBackdropPicture() {
    delete backdropItem_;
    backdropItem_ = nullptr;
    if (!repaint_ || backdropFile_.empty()) return;
    const QRectF plot = chart()->plotArea();
    const QSize size = plot.size().toSize();
    backdropSplit_ = plot.center();
    if (size.isEmpty()) return;  // not laid out yet
    const QImage picture = LoadPicture(backdropFile_, size);
    if (picture.isNull()) return;
    if (backdropCentre_ && !chart()->series().isEmpty()) {
        const QPointF at = chart()->mapToPosition(*backdropCentre_, chart()->series().front());
        backdropSplit_ = QPointF(std::clamp(at.x(), plot.left(), plot.right()), std::clamp(at.y(), plot.top(), plot.bottom()));
    }
    auto* item = new QGraphicsPixmapItem(QPixmap::fromImage(SplitPicture(picture.scaled(size), backdropSplit_ - plot.topLeft())),
                                        chart());
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
    QString text = TextOf(legend_.text);
    block->setPlainText(text);
    QTextOption option = block->document()->defaultTextOption();
    option.setAlignment(legend_.alignment == 2 ? Qt::AlignHCenter : legend_.alignment == 1 ? Qt::AlignRight : Qt::AlignLeft);
    block->document()->setDefaultTextOption(option);
    const QRectF area = chart()->rect();
    // A line wider than the chart wraps; a block that would take more than a
    // quarter of the chart's height drops the empty lines between its lines,
    // then takes a smaller font, down to a floor that stays readable.
    const auto fit = [&] {
        block->setTextWidth(-1);
        block->setTextWidth(std::min(block->document()->idealWidth(), area.width() - 2 * kLegendPadding));
    };
    const auto tooTall = [&] { return block->boundingRect().height() > area.height() / 4; };
    fit();
    if (tooTall() && text.contains(QStringLiteral("\n\n"))) {
        while (text.contains(QStringLiteral("\n\n"))) text.replace(QStringLiteral("\n\n"), QStringLiteral("\n"));
        block->setPlainText(text);
        fit();
    }
    for (QFont font = block->font(); tooTall() && font.pointSizeF() - kLegendFontStep >= kSmallestLegendFont;) {
        font.setPointSizeF(font.pointSizeF() - kLegendFontStep);
        block->setFont(font);
        fit();
    }
    const QSizeF size = block->boundingRect().size();
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
