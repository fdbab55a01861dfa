#include "tests/ui/support/chart_labels.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

namespace cv::test {
namespace {

// Pixels by which painted geometry may miss a point it is meant to reach
// (a line's end on its label's edge or its marker's, a marker's centre its point).
constexpr double kReach = 1.5;

struct PaintedText {
    QString text;
    QRectF rect;  // from the baseline's start: the run's width, its ascent and descent
};

struct Disc {
    QPointF centre;
    double radius = 0;
};

// Everything the chart paints that a reader of its labels sees.
struct PaintedChart {
    std::vector<PaintedText> texts;
    std::vector<QRectF> shapes;  // closed shapes: markers, boxes, the plot's own fill
    std::vector<QLineF> lines;   // straight pieces of open lines
};

// Keeps the texts, closed shapes and lines painted, in the chart's pixels; draws nothing.
class ChartRecorder final : public QPaintEngine {
public:
    ChartRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform) transform_ = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPolygonF polygon(QList<QPointF>(points, points + count));
        if (mode != PolylineMode && count > 2) polygon << points[0];
        Keep(transform_.map(polygon));
    }
    void drawPath(const QPainterPath& path) override {
        for (const QPolygonF& polygon : path.toSubpathPolygons(transform_)) Keep(polygon);
    }
    void drawTextItem(const QPointF& point, const QTextItem& item) override {
        const QRectF run(point.x(), point.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        painted.texts.push_back({item.text().simplified(), transform_.mapRect(run)});
    }
    Type type() const override { return QPaintEngine::User; }

    PaintedChart painted;

private:
    void Keep(const QPolygonF& polygon) {
        if (polygon.size() > 3 && polygon.isClosed()) {
            painted.shapes.push_back(polygon.boundingRect());
            return;
        }
        for (qsizetype i = 1; i < polygon.size(); ++i)
            if (polygon[i - 1] != polygon[i]) painted.lines.emplace_back(polygon[i - 1], polygon[i]);
    }

    QTransform transform_;
};

// An image whose painter records instead of drawing.
class RecordingImage final : public QImage {
public:
    explicit RecordingImage(QSize size) : QImage(size, QImage::Format_ARGB32) {}
    QPaintEngine* paintEngine() const override { return &recorder_; }
    const PaintedChart& Painted() const { return recorder_.painted; }

private:
    mutable ChartRecorder recorder_;
};

PaintedChart Paint(const TQNChart& chart) {
    const QRectF area = chart.chart()->sceneBoundingRect();
    RecordingImage image(area.size().toSize());
    QPainter painter(&image);
    chart.scene()->render(&painter, QRectF(QPointF(), area.size()), area);
    painter.end();
    return image.Painted();
}

double DistanceToRect(QPointF point, const QRectF& rect) {
    const double dx = std::max({rect.left() - point.x(), 0.0, point.x() - rect.right()});
    const double dy = std::max({rect.top() - point.y(), 0.0, point.y() - rect.bottom()});
    return std::hypot(dx, dy);
}

double Gap(const QRectF& rect, const Disc& disc) {
    return std::max(0.0, DistanceToRect(disc.centre, rect) - disc.radius);
}

// To the foot of the perpendicular from Point where it falls on the segment, else to the nearer end.
double DistanceToSegment(QPointF point, const QLineF& line) {
    const double toEnd = std::min(QLineF(point, line.p1()).length(), QLineF(point, line.p2()).length());
    QLineF perpendicular = line.normalVector();
    perpendicular.translate(point - line.p1());
    QPointF foot;
    if (line.isNull() || line.intersects(perpendicular, &foot) == QLineF::NoIntersection) return toEnd;
    const bool onSegment = QRectF(line.p1(), line.p2()).normalized().adjusted(-0.01, -0.01, 0.01, 0.01).contains(foot);
    return onSegment ? QLineF(point, foot).length() : toEnd;
}

// Whether a point of Line, taken every half pixel, lies inside Rect less half a pixel all round.
bool Crosses(const QLineF& line, const QRectF& rect) {
    const QRectF inner = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    const int steps = std::max(1, static_cast<int>(std::ceil(line.length() * 2)));
    for (int step = 0; step <= steps; ++step)
        if (inner.contains(line.pointAt(static_cast<double>(step) / steps))) return true;
    return false;
}

// The painted markers: the small closed shapes inside the plot that frame no
// text (a label's box does), each read as the disc it spans.
std::vector<Disc> Markers(const PaintedChart& painted, const QRectF& plot) {
    const double largest = std::min(plot.width(), plot.height()) / 2;
    std::vector<Disc> markers;
    for (const QRectF& shape : painted.shapes) {
        const double across = std::max(shape.width(), shape.height());
        if (across > largest || !plot.adjusted(-kReach, -kReach, kReach, kReach).contains(shape.center())) continue;
        const auto frames = [&](const PaintedText& text) { return shape.contains(text.rect); };
        if (std::none_of(painted.texts.begin(), painted.texts.end(), frames))
            markers.push_back({shape.center(), across / 2});
    }
    return markers;
}

std::string Describe(const QRectF& rect) {
    std::ostringstream text;
    text << "(" << rect.left() << "," << rect.top() << " " << rect.width() << "x" << rect.height() << ")";
    return text.str();
}

std::string Describe(const Disc& marker) {
    std::ostringstream text;
    text << "the marker at (" << marker.centre.x() << "," << marker.centre.y() << ") " << 2 * marker.radius
         << " across";
    return text.str();
}

// A marker's label as painted: its text's rectangle, its own marker (the
// largest painted over its point: markers at one point are one place), the
// line painted between them.
struct MarkerLabel {
    std::string name;
    QRectF rect;
    Disc own;
    std::optional<QLineF> line;
};

class LabelJudge {
public:
    LabelJudge(const TQNChart& chart, double nearness)
        : painted_(Paint(chart)), plot_(chart.PlotArea()), markers_(Markers(painted_, plot_)), nearness_(nearness) {
        for (const TQNChart::TDrawnLabel& label : chart.DrawnLabels()) Read(label);
    }

