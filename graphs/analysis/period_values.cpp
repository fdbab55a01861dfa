#include "graphs/analysis/period_values.h"

#include <iterator>
#include <stdexcept>

namespace cv {
namespace {

constexpr double kTopLabelOffset = 0.3;
// About half a segment name's width: equal labels of segments 2 and 3 stand side by side.
constexpr double kSegmentLabelDx[] = {0, 4, -4, 8, -8};

}  // namespace

std::vector<double> GrowthSeries(const std::vector<double>& values) {
    std::vector<double> growth(values.size(), 0.0);
    for (std::size_t period = 1; period < values.size(); ++period)
        growth[period] = values[period - 1] == 0 ? 0.0 : values[period] / values[period - 1] - 1.0;
    return growth;
}

TBenchTable::TBenchTable(int firmCount, int team) : firmCount_(firmCount), team_(team) {}

void TBenchTable::AddPeriod(const std::vector<double>& values, bool bought) {
    if (static_cast<int>(values.size()) != firmCount_) throw std::invalid_argument("one value per firm expected");
    std::vector<std::optional<double>> row(values.begin(), values.end());
    if (!bought)
        for (int firm = 1; firm <= firmCount_; ++firm)
            if (firm != team_) row[static_cast<std::size_t>(firm - 1)].reset();
    rows_.push_back(std::move(row));
}

std::optional<double> TBenchTable::Value(int period, int firm) const {
    return rows_.at(static_cast<std::size_t>(period)).at(static_cast<std::size_t>(firm - 1));
}

std::optional<double> TBenchTable::Cumulative(int firm) const {
    double sum = 0;
    for (int period = 0; period < PeriodCount(); ++period) {
        const std::optional<double> value = Value(period, firm);
        if (!value) return std::nullopt;
        sum += *value;
    }
    return sum;
}

double SegmentLabelOffset(const std::vector<double>& rowValues, int segment) {
    const double own = rowValues.at(static_cast<std::size_t>(segment - 1));
    int larger = 0;
    for (double value : rowValues) larger += value > own ? 1 : 0;
    return kTopLabelOffset - larger;
}

double SegmentLabelDx(int segment) {
    constexpr int kPlaced = static_cast<int>(std::size(kSegmentLabelDx));
    return segment >= 1 && segment <= kPlaced ? kSegmentLabelDx[segment - 1] : 0.0;
}

}  // namespace cv
