#pragma once
// The names of the scalars and arrays each cell of an industry file's sets
// holds. The cells of one set and one kind (every firm's, every zone's and
// market's, ...) hold the same names, some cells maybe a few of their own (an
// optional parameter, a study bought). A cell that lacks a name every other
// cell of its kind holds, and holds instead one that no other holds, had that
// name changed: the program reads the name there and does not find it.

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
    // EDataError naming the first cell whose name was changed, the name its
    // peers hold and the one it holds instead.
    void Check() const;

private:
    struct TCell {
        int type;
        int period;
        TCellIndex cell;
        std::vector<std::size_t> names;  // indexes into names_
    };
    struct TName {
        bool array;
        std::string name;
    };
    // Each distinct name once, scalars' and arrays' apart.
    std::array<TNameMap<std::size_t>, 2> ids_;
    std::vector<TName> names_;
    std::vector<TCell> cells_;
};

}  // namespace cv
