#include "tools/sample_industry/sample_series.h"

#include <stdexcept>
#include <string>

#include "core/store/industry_file.h"
#include "core/store/series_index.h"
#include "tools/sample_industry/sample_layout.h"

namespace cv::sample {

namespace {

// Lo of every series of the index table: element i is label i.
constexpr std::int16_t kIndexSeriesLo = 1;
// The period series runs over the periods 0..12 of the game. The history period
// -1 has results but no element: arrays dimensioned by periods cannot start
// below 0 (their base offset would be negative).
constexpr std::int16_t kFirstPeriod = 0;
constexpr int kPeriodCount = cv::kLastResultPeriod - kFirstPeriod + 1;

std::vector<std::string> NumberedLabels(int lo, int count) {
    std::vector<std::string> labels;
    for (int i = lo; i < lo + count; ++i) labels.push_back(std::to_string(i));
    return labels;
}

std::vector<std::string> TeamLabels() { return {kTeamLetters.begin(), kTeamLetters.end()}; }

std::vector<TDimensionSeries> MakeDimensionSeries() {
    return {
        {"Periods", kFirstPeriod, NumberedLabels(kFirstPeriod, kPeriodCount), "PerSeries", 0, 0},
        {"Firms", 1, TeamLabels(), "FirSeries", 0, 0},
        {"Ftas", 1, {"North", "South"}, "FtaSeries", 0, 0},
        {"Markets", 1, {"M1", "M2", "M3"}, "MktSeries", 0, 0},
        {"ChaNorth", 1, {"Hyper", "Specialist", "Direct"}, "ChaSeries", 1, 0},
        {"ChaSouth", 1, {"Hyper", "Direct"}, "ChaSeries", 2, 0},
        {"DimM1", 1, {"Weight", "Power", "Design", "Noise", "Range"}, "DimSeries", 0, 1},
        {"DimM2", 1, {"Size", "Speed", "Grip"}, "DimSeries", 0, 2},
        {"DimM3", 1, {"Volume", "Autonomy"}, "DimSeries", 0, 3},
        {"SemM1", 1, {"Weight", "Power", "Design", "Noise", "Range", "Price"}, "SemSeries", 0, 1},
        {"SemM2", 1, {"Size", "Speed", "Grip", "Price"}, "SemSeries", 0, 2},
        {"SemM3", 1, {"Volume", "Autonomy", "Price"}, "SemSeries", 0, 3},
        {"MapM1", 1, {"Economy", "Performance", "Style"}, "MapSeries", 0, 1},
        {"MapM2", 1, {"Comfort", "Speed"}, "MapSeries", 0, 2},
        {"MapM3", 1, {"Utility", "Image"}, "MapSeries", 0, 3},
        {"SegNorthM1", 1, {"Leaders", "Families", "Savers"}, "SegSeries", 1, 1},
        {"SegNorthM2", 1, {"Experts", "Amateurs", "Pros", "Juniors", "Seniors"}, "SegSeries", 1, 2},
        {"SegNorthM3", 1, {"Pioneers", "Followers"}, "SegSeries", 1, 3},
        {"SegSouthM1", 1, {"Leaders", "Families", "Savers"}, "SegSeries", 2, 1},
        {"SegSouthM2", 1, {"Experts", "Amateurs", "Pros", "Juniors", "Seniors"}, "SegSeries", 2, 2},
        {"SegSouthM3", 1, {"Pioneers", "Followers"}, "SegSeries", 2, 3},
    };
}

// A firm markets at most 5 brands in a zone and market ("FirBrand"), so a market
// holds at most 4 x 5 ("MktBrand").
constexpr TCountedSeries kCountedSeries[] = {
    {"CjaLevel", 4},    {"MsgLines", 10}, {"Prototype", 20}, {"FirBrand", 5}, {"CumBrand", 20}, {"MsgSim", 20},
    {"MsgAdmLine", 10}, {"Projet", 10},   {"MktBrand", 20},  {"Cct", 5},      {"CctFirms", 3},
};

std::int16_t CountOf(std::string_view seriesName) {
    for (const TCountedSeries& counted : kCountedSeries)
        if (counted.name == seriesName) return counted.count;
    throw std::logic_error("sample industry: no element count for the series " + std::string(seriesName));
}

std::vector<std::string> IndexSeriesLabels(const TSeriesIndexEntry& entry) {
    if (entry.elements.empty()) return NumberedLabels(kIndexSeriesLo, CountOf(entry.name));
    return {entry.elements.begin(), entry.elements.end()};
}

std::uint16_t NextId(const TListSeries& list) { return static_cast<std::uint16_t>(list.Count() + 1); }

}  // namespace

std::span<const TDimensionSeries> DimensionSeries() {
    static const std::vector<TDimensionSeries> series = MakeDimensionSeries();
    return series;
}

std::span<const TCountedSeries> CountedSeries() { return kCountedSeries; }

void AddSampleSeries(TListSeries& list) {
    for (const TDimensionSeries& dimension : DimensionSeries())
        list.AddSeries(TSeries(NextId(list), dimension.name, dimension.lo, dimension.labels));
    for (const TSeriesIndexEntry& entry : SeriesIndexTable())
        list.AddSeries(TSeries(NextId(list), entry.name, kIndexSeriesLo, IndexSeriesLabels(entry)));
}

int CellSeriesPosition(std::string_view cellName, std::int16_t zone, std::int16_t market) {
    const auto series = DimensionSeries();
    for (std::size_t position = 0; position < series.size(); ++position) {
        const TDimensionSeries& candidate = series[position];
        if (candidate.cellName == cellName && candidate.zone == zone && candidate.market == market)
            return static_cast<int>(position);
    }
    return -1;
}

}  // namespace cv::sample
