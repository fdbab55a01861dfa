#pragma once
// A small industry file written through the data store's own API, for the
// session and industry tests: current period 4, scenario "Growth", periods
// 0..12, firms Alpha, Beta, Gamma, D\xe9lta (e acute), zones North and South, markets
// Sonites and Vodites, each market and zone with its series, the economics of
// both zones and the restriction words. Values are binary fractions, exact in
// a 6-byte real, so that tests can derive results by hand:
//
//   "Economics"[p, ExchangeRate]  = 2 for p = 0, 3 for other periods
//   "Economics"[p, InflationRate] = (p + 1) / 64
//   "Economics"[p, GnpGrowthRate] = p / 32
//   "DeflatFacs"[p, k]            = k / 128         (zone North only)
//   "CumInflation"[p, k]          = p / 16 + k / 256
//   zone South: every value above plus 1
//   "RestrictEnabled": rcDecisions 4 (bit 3, "NoRnD"), rcReport 0xFFFF
//   "RestrictHidden":  StuMkt 1 (bit 1, "ConsumerSurvey")

#include <string>
#include <vector>

namespace cv::test {

struct TSmallIndustryShape {
    // Number of markets and zones in their series (at most 3 get cell series).
    int markets = 2;
    int ftas = 2;
    // Whether the constant part holds the position of the period series.
    bool withPerSeries = true;
    // A position beyond the series list for the dimension series of market 2.
    bool badDimPosition = false;
};

void WriteSmallIndustry(const std::string& fileName, const TSmallIndustryShape& shape = {});

// Copies the industry file Source to Target without its volumes of type VolType.
void CopyIndustryWithout(const std::string& source, const std::string& target, int volType);

}  // namespace cv::test
