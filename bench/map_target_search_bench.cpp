// The map-target search in its finest mode with two free characteristics
// (346 x 346 points) against the same number of model evaluations in a plain
// loop: the ratio is what the odometer, the comparison and the progress
// reports add to the arithmetic itself.

#include <benchmark/benchmark.h>

#include "graphs/design/map_target_search.h"

namespace cv {
namespace {

constexpr int FinestBudget = 120000;

// Six characteristics on three dimensions, four of them fixed.
TMapModel SixByThreeModel() {
    TMapModel model;
    model.characteristicCount = 6;
    model.dimensionCount = 3;
    model.coef[0] = {0.004, -0.002, 0.01, 0, 0.003, -0.001, -12};
    model.coef[1] = {-0.003, 0.005, 0, 0.02, -0.004, 0.002, 4};
    model.coef[2] = {0.001, 0.001, -0.01, 0.01, 0, 0.003, -3};
    return model;
}

std::array<TSearchWheel, MaxMapCharacteristics> TwoFreeWheels() {
    const int points = PointsPerCharacteristic(FinestBudget, 2);
    return {TSearchWheel::Free(500, 5000, points), TSearchWheel::Free(10, 400, points), TSearchWheel::Fixed(40),
            TSearchWheel::Fixed(120),              TSearchWheel::Fixed(900),            TSearchWheel::Fixed(250)};
}

void PlainModelEvaluations(benchmark::State& state) {
    const TMapModel model = SixByThreeModel();
    const TMapTargetSearch search(model, TwoFreeWheels());
    const std::int64_t points = search.PointCount();
    const TMapPosition target{1.5, -2, 0.5};
    for (auto _ : state) {
        double best = 1e300;
        TCharacteristics x{0, 0, 40, 120, 900, 250};
        for (std::int64_t i = 0; i < points; ++i) {
            x[0] = 500 + static_cast<double>(i % 346) * 13;
            x[1] = 10 + static_cast<double>(i / 346);
            const double distance = model.MapDistance(model.PredictMapPosition(x), target);
            if (distance < best) best = distance;
        }
        benchmark::DoNotOptimize(best);
    }
    state.SetItemsProcessed(state.iterations() * points);
}
BENCHMARK(PlainModelEvaluations)->Unit(benchmark::kMillisecond);

void MapTargetSearchFinestMode(benchmark::State& state) {
    const TMapTargetSearch search(SixByThreeModel(), TwoFreeWheels());
    std::int64_t reached = 0;
    for (auto _ : state) {
        const TMapSearchResult result = search.Run({1.5, -2, 0.5}, [&](std::int64_t evaluated) {
            reached = evaluated;
            return true;
        });
        benchmark::DoNotOptimize(result.distance);
    }
    if (reached != search.PointCount()) state.SkipWithError("the progress did not reach the point count");
    state.SetItemsProcessed(state.iterations() * search.PointCount());
}
BENCHMARK(MapTargetSearchFinestMode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cv
