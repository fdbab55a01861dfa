// Building and painting each chart of the graphs page, and the perceptual
// and semantic maps with their labels placed (35 items: 30 brands and 5 ideal
// points), on the largest industry (6 firms, 3 markets, 5 segments) after one
// forecast, beside the
// baseline of painting a bare chart that gets the same data grid as it
// stands ("x_raw"), measured in the same run. A chart switch should stay
// within one frame (16 ms) in absolute time too.

#include <QImage>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "bench/screen_bench.h"
#include "core/session/session.h"
#include "graphs/charts/anal_graph.h"
#include "graphs/charts/gsp_graph.h"
#include "graphs/maps/perc_map.h"

namespace {

constexpr int kRawSamples = 20;
constexpr cv::TChartPlace kPlace{600, 1000, 35};

using TChartMaker = std::function<std::unique_ptr<cv::TCVChart>(QWidget*, const cv::TDataContext&)>;

// The baseline: a plain chart of the same type receiving the built chart's grid, then painted.
double RawSeconds(const cv::TQNChart& built) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRawSamples; ++i) {
        cv::TQNChart chart(&cv::bench::LargestOwner(), built.ChartType(), 0, 0, 0, kPlace.width, kPlace.height, 3);
        chart.SetGridSize(built.RowCount(), built.ColumnCount());
        for (int row = 1; row <= built.RowCount(); ++row)
            for (int column = 1; column <= built.ColumnCount(); ++column)
                if (const auto value = built.Data(row, column)) chart.SetData(row, column, *value);
        chart.SetRepaint(true);
        benchmark::DoNotOptimize(chart.GetPicture(1.0));
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRawSamples;
}

void BuildAndPaint(benchmark::State& state, const TChartMaker& make) {
    QWidget& owner = cv::bench::LargestOwner();  // opens the industry on first use
    cv::Session->SetAdminView(false);
    std::unique_ptr<cv::TCVChart> chart;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        chart = make(&owner, cv::bench::LargestContext());
        benchmark::DoNotOptimize(chart->GetPicture(1.0));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                           static_cast<double>(state.iterations());
    state.counters["ms"] = seconds * 1000;
    state.counters["x_raw"] = seconds / RawSeconds(*chart);
}

template <class Graph>
void Register(const std::string& name, int code, std::int16_t evolution) {
    benchmark::RegisterBenchmark(("BM_Graph_" + name + "_" + std::to_string(code) + (evolution == 1 ? "_evol" : evolution == 2 ? "_period" : "_cumul")).c_str(),
                                 BuildAndPaint, TChartMaker([code, evolution](QWidget* owner, cv::TDataContext context) {
                                     context.EvolChoice = evolution;
                                     context.UnitsOrValue = 1;
                                     context.GraphOption = 1;
                                     return std::make_unique<Graph>(owner, kPlace, code, context);
                                 }))
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
            ->Unit(benchmark::kMillisecond);
        for (int kind : {cv::mkSemantic, cv::mkPerceptual})
            benchmark::RegisterBenchmark(kind == cv::mkSemantic ? "BM_Map_Semantic" : "BM_Map_Perceptual",
                                         BuildAndPaint, TChartMaker([kind](QWidget* owner, cv::TDataContext context) {
                                             return std::make_unique<cv::TStdPercMap>(owner, context, kind, 10, 0,
                                                                                      kPlace.top, kPlace.width,
                                                                                      kPlace.height, 3);
                                         }))
                ->Unit(benchmark::kMillisecond);
    });
}
