#pragma once
// The figures the marketing-mix dialog works out between its fields: the
// increase between last period's value and the decided one, the decided value
// back from an increase, the segments' shares in whole percents and their
// total.
// Values are the number fields' integers, with their empty and "-" markers
// (both negative).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace cv {

// (Decided - Last) x 100 / Last in percent; none when either is empty or
// negative, or when Last is 0.
std::optional<double> MixIncrease(std::int32_t last, std::int32_t decided);

// Last + Last x Increase / 100, rounded (halves to even), held within the
// fields' bounds of +-2,000,000,000.
std::int32_t DecidedFromIncrease(std::int32_t last, double increase);

// The shares added up in order. An empty share met while the running total is
// 0 leaves the total empty; the next filled share starts it again from 0. No
// filled share at all gives the empty marker.
std::int32_t SegmentTotal(std::span<const std::int32_t> shares);

// Stored segment shares (fractions) in whole percents that add up to their
// own total rounded: each share rounded (halves to even), then the points
// that rounding lost or added given to or taken from the shares with the
// largest or smallest remainders (the first of equal ones). Three shares of
// 1/3 give 34, 33, 33, not 33 + 33 + 33 = 99; shares that truly total 0.9
// still show 90.
std::vector<std::int32_t> SegmentPercents(std::span<const long double> shares);

}  // namespace cv
