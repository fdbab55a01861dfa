#include "decisions/checks/portfolio_rules.h"

namespace cv {

namespace {
constexpr int kMaxMarketBrands = 5;
}  // namespace

TPortfolioActions PortfolioActions(TBrandStatus selected, int marketBrands, int allMarketsBrands) {
    TPortfolioActions open{true, true, true, true};
    switch (selected) {
        case TBrandStatus::New:
            open.Withdraw = false;
            open.Undo = allMarketsBrands > 1;
            break;
        case TBrandStatus::Withdrawn:
            open.Withdraw = false;
            open.Modify = false;
            open.Undo = marketBrands < kMaxMarketBrands;
            break;
        case TBrandStatus::Kept: open.Undo = false; break;
        case TBrandStatus::Modified: open.Withdraw = false; break;
        case TBrandStatus::None: break;
    }
    const bool chosen = selected != TBrandStatus::None;
    open.Introduce = open.Introduce && marketBrands < kMaxMarketBrands;
    open.Modify = open.Modify && chosen;
    open.Withdraw = open.Withdraw && chosen && allMarketsBrands > 1;
    open.Undo = open.Undo && chosen;
    return open;
}

}  // namespace cv
