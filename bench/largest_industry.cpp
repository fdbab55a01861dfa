#include "bench/largest_industry.h"

#include <string>

namespace cv::bench {
namespace {

constexpr int kLargestFirms = 6;
constexpr int kLargestZones = 3;
constexpr int kLargestMarkets = 3;
constexpr int kLargestBrands = 5;
constexpr int kLargestSegments = 5;
constexpr int kLargestChannels = 3;
constexpr int kLargestCurrentPeriod = 6;
// Above the highest price the firms decide, 1000 x 6 + 100 x 5 + the price
// column: every brand lies on the price scale.
constexpr int kLargestPriceTop = 7000;

}  // namespace

cv::test::TFixtureSpec LargestSpec() {
    cv::test::TFixtureSpec spec(kLargestCurrentPeriod, kLargestFirms, kLargestZones, kLargestMarkets);
    spec.segments = kLargestSegments;
    spec.channels = kLargestChannels;
    spec.priceTopT = kLargestPriceTop;
    for (int firm = 1; firm <= kLargestFirms; ++firm)
        for (int market = 1; market <= kLargestMarkets; ++market) {
            for (int k = 1; k <= kLargestBrands; ++k)
                spec.Prototypes(firm, market).push_back("P" + std::to_string(firm) + std::to_string(k));
            for (int zone = 1; zone <= kLargestZones; ++zone) {
                cv::test::TFixtureFirmCell& cell = spec.Cell(firm, zone, market);
                for (int k = 1; k <= kLargestBrands; ++k) {
                    const std::string name = "B" + std::to_string(firm) + std::to_string(k);
                    cell.brandsT.push_back(name);
                    cell.brandsT1.push_back({name, "P" + std::to_string(firm) + std::to_string(k), {33000, 33000, 34000}});
                }
                spec.MarketAgeT(zone, market) = kLargestCurrentPeriod + 1;
            }
        }
    return spec;
}

std::filesystem::path WriteLargest(const std::filesystem::path& directory) {
    const std::filesystem::path file = directory / "LARGEST.ind";
    cv::test::WriteFixtureIndustry(file, LargestSpec());
    return file;
}

}  // namespace cv::bench
