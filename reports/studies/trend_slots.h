#pragma once
// The observations a history screen fits its linear trend to. Periods with
// marketed brands are counted; once the count reaches 1 at a period after the
// first it jumps to 2, so that slot 1 stays free for the periods without
// brands, each of which overwrites it. The trend runs over slots 1..count.

#include <vector>

namespace cv {

inline constexpr int kTrendSlots = 13;

struct TTrendPoint {
    double period = 0;
    double value = 0;
};

// HadBrands[p] and Values[p] for periods p = 0, 1, ...: the observations in
// slot order (slot 1 first), as many as the final count; periods beyond the
// thirteen slots are left out.
std::vector<TTrendPoint> TrendObservations(const std::vector<bool>& hadBrands, const std::vector<double>& values);

}  // namespace cv
