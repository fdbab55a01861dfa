#pragma once
// What the brand-portfolio dialog lets a team do with the brand it selected:
// a firm markets at most five brands in a market and always keeps at least
// one brand over all markets.

#include <cstdint>

namespace cv {

// A brand's place in the portfolio being decided, against the current one.
enum class TBrandStatus : std::uint8_t { None, Kept, Modified, New, Withdrawn };

struct TPortfolioActions {
    bool Introduce = false;
    bool Modify = false;
    bool Withdraw = false;
    bool Undo = false;
    bool operator==(const TPortfolioActions&) const = default;
};

// The actions open for Selected (None: no brand selected) while the market
// holds MarketBrands brands of the decision period and the firm holds
// AllMarketsBrands over every market. A new brand is withdrawn by undoing its
// introduction; a modified one is first put back; a withdrawn one comes back
// only into a free row.
TPortfolioActions PortfolioActions(TBrandStatus selected, int marketBrands, int allMarketsBrands);

}  // namespace cv
