// One complete marketing-plan forecast, as the plan dialog runs it, on the
// sample industry (3 firms, 2 zones, 2 markets) and on the largest industry
// the model holds (6 firms, 3 zones, 3 markets, 5 brands per firm in every
// zone and market, 20 prototypes per firm and market, 5 segments and 3
// channels), each timed alternately with a read of the same industry file's
// raw bytes ("x_raw": the ratio of their medians). The industry stays open
// between forecasts, as it does in the dialog; every forecast rebuilds the
// results of t+1 and the decisions of t+2 from scratch. The first forecast of
// a fresh program, which also loads and decodes what the model reads, is timed
// in a child process per sample. A table of forecasts on industries of growing
// size shows how the forecast grows. Every forecast benchmark reports the
// same counters, so that one program's runs make one table (the CSV report
// refuses a counter that its first run did not have).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "bench/largest_industry.h"
#include "bench/paired_timing.h"
#include "bench/raw_read.h"
#include "core/session/session.h"
#include "model/plan_forecast.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace {

long MinorPageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Sets the counters of every forecast benchmark: those of Times against the
// raw read, and "page_faults", the median count of memory pages a forecast
// touched for the first time.
void ReportForecasts(benchmark::State& state, const cv::bench::TPairedTimes& times, std::vector<double> pageFaults) {
    times.Report(state, "raw");
    state.counters["page_faults"] = cv::bench::Median(std::move(pageFaults));
}

// Forecasts on the open industry; the first one, untimed, loads the sets the model reads.
void RunForecasts(benchmark::State& state, const std::filesystem::path& file) {
    if (!cv::Session->IndOpen(file.string()) || !cv::RunPlanForecast(*cv::Session).Done) std::abort();
    cv::bench::TPairedTimes times;
    std::vector<double> pageFaults;
    for (auto _ : state) {
        bool done = true;
        long faults = 0;
        state.SetIterationTime(times.Round(
            [&] {
                const long faultsBefore = MinorPageFaults();
                done = cv::RunPlanForecast(*cv::Session).Done;
                faults = MinorPageFaults() - faultsBefore;
            },
            [&] { benchmark::DoNotOptimize(cv::bench::ReadRawBytes(file.string())); }));
        pageFaults.push_back(static_cast<double>(faults));
        if (!done) state.SkipWithError("the forecast failed");
    }
    ReportForecasts(state, times, std::move(pageFaults));
    cv::Session->IndClose();
}

// The first forecast after the industry is opened in a fresh process: the
// sets the model reads are loaded and their cells decoded on the way. The
// raw read of the file, timed in the same child just before (the median of
// several reads: the first ones touch fresh memory, as nothing in a new
// process has been used yet), is its baseline.
constexpr int kRawReadsInChild = 9;

struct TFirstForecast {
    cv::bench::TRoundSeconds seconds;
    long pageFaults = 0;
};

void RunFirstForecasts(benchmark::State& state, const std::filesystem::path& file) {
    cv::bench::TPairedTimes times;
    std::vector<double> pageFaults;
    for (auto _ : state) {
        const std::optional<TFirstForecast> round = cv::bench::InChildProcess([&] {
            TFirstForecast first;
            std::vector<double> rawReads;
            for (int read = 0; read < kRawReadsInChild; ++read)
                rawReads.push_back(cv::bench::TPairedTimes::SecondsOf(
                    [&] { benchmark::DoNotOptimize(cv::bench::ReadRawBytes(file.string())); }));
            first.seconds.baseline = cv::bench::Median(rawReads);
            if (!cv::Session->IndOpen(file.string())) std::_Exit(2);
            bool done = false;
            const long faultsBefore = MinorPageFaults();
            first.seconds.figure = cv::bench::TPairedTimes::SecondsOf([&] { done = cv::RunPlanForecast(*cv::Session).Done; });
            first.pageFaults = MinorPageFaults() - faultsBefore;
            if (!done) std::_Exit(3);
            return first;
        });
        if (!round) {
            state.SkipWithError("the child failed");
            return;
        }
        times.Add(round->seconds);
        pageFaults.push_back(static_cast<double>(round->pageFaults));
        state.SetIterationTime(round->seconds.figure);
    }
    ReportForecasts(state, times, std::move(pageFaults));
}

void BM_ForecastSample(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunForecasts(state, cv::sample::WriteSampleIndustryFile(world.GamesDir()));
}
BENCHMARK(BM_ForecastSample)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ForecastLargest(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunForecasts(state, cv::bench::WriteLargest(world.GamesDir()));
}
BENCHMARK(BM_ForecastLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_FirstForecastLargest(benchmark::State& state) {
    cv::test::TModelWorld world;
    RunFirstForecasts(state, cv::bench::WriteLargest(world.GamesDir()));
}
BENCHMARK(BM_FirstForecastLargest)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

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
    state.SetLabel(std::to_string(state.range(0) * state.range(1) * state.range(2) * state.range(3)) + " brands");
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
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
