#pragma once
// A watcher of the names the program reads from an industry's data sets. The
// data-set accessors tell it every scalar and array asked for by name, so that
// a test can hold what the program reads against the table of what it may
// read (core/store/industry_reads.h). Nothing watches in the program itself:
// an accessor then pays one test of a pointer.

#include <cstdint>
#include <string_view>

#include "core/store/data_context.h"

namespace cv {

// One name asked for: the set (its volume type and period), the data category
// and the cell it selected, whether an array or a scalar was asked for, whether
// the caller takes a default when it is absent, whether the cell held it, and
// whether the set was read from an industry file (not made in memory, as the
// forecast period is).
struct TNamedRead {
    std::uint16_t set = 0;
    std::int16_t period = 0;
    int category = 0;
    TCellIndex cell;
    std::string_view name;
    bool array = false;
    bool withDefault = false;
    bool found = false;
    bool fromFile = false;
};

class TReadObserver {
public:
    virtual ~TReadObserver() = default;
    virtual void Read(const TNamedRead& read) = 0;
};

namespace detail {
inline TReadObserver* readObserver = nullptr;
}

// Starts telling Observer every read of a set of a kind (not of scratch sets);
// nullptr stops. One observer at a time; the caller keeps it alive meanwhile.
inline void ObserveReads(TReadObserver* observer) { detail::readObserver = observer; }

}  // namespace cv
