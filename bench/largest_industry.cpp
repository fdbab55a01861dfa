#include "bench/largest_industry.h"

#include "tests/model/fixtures/fixture_catalog.h"

namespace cv::bench {

std::filesystem::path WriteLargest(const std::filesystem::path& directory) {
    const std::filesystem::path file = directory / "LARGEST.ind";
    cv::test::WriteFixtureIndustry(file, cv::test::FixtureLargest());
    return file;
}

}  // namespace cv::bench
