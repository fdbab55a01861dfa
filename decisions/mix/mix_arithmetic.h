#pragma once
// The figures the marketing-mix dialog works out between its fields: the
// increase between last period's value and the decided one, the decided value
// back from an increase, and the total of the segments' advertising shares.
// Values are the number fields' integers, with their empty and "-" markers
// (both negative).

#include <cstdint>
#include <optional>
#include <span>

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

}  // namespace cv
