// The rounding that brings a channel's shares to 100: equal shares, shares
// by weight (the assistant) and Normalise, each excess taken from the
// largest rows so that no share drops below 0.
#include <gtest/gtest.h>

#include <vector>

#include "decisions/allocation/share_rounding.h"

namespace cv {
namespace {

std::vector<int> Repeated(std::vector<int> shares, int count, int value) {
    shares.insert(shares.end(), static_cast<std::size_t>(count), value);
    return shares;
}

TEST(ShareRounding, EqualSharesLeaveTheRestToTheLastRow) {
    EXPECT_EQ(EqualShares(3), (std::vector<int>{33, 33, 34}));
    // 100 / 6 = 16.67 rounds to 17; 100 - 5 x 17 = 15.
    EXPECT_EQ(EqualShares(6), Repeated(Repeated({}, 5, 17), 1, 15));
    // 100 / 7 = 14.29 rounds to 14; 100 - 6 x 14 = 16.
    EXPECT_EQ(EqualShares(7), Repeated(Repeated({}, 6, 14), 1, 16));
    // 100 / 15 = 6.67 rounds to 7; 100 - 14 x 7 = 2.
    EXPECT_EQ(EqualShares(15), Repeated(Repeated({}, 14, 7), 1, 2));
    EXPECT_EQ(EqualShares(1), (std::vector<int>{100}));
    EXPECT_TRUE(EqualShares(0).empty());
}

TEST(ShareRounding, WeightedSharesGiveTheShortfallToTheLastPositiveRow) {
    const struct {
        std::vector<double> weights;
        std::vector<int> shares;
    } cases[] = {
        {{600, 400}, {60, 40}},
        // 33.33 each round to 33: the last positive row takes the missing 1.
        {{5, 5, 5}, {33, 33, 34}},
        {{5, 5, 5, 0}, {33, 33, 34, 0}},
        // A negative weight counts as 0.
        {{-300, 100, 300}, {0, 25, 75}},
        // Nothing to weigh: every row 0, the channel totals 0.
        {{0, 0, 0}, {0, 0, 0}},
        {{}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(WeightedShares(c.weights), c.shares) << c.weights.size();
}

// Thirteen brands at 7.6 % round to 8 each and one at 1.2 % to 1: 105. The
// excess 5 comes off the largest rows, the last of equal ones first, so the
// last five 8s become 7s: 8 x 8 + 5 x 7 + 1 = 100, and nothing is negative.
TEST(ShareRounding, AnExcessComesOffTheLargestRows) {
    std::vector<double> weights(13, 7.6);
    weights.push_back(1.2);
    EXPECT_EQ(WeightedShares(weights), Repeated(Repeated(Repeated({}, 8, 8), 5, 7), 1, 1));
    // The small brand first: the same five 8s at the end give a point each.
    weights.pop_back();
    weights.insert(weights.begin(), 1.2);
    EXPECT_EQ(WeightedShares(weights), Repeated(Repeated({1}, 8, 8), 5, 7));
}

TEST(ShareRounding, SettleTakesFromTheLastOfEqualLargestRows) {
    std::vector<int> shares{34, 34, 33};
    SettleChannelTotal(shares, 2);
    EXPECT_EQ(shares, (std::vector<int>{34, 33, 33}));
    // An excess larger than one row's lead is spread over the largest rows.
    // 105: 48, 47 -> 47, 47 -> 47, 46 (the last of the ties) -> 46, 46 -> 46, 45 -> 45, 45.
    shares = {48, 47, 10};
    SettleChannelTotal(shares, 0);
    EXPECT_EQ(shares, (std::vector<int>{45, 45, 10}));
    shares = {0, 0, 0};
    SettleChannelTotal(shares, -1);
    EXPECT_EQ(shares, (std::vector<int>{0, 0, 0})) << "no absorber: a shortfall stays";
}

TEST(ShareRounding, NormaliseGivesTheFirstRowTheRest) {
    const struct {
        std::vector<int> efforts;
        std::vector<int> shares;
    } cases[] = {
        // 30 / 90 = 33.33 -> 33 twice; the first row 100 - 66.
        {{30, 30, 30}, {34, 33, 33}},
        // 30 / 90 -> 33; the first row 67.
        {{60, 30}, {67, 33}},
        {{50, 50}, {50, 50}},
        // A channel totalling 0: the first row takes it all.
        {{0, 0, 0}, {100, 0, 0}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        int total = 0;
        for (int effort : c.efforts) total += effort;
        EXPECT_EQ(NormalisedShares(c.efforts, total), c.shares) << total;
    }
}

// Efforts 3 and thirteen times 19 total 250: 19 / 250 = 7.6 % rounds to 8,
// thirteen times 104, more than the channel holds. The first row gets 0 and
// the excess 4 comes off the last four 8s.
TEST(ShareRounding, NormaliseNeverLeavesTheFirstRowNegative) {
    const std::vector<int> efforts = Repeated({3}, 13, 19);
    EXPECT_EQ(NormalisedShares(efforts, 250), Repeated(Repeated({0}, 9, 8), 4, 7));
}

}  // namespace
}  // namespace cv
