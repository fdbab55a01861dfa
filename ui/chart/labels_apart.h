#pragma once
// Labels kept apart: on a crowded chart each marker's label goes where it
// overlaps no label or line placed before it, covers no marker but its own,
// lies clearly nearer its own marker than any other (unless a line joins it
// to its own, one that crosses no label placed before it and no marker but
// those piled on its own) and stays inside the plot. The place its placement
// code gives is tried first, then the places around its marker, then rings
// further out, nearest first. Where the plot has no such place a label takes
// the nearest free of labels and lines that is least wrong (read doubtfully,
// then a line over a label, then over another marker), and such labels are
// placed before the others where that leaves fewer wrong.

#include <QLineF>
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
// Whether a label at Rect is joined to its marker Own by a line: farther
// than its own height it would be read as another marker's.
bool NeedsLeader(const QRectF& rect, const TMarkerDisc& own);
// The line that joins a label at Rect to its marker Own: from the point of
// Rect nearest Own's centre to Own's edge.
QLineF LeaderLine(const QRectF& rect, const TMarkerDisc& own);
// Whether a label at Rect lies nearer another marker of Markers than its own
// marker (index Own), or hardly farther: it would be read as that one's. A
// marker over Own's point is no other.
bool NearerAnotherMarker(const QRectF& rect, std::size_t own, const std::vector<TMarkerDisc>& markers);

// The labels' rectangles, in the order given; each label is placed after the
// ones before it, clear of every marker of Markers but its own. A label with
// no place free of labels inside Bounds keeps its preferred rectangle moved
// inside Bounds.
std::vector<QRectF> KeepLabelsApart(const std::vector<TLabelToPlace>& labels, const std::vector<TMarkerDisc>& markers,
                                    const QRectF& bounds);

}  // namespace cv
