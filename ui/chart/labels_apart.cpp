#include "ui/chart/labels_apart.h"

#include <QLineF>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>

namespace cv {
namespace {

constexpr double kLabelGap = 2.0;  // pixels between a marker's edge and its label
constexpr int kNearDirections = 8;
constexpr int kFewestFarDirections = 16;
constexpr double kSmallestStep = 3.0;
// Pixels by which a label must lie nearer its own marker than another to be
// read as its own: the eye does not tell gaps apart that differ by less.
constexpr double kClearlyNearer = 2.0;
constexpr double kSamePoint = 0.5;

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

// Whether the segment Line enters Rect (its inside or its edges).
bool LineMeetsRect(const QLineF& line, const QRectF& rect) {
    if (rect.contains(line.p1()) || rect.contains(line.p2())) return true;
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    return std::any_of(std::begin(edges), std::end(edges),
                       [&](const QLineF& edge) { return line.intersects(edge) == QLineF::BoundedIntersection; });
}

QRectF MovedInside(QRectF rect, const QRectF& bounds) {
    rect.moveLeft(std::clamp(rect.left(), bounds.left(), std::max(bounds.left(), bounds.right() - rect.width())));
    rect.moveTop(std::clamp(rect.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - rect.height())));
    return rect;
}

// For each marker, the first marker of its pile: of the markers that overlap
// it, those that overlap them, and so on.
std::vector<std::size_t> Piles(const std::vector<TMarkerDisc>& markers) {
    std::vector<std::size_t> pile(markers.size());
    for (std::size_t i = 0; i < markers.size(); ++i) pile[i] = i;
    const auto overlap = [&](std::size_t a, std::size_t b) {
        return QLineF(markers[a].centre, markers[b].centre).length() < (markers[a].diameter + markers[b].diameter) / 2;
    };
    // Two overlapping markers join their whole piles.
    for (std::size_t a = 0; a < markers.size(); ++a)
        for (std::size_t b = a + 1; b < markers.size(); ++b)
            if (pile[a] != pile[b] && overlap(a, b))
                std::replace(pile.begin(), pile.end(), std::max(pile[a], pile[b]), std::min(pile[a], pile[b]));
    return pile;
}

// What keeps a place from being a label's own, least first.
enum EFlaw { fNone, fDoubtful, fLineOverLabel, fOverMarker, fFlaws };

class TPlacer {
public:
    TPlacer(const std::vector<TMarkerDisc>& markers, const QRectF& bounds)
        : markers_(markers), bounds_(bounds), piles_(Piles(markers)) {}

    // The first place, nearest first, that is free of labels and lines,
    // covers no other marker and reads as its own marker's (by nearness, or
    // by a line that crosses no other marker and no label); else the first
    // free of labels and lines with the least flaw: read doubtfully, a line
    // over a label, over another marker; else the preferred one moved inside
    // the bounds. With the flaw of the place.
    std::pair<QRectF, EFlaw> Place(const TLabelToPlace& label) const {
        std::array<std::optional<QRectF>, fFlaws> firstWith;
        ForEachPlace(label, [&](const QRectF& rect) {
            if (!Free(rect)) return false;
            const EFlaw flaw = FlawOf(label.marker, rect);
            if (!firstWith[flaw]) firstWith[flaw] = rect;
            return flaw == fNone;
        });
        for (int flaw = fNone; flaw < fFlaws; ++flaw)
            if (firstWith[flaw]) return {*firstWith[flaw], static_cast<EFlaw>(flaw)};
        return {MovedInside(label.preferred, bounds_), fFlaws};
    }

    void Keep(const QRectF& rect, std::size_t own) {
        placed_.push_back(rect);
        if (NeedsLeader(rect, markers_[own])) leaders_.push_back(LeaderLine(rect, markers_[own]));
    }

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
        const auto crosses = [&](const QLineF& leader) { return LineMeetsRect(leader, rect); };
        return bounds_.contains(rect) && std::none_of(placed_.begin(), placed_.end(), meets) &&
               std::none_of(leaders_.begin(), leaders_.end(), crosses);
    }

    bool CoversAnotherMarker(std::size_t own, const QRectF& rect) const {
        for (std::size_t other = 0; other < markers_.size(); ++other)
            if (other != own && LabelCoversMarker(rect, markers_[other])) return true;
        return false;
    }

