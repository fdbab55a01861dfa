#pragma once
// The series that the table of what the program reads (core/store/industry_reads.h)
// names, each name once, and each entry's references to them: the whole-file
// check looks each name up once per file.

#include <array>
#include <string_view>
#include <vector>

#include "core/store/industry_reads.h"

namespace cv {

struct TTableSeriesNames {
    // An entry's series by their places in Names; -1 where it names none.
    struct TRefs {
        std::array<int, kMaxReadDims> dims{};
        int bound = -1;
        std::array<int, kMaxElementBounds> elements{};
    };
    std::vector<std::string_view> names;
    std::vector<TRefs> entries;  // one per entry of IndustryReads(), in its order
};

// Made on first use.
const TTableSeriesNames& TableSeriesNames();

}  // namespace cv
