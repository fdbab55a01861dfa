// The marketing plan on the largest industry (6 firms, 3 zones, 3 markets of
// 5 brands each), whose plan passes the plan check.
// BM_PlanDialogOpen: the dialog built, its segment-size tab loaded and drawn;
// the baseline ("x_raw"), measured in the same run, a bare dialog of as many
// controls and the same table texts (bare_dialog.h). Opening should stay
// within one frame (16 ms) in absolute time too.
// BM_PlanBrandForecastTab: entering the brand-forecast tab: the plan screen
// checked and stored, the plan check of every market, the model's forecast
// and the brand forecast screen built, as one tab change from the first tab.
// The baseline ("x_forecast"), measured in the same run, is the model's
// forecast alone, so the ratio is what the dialog adds to the run it cannot
// avoid. The change should show no wait: under 50 ms in absolute time ("ms").

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "bench/bare_dialog.h"
#include "bench/screen_bench.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/dialogs/brand_tab_bar.h"
#include "decisions/plan/mkt_plan_dialog.h"
#include "model/plan_forecast.h"

namespace {

constexpr int kBaselineSamples = 9;
constexpr int kFirstTab = 0;
constexpr int kBrandForecastTab = 4;

using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point start) { return std::chrono::duration<double>(TClock::now() - start).count(); }

// The median of bare forecasts on the open industry, in seconds.
double ForecastSeconds() {
    std::vector<double> samples;
    for (int i = 0; i < kBaselineSamples; ++i) {
        const auto start = TClock::now();
        if (!cv::RunPlanForecast(*cv::Session).Done) return 0;
        samples.push_back(Seconds(start));
    }
    std::nth_element(samples.begin(), samples.begin() + kBaselineSamples / 2, samples.end());
    return samples[kBaselineSamples / 2];
}

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
    std::unique_ptr<cv::TFoMktPlan> dialog;
    const auto start = TClock::now();
    for (auto _ : state) {
        dialog = std::make_unique<cv::TFoMktPlan>(&owner, context);
        benchmark::DoNotOptimize(dialog->grab());
    }
    const double seconds = Seconds(start) / static_cast<double>(state.iterations());
    state.counters["ms"] = seconds * 1000;
    state.counters["x_raw"] = seconds / cv::bench::BareDialogSeconds(*dialog, owner);
}

void BM_PlanBrandForecastTab(benchmark::State& state) {
    cv::TDataContext context = PageContext();
    int runs = 0;
    cv::TFoMktPlan dialog(&cv::bench::LargestOwner(), context, [&runs](cv::TSession& session) {
        ++runs;
        return cv::RunPlanForecast(session);
    });
    auto* tabs = dialog.findChild<cv::TBrandTabBar*>(QStringLiteral("TSMktPlan"));
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tabs->setCurrentIndex(kFirstTab);
        state.ResumeTiming();
        const auto start = TClock::now();
        tabs->setCurrentIndex(kBrandForecastTab);
        seconds += Seconds(start);
        if (tabs->currentIndex() != kBrandForecastTab || !dialog.Screen()) {
            state.SkipWithError("the brand forecast tab was refused");
            return;
        }
    }
    const double perChange = seconds / static_cast<double>(state.iterations());
    state.counters["ms"] = perChange * 1000;
    state.counters["runs"] = static_cast<double>(runs) / static_cast<double>(state.iterations());
    if (const double forecast = ForecastSeconds(); forecast > 0) state.counters["x_forecast"] = perChange / forecast;
}

}  // namespace

int main(int argc, char** argv) {
    return cv::bench::RunScreenBenchmarks(argc, argv, [] {
        benchmark::RegisterBenchmark("BM_PlanDialogOpen", BM_PlanDialogOpen)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_PlanBrandForecastTab", BM_PlanBrandForecastTab)->Unit(benchmark::kMillisecond);
    });
}
