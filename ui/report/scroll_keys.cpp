#include "ui/report/scroll_keys.h"

namespace cv {

std::optional<TScrollKey> ScrollKey(int key) {
    static constexpr struct {
        int key;
        TScrollKey scroll;
    } kKeys[] = {{Qt::Key_Up, {Qt::Vertical, QAbstractSlider::SliderSingleStepSub}},
                 {Qt::Key_Down, {Qt::Vertical, QAbstractSlider::SliderSingleStepAdd}},
                 {Qt::Key_PageUp, {Qt::Vertical, QAbstractSlider::SliderPageStepSub}},
                 {Qt::Key_PageDown, {Qt::Vertical, QAbstractSlider::SliderPageStepAdd}},
                 {Qt::Key_Home, {Qt::Vertical, QAbstractSlider::SliderToMinimum}},
                 {Qt::Key_End, {Qt::Vertical, QAbstractSlider::SliderToMaximum}},
                 {Qt::Key_Left, {Qt::Horizontal, QAbstractSlider::SliderSingleStepSub}},
                 {Qt::Key_Right, {Qt::Horizontal, QAbstractSlider::SliderSingleStepAdd}}};
    for (const auto& entry : kKeys)
        if (entry.key == key) return entry.scroll;
    return std::nullopt;
}

}  // namespace cv
