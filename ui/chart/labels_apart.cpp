#include "ui/chart/labels_apart.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace cv {
namespace {

constexpr double kLabelGap = 2.0;  // pixels between a marker's edge and its label
constexpr int kNearDirections = 8;
constexpr int kFarDirections = 16;
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

QRectF MovedInside(QRectF rect, const QRectF& bounds) {
    rect.moveLeft(std::clamp(rect.left(), bounds.left(), std::max(bounds.left(), bounds.right() - rect.width())));
    rect.moveTop(std::clamp(rect.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - rect.height())));
    return rect;
}

class TPlacer {
public:
    TPlacer(const std::vector<TLabelToPlace>& labels, const QRectF& bounds) : labels_(labels), bounds_(bounds) {}

    QRectF Place(std::size_t index) {
        const TLabelToPlace& label = labels_[index];
        const QSizeF size = label.preferred.size();
        const QPointF toward = label.preferred.center() - label.point;
        const double preferred = toward.isNull() ? -std::numbers::pi / 2 : std::atan2(toward.y(), toward.x());
        const double reach = label.markerSize / 2 + kLabelGap;
        const double step = std::max(kSmallestStep, size.height() / 2);
        const double farthest = std::hypot(bounds_.width(), bounds_.height());
        const auto ring = [&](double distance, int directions) {
            std::vector<QRectF> rects;
            for (const double angle : Directions(directions, preferred))
                rects.push_back(Beside(label.point, reach + distance, angle, size));
            return rects;
        };
        std::vector<QRectF> near = ring(0, kNearDirections);
        near.insert(near.begin(), label.preferred);
        if (const std::optional<QRectF> found = Choose(index, near)) return *found;
        for (double distance = step; distance <= farthest; distance += step)
            if (const std::optional<QRectF> found = Choose(index, ring(distance, kFarDirections))) return *found;
        return MovedInside(label.preferred, bounds_);
    }

    void Keep(const QRectF& rect) { placed_.push_back(rect); }

private:
    // The first free place of a ring that covers no other marker's centre,
    // else its first free place.
    std::optional<QRectF> Choose(std::size_t index, const std::vector<QRectF>& ring) const {
        std::optional<QRectF> free;
        for (const QRectF& rect : ring) {
            if (!Free(rect)) continue;
            if (!CoversAnotherMarker(index, rect)) return rect;
            if (!free) free = rect;
        }
        return free;
    }

    bool Free(const QRectF& rect) const {
        const auto meets = [&](const QRectF& other) { return other.intersects(rect); };
        return bounds_.contains(rect) && std::none_of(placed_.begin(), placed_.end(), meets);
    }

    bool CoversAnotherMarker(std::size_t index, const QRectF& rect) const {
        for (std::size_t other = 0; other < labels_.size(); ++other)
            if (other != index && rect.contains(labels_[other].point)) return true;
        return false;
    }

    const std::vector<TLabelToPlace>& labels_;
    const QRectF bounds_;
    std::vector<QRectF> placed_;
};

}  // namespace

std::vector<QRectF> KeepLabelsApart(const std::vector<TLabelToPlace>& labels, const QRectF& bounds) {
    TPlacer placer(labels, bounds);
    std::vector<QRectF> rects;
    rects.reserve(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        rects.push_back(placer.Place(i));
        placer.Keep(rects.back());
    }
    return rects;
}

}  // namespace cv
