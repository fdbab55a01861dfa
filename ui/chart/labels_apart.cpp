#include "ui/chart/labels_apart.h"

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace cv {
namespace {

constexpr double kLabelGap = 2.0;  // pixels between a marker's edge and its label
constexpr int kNearDirections = 8;
constexpr int kFewestFarDirections = 16;
constexpr double kSmallestStep = 3.0;

// The label of Size beside a marker at Point, in the direction Angle (screen
// coordinates, y down), its nearest edge or corner Reach pixels from Point.
QRectF Beside(QPointF point, double reach, double angle, QSizeF size) {
    const QPointF direction(std::cos(angle), std::sin(angle));
    // Straight sideways the label's edge faces the marker; diagonally its corner.
    const auto half = [](double component) { return std::clamp(component * std::numbers::sqrt2, -1.0, 1.0); };
    const QPointF centre = point + direction * reach +
                           QPointF(half(direction.x()) * size.width() / 2, half(direction.y()) * size.height() / 2);
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
}

double AngleBetween(double a, double b) {
    const double turn = 2 * std::numbers::pi;
    const double difference = std::fmod(std::abs(a - b), turn);
    return std::min(difference, turn - difference);
}

// The directions of one ring, the one nearest Preferred first.
std::vector<double> Directions(int count, double preferred) {
    std::vector<double> angles;
    for (int i = 0; i < count; ++i) angles.push_back(2 * std::numbers::pi * i / count - std::numbers::pi / 2);
    std::stable_sort(angles.begin(), angles.end(),
                     [&](double a, double b) { return AngleBetween(a, preferred) < AngleBetween(b, preferred); });
    return angles;
}

// How far the nearest point of Rect lies from Centre; 0 when Rect holds it.
double DistanceToCentre(const QRectF& rect, QPointF centre) {
    const double dx = std::max({rect.left() - centre.x(), 0.0, centre.x() - rect.right()});
    const double dy = std::max({rect.top() - centre.y(), 0.0, centre.y() - rect.bottom()});
    return std::hypot(dx, dy);
}

// How far Point lies from the segment Line.
double DistanceToLine(QPointF point, const QLineF& line) {
    const QPointF along = line.p2() - line.p1();
    const double squared = QPointF::dotProduct(along, along);
    const double t = squared == 0 ? 0 : std::clamp(QPointF::dotProduct(point - line.p1(), along) / squared, 0.0, 1.0);
    return QLineF(point, line.p1() + along * t).length();
}

QRectF MovedInside(QRectF rect, const QRectF& bounds) {
    rect.moveLeft(std::clamp(rect.left(), bounds.left(), std::max(bounds.left(), bounds.right() - rect.width())));
    rect.moveTop(std::clamp(rect.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - rect.height())));
    return rect;
}

class TPlacer {
public:
    TPlacer(const std::vector<TMarkerDisc>& markers, const QRectF& bounds) : markers_(markers), bounds_(bounds) {}

    // The first place, nearest first, that is free of labels, covers no
    // other marker and reads as its own marker's (by nearness, or by a line
    // that crosses no other marker); else the first free of labels and other
    // markers; else the first free of labels; else the preferred one moved
    // inside the bounds.
    QRectF Place(const TLabelToPlace& label) const {
        std::optional<QRectF> ambiguous, overMarker;
        bool found = false;
        QRectF chosen;
        ForEachPlace(label, [&](const QRectF& rect) {
            if (!Free(rect)) return false;
            if (CoversAnotherMarker(label.marker, rect)) {
                if (!overMarker) overMarker = rect;
                return false;
            }
            const bool joined = rect != label.preferred && NeedsLeader(rect, markers_[label.marker]);
            const bool readsAsAnother = joined ? LeaderCrossesAnotherMarker(label.marker, rect)
                                               : NearerAnotherMarker(rect, label.marker, markers_);
            if (readsAsAnother) {
                if (!ambiguous) ambiguous = rect;
                return false;
            }
            chosen = rect;
            return found = true;
        });
        if (found) return chosen;
        return ambiguous.value_or(overMarker.value_or(MovedInside(label.preferred, bounds_)));
    }

    void Keep(const QRectF& rect) { placed_.push_back(rect); }

private:
    // Calls Take with each place around the label's marker, nearest first,
    // until it answers true: the preferred one, those beside the marker, then
    // rings further out, each with places about a label's height apart.
    template <class Take>
    void ForEachPlace(const TLabelToPlace& label, Take take) const {
        if (take(label.preferred)) return;
        const TMarkerDisc& marker = markers_[label.marker];
        const QSizeF size = label.preferred.size();
        const QPointF toward = label.preferred.center() - marker.centre;
        const double preferred = toward.isNull() ? -std::numbers::pi / 2 : std::atan2(toward.y(), toward.x());
        const double reach = marker.diameter / 2 + kLabelGap;
        const double step = std::max(kSmallestStep, size.height() / 2);
        for (const double angle : Directions(kNearDirections, preferred))
            if (take(Beside(marker.centre, reach, angle, size))) return;
        const double farthest = std::hypot(bounds_.width(), bounds_.height());
        for (double distance = step; distance <= farthest; distance += step) {
            const double around = 2 * std::numbers::pi * (reach + distance);
            const int directions =
                std::max(kFewestFarDirections, static_cast<int>(around / std::max(size.height(), kSmallestStep)));
            for (const double angle : Directions(directions, preferred))
                if (take(Beside(marker.centre, reach + distance, angle, size))) return;
        }
    }

    bool Free(const QRectF& rect) const {
        const auto meets = [&](const QRectF& other) { return other.intersects(rect); };
        return bounds_.contains(rect) && std::none_of(placed_.begin(), placed_.end(), meets);
    }

    bool CoversAnotherMarker(std::size_t own, const QRectF& rect) const {
        for (std::size_t other = 0; other < markers_.size(); ++other)
            if (other != own && LabelCoversMarker(rect, markers_[other])) return true;
        return false;
    }

    // Whether the line from a label at Rect to the edge of its marker Own
    // crosses another marker, one that does not hold Own's centre (a line
    // out of a marker inside a larger one crosses that one whatever its way).
    bool LeaderCrossesAnotherMarker(std::size_t own, const QRectF& rect) const {
        const TMarkerDisc& marker = markers_[own];
        const QPointF from(std::clamp(marker.centre.x(), rect.left(), rect.right()),
                           std::clamp(marker.centre.y(), rect.top(), rect.bottom()));
        QLineF line(from, marker.centre);
        line.setLength(std::max(0.0, line.length() - marker.diameter / 2));
        for (std::size_t other = 0; other < markers_.size(); ++other) {
            const double radius = markers_[other].diameter / 2;
            if (other == own || QLineF(markers_[other].centre, marker.centre).length() < radius) continue;
            if (DistanceToLine(markers_[other].centre, line) < radius) return true;
        }
        return false;
    }

    const std::vector<TMarkerDisc>& markers_;
    const QRectF bounds_;
    std::vector<QRectF> placed_;
};

}  // namespace

