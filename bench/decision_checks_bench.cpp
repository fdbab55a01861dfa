// The decision checks the decisions page runs after every dialog (groups not
// taken, errors, warnings, over every zone), the marketing-plan check and the
// check over every firm, on the largest industry the model holds (6 firms, 3
// zones, 3 markets, 5 brands per firm in every zone and market). Each is
// timed alternately with the zone budget's recalculation for the same firm
// over the same zones ("x_budget": the ratio of their medians): every error check starts
// with that recalculation. The page re-checks after every dialog, so the
// review should stay well under one frame (16 ms).

#include <benchmark/benchmark.h>

#include <functional>

#include "bench/largest_industry.h"
#include "bench/paired_timing.h"
#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/decision_review.h"
#include "tests/model/fixtures/model_world.h"

namespace {

cv::TDataContext FirmContext(const cv::TCvInd& industry) {
    cv::TDataContext context;
    context.SelFirm = 1;
    context.SelFta = 1;
    context.SelMarket = 1;
    context.CurPeriod = industry.CurPeriod();
    context.DecPeriod = static_cast<std::int16_t>(industry.DecPeriod());
    return context;
}

void RecalculateEveryZone(cv::TCvInd& industry, cv::TDataContext context) {
    for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
        context.SelFta = static_cast<std::int16_t>(zone);
        industry.Budget()->Init(industry, context);
        industry.Budget()->Recalculate();
    }
}

// Runs Check on the largest industry, opened once; the first run, untimed, loads the sets.
void RunOnLargest(benchmark::State& state, const std::function<int(cv::TCvInd&, const cv::TDataContext&)>& check) {
    cv::test::TModelWorld world;
    cv::TCvInd& industry = world.Open(cv::bench::WriteLargest(world.GamesDir()));
    const cv::TDataContext context = FirmContext(industry);
    check(industry, context);
    cv::bench::TPairedTimes times;
    for (auto _ : state)
        state.SetIterationTime(times.Round([&] { benchmark::DoNotOptimize(check(industry, context)); },
                                           [&] { RecalculateEveryZone(industry, context); }));
    times.Report(state, "budget");
}

void BM_DecisionReviewLargest(benchmark::State& state) {
    RunOnLargest(state, [](cv::TCvInd& industry, const cv::TDataContext& context) {
        cv::TQnInfos messages;
        return cv::ReviewDecisions(industry, context, false, messages).ErrorCount;
    });
}
BENCHMARK(BM_DecisionReviewLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_MarketingPlanCheckLargest(benchmark::State& state) {
    RunOnLargest(state, [](cv::TCvInd& industry, const cv::TDataContext& context) {
        cv::TQnInfos messages;
        int count = 0;
        for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
            cv::TDataContext zoneContext = context;
            zoneContext.SelFta = static_cast<std::int16_t>(zone);
            count += cv::TCheckDec(industry, zoneContext).CheckMktPlan(messages, zoneContext);
        }
        return count;
    });
}
BENCHMARK(BM_MarketingPlanCheckLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_AllFirmsCheckLargest(benchmark::State& state) {
    RunOnLargest(state, [](cv::TCvInd& industry, const cv::TDataContext& context) {
        cv::TQnInfos messages;
        return cv::TCheckDec(industry, context).CheckAllFirms(messages, context);
    });
}
BENCHMARK(BM_AllFirmsCheckLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
