#pragma once
// The largest industry the model holds, for the benchmarks: the model
// fixtures' largest (6 firms, 3 zones, 3 markets, 5 brands per firm in every
// zone and market, 20 prototypes per firm and market, 5 segments and 3
// channels, current period 6).

#include <filesystem>

namespace cv::bench {

// Writes the largest industry as "LARGEST.ind" into Directory; returns its path.
std::filesystem::path WriteLargest(const std::filesystem::path& directory);

}  // namespace cv::bench
