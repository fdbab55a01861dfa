// What the portfolio dialog lets a team do with the brand it selected.
#include <gtest/gtest.h>

#include "decisions/checks/portfolio_rules.h"

namespace cv {
namespace {

using S = TBrandStatus;

TEST(PortfolioActions, OpenActionsFollowTheSelectionAndTheCounts) {
    struct Case {
        const char* what;
        S selected;
        int marketBrands;
        int allMarketsBrands;
        TPortfolioActions open;  // introduce, modify, withdraw, undo
    } cases[] = {
        {"nothing selected", S::None, 3, 5, {true, false, false, false}},
        {"nothing selected, five brands", S::None, 5, 7, {false, false, false, false}},
        {"a kept brand", S::Kept, 3, 5, {true, true, true, false}},
        {"the last brand of the firm", S::Kept, 1, 1, {true, true, false, false}},
        {"a modified brand is put back first", S::Modified, 3, 5, {true, true, false, true}},
        {"a new brand is withdrawn by undoing it", S::New, 3, 5, {true, true, false, true}},
        {"the firm's only brand, new", S::New, 1, 1, {true, true, false, false}},
        {"a withdrawn brand with a free row", S::Withdrawn, 4, 6, {true, false, false, true}},
        {"a withdrawn brand, five brands left", S::Withdrawn, 5, 6, {false, false, false, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PortfolioActions(c.selected, c.marketBrands, c.allMarketsBrands), c.open) << c.what;
}

}  // namespace
}  // namespace cv