    EFlaw FlawOf(std::size_t own, const QRectF& rect) const {
        if (CoversAnotherMarker(own, rect)) return fOverMarker;
        if (!NeedsLeader(rect, markers_[own])) return NearerAnotherMarker(rect, own, markers_) ? fDoubtful : fNone;
        const QLineF line = LeaderLine(rect, markers_[own]);
        const auto crosses = [&](const QRectF& other) { return LineMeetsRect(line, other); };
        if (std::any_of(placed_.begin(), placed_.end(), crosses)) return fLineOverLabel;
        return LineCrossesAnotherMarker(own, line) ? fDoubtful : fNone;
    }

    // Whether Line out of marker Own crosses another marker, one outside
    // Own's pile (a line out of a pile of overlapping markers leaves through
    // it whatever its way).
    bool LineCrossesAnotherMarker(std::size_t own, const QLineF& line) const {
        for (std::size_t other = 0; other < markers_.size(); ++other) {
            if (piles_[other] == piles_[own]) continue;
            if (DistanceToLine(markers_[other].centre, line) < markers_[other].diameter / 2) return true;
        }
        return false;
    }

    const std::vector<TMarkerDisc>& markers_;
    const QRectF bounds_;
    const std::vector<std::size_t> piles_;
    std::vector<QRectF> placed_;
    std::vector<QLineF> leaders_;
};

struct TPlacement {
    std::vector<std::size_t> order;
    std::vector<QRectF> rects;  // in the labels' order
    std::vector<EFlaw> flawOf;
    int flaws = 0;  // the flaws' sum
};

TPlacement PlaceInOrder(const std::vector<TLabelToPlace>& labels, const std::vector<TMarkerDisc>& markers,
                        const QRectF& bounds, const std::vector<std::size_t>& order) {
    TPlacer placer(markers, bounds);
    TPlacement placement{order, std::vector<QRectF>(labels.size()), std::vector<EFlaw>(labels.size(), fNone), 0};
    for (const std::size_t i : order) {
        const auto [rect, flaw] = placer.Place(labels[i]);
        placer.Keep(rect, labels[i].marker);
        placement.rects[i] = rect;
        placement.flawOf[i] = flaw;
        placement.flaws += flaw;
    }
    return placement;
}

}  // namespace

bool LabelCoversMarker(const QRectF& rect, const TMarkerDisc& marker) {
    return DistanceToCentre(rect, marker.centre) < marker.diameter / 2;
}

double GapToMarker(const QRectF& rect, const TMarkerDisc& marker) {
    return std::max(0.0, DistanceToCentre(rect, marker.centre) - marker.diameter / 2);
}

bool NeedsLeader(const QRectF& rect, const TMarkerDisc& own) { return GapToMarker(rect, own) > rect.height(); }

QLineF LeaderLine(const QRectF& rect, const TMarkerDisc& own) {
    const QPointF from(std::clamp(own.centre.x(), rect.left(), rect.right()),
                       std::clamp(own.centre.y(), rect.top(), rect.bottom()));
    QLineF line(from, own.centre);
    line.setLength(std::max(0.0, line.length() - own.diameter / 2));
    return line;
}

bool NearerAnotherMarker(const QRectF& rect, std::size_t own, const std::vector<TMarkerDisc>& markers) {
    const double ownGap = GapToMarker(rect, markers[own]);
    for (const TMarkerDisc& other : markers) {
        // A marker over the same point names the same place.
        if (QLineF(other.centre, markers[own].centre).length() < kSamePoint) continue;
        if (GapToMarker(rect, other) < ownGap + kClearlyNearer) return true;
    }
    return false;
}

std::vector<QRectF> KeepLabelsApart(const std::vector<TLabelToPlace>& labels, const std::vector<TMarkerDisc>& markers,
                                    const QRectF& bounds) {
    std::vector<std::size_t> order(labels.size());
    std::iota(order.begin(), order.end(), 0);
    TPlacement best = PlaceInOrder(labels, markers, bounds, order);
    // The labels placed first take the nearest places: a label left with a
    // flaw is tried first, and that order kept while the flaws lessen.
    for (std::size_t tries = 0; tries < labels.size() && best.flaws > 0; ++tries) {
        std::vector<std::size_t> sooner = best.order;
        const auto flawed =
            std::find_if(sooner.begin(), sooner.end(), [&](std::size_t i) { return best.flawOf[i] != fNone; });
        std::rotate(sooner.begin(), flawed, flawed + 1);
        TPlacement next = PlaceInOrder(labels, markers, bounds, sooner);
        if (next.flaws >= best.flaws) break;
        best = std::move(next);
    }
    return best.rects;
}

}  // namespace cv
