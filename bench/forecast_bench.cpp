// One complete marketing-plan forecast, as the plan dialog runs it, on the
// sample industry (3 firms, 2 zones, 2 markets) and on the largest industry
// the model holds (6 firms, 3 zones, 3 markets, 5 brands per firm in every
// zone and market, 20 prototypes per firm and market, 5 segments and 3
// channels), each reported beside the time
// to read the same industry file's raw bytes, measured in the same run
// ("x_raw"). The industry stays open between forecasts, as it does in the
// dialog; every forecast rebuilds the results of t+1 and the decisions of t+2
// from scratch. A table of forecasts on industries of growing size shows how it grows.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/largest_industry.h"
#include "bench/raw_read.h"
#include "core/session/session.h"
#include "model/plan_forecast.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace {

// Opening the industry file through the session: the constant part, the
// series and the series-index table; the sets load when first used.
void RunOpen(benchmark::State& state, const std::filesystem::path& file) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(cv::Session->IndOpen(file.string()));
        state.PauseTiming();
        cv::Session->IndClose();
        state.ResumeTiming();
    }
}

// Forecasts on the open industry; the first one, untimed, loads the sets the model reads.
void RunForecasts(benchmark::State& state, const std::filesystem::path& file) {
    const double rawSeconds = cv::bench::RawSecondsPerRead(file.string());
    if (!cv::Session->IndOpen(file.string()) || !cv::RunPlanForecast(*cv::Session).Done) std::abort();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!cv::RunPlanForecast(*cv::Session).Done) state.SkipWithError("the forecast failed");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["x_raw"] = seconds / static_cast<double>(state.iterations()) / rawSeconds;
    cv::Session->IndClose();
}

void BM_ForecastSampleOpen(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunOpen(state, cv::sample::WriteSampleIndustryFile(world.GamesDir()));
}
BENCHMARK(BM_ForecastSampleOpen)->Unit(benchmark::kMillisecond);

void BM_ForecastSample(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunForecasts(state, cv::sample::WriteSampleIndustryFile(world.GamesDir()));
}
BENCHMARK(BM_ForecastSample)->Unit(benchmark::kMillisecond);

void BM_ForecastLargestOpen(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunOpen(state, cv::bench::WriteLargest(world.GamesDir()));
}
BENCHMARK(BM_ForecastLargestOpen)->Unit(benchmark::kMillisecond);

void BM_ForecastLargest(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunForecasts(state, cv::bench::WriteLargest(world.GamesDir()));
}
BENCHMARK(BM_ForecastLargest)->Unit(benchmark::kMillisecond);

// How the forecast grows with the industry: the largest fixture cut to the
// firms, zones, markets, brands and prototypes per firm and market given, up
// to its full size (the last row).
void BM_ForecastBySize(benchmark::State& state) {
    cv::test::TModelWorld world;
    const std::filesystem::path file = world.GamesDir() / "SIZED.ind";
    cv::test::WriteFixtureIndustry(
        file, cv::test::FixtureLargest(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                       static_cast<int>(state.range(2)), static_cast<int>(state.range(3)),
                                       static_cast<int>(state.range(4))));
    RunForecasts(state, file);
    state.counters["brands"] = static_cast<double>(state.range(0) * state.range(1) * state.range(2) * state.range(3));
}
BENCHMARK(BM_ForecastBySize)
    ->ArgNames({"firms", "zones", "markets", "brands", "prototypes"})
    ->Args({1, 1, 1, 2, 2})
    ->Args({2, 1, 1, 5, 5})
    ->Args({6, 1, 1, 5, 5})
    ->Args({6, 2, 2, 5, 5})
    ->Args({6, 3, 3, 2, 2})
    ->Args({6, 3, 3, 5, 5})
    ->Args({6, 3, 3, 5, 20})
    ->Unit(benchmark::kMillisecond);

}  // namespace
