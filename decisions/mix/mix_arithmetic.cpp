#include "decisions/mix/mix_arithmetic.h"

#include <algorithm>
#include <numeric>

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

std::vector<std::int32_t> SegmentPercents(std::span<const long double> shares) {
    std::vector<std::int32_t> percents;
    std::vector<long double> remainders;
    long double sum = 0;
    for (const long double share : shares) {
        const long double percent = share * kPercent;
        percents.push_back(static_cast<std::int32_t>(RoundHalfEven(percent)));
        remainders.push_back(percent - percents.back());
        sum += percent;
    }
    auto missing = static_cast<long long>(RoundHalfEven(sum)) -
                   std::accumulate(percents.begin(), percents.end(), 0LL);
    std::vector<std::size_t> order(percents.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Points missing go to the largest remainders, points too many come off the smallest.
    std::stable_sort(order.begin(), order.end(), [&remainders, missing](std::size_t a, std::size_t b) {
        return missing > 0 ? remainders[a] > remainders[b] : remainders[a] < remainders[b];
    });
    for (std::size_t i = 0; missing != 0 && i < order.size(); ++i) {
        percents[order[i]] += missing > 0 ? 1 : -1;
        missing += missing > 0 ? -1 : 1;
    }
    return percents;
}

}  // namespace cv
