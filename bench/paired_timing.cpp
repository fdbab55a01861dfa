#include "bench/paired_timing.h"

#include <algorithm>

namespace cv::bench {

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    if (samples.size() % 2 != 0) return *middle;
    return (*middle + *std::max_element(samples.begin(), middle)) / 2;
}

void TPairedTimes::Add(TRoundSeconds round) {
    figure_.push_back(round.figure);
    baseline_.push_back(round.baseline);
}

double TPairedTimes::FigureMedian() const { return Median(figure_); }

double TPairedTimes::BaselineMedian() const { return Median(baseline_); }

double TPairedTimes::Ratio() const {
    const double baseline = BaselineMedian();
    return baseline > 0 ? FigureMedian() / baseline : 0;
}

void TPairedTimes::Report(benchmark::State& state, const std::string& baseline) const {
    state.counters["ms"] = FigureMedian() * 1000;
    state.counters[baseline + "_ms"] = BaselineMedian() * 1000;
    state.counters["x_" + baseline] = Ratio();
}

}  // namespace cv::bench
