#pragma once
// The labels of a chart's markers as the person reads them: each beside its
// own marker, none over another, all inside the plot.

#include <string>
#include <vector>

#include "ui/chart/qn_chart.h"

namespace cv::test {

// What is wrong with the drawn labels of the chart's markers (a label of no
// marker, such as an axis marker's, is left out): two that overlap, one that
// leaves the plot, one farther than Nearness pixels from its marker's edge.
// Empty when nothing is.
std::vector<std::string> MarkerLabelFaults(const TQNChart& chart, double nearness);

// How far Rect lies from the disc of Diameter around Centre; 0 when they meet.
double GapToMarker(const QRectF& rect, QPointF centre, double diameter);

}  // namespace cv::test
