#include "decisions/allocation/share_rounding.h"

#include <algorithm>
#include <numeric>

#include "core/base/numbers.h"

namespace cv {

namespace {

int RoundedPercent(long double part, long double whole) {
    return static_cast<int>(RoundHalfEven(part / whole * kFullChannel));
}

// The row with the largest share, the last of equal ones.
std::size_t LargestRow(const std::vector<int>& shares) {
    std::size_t largest = 0;
    for (std::size_t row = 1; row < shares.size(); ++row)
        if (shares[row] >= shares[largest]) largest = row;
    return largest;
}

}  // namespace

void SettleChannelTotal(std::vector<int>& shares, int absorber) {
    int total = std::accumulate(shares.begin(), shares.end(), 0);
    if (total < kFullChannel && absorber >= 0 && static_cast<std::size_t>(absorber) < shares.size()) {
        shares[static_cast<std::size_t>(absorber)] += kFullChannel - total;
        return;
    }
    for (; total > kFullChannel; --total) --shares[LargestRow(shares)];
}

std::vector<int> EqualShares(int brands) {
    if (brands <= 0) return {};
    std::vector<int> shares(static_cast<std::size_t>(brands), RoundedPercent(1, brands));
    shares.back() = 0;
    SettleChannelTotal(shares, brands - 1);
    return shares;
}

std::vector<int> WeightedShares(std::span<const double> weights) {
    std::vector<int> shares(weights.size(), 0);
    long double total = 0;
    for (double weight : weights) total += std::max(weight, 0.0);
    if (total <= 0) return shares;
    int lastPositive = -1;
    for (std::size_t row = 0; row < weights.size(); ++row) {
        shares[row] = RoundedPercent(std::max(weights[row], 0.0), total);
        if (shares[row] > 0) lastPositive = static_cast<int>(row);
    }
    SettleChannelTotal(shares, lastPositive);
    return shares;
}

std::vector<int> NormalisedShares(std::span<const int> efforts, int channelTotal) {
    std::vector<int> shares(efforts.size(), 0);
    if (shares.empty()) return shares;
    for (std::size_t row = 1; row < efforts.size(); ++row)
        shares[row] = channelTotal == 0 ? 0 : RoundedPercent(efforts[row], channelTotal);
    SettleChannelTotal(shares, 0);
    return shares;
}

}  // namespace cv
