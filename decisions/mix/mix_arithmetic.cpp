#include "decisions/mix/mix_arithmetic.h"

#include "core/base/numbers.h"
#include "ui/fields/qn_edit.h"

namespace cv {

namespace {
constexpr double kPercent = 100;
// The number fields' own bounds: far from the integer markers.
constexpr long long kFieldBound = 2'000'000'000;
}  // namespace

std::optional<double> MixIncrease(std::int32_t last, std::int32_t decided) {
    if (last <= 0 || decided < 0) return std::nullopt;
    return (static_cast<double>(decided) - last) * kPercent / last;
}

std::int32_t DecidedFromIncrease(std::int32_t last, double increase) {
    const long double value = last + static_cast<long double>(last) * increase / kPercent;
    return static_cast<std::int32_t>(
        RoundHalfEvenWithin(value, -kFieldBound, kFieldBound).value_or(value < 0 ? -kFieldBound : kFieldBound));
}

std::int32_t SegmentTotal(std::span<const std::int32_t> shares) {
    std::int32_t total = 0;
    for (const std::int32_t share : shares) {
        if (total == TQNEdit::kVoidInt) total = 0;
        if (share != TQNEdit::kVoidInt)
            total += share;
        else if (total == 0)
            total = TQNEdit::kVoidInt;
    }
    return total;
}

}  // namespace cv
