#pragma once
// The series list of the sample industry: the series that give the cells their
// dimensions (periods, firms, zones, markets, and per zone or market the
// channels, segments, semantic scales, map axes and physical dimensions),
// followed by the 55 series of the series-index table.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/series.h"

namespace cv::sample {

// A series that names a dimension of the industry. The constant part holds its
// list position under CellName ("PerSeries", "ChaSeries", ...) in the cell of
// Zone and Market (0: the series does not depend on it).
struct TDimensionSeries {
    std::string_view name;
    std::int16_t lo;
    std::vector<std::string> labels;
    std::string_view cellName;
    std::int16_t zone;
    std::int16_t market;
};

// The dimension series in list order: the first of them sits at list position 0.
std::span<const TDimensionSeries> DimensionSeries();

// Element count of a series of the index table that code never addresses by
// label (brands, prototypes, message lines, ...); its labels are "1", "2", ...
struct TCountedSeries {
    std::string_view name;
    std::int16_t count;
};
std::span<const TCountedSeries> CountedSeries();

// Appends every series of the sample to List: the dimension series, then the
// series of the index table in its order, each with lo 1. Series ids are list
// positions + 1.
void AddSampleSeries(TListSeries& list);

// List position of the dimension series that the constant part names CellName
// for the cell of Zone and Market; -1 when there is none.
int CellSeriesPosition(std::string_view cellName, std::int16_t zone, std::int16_t market);

}  // namespace cv::sample
