// The marketing plan on the largest industry (6 firms, 3 zones, 3 markets of
// 5 brands each), whose plan passes the plan check.
// BM_PlanDialogOpen: the dialog built, its segment-size tab loaded and drawn;
// the baseline ("x_raw"), timed alternately in the same run, a bare dialog of as many
// controls and the same table texts (bare_dialog.h). Opening should stay
// within one frame (16 ms) in absolute time too.
// BM_PlanBrandForecastTab: entering the brand-forecast tab: the plan screen
// checked and stored, the plan check of every market, the model's forecast
// and the brand forecast screen built, as one tab change from the first tab.
// The baseline ("x_forecast"), timed alternately in the same run, is the model's
// forecast alone, so the ratio is what the dialog adds to the run it cannot
// avoid. The change should show no wait: under 50 ms in absolute time ("ms").

#include <QApplication>
#include <memory>

#include "bench/bare_dialog.h"
#include "bench/paired_timing.h"
#include "bench/screen_bench.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/dialogs/brand_tab_bar.h"
#include "decisions/plan/mkt_plan_dialog.h"
#include "model/plan_forecast.h"

namespace {

constexpr int kFirstTab = 0;
constexpr int kBrandForecastTab = 4;

// The decisions page's context: the industry's current and decision periods.
cv::TDataContext PageContext() {
    cv::TDataContext context = cv::bench::LargestContext();
    const cv::TCvInd& industry = *cv::Session->Industry();
    context.CurPeriod = context.SelPeriod = industry.CurPeriod();
    context.DecPeriod = static_cast<std::int16_t>(industry.DecPeriod());
    return context;
}

void BM_PlanDialogOpen(benchmark::State& state) {
    QWidget& owner = cv::bench::LargestOwner();  // opens the industry on first use
    cv::TDataContext context = PageContext();
    auto dialog = std::make_unique<cv::TFoMktPlan>(&owner, context);
    const cv::bench::TBareDialogShape bare(*dialog);
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        dialog.reset();
        state.SetIterationTime(times.Round(
            [&] {
                dialog = std::make_unique<cv::TFoMktPlan>(&owner, context);
                benchmark::DoNotOptimize(dialog->grab());
            },
            [&] { bare.BuildAndDraw(owner); }));
    }
    times.Report(state, "raw");
}

// Entering the brand-forecast tab runs the forecast and shows its screen:
// timed alternately with a bare forecast on the same industry.
void BM_PlanBrandForecastTab(benchmark::State& state) {
    cv::TDataContext context = PageContext();
    int runs = 0;
    cv::TFoMktPlan dialog(&cv::bench::LargestOwner(), context, [&runs](cv::TSession& session) {
        ++runs;
        return cv::RunPlanForecast(session);
    });
    auto* tabs = dialog.findChild<cv::TBrandTabBar*>(QStringLiteral("TSMktPlan"));
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        tabs->setCurrentIndex(kFirstTab);
        bool forecastDone = false;
        state.SetIterationTime(times.Round([&] { tabs->setCurrentIndex(kBrandForecastTab); },
                                           [&] { forecastDone = cv::RunPlanForecast(*cv::Session).Done; }));
        if (tabs->currentIndex() != kBrandForecastTab || !dialog.Screen() || !forecastDone) {
            state.SkipWithError("the brand forecast tab was refused");
            return;
        }
    }
    times.Report(state, "forecast");
    state.counters["runs"] = static_cast<double>(runs) / static_cast<double>(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
    return cv::bench::RunScreenBenchmarks(argc, argv, [] {
        benchmark::RegisterBenchmark("BM_PlanDialogOpen", BM_PlanDialogOpen)->UseManualTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_PlanBrandForecastTab", BM_PlanBrandForecastTab)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    });
}
