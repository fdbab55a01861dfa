#include "ui/chart/label_placement.h"

#include <cmath>

namespace cv {
namespace {

constexpr double kLabelGap = 2.0;  // pixels between a marker's edge and its label

}  // namespace

QPointF LabelTopLeft(int code, QPointF point, double markerSize, QSizeF textSize, QPointF offset) {
    const double reach = markerSize / 2 + kLabelGap;
    QPointF centre = point;
    switch (code) {
        case kLabelAbove:
        case kLabelOutside: centre.ry() -= reach + textSize.height() / 2; break;
        case kLabelBelow:
        case kLabelBase: centre.ry() += reach + textSize.height() / 2; break;
        case kLabelLeft: centre.rx() -= reach + textSize.width() / 2; break;
        case kLabelRight: centre.rx() += reach + textSize.width() / 2; break;
        default: break;  // centred, inside
    }
    centre += QPointF(offset.x(), -offset.y()) / kOffsetUnitsPerPixel;
    return centre - QPointF(textSize.width() / 2, textSize.height() / 2);
}

int PointLabelOffset(double offset) { return static_cast<int>(std::nearbyint(offset * kPointOffsetUnits)); }

int SeriesLabelOffset(double offset, double measureFactor) {
    if (measureFactor == 0) return 0;
    return static_cast<int>(std::nearbyint(offset * 100.0 / measureFactor));
}

}  // namespace cv
