#pragma once
// The number formats of the study screens: percentages with one decimal,
// integers, and one, two or four decimals, all with the table's separators.

#include <string>

#include "ui/report/table_number_formats.h"

namespace cv {

inline const std::string& PercentFormat() { return TableNumberFormat(8); }
inline const std::string& IntegerFormat() { return TableNumberFormat(1); }
inline const std::string& OneDecimalFormat() { return TableNumberFormat(2); }
inline const std::string& TwoDecimalFormat() { return TableNumberFormat(3); }
inline const std::string& FourDecimalFormat() { return TableNumberFormat(6); }

}  // namespace cv
