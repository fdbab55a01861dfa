#pragma once
// The names of the scalars and arrays each cell of an industry file's sets
// holds. The cells of one set and one kind (every firm's, every zone's and
// market's, ...) hold the same names, some cells maybe a few of their own (an
// optional parameter, a study bought). A cell that lacks a name every other
// cell of its kind holds lost it to damage (a name changed, a value that ran
// on over the next one), and the program reads the name there and does not
// find it; of only two cells, either may lack an optional name the other
// holds, so there the cell must also hold one that the other does not.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/data_context.h"
#include "core/store/name_hash.h"

namespace cv {

class TCellPeers {
public:
    // A scalar or an array Name of Cell of the set of Type (a volume type) and
    // Period; the names of one cell come one after another. A name met before
    // costs a look-up, no allocation.
    void Add(int type, int period, const TCellIndex& cell, bool array, std::string_view name);
    // EDataError naming the first cell that lost a name, the name its peers
    // hold and the one it holds instead, if any.
    void Check() const;

private:
    struct TCell {
        int type;
        int period;
        TCellIndex cell;
        std::size_t first;  // its names: cellNames_[first, last)
        std::size_t last;
    };
    struct TName {
        bool array;
        std::string name;
    };
    // "the array N" or "the scalar N".
    std::string NameText(std::size_t name) const;
    // Each distinct name once, scalars' and arrays' apart.
    std::array<TNameMap<std::size_t>, 2> ids_;
    std::vector<TName> names_;
    // The names of every cell, one after another, as indexes into names_.
    std::vector<std::size_t> cellNames_;
    std::vector<TCell> cells_;
};

}  // namespace cv
