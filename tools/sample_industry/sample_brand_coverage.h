#pragma once
// The distribution figures of the brand market results (sample_brand_coverage.cpp):
// each channel's outlets and the distributors carrying each brand, which only
// the instructor's full simulation computes.

#include <string_view>

#include "tools/sample_industry/sample_quantities.h"

namespace cv::sample {

void WriteChannelOutlets(const TSampleCell& cell, std::string_view name);
void WriteBrandDistributors(const TSampleCell& cell, std::string_view name);

}  // namespace cv::sample
