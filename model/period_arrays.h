#pragma once
// The data dictionary of the forecast period: every array and counter that the
// model writes into the results set of t+1, with its cell category, element
// kind and the series spanning its dimensions. TModCV3::CreatePeriodArrays
// creates them all, empty, at the start of every run; the modules only fill
// elements. They have the names and shapes of the results that the report,
// study and graph screens read for every period.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/store/series_index.h"

namespace cv {

// Where the series of a dimension comes from: the industry's period series,
// the series of the zone or market being created, or the series-index table.
enum class TDimSource : std::uint8_t { Periods, Channels, Segments, SemScales, MapAxes, Indexed };

struct TPeriodDim {
    TDimSource source;
    TIndexedSeries indexed;  // for TDimSource::Indexed
};

inline constexpr int kMaxPeriodDims = 3;

struct TPeriodArray {
    int category;
    std::string_view name;
    bool scalar;           // a small-integer counter set to 0
    std::uint8_t kind;     // TDynArrKind of the elements
    std::uint8_t subType;  // maximum length of a text element
    int nDims;
    std::array<TPeriodDim, kMaxPeriodDims> dims;
};

// Every array and counter, grouped by category.
std::span<const TPeriodArray> PeriodArrays();

// The names of the counters and of the arrays of one category, each list in
// the order in which a cell's bag keeps its names, and for each array in that
// order its entry in PeriodArrays(): arrays created in this order each go to
// the end of the bag's list.
struct TPeriodCellNames {
    std::vector<std::string_view> counters;
    std::vector<std::string_view> arrays;
    std::vector<std::size_t> arrayEntries;  // parallel to arrays: the index of each in PeriodArrays()
};
const TPeriodCellNames& PeriodCellNames(int category);

}  // namespace cv
