#pragma once
// Where a data point's label goes. A placement code puts the label beside its
// point's marker: 0 no label, 1 above, 2 below, 3 centred on the point,
// 4 at the base (below, like 2), 5 inside (centred, like 3), 6 outside (above,
// like 1), 7 left, 8 right. An offset then moves it by label-offset units:
// 15 units to a pixel, x to the right and y upwards.

#include <QPointF>
#include <QSizeF>

namespace cv {

inline constexpr int kLabelNone = 0;
inline constexpr int kLabelAbove = 1;
inline constexpr int kLabelBelow = 2;
inline constexpr int kLabelCentre = 3;
inline constexpr int kLabelBase = 4;
inline constexpr int kLabelInside = 5;
inline constexpr int kLabelOutside = 6;
inline constexpr int kLabelLeft = 7;
inline constexpr int kLabelRight = 8;

inline constexpr double kOffsetUnitsPerPixel = 15.0;
// Label-offset units per offset unit of a point's label (one label-grid cell).
inline constexpr double kPointOffsetUnits = 150.0;

// The top-left corner of a label of TextSize for a point at Point whose
// marker is MarkerSize pixels across; Offset in label-offset units.
QPointF LabelTopLeft(int code, QPointF point, double markerSize, QSizeF textSize, QPointF offset);

// A point label's offset in label-offset units: the offset times 150, to the
// nearest whole unit (halves to even), so that a quarter cell still moves it.
int PointLabelOffset(double offset);
// A series label's offset: Offset x 100 / MeasureFactor to the nearest whole
// unit; 0 when the factor is 0.
int SeriesLabelOffset(double offset, double measureFactor);

}  // namespace cv
