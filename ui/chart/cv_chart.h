#pragma once
// TCVChart: the base of every graph. It adds to the chart layer the graph's
// copy of the data context, the open industry's period and firm series, the
// graph's text lines, the common part of every Build and the rule that
// chooses axis divisions for an integer range.

#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "ui/chart/qn_chart.h"

namespace cv {

class TCvPerData;
class TSeries;

struct TAxisDivisions {
    int major = 0;
    int minor = 1;
    bool operator==(const TAxisDivisions&) const = default;
};

class TCVChart : public TQNChart {
public:
    using TQNChart::TQNChart;

    // Copies the context, takes the industry's period and firm series, sets
    // the quick-help key, clears NoData and the per-point styles and labels
    // of the previous drawing. Graphs call it first, then fill the chart.
    virtual void Build(const TDataContext& context);

    void LoadLines(int section, const std::string& key);
    // Line N (from 1); "bad line number <n>" outside the loaded lines.
    std::string GetLine(int lineNo) const;
    // Divisions for Minimum..Maximum: a tenth of the span when that gives at
    // least 5, else a fifth when that does, else one per unit.
    static TAxisDivisions ChooseDivisions(int minimum, int maximum);

    const TDataContext& Context() const { return context_; }
    const TSeries* FirmSeries() const { return firmSeries_; }
    const TSeries* PeriodSeries() const { return periodSeries_; }
    const std::vector<std::string>& Lines() const { return lines_; }

protected:
    TDataContext context_{};
    const TCvPerData* graphData_ = nullptr;  // the data set a graph reads its arrays from
    std::string graphText_;            // the text some graphs put in the second text block

private:
    const TSeries* firmSeries_ = nullptr;
    const TSeries* periodSeries_ = nullptr;
    std::vector<std::string> lines_;
};

}  // namespace cv
