// Building and painting each chart of the graphs page, and the perceptual
// and semantic maps with their labels placed (35 items: 30 brands and 5 ideal
// points), on the largest industry (6 firms, 3 markets, 5 segments) after one
// forecast. Each iteration times the chart, then its baseline: a bare chart
// of the same type that gets the built chart's data grid as it stands and is
// painted ("x_raw": the ratio of their medians, both timed in the same
// iterations, so that a loaded machine slows both alike). "cpu_ms" is the
// process's mean CPU time for the chart alone. A chart switch should stay within one frame
// (16 ms) in absolute time too.
//
// The "_rebuild" cases build the chart once, then time what a combo change
// does: the same chart built again in place (units and value in turn).

#include <QImage>
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "bench/paired_timing.h"
#include "bench/screen_bench.h"
#include "core/session/session.h"
#include "graphs/charts/anal_graph.h"
#include "graphs/charts/gsp_graph.h"
#include "graphs/maps/perc_map.h"

namespace {

constexpr cv::TChartPlace kPlace{600, 1000, 35};

using TChartMaker = std::function<std::unique_ptr<cv::TCVChart>(QWidget*, const cv::TDataContext&)>;

// Wall and process CPU seconds since construction.
class TStopwatch {
public:
    TStopwatch() : wall_(std::chrono::steady_clock::now()), cpu_(CpuSeconds()) {}
    double Wall() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count(); }
    double Cpu() const { return CpuSeconds() - cpu_; }

private:
    static double CpuSeconds() {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }
    std::chrono::steady_clock::time_point wall_;
    double cpu_;
};

// The baseline: a plain chart of the same type receiving the built chart's grid, then painted.
double RawSeconds(const cv::TQNChart& built) {
    const TStopwatch watch;
    cv::TQNChart chart(&cv::bench::LargestOwner(), built.ChartType(), 0, 0, 0, kPlace.width, kPlace.height, 3);
    chart.SetGridSize(built.RowCount(), built.ColumnCount());
    for (int row = 1; row <= built.RowCount(); ++row)
        for (int column = 1; column <= built.ColumnCount(); ++column)
            if (const auto value = built.Data(row, column)) chart.SetData(row, column, *value);
    chart.SetRepaint(true);
    benchmark::DoNotOptimize(chart.GetPicture(1.0));
    return watch.Wall();
}

// Times Step (which builds a chart and returns it) and the chart's painting,
// then the baseline, in every iteration.
template <class Step>
void Measure(benchmark::State& state, Step step) {
    cv::bench::TPairedTimes times;
    double cpuSeconds = 0;
    for (auto _ : state) {
        const TStopwatch watch;
        cv::TCVChart& chart = step();
        benchmark::DoNotOptimize(chart.GetPicture(1.0));
        const double seconds = watch.Wall();
        cpuSeconds += watch.Cpu();
        state.SetIterationTime(seconds);
        times.Add({seconds, RawSeconds(chart)});
    }
    times.Report(state, "raw");
    state.counters["cpu_ms"] = cpuSeconds / static_cast<double>(state.iterations()) * 1000;
}

void BuildAndPaint(benchmark::State& state, const TChartMaker& make) {
    QWidget& owner = cv::bench::LargestOwner();  // opens the industry on first use
    cv::Session->SetAdminView(false);
    std::unique_ptr<cv::TCVChart> chart;
    Measure(state, [&]() -> cv::TCVChart& {
        chart = make(&owner, cv::bench::LargestContext());
        return *chart;
    });
}

// A combo change: the chart built again in place, units and value in turn.
void RebuildAndPaint(benchmark::State& state, const TChartMaker& make) {
    QWidget& owner = cv::bench::LargestOwner();
    cv::Session->SetAdminView(false);
    const std::unique_ptr<cv::TCVChart> chart = make(&owner, cv::bench::LargestContext());
    cv::TDataContext context = chart->Context();
    Measure(state, [&]() -> cv::TCVChart& {
        context.UnitsOrValue = static_cast<std::int16_t>(3 - context.UnitsOrValue);
        chart->Build(context);
        return *chart;
    });
}

template <class Graph>
void Register(const std::string& name, int code, std::int16_t evolution) {
    const TChartMaker make([code, evolution](QWidget* owner, cv::TDataContext context) {
        context.EvolChoice = evolution;
        context.UnitsOrValue = 1;
        context.GraphOption = 1;
        return std::make_unique<Graph>(owner, kPlace, code, context);
    });
    const std::string title = "BM_Graph_" + name + "_" + std::to_string(code) +
                              (evolution == 1 ? "_evol" : evolution == 2 ? "_period" : "_cumul");
    benchmark::RegisterBenchmark(title.c_str(), BuildAndPaint, make)->UseManualTime()->Unit(benchmark::kMillisecond);
    if (evolution == 1)
        benchmark::RegisterBenchmark((title + "_rebuild").c_str(), RebuildAndPaint, make)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    return cv::bench::RunScreenBenchmarks(argc, argv, [] {
        for (int code : {1000, 1010, 1020, 1030, 1040, 1050, 1060, 1070, 1080, 1090, 1100})
            for (std::int16_t evolution : {1, 2}) Register<cv::TFirGraph>("Firm", code, evolution);
        for (int code : {2000, 2010, 2040, 2050}) Register<cv::TMktTotPerGraph>("Market", code, 1);
        for (int code : {2020, 2030, 2060}) Register<cv::TSegPerGraph>("Segment", code, 1);
        for (int code = 3000; code <= 3015; ++code)
            for (std::int16_t evolution : {1, 2, 3}) Register<cv::TBenchGraph>("Bench", code, evolution);
        benchmark::RegisterBenchmark("BM_Graph_GrowthShare", BuildAndPaint,
                                     TChartMaker([](QWidget* owner, cv::TDataContext context) {
                                         context.GraphOption = 1;
                                         context.EvolChoice = context.SelFirm;
                                         return std::make_unique<cv::TGspGraph>(owner, kPlace, context);
                                     }))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        for (int kind : {cv::mkSemantic, cv::mkPerceptual})
            benchmark::RegisterBenchmark(kind == cv::mkSemantic ? "BM_Map_Semantic" : "BM_Map_Perceptual",
                                         BuildAndPaint, TChartMaker([kind](QWidget* owner, cv::TDataContext context) {
                                             return std::make_unique<cv::TStdPercMap>(owner, context, kind, 10, 0,
                                                                                      kPlace.top, kPlace.width,
                                                                                      kPlace.height, 3);
                                         }))
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    });
}
