#pragma once
// The allocation assistant's proposal for one channel of a zone: how to share
// the channel's sales force among the firm's brands, by one of four rules.
// Three of them weight each brand by what the distribution panel measured in
// the current period, so they need that study in the brand's market.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/store/data_context.h"

namespace cv {

class TCvInd;

enum class TSlfRule : int {
    EqualShares = 0,
    UnitSales = 1,     // the brand's unit sales through the channel
    SalesValue = 2,    // ... times its retail price in the channel
    Contribution = 3,  // ... times its contribution per unit sold (a loss counts as 0)
};
inline constexpr int kSlfRuleCount = 4;

// Whole percentages for the brands named Brands (the rows, in order) in
// channel Channel of the firm and zone of Context, from the current period's
// results. A brand's market is the first in which it is on sale; a brand on
// sale nowhere (a brand new in the decision period) weighs 0 and needs no
// study. Nothing when a brand's market had no distribution panel ordered in
// the current period; equal shares never need it.
std::optional<std::vector<int>> ProposeChannelShares(TCvInd& industry, const TDataContext& context, TSlfRule rule,
                                                     std::span<const std::string> brands, int channel);

}  // namespace cv
