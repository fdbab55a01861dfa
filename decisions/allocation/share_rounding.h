#pragma once
// Whole-percent shares of one distribution channel's sales force among the
// firm's brands, totalling 100: the rounding rules of the allocation
// assistant and of the distribution dialog's Normalise.
//
// Rounded shares rarely add up to exactly 100. A shortfall goes to one row
// chosen by the rule (the absorber); an excess is taken one point at a time
// from the largest row, the last of equal ones, so no share ever drops
// below 0. (Giving the absorber whatever is left could make it negative:
// thirteen brands at 7.6 % and one at 1.2 % round to 105.)

#include <span>
#include <vector>

namespace cv {

// What a channel's shares total.
inline constexpr int kFullChannel = 100;

// Brings Shares to a total of 100 as described above; a negative Absorber
// leaves a shortfall as it is. Shares are expected to be at least 0.
void SettleChannelTotal(std::vector<int>& shares, int absorber);

// Equal shares of Brands rows: round(100 / Brands) each, the last row taking
// the rest (3 brands: 33, 33, 34); no rows for no brands.
std::vector<int> EqualShares(int brands);

// Shares in proportion to Weights (negative weights count as 0): each row
// round(w / W x 100), the last positive row taking any shortfall; every row 0
// when the weights total 0.
std::vector<int> WeightedShares(std::span<const double> weights);

// Efforts brought to 100 in proportion, ChannelTotal being their sum: every
// row but the first round(value / ChannelTotal x 100) (0 when ChannelTotal is
// 0), the first row what is left (30, 30, 30 give 34, 33, 33).
std::vector<int> NormalisedShares(std::span<const int> efforts, int channelTotal);

}  // namespace cv
