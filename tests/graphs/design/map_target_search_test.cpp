// The map-target search: grid sizes per budget, the wheels' steps and
// positions, the answer on exactly solvable and tied models, progress and cancel.

#include "graphs/design/map_target_search.h"

#include <gtest/gtest.h>

#include <vector>

namespace cv {
namespace {

TEST(MapTargetSearch, PointsPerFreeCharacteristicFollowTheBudget) {
    // trunc(budget^(1/k)) for the three search modes.
    const int budgets[] = {5000, 10000, 120000};
    const int expected[6][3] = {
        {5000, 10000, 120000}, {70, 100, 346}, {17, 21, 49}, {8, 10, 18}, {5, 6, 10}, {4, 4, 7},
    };
    for (int k = 1; k <= 6; ++k)
        for (int mode = 0; mode < 3; ++mode)
            EXPECT_EQ(PointsPerCharacteristic(budgets[mode], k), expected[k - 1][mode]) << k << " free, mode " << mode;
}

TEST(MapTargetSearch, WheelVisitsEveryStepAndItsUpperBound) {
    struct Case {
        long lo, hi;
        int points;
        long step, positions;
    };
    const Case cases[] = {
        {0, 10, 4, 3, 5},        // 10 / 3 = 3.33 -> 3: 0, 3, 6, 9, then 10
        {0, 9, 4, 3, 4},         // 0, 3, 6, 9
        {100, 100, 100, 1, 1},   // lower bound = upper bound: one position
        {0, 5, 100, 1, 6},       // a step below 1 becomes 1
        {0, 5000, 346, 14, 359}, // 5000 / 345 = 14.49 -> 14: 0, 14, ..., 4998, then 5000
    };
    for (const Case& c : cases) {
        const TSearchWheel wheel = TSearchWheel::Free(c.lo, c.hi, c.points);
        EXPECT_EQ(wheel.step, c.step) << c.lo << ".." << c.hi;
        EXPECT_EQ(wheel.PositionCount(), c.positions) << c.lo << ".." << c.hi;
    }
    EXPECT_EQ(TSearchWheel::Fixed(42).PositionCount(), 1);
}

// Two characteristics and two dimensions: P1 = 0.1 x1 - 5, P2 = 0.05 x2.
TMapModel TwoByTwoModel() {
    TMapModel model;
    model.characteristicCount = 2;
    model.dimensionCount = 2;
    model.coef[0] = {0.1, 0, -5};
    model.coef[1] = {0, 0.05, 0};
    return model;
}

TEST(MapTargetSearch, FindsTheExactGridPointOfASolvableTarget) {
    // Target (0, 2.5): x1 = 50, x2 = 50, both on the grid 0, 10, ..., 100.
    const TMapTargetSearch search(TwoByTwoModel(), {TSearchWheel::Free(0, 100, 11), TSearchWheel::Free(0, 100, 11)});
    std::vector<std::int64_t> reports;
    const TMapSearchResult result = search.Run({0, 2.5, 0}, [&](std::int64_t n) {
        reports.push_back(n);
        return true;
    });
    EXPECT_EQ(result.best[0], 50);
    EXPECT_EQ(result.best[1], 50);
    EXPECT_NEAR(result.distance, 0, 1e-12);
    EXPECT_NEAR(result.position[0], 0, 1e-12);
    EXPECT_NEAR(result.position[1], 2.5, 1e-12);
    // 11 x 11 points, all evaluated; the only report is the final one, at the total.
    EXPECT_EQ(search.PointCount(), 121);
    EXPECT_EQ(reports, std::vector<std::int64_t>{121});
}

TEST(MapTargetSearch, FixedCharacteristicKeepsItsValue) {
    // x2 fixed at 30: P2 = 1.5 whatever the target; x1 = 20 gives P1 = -3.
    const TMapTargetSearch search(TwoByTwoModel(), {TSearchWheel::Free(0, 100, 11), TSearchWheel::Fixed(30)});
    const TMapSearchResult result = search.Run({-3, 2.5, 0}, {});
    EXPECT_EQ(result.best[0], 20);
    EXPECT_EQ(result.best[1], 30);
    EXPECT_NEAR(result.distance, 1.0, 1e-12);
    EXPECT_EQ(search.PointCount(), 11);
}

TEST(MapTargetSearch, TiesKeepTheEarlierPoint) {
    // x1 plays no part: every x1 ties, so the answer keeps its lower bound;
    // x2 = 40 and x2 = 60 are equally near P2 = 2.5 (2.0 and 3.0): the earlier, 40.
    TMapModel model = TwoByTwoModel();
    model.coef[0] = {0, 0, 0};
    const TMapTargetSearch search(model, {TSearchWheel::Free(10, 100, 10), TSearchWheel::Free(0, 100, 6)});
    const TMapSearchResult result = search.Run({0, 2.5, 0}, {});
    EXPECT_EQ(result.best[0], 10);
    EXPECT_EQ(result.best[1], 40);
}

TEST(MapTargetSearch, ProgressEveryThousandPointsAndCancel) {
    // 346 x 346 = 119,716 points in the finest mode with two free characteristics.
    const int points = PointsPerCharacteristic(120000, 2);
    const TMapTargetSearch search(TwoByTwoModel(),
                                  {TSearchWheel::Free(0, 345, points), TSearchWheel::Free(0, 345, points)});
    EXPECT_EQ(search.PointCount(), 346 * 346);
    std::int64_t last = 0;
    int reports = 0;
    search.Run({0, 0, 0}, [&](std::int64_t n) {
        EXPECT_GT(n, last);
        last = n;
        ++reports;
        return true;
    });
    EXPECT_EQ(last, search.PointCount());  // the gauge reaches its maximum
    EXPECT_EQ(reports, 119 + 1);

    int calls = 0;
    const TMapSearchResult cancelled = search.Run({0, 0, 0}, [&](std::int64_t) { return ++calls < 3; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace cv
