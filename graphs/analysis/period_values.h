#pragma once
// The arithmetic of the analysis charts over periods, display-free: growth
// from one period to the next, the benchmarking table with the rivals' values
// masked where the study was not bought and their cumulation, and how far a
// segment's label moves, up or down and sideways, so that labels of close
// lines do not overlap.

#include <optional>
#include <vector>

namespace cv {

// Value of each period over the previous one, minus 1; 0 where the previous
// value is 0 and for the first period (which the chart then leaves out).
std::vector<double> GrowthSeries(const std::vector<double>& values);

// The benchmarking values of every firm, period by period, as the team may
// see them: a rival's value of a period in which the team did not buy the
// study is unknown.
class TBenchTable {
public:
    // Firms 1..FirmCount; Team is the firm whose own values are always known.
    TBenchTable(int firmCount, int team);

    // Adds the next period (from 0): the firms' values and whether the study
    // was bought for it (period 0 and the administrator view count as bought).
    void AddPeriod(const std::vector<double>& values, bool bought);

    int PeriodCount() const { return static_cast<int>(rows_.size()); }
    // Firm's value in Period (from 0); none when unknown.
    std::optional<double> Value(int period, int firm) const;
    // Sum of the firm's values over every period added; none as soon as one is unknown.
    std::optional<double> Cumulative(int firm) const;

private:
    int firmCount_;
    int team_;
    std::vector<std::vector<std::optional<double>>> rows_;
};

// Vertical offset of segment Segment's label (from 1) in a row of segment
// values: 0.3 less one per other segment whose value is strictly larger.
double SegmentLabelOffset(const std::vector<double>& rowValues, int segment);

// Horizontal offset of segment Segment's label (from 1), in label cells: the
// first stays over its point, the others alternate right and left, further
// out two by two, so that labels of segments with equal values stand apart.
// The five segments a market may have are placed; any further stays over its point.
double SegmentLabelDx(int segment);

}  // namespace cv
