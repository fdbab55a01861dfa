#pragma once
// TWorkRec: the scratch area that the caller of the model driver allocates and
// hands to every module of one run. The plan pass clears the scratch blocks
// before each zone and market; the warnings gathered during the run are kept
// until the caller has read them.

#include <array>
#include <string>
#include <vector>

namespace cv {

// Index 0 is the market total, 1..5 the segments.
inline constexpr int kWorkSegments = 5;
using TSegSales = std::array<double, kWorkSegments + 1>;

struct TWorkRec {
    // Segment sales of period t in the current zone and market (filled by the
    // preference module when it selects a market).
    TSegSales SegSalesT{};

    // Texts of the warnings raised during the run (counts clamped to the array
    // bounds, ...), each also written to the model log. Not scratch: the per-market
    // clearing leaves them alone.
    std::vector<std::string> Warnings;

    // Fills the scratch blocks with zeros.
    void ClearScratch() { SegSalesT.fill(0.0); }
};

}  // namespace cv
