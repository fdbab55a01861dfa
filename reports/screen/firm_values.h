#pragma once
// What the firm's result screens share when they read a report array: the
// "no value" marker, the text shown instead of a value, and the colours.

#include <cstdint>
#include <optional>

namespace cv {

class TSimArr;

// The real that marks an element of a report array as holding no value.
inline constexpr double kNoValue = 2147483647.0;
inline constexpr char kMissingText[] = "-";
inline constexpr std::int32_t kBlack = 0x000000;
inline constexpr std::int32_t kRed = 0x0000FF;   // $00BBGGRR
inline constexpr std::int32_t kGrey = 0x808080;

// Element Item of a one-dimensional report array times Scale; nothing when the
// array is missing, Item lies outside it, or the element holds the marker.
std::optional<double> ReportValue(const TSimArr* array, int item, double scale);

}  // namespace cv
