#include "ui/chart/chart_warm_up.h"

#include "ui/chart/qn_chart.h"

namespace cv {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr int kSeries = 2;
constexpr int kPoints = 5;
constexpr int kTitleSize = 14;
constexpr int kAxisTitleSize = 10;
constexpr int kLabelSize = 8;

}  // namespace

void WarmUpCharts() {
    TQNChart chart(nullptr, kChartXY, kChartLeftAtX | kChartTopAtY, 0, 0, kWidth, kHeight, 0);
    chart.SetGridSize(kPoints, 2 * kSeries);
    for (int point = 1; point <= kPoints; ++point)
        for (int series = 1; series <= kSeries; ++series) {
            chart.SetData(point, 2 * series - 1, point);
            chart.SetData(point, 2 * series, point * series);
        }
    // Digits only: the chart is never seen, and its texts need no translation.
    chart.SetTitle("0123456789", kTitleSize, kChartFontBold, 0, 0);
    chart.SetAxisTitle("1", 0, kAxisTitleSize, kChartFontBold, 0);
    chart.SetAxisTitle("2", 1, kAxisTitleSize, kChartFontBold, 0);
    chart.SetSeriesLabels(1, 0, 0, "3", kLabelSize, 0, 0, 0, 0);
    chart.SetRepaint(true);
    chart.GetPicture(1.0);
}

}  // namespace cv
