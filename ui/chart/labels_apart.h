#pragma once
// Labels kept apart: on a crowded chart each marker's label goes where it
// overlaps no label placed before it, covers no marker but its own, lies no
// nearer another marker than its own (unless a line joins it to its own) and
// stays inside the plot. The place its placement code gives is tried first, then
// the places around its marker, then rings further out, nearest first. Only
// where the plot has no such place does a label cover another marker, at the
// nearest place free of labels.

#include <QPointF>
#include <QRectF>
#include <cstddef>
#include <vector>

namespace cv {

// A marker drawn on the chart: a disc of Diameter pixels around Centre.
struct TMarkerDisc {
    QPointF centre;
    double diameter = 0;
};

struct TLabelToPlace {
    std::size_t marker;  // its own marker, an index into the markers
    QRectF preferred;    // where the placement code and the offsets put the label
};

// Whether Rect covers any part of Marker's disc.
bool LabelCoversMarker(const QRectF& rect, const TMarkerDisc& marker);
// How far Rect lies from Marker's disc; 0 when they meet.
double GapToMarker(const QRectF& rect, const TMarkerDisc& marker);
// Whether a label at Rect, moved there from its code's place, is joined to
// its marker Own by a line: farther than its own height it would be read
// as another marker's.
bool NeedsLeader(const QRectF& rect, const TMarkerDisc& own);
// Whether a label at Rect lies nearer another marker of Markers than its own
// marker (index Own): it would be read as that one's.
bool NearerAnotherMarker(const QRectF& rect, std::size_t own, const std::vector<TMarkerDisc>& markers);

// The labels' rectangles, in the order given; each label is placed after the
// ones before it, clear of every marker of Markers but its own. A label with
// no place free of labels inside Bounds keeps its preferred rectangle moved
// inside Bounds.
std::vector<QRectF> KeepLabelsApart(const std::vector<TLabelToPlace>& labels, const std::vector<TMarkerDisc>& markers,
                                    const QRectF& bounds);

}  // namespace cv
