#pragma once
// The largest industry the model holds, for the benchmarks: 6 firms, 3 zones,
// 3 markets, 5 brands per firm in every zone and market, 5 segments and 3
// channels, current period 6.

#include <filesystem>

#include "tests/model/fixtures/fixture_industry.h"

namespace cv::bench {

// Every firm markets five brands in every zone and market in t and carries
// them on in t+1, each on its own prototype, split 33 / 33 / 34 % over the channels.
cv::test::TFixtureSpec LargestSpec();
// Writes the largest industry as "LARGEST.ind" into Directory; returns its path.
std::filesystem::path WriteLargest(const std::filesystem::path& directory);

}  // namespace cv::bench
