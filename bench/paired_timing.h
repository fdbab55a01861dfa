#pragma once
// A figure and its baseline timed alternately in the same run, one round of
// each after the other, so that whatever else the machine does falls on both
// alike; the ratio reported is that of their medians.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

namespace cv::bench {

// One round's seconds: the figure's and its baseline's.
struct TRoundSeconds {
    double figure = 0;
    double baseline = 0;
};

class TPairedTimes {
public:
    // Times Baseline, then Figure, once each; returns the figure's seconds.
    template <class Figure, class Baseline>
    double Round(Figure&& figure, Baseline&& baseline) {
        TRoundSeconds round;
        round.baseline = SecondsOf(baseline);
        round.figure = SecondsOf(figure);
        Add(round);
        return round.figure;
    }
    // Records one round timed elsewhere.
    void Add(TRoundSeconds round);

    double FigureMedian() const;
    double BaselineMedian() const;
    double Ratio() const;
    // Sets the counters "ms" (the figure's median), "<Baseline>_ms" and
    // "x_<Baseline>" (the ratio of the medians).
    void Report(benchmark::State& state, const std::string& baseline) const;

    template <class Work>
    static double SecondsOf(Work&& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

private:
    std::vector<double> figure_;
    std::vector<double> baseline_;
};

// The median of Samples (the mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> samples);

}  // namespace cv::bench
