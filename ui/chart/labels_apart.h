#pragma once
// Labels kept apart: on a crowded chart each marker's label goes beside its
// own marker where it overlaps no label placed before it and stays inside the
// plot. The place its placement code gives is tried first, then the places
// around the marker, then rings a little further out, nearest first. Within
// one ring a place that covers no other marker's centre is preferred, so that
// a label is not read as another marker's.

#include <QPointF>
#include <QRectF>
#include <vector>

namespace cv {

struct TLabelToPlace {
    QPointF point;       // the marker's centre
    double markerSize;   // its diameter in pixels
    QRectF preferred;    // where the placement code and the offsets put the label
};

// The labels' rectangles, in the order given; each label is placed after the
// ones before it. A label with no free place inside Bounds keeps its
// preferred rectangle moved inside Bounds.
std::vector<QRectF> KeepLabelsApart(const std::vector<TLabelToPlace>& labels, const QRectF& bounds);

}  // namespace cv
