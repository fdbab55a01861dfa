#pragma once
// The messages of the firm-results screens (sample_firm_reports.cpp): the
// instructor's messages to every team and to a firm, which the forecasts do
// not write.

#include <string_view>

#include "tools/sample_industry/sample_quantities.h"

namespace cv::sample {

void WriteMessageToAll(const TSampleCell& cell, std::string_view name);
void WriteMessageToFirm(const TSampleCell& cell, std::string_view name);

}  // namespace cv::sample