    std::vector<std::string> Faults() {
        for (std::size_t i = 0; i < labels_.size(); ++i) Judge(i);
        return faults_;
    }

private:
    void Read(const TQNChart::TDrawnLabel& drawn) {
        if (drawn.markerSize <= 0) return;
        const std::optional<Disc> own = MarkerAt(drawn.point);
        if (!own) {
            faults_.push_back(drawn.text + "'s marker is not painted");
            return;
        }
        const QString text = QString::fromStdString(drawn.text).simplified();
        const auto shows = [&](const PaintedText& painted) { return painted.text == text; };
        const auto found = std::find_if(painted_.texts.begin(), painted_.texts.end(), shows);
        if (found == painted_.texts.end()) {
            faults_.push_back(drawn.text + " is not painted");
            return;
        }
        labels_.push_back({drawn.text + " " + Describe(found->rect) + " of " + Describe(*own), found->rect, *own,
                           LineBetween(found->rect, *own)});
    }

    std::optional<Disc> MarkerAt(QPointF point) const {
        std::optional<Disc> largest;
        for (const Disc& marker : markers_)
            if (QLineF(marker.centre, point).length() < kReach && (!largest || marker.radius > largest->radius))
                largest = marker;
        return largest;
    }

    // A painted line from the label's edge to its marker.
    std::optional<QLineF> LineBetween(const QRectF& rect, const Disc& own) const {
        const auto joins = [&](QPointF atLabel, QPointF atMarker) {
            return DistanceToRect(atLabel, rect) <= kReach &&
                   QLineF(atMarker, own.centre).length() <= own.radius + kReach;
        };
        for (const QLineF& line : painted_.lines)
            if (joins(line.p1(), line.p2()) || joins(line.p2(), line.p1())) return line;
        return std::nullopt;
    }

    // Whether a chain of markers, each overlapping the next, joins A to B.
    bool OnePile(const Disc& a, const Disc& b) const {
        const auto overlap = [](const Disc& one, const Disc& other) {
            return QLineF(one.centre, other.centre).length() < one.radius + other.radius;
        };
        std::vector<const Disc*> reached{&a};
        std::vector<bool> seen(markers_.size());
        for (std::size_t next = 0; next < reached.size(); ++next) {
            if (overlap(*reached[next], b)) return true;
            for (std::size_t m = 0; m < markers_.size(); ++m)
                if (!seen[m] && overlap(*reached[next], markers_[m])) seen[m] = true, reached.push_back(&markers_[m]);
        }
        return false;
    }

    void Judge(std::size_t i) {
        const MarkerLabel& label = labels_[i];
        if (!plot_.adjusted(-0.5, -0.5, 0.5, 0.5).contains(label.rect))
            faults_.push_back(label.name + " leaves the plot " + Describe(plot_));
        const double gap = Gap(label.rect, label.own);
        if (!label.line && gap > nearness_)
            faults_.push_back(label.name + " stands " + std::to_string(gap) + " px from its marker with no line to it");
        for (const Disc& other : markers_) {
            if (QLineF(other.centre, label.own.centre).length() < kReach) continue;
            if (DistanceToRect(other.centre, label.rect) < other.radius)
                faults_.push_back(label.name + " covers " + Describe(other));
            else if (!label.line && Gap(label.rect, other) < gap)
                faults_.push_back(label.name + " lies " + std::to_string(Gap(label.rect, other)) + " px from " +
                                  Describe(other) + ", nearer than its own (" + std::to_string(gap) +
                                  " px), with no line to it");
            // A line out of a pile of overlapping markers leaves through it whatever its way.
            if (label.line && DistanceToSegment(other.centre, *label.line) < other.radius && !OnePile(other, label.own))
                faults_.push_back(label.name + "'s line crosses " + Describe(other));
        }
        for (std::size_t j = 0; j < labels_.size(); ++j) {
            if (j == i) continue;
            if (j > i && label.rect.intersects(labels_[j].rect))
                faults_.push_back(label.name + " overlaps " + labels_[j].name);
            if (label.line && Crosses(*label.line, labels_[j].rect))
                faults_.push_back(label.name + "'s line crosses " + labels_[j].name);
        }
    }

    const PaintedChart painted_;
    const QRectF plot_;
    const std::vector<Disc> markers_;
    const double nearness_;
    std::vector<MarkerLabel> labels_;
    std::vector<std::string> faults_;
};

}  // namespace

std::vector<std::string> MarkerLabelFaults(const TQNChart& chart, double nearness) {
    return LabelJudge(chart, nearness).Faults();
}

}  // namespace cv::test
