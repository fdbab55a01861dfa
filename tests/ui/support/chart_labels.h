#pragma once
// The labels of a chart's markers as the person reads them: each beside its
// own marker or joined to it by a line, none over another label or over
// another marker, all inside the plot.

#include <string>
#include <vector>

#include "ui/chart/qn_chart.h"

namespace cv::test {

// What is wrong with the drawn labels of the chart's markers (a label of no
// marker, such as an axis marker's, is left out): two that overlap, one over
// a marker not its own, one that leaves the plot, one farther than Nearness
// pixels from its marker's edge or nearer another marker, with no line to
// its own. Empty when nothing is.
std::vector<std::string> MarkerLabelFaults(const TQNChart& chart, double nearness);

}  // namespace cv::test
