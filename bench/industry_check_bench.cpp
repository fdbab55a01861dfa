// The whole-file check that taking, restoring and opening the team's own copy
// make, on the largest industry the model holds, against opening the same file
// through the session ("x_open": check time / open time). Each iteration opens
// and closes the industry, then checks the file, so both are measured under
// the same conditions; the benchmark's time is the check's.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "bench/largest_industry.h"
#include "core/session/session.h"
#include "core/store/industry_file_check.h"
#include "tests/model/fixtures/model_world.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void BM_WholeFileCheckLargest(benchmark::State& state) {
    cv::test::TModelWorld world;
    const std::string file = cv::bench::WriteLargest(world.GamesDir()).string();
    double openSeconds = 0;
    double checkSeconds = 0;
    for (auto _ : state) {
        const auto opening = Clock::now();
        if (!cv::Session->IndOpen(file)) std::abort();
        openSeconds += SecondsSince(opening);
        cv::Session->IndClose();
        const auto checking = Clock::now();
        const bool sound = cv::CheckWholeIndustryFile(file).Sound();
        const double seconds = SecondsSince(checking);
        if (!sound) state.SkipWithError("the largest industry does not read whole");
        checkSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["x_open"] = checkSeconds / openSeconds;
}
BENCHMARK(BM_WholeFileCheckLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
