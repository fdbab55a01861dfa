#pragma once
// Values every table shares, set once from the screen: the screen class that
// picks row heights, column widths and label sizes, the separators and the
// three number masks of the style records.

#include <string>

namespace cv {

inline constexpr char kThousandsSeparator = ',';
inline constexpr char kDecimalSeparator = '.';

// 2 when the screen is wider than 640 pixels, else 1. Read from the primary
// screen on first use unless SetScreenWidth came first.
int ScreenClass();
int ScreenWidth();
// Fixes the screen width the tables lay themselves out for.
void SetScreenWidth(int pixels);

// Mask 1: integers with thousands separators; 2 and 3 add one and two
// decimals. Raises ERangeError outside 1..3.
const std::string& NumberMask(int index);

}  // namespace cv
