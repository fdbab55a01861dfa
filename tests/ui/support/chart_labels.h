#pragma once
// The labels of a chart's markers as the person reads them: each beside its
// own marker or joined to it by a line, none over another label or over
// another marker, every line clear of the other markers and labels, all
// inside the plot. Judged from what the chart paints (its texts, its small
// closed shapes and its lines), not from what the chart says it placed.

#include <string>
#include <vector>

#include "ui/chart/qn_chart.h"

namespace cv::test {

// What is wrong with the painted labels of the chart's markers (a label
// of no marker, such as an axis marker's, is left out): one not painted or
// whose marker is not, two that overlap, one over a marker not its own, one that
// leaves the plot, one farther than Nearness pixels from its marker's edge or
// nearer another marker with no line painted to its own, a line that crosses
// another marker or another label. Empty when nothing is.
std::vector<std::string> MarkerLabelFaults(const TQNChart& chart, double nearness);

}  // namespace cv::test
