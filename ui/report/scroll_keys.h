#pragma once
// The keys that scroll a report table holding the focus: Up and Down step a
// row, Page Up and Page Down a page, Home and End go to the first and the
// last rows, Left and Right step a column.

#include <QAbstractSlider>
#include <optional>

namespace cv {

struct TScrollKey {
    Qt::Orientation orientation;  // of the scroll bar the key moves
    QAbstractSlider::SliderAction action;
};

// What Key does to the table; nothing for a key that does not scroll.
std::optional<TScrollKey> ScrollKey(int key);

}  // namespace cv
