// The map-target search in its finest mode with two free characteristics
// (346 x 346 points), timed alternately with the same number of model
// evaluations in a plain loop ("x_plain": the ratio of their medians): what
// the odometer, the comparison and the progress reports add to the arithmetic
// itself. The dialog's own search, with its gauge, is in design_dialog_bench.

#include <benchmark/benchmark.h>

#include "bench/map_search_model.h"
#include "bench/paired_timing.h"

namespace cv {
namespace {

// The plain loop over the same points as the search; returns the smallest distance.
double PlainModelEvaluations(const TMapModel& model, std::int64_t points, const TMapPosition& target) {
    double best = 1e300;
    TCharacteristics x{0, 0, 40, 120, 900, 250};
    for (std::int64_t i = 0; i < points; ++i) {
        x[0] = 500 + static_cast<double>(i % 346) * 13;
        x[1] = 10 + static_cast<double>(i / 346);
        const double distance = model.MapDistance(model.PredictMapPosition(x), target);
        if (distance < best) best = distance;
    }
    return best;
}

void BM_MapTargetSearchFinestMode(benchmark::State& state) {
    const TMapModel model = bench::SixByThreeModel();
    const TMapTargetSearch search(model, bench::TwoFreeWheels());
    const TMapPosition target{1.5, -2, 0.5};
    std::int64_t reached = 0;
    bench::TPairedTimes times;
    for (auto _ : state) {
        state.SetIterationTime(times.Round(
            [&] {
                const TMapSearchResult result = search.Run(target, [&](std::int64_t evaluated) {
                    reached = evaluated;
                    return true;
                });
                benchmark::DoNotOptimize(result.distance);
            },
            [&] { benchmark::DoNotOptimize(PlainModelEvaluations(model, search.PointCount(), target)); }));
    }
    if (reached != search.PointCount()) state.SkipWithError("the progress did not reach the point count");
    state.SetItemsProcessed(state.iterations() * search.PointCount());
    times.Report(state, "plain");
}
BENCHMARK(BM_MapTargetSearchFinestMode)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cv
