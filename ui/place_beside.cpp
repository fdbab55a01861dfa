#include "ui/place_beside.h"

#include <algorithm>

namespace cv {
namespace {

int AreaOf(const QSize& size) { return size.width() * size.height(); }

// Taken's place in Room as near to Other's top left corner as the room allows:
// next to Other, level with it.
QPoint NearestCorner(const QRect& room, const QSize& taken, const QRect& other) {
    return {std::clamp(other.left(), room.left(), room.right() + 1 - taken.width()),
            std::clamp(other.top(), room.top(), room.bottom() + 1 - taken.height())};
}

}  // namespace

QRect PlaceBeside(const QRect& other, const QRect& area, const QSize& size, const QSize& least) {
    const QRect rooms[] = {
        QRect(QPoint(other.right() + 1, area.top()), area.bottomRight()),
        QRect(area.topLeft(), QPoint(other.left() - 1, area.bottom())),
        QRect(QPoint(area.left(), other.bottom() + 1), area.bottomRight()),
        QRect(area.topLeft(), QPoint(area.right(), other.top() - 1)),
    };
    QRect place;
    for (const QRect& room : rooms) {
        const QSize taken = size.boundedTo(room.size());
        if (taken.width() < least.width() || taken.height() < least.height()) continue;
        if (place.isNull() || AreaOf(taken) > AreaOf(place.size())) place = QRect(NearestCorner(room, taken, other), taken);
    }
    return place;
}

}  // namespace cv
