#pragma once
// The map-target search the benchmarks compare with: six characteristics on
// three dimensions, two of them free over the finest mode's points.

#include <array>

#include "graphs/design/map_target_search.h"

namespace cv::bench {

constexpr int kFinestBudget = 120000;

inline TMapModel SixByThreeModel() {
    TMapModel model;
    model.characteristicCount = 6;
    model.dimensionCount = 3;
    model.coef[0] = {0.004, -0.002, 0.01, 0, 0.003, -0.001, -12};
    model.coef[1] = {-0.003, 0.005, 0, 0.02, -0.004, 0.002, 4};
    model.coef[2] = {0.001, 0.001, -0.01, 0.01, 0, 0.003, -3};
    return model;
}

inline std::array<TSearchWheel, MaxMapCharacteristics> TwoFreeWheels() {
    const int points = PointsPerCharacteristic(kFinestBudget, 2);
    return {TSearchWheel::Free(500, 5000, points), TSearchWheel::Free(10, 400, points), TSearchWheel::Fixed(40),
            TSearchWheel::Fixed(120),              TSearchWheel::Fixed(900),            TSearchWheel::Fixed(250)};
}

}  // namespace cv::bench
