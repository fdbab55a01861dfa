// Opening an industry through the session, as the team page does, on the
// sample industry and on the largest industry the model holds, each with and
// without the whole-file check that taking, restoring and opening the team's
// own copy run first. Every figure is timed alternately with a read of the
// same file's raw bytes ("x_raw": the ratio of their medians). Opening reads
// the constant part, the series and the series-index table; the sets load
// when first used. The industry is closed, untimed, after each opening.
// Opening with the check should stay within 4x the raw read on both
// industries: the label of each checked figure says whether this run did.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/largest_industry.h"
#include "bench/paired_timing.h"
#include "bench/raw_read.h"
#include "core/session/session.h"
#include "core/store/industry_file_check.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace {

enum class TCheck { none, wholeFileFirst };

constexpr double kCheckedAim = 4;  // the most a checked opening should take, in raw reads

void RunOpen(benchmark::State& state, const std::filesystem::path& path, TCheck check) {
    const std::string file = path.string();
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        bool opened = false;
        state.SetIterationTime(times.Round(
            [&] {
                opened = (check == TCheck::none || cv::CheckWholeIndustryFile(file).Sound()) && cv::Session->IndOpen(file);
            },
            [&] { benchmark::DoNotOptimize(cv::bench::ReadRawBytes(file)); }));
        if (!opened) state.SkipWithError("the industry did not open");
        cv::Session->IndClose();
    }
    times.Report(state, "raw");
    if (check == TCheck::wholeFileFirst)
        state.SetLabel(times.Ratio() <= kCheckedAim ? "within 4x the raw read" : "beyond 4x the raw read");
}

void BM_OpenSample(benchmark::State& state, TCheck check) {
    cv::test::TModelWorld world;
    RunOpen(state, cv::sample::WriteSampleIndustryFile(world.GamesDir()), check);
}
BENCHMARK_CAPTURE(BM_OpenSample, Unchecked, TCheck::none)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenSample, WholeFileChecked, TCheck::wholeFileFirst)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_OpenLargest(benchmark::State& state, TCheck check) {
    cv::test::TModelWorld world;
    RunOpen(state, cv::bench::WriteLargest(world.GamesDir()), check);
}
BENCHMARK_CAPTURE(BM_OpenLargest, Unchecked, TCheck::none)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenLargest, WholeFileChecked, TCheck::wholeFileFirst)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
