// One complete marketing-plan forecast, as the plan dialog runs it, on the
// sample industry (3 firms, 2 zones, 2 markets) and on the largest industry
// the model holds (6 firms, 3 zones, 3 markets, 5 brands per firm in every
// zone and market, 5 segments and 3 channels), each reported beside the time
// to open the same industry file, measured in the same run ("x_open"). The
// industry stays open between forecasts, as it does in the dialog; every
// forecast rebuilds the results of t+1 and the decisions of t+2 from scratch.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/session/session.h"
#include "model/plan_forecast.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace {

constexpr int kOpenSamples = 10;
constexpr int kLargestFirms = 6;
constexpr int kLargestZones = 3;
constexpr int kLargestMarkets = 3;
constexpr int kLargestBrands = 5;
constexpr int kLargestSegments = 5;
constexpr int kLargestChannels = 3;
constexpr int kLargestCurrentPeriod = 6;

// Every firm markets five brands in every zone and market in t and carries
// them on in t+1, each on its own prototype, split 33 / 33 / 34 % over the channels.
cv::test::TFixtureSpec LargestSpec() {
    cv::test::TFixtureSpec spec(kLargestCurrentPeriod, kLargestFirms, kLargestZones, kLargestMarkets);
    spec.segments = kLargestSegments;
    spec.channels = kLargestChannels;
    for (int firm = 1; firm <= kLargestFirms; ++firm)
        for (int market = 1; market <= kLargestMarkets; ++market) {
            for (int k = 1; k <= kLargestBrands; ++k)
                spec.Prototypes(firm, market).push_back("P" + std::to_string(firm) + std::to_string(k));
            for (int zone = 1; zone <= kLargestZones; ++zone) {
                cv::test::TFixtureFirmCell& cell = spec.Cell(firm, zone, market);
                for (int k = 1; k <= kLargestBrands; ++k) {
                    const std::string name = "B" + std::to_string(firm) + std::to_string(k);
                    cell.brandsT.push_back(name);
                    cell.brandsT1.push_back({name, "P" + std::to_string(firm) + std::to_string(k), {33000, 33000, 34000}});
                }
                spec.MarketAgeT(zone, market) = kLargestCurrentPeriod + 1;
            }
        }
    return spec;
}

double OpenSeconds(const std::filesystem::path& file) {
    double seconds = 0;
    for (int i = 0; i < kOpenSamples; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!cv::Session->IndOpen(file.string())) std::abort();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cv::Session->IndClose();
    }
    return seconds / kOpenSamples;
}

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
    const double openSeconds = OpenSeconds(file);
    if (!cv::Session->IndOpen(file.string()) || !cv::RunPlanForecast(*cv::Session).Done) std::abort();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!cv::RunPlanForecast(*cv::Session).Done) state.SkipWithError("the forecast failed");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["x_open"] = seconds / static_cast<double>(state.iterations()) / openSeconds;
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

std::filesystem::path WriteLargest(const cv::test::TModelWorld& world) {
    const std::filesystem::path file = world.GamesDir() / "LARGEST.ind";
    cv::test::WriteFixtureIndustry(file, LargestSpec());
    return file;
}

void BM_ForecastLargestOpen(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunOpen(state, WriteLargest(world));
}
BENCHMARK(BM_ForecastLargestOpen)->Unit(benchmark::kMillisecond);

void BM_ForecastLargest(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunForecasts(state, WriteLargest(world));
}
BENCHMARK(BM_ForecastLargest)->Unit(benchmark::kMillisecond);

}  // namespace
