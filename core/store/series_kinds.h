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
// The cells tell the rest: the firms, zones and markets they are kept for are
// those of the firm, zone and market series, and every period whose decisions
// they hold lies within the period series.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/data_context.h"
#include "core/store/name_hash.h"
#include "core/store/typed_array.h"

namespace cv {

struct TIndustrySeries;

// The dimensions of the arrays that the cells of an industry file hold, each
// distinct use once: periods and firms do not matter to a series' kind.
class TArrayDimensionUses {
public:
    // How an array is dimensioned in the cells of a zone and a market (0 where the cells have none).
    struct TUse {
        std::int16_t zone = 0;
        std::int16_t market = 0;
        int nDim = 0;
        std::array<std::string, kMaxDims> series;
        std::array<std::int16_t, kMaxDims> lo{};
        std::array<std::int16_t, kMaxDims> hi{};
    };
    using TArrays = TNameMap<std::vector<TUse>>;

    // The array Name of Cell, whose stored form declares Dims. A use already
    // met costs a look-up and compares, no allocation: most cells repeat those
    // of other periods and firms.
    void Add(const TCellIndex& cell, std::string_view name, const TSimArr::TStoredDims& dims);
    // The uses of each array, by name.
    const TArrays& Arrays() const { return arrays_; }

private:
    TArrays arrays_;
};

// The cells of the sets an industry file holds: the largest firm, zone and
// market they are kept for, and the periods of the decision sets.
struct TCellExtent {
    int firms = 0;
    int zones = 0;
    int markets = 0;
    int firstDecisionPeriod = INT16_MAX;
    int lastDecisionPeriod = INT16_MIN;
    // A cell of the set of Type (a volume type) and Period.
    void Add(int type, int period, const TCellIndex& cell);
};

// EDataError naming the first position of Found that names a series of another
// kind, and what tells its kind.
void CheckSeriesKinds(const TIndustrySeries& found, const TArrayDimensionUses& arrays, const TCellExtent& cells);

}  // namespace cv
