#pragma once
// Column positions of the R&D tables, found by label in their series.

#include <cstdint>
#include <string_view>

#include "core/store/series.h"

namespace cv {

// Position of Label in Series; 127 (kLabelAbsent) when the label or the whole series is missing.
inline std::uint8_t ColumnOf(const TSeries* series, std::string_view label) {
    return static_cast<std::uint8_t>(series ? series->IndexOf(label) : kLabelAbsent);
}

}  // namespace cv
