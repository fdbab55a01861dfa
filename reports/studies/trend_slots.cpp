#include "reports/studies/trend_slots.h"

#include <algorithm>
#include <array>

namespace cv {

std::vector<TTrendPoint> TrendObservations(const std::vector<bool>& hadBrands, const std::vector<double>& values) {
    std::array<TTrendPoint, kTrendSlots + 1> slots{};  // slot 0 unused
    int count = 0;
    const int periods = static_cast<int>(std::min({hadBrands.size(), values.size(), std::size_t{kTrendSlots}}));
    for (int p = 0; p < periods; ++p) {
        const bool marketed = hadBrands[static_cast<std::size_t>(p)];
        if (marketed) ++count;
        if (count == 1 && p >= 1) count = 2;
        slots[static_cast<std::size_t>(marketed ? count : 1)] = {static_cast<double>(p),
                                                                 values[static_cast<std::size_t>(p)]};
    }
    return {slots.begin() + 1, slots.begin() + 1 + count};
}

}  // namespace cv
