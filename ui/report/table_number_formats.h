#pragma once
// The number formats of every report, built once from the separators:
// entry 1 "#,##0" ... entry 14 "+0.0%;-0.0%".

#include <string>

namespace cv {

inline constexpr int kTableNumberFormatCount = 14;

// Entry 1..14; any other index raises ERangeError.
const std::string& TableNumberFormat(int entry);

}  // namespace cv
