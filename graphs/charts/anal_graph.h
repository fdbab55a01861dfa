#pragma once
// The analysis charts of the graphs page: what every one of them shares (the
// team, the graph code, the title, the colours of firms, markets and
// segments, the grid of a chart over periods) and the four kinds, each only
// a Build of its own: TFirGraph (one series per firm), TMktTotPerGraph (per
// market and the industry total), TSegPerGraph (per segment of the market)
// and TBenchGraph (the benchmarking study, per firm).

#include <QColor>
#include <string>
#include <vector>

#include "ui/chart/cv_chart.h"

namespace cv {

class TCvPerData;

// What the page hands every chart: where it lies on the page.
struct TChartPlace {
    int height = 0;
    int width = 0;
    int top = 0;
};

class TAnalGraph : public TCVChart {
public:
    int Code() const { return code_; }
    // Template with "@MARKET", "@SEGMENT", "@CHANNEL", "@FIRM", "@ZONE"
    // (upper-cased labels), "@UORV" and "@SELPER" replaced, one occurrence each.
    std::string FormatTitle(std::string templateText) const;

    static QColor FirmColour(int firm);
    static QColor MarketColour(int market);
    static QColor SegmentColour(int segment);
    static int FirmMarker(int firm);

protected:
    TAnalGraph(QWidget* owner, const TChartPlace& place, int code);

    // The common start of every Build: drawing off until Finish, so that a
    // chart built again in place is drawn once, not after every change.
    void BeginBuild(const TDataContext& context);
    // The chart's title: line LineNo of the loaded entry, formatted.
    void SetTitleLine(int lineNo);
    void SetValueAxisTitle(const std::string& text);
    // Line LineNo of the globals entry "UNITS".
    std::string UnitsLine(int lineNo) const;
    // The money format of the value axis: no decimal, one in the first period.
    std::string MoneyFormat() const;
    // Chart over periods: one row per period up to the selected one, two
    // columns per series, every cell empty; the period axis.
    void BeginPeriodChart(int seriesCount);
    int PeriodRows() const;
    int FirstPeriod() const;
    // Writes Value of Series in Period unless it is exactly 0 (a gap), with
    // the series' colour and marker; the point of the selected period carries Label.
    void WritePeriodPoint(int series, int period, double value, const QColor& colour, int marker,
                          const std::string& label, bool writeZero = false);
    // The point of Series in Period keeps its marker, drawn large enough to
    // ring the marker of another series' point at the same place.
    void RingPeriodPoint(int series, int period);
    // One row, one column per series, as bars (kChartBars) or a pie.
    void BeginOnePeriodChart(int chartType, int columns);
    void WriteOnePeriodValue(int column, double value, const QColor& colour, const std::string& label);
    // Title layout, drawing on; a chart that drew nothing hides itself when asked.
    void Finish(bool hideWhenEmpty, bool wroteSomething);

    const TCvPerData* Results(int period) const;
    const TCvPerData* Decisions(int period) const;
    int MarketCount() const;
    int FirmCount() const;

    int code_;
    // "WhichTeam" of the industry; the team is the context's firm when it is 0.
    int whichTeam_ = 1;
    int team_ = 1;
    int titleSize_ = 14;
    std::string barAxisLabel_;
    std::string periodAxisLabel_;
};

class TFirGraph : public TAnalGraph {
public:
    TFirGraph(QWidget* owner, const TChartPlace& place, int code, const TDataContext& context);
    void Build(const TDataContext& context) override;
    int EffectiveCode() const { return effectiveCode_; }

private:
    int effectiveCode_ = 0;
};

class TMktTotPerGraph : public TAnalGraph {
public:
    TMktTotPerGraph(QWidget* owner, const TChartPlace& place, int code, const TDataContext& context);
    void Build(const TDataContext& context) override;

private:
    void ShowSingleMarketBesideTotal();
};

class TSegPerGraph : public TAnalGraph {
public:
    TSegPerGraph(QWidget* owner, const TChartPlace& place, int code, const TDataContext& context);
    void Build(const TDataContext& context) override;
};

class TBenchGraph : public TAnalGraph {
public:
    TBenchGraph(QWidget* owner, const TChartPlace& place, int code, const TDataContext& context);
    void Build(const TDataContext& context) override;
};

}  // namespace cv
