#pragma once
// The kind of each series the opening looks up, as the industry file tells it.
// A position of the constant part that lies within the series list may still
// name a series of another kind (one flipped bit makes a market's dimensions
// the periods): the pages would then index the arrays of its cells with that
// series' bounds and fail there, long after the file was accepted. The file
// tells a series' kind three ways: the series-index table looks its own series
// up by name; a series serves one kind of position only (the periods are never
// a market's dimensions, though the zones may share their channels); and an
// array kept in the cells of several zones or markets is dimensioned, in each,
// with the series that the zone's or market's position names, by name and bounds.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "core/store/data_context.h"
#include "core/store/typed_array.h"

namespace cv {

struct TIndustrySeries;

// The dimensions of the arrays that the cells of an industry file hold, each
// distinct use once: periods and firms do not matter to a series' kind.
class TArrayDimensionUses {
public:
    // One dimension of an array of the cell of Zone and Market (0 where the cell has none).
    struct TUse {
        std::string array;
        int dimension = 0;
        std::int16_t zone = 0;
        std::int16_t market = 0;
        std::string series;
        std::int16_t lo = 0;
        std::int16_t hi = 0;
        auto operator<=>(const TUse&) const = default;
    };

    // The array Name of Cell, whose stored form declares Dims.
    void Add(const TCellIndex& cell, std::string_view name, const TSimArr::TStoredDims& dims);
    // The uses in order of array and dimension.
    const std::set<TUse>& Uses() const { return uses_; }

private:
    std::set<TUse> uses_;
};

// EDataError naming the first position of Found that names a series of another
// kind, and what tells its kind.
void CheckSeriesKinds(const TIndustrySeries& found, const TArrayDimensionUses& arrays);

}  // namespace cv