bool LabelCoversMarker(const QRectF& rect, const TMarkerDisc& marker) {
    return DistanceToCentre(rect, marker.centre) < marker.diameter / 2;
}

double GapToMarker(const QRectF& rect, const TMarkerDisc& marker) {
    return std::max(0.0, DistanceToCentre(rect, marker.centre) - marker.diameter / 2);
}

bool NeedsLeader(const QRectF& rect, const TMarkerDisc& own) { return GapToMarker(rect, own) > rect.height(); }

bool NearerAnotherMarker(const QRectF& rect, std::size_t own, const std::vector<TMarkerDisc>& markers) {
    const double ownGap = GapToMarker(rect, markers[own]);
    for (std::size_t other = 0; other < markers.size(); ++other)
        if (other != own && GapToMarker(rect, markers[other]) < ownGap) return true;
    return false;
}

std::vector<QRectF> KeepLabelsApart(const std::vector<TLabelToPlace>& labels, const std::vector<TMarkerDisc>& markers,
                                    const QRectF& bounds) {
    TPlacer placer(markers, bounds);
    std::vector<QRectF> rects;
    rects.reserve(labels.size());
    for (const TLabelToPlace& label : labels) {
        rects.push_back(placer.Place(label));
        placer.Keep(rects.back());
    }
    return rects;
}

}  // namespace cv
