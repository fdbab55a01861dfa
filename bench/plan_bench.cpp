// Entering the brand-forecast tab of the marketing plan on the largest
// industry (6 firms, 3 zones, 3 markets of 5 brands each): the plan screen
// checked and stored, the plan check of every market, the model's forecast
// and the brand forecast screen built, as one tab change from the first tab.
// The baseline ("x_forecast"), measured in the same run, is the model's
// forecast alone, so the ratio is what the dialog adds to the run it cannot
// avoid. The change should show no wait: under 50 ms in absolute time ("ms").

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <vector>

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

void BM_PlanBrandForecastTab(benchmark::State& state) {
    cv::TDataContext context = cv::bench::LargestContext();
    const cv::TCvInd& industry = *cv::Session->Industry();
    context.CurPeriod = context.SelPeriod = industry.CurPeriod();
    context.DecPeriod = static_cast<std::int16_t>(industry.DecPeriod());
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
        benchmark::RegisterBenchmark("BM_PlanBrandForecastTab", BM_PlanBrandForecastTab)->Unit(benchmark::kMillisecond);
    });
}
