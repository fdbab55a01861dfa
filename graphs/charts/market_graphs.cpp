// The market charts over periods: per market with the industry total
// (TMktTotPerGraph), per segment of the selected market (TSegPerGraph).
#include <vector>

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "graphs/analysis/period_values.h"
#include "graphs/charts/anal_graph.h"
#include "ui/chart/label_placement.h"

namespace cv {
namespace {

constexpr int kTotalLabelLine = 7;
constexpr int kPriceAxisLine = 13;
constexpr char kPercentFormat[] = "0.0%";
constexpr int kTotalMarker = 12;  // a triangle: markets have other shapes
constexpr int kDashedPen = 2;
constexpr int kThinPen = 1;

// Sums of one market's segments in one period.
struct TMarketSums {
    double units = 0;
    double value = 0;
    double brands = 0;
};

// "SegSales" of Segment (0: every segment) at the units and value elements.
TMarketSums ReadSums(const TCvPerData& results, const TDataContext& context, int segment) {
    TMarketSums sums;
    sums.brands = results.GetSmallintDef(kCategoryFtaMarket, context, "NbMktedBrds", 0);
    const TSimArr* sales = results.FindSimArr(kCategoryFtaMarket, context, "SegSales");
    if (!sales) return sums;
    const std::int16_t row = segment ? static_cast<std::int16_t>(segment) : kOpenDim;
    sums.units = static_cast<double>(segment ? sales->GetReal48({row, si::Unit}) : sales->Sum(1, {row, si::Unit}, 1));
    sums.value = static_cast<double>(segment ? sales->GetReal48({row, si::Value}) : sales->Sum(1, {row, si::Value}, 1));
    return sums;
}

// The figure a code draws from the sums, before growth.
double Figure(int kind, const TMarketSums& sums, bool units) {
    switch (kind) {
        case 0: return units ? sums.units / 1000 : sums.value / 1000000;  // size
        case 1: return units ? sums.units : sums.value;                   // growth works on undivided values
        case 2: return sums.brands;
        default: return SafeDiv(sums.value, sums.units, 0.0);              // average price
    }
}

}  // namespace

TMktTotPerGraph::TMktTotPerGraph(QWidget* owner, const TChartPlace& place, int code, const TDataContext& context)
    : TAnalGraph(owner, place, code) {
    Build(context);
}

void TMktTotPerGraph::Build(const TDataContext& context) {
    BeginBuild(context);
    LoadLines(kSectionGlobals, "MktTotPerGraph");
    const bool units = context_.UnitsOrValue != si::Value;
    const int kind = code_ == 2000 ? 0 : code_ == 2010 ? 1 : code_ == 2040 ? 2 : 3;
    const int markets = MarketCount();
    BeginPeriodChart(markets + 1);
    // values[series][row]: series 0 the industry, m the market m.
    std::vector<std::vector<double>> values(static_cast<std::size_t>(markets + 1), std::vector<double>(PeriodRows()));
    for (int period = FirstPeriod(); period <= context_.SelPeriod; ++period) {
        const TCvPerData* results = Results(period);
        if (!results) continue;
        TMarketSums total;
        const std::size_t row = static_cast<std::size_t>(period - FirstPeriod());
        for (int market = 1; market <= markets; ++market) {
            TDataContext at = context_;
            at.SelMarket = static_cast<std::int16_t>(market);
            const TMarketSums sums = ReadSums(*results, at, 0);
            total.units += sums.units, total.value += sums.value, total.brands += sums.brands;
            values[static_cast<std::size_t>(market)][row] = Figure(kind, sums, units);
        }
        values[0][row] = Figure(kind, total, units);
    }
    if (kind == 1)
        for (std::vector<double>& series : values) series = GrowthSeries(series);
    const TCvInd& industry = *Session->Industry();
    for (int series = 0; series <= markets; ++series) {
        const QColor colour = series == 0 ? QColor(Qt::black) : MarketColour(series);
        const std::string label = series == 0 ? GetLine(kTotalLabelLine) : industry.MarketLabel(series);
        const std::vector<double>& own = values[static_cast<std::size_t>(series)];
        for (int period = FirstPeriod(); period <= context_.SelPeriod; ++period) {
            const std::size_t row = static_cast<std::size_t>(period - FirstPeriod());
            WritePeriodPoint(series + 1, period, own[row], colour, series == 0 ? kTotalMarker : FirmMarker(series + 1), label);
            // A market that is the whole industry there rings the total's marker with its own.
            if (series > 0 && own[row] != 0 && own[row] == values[0][row]) RingPeriodPoint(series + 1, period);
        }
    }
    if (markets == 1) ShowSingleMarketBesideTotal();
    static constexpr int kTitles[] = {6, 8, 11, 12};
    SetTitleLine(kTitles[kind]);
    const int unitsOrValue = units ? 1 : 2;
    if (kind == 0) SetValueAxisTitle(GetLine(unitsOrValue + 3));
    if (kind == 1) SetValueAxisTitle(GetLine(unitsOrValue + 1)), SetAxisNumberFormat(1, kPercentFormat);
    if (kind == 3) SetValueAxisTitle(GetLine(kPriceAxisLine));
    Finish(false, true);
}

// The one market's series lies on the total's: its line dashed and thinner
// so that the total's shows between the dashes, its label below the point in
// the market's colour, the total's staying above.
void TMktTotPerGraph::ShowSingleMarketBesideTotal() {
    constexpr int kMarketSeries = 2;
    const QColor colour = MarketColour(1);
    const std::int32_t platform = colour.blue() << 16 | colour.green() << 8 | colour.red();
    SetSeriesPen(kMarketSeries, kDashedPen, kThinPen, platform);
    const TSeriesStyle* style = SeriesStyle(kMarketSeries);
    const auto point = style ? style->points.find(PeriodRows()) : std::map<int, TPointStyle>::const_iterator();
    if (!style || point == style->points.end() || point->second.label.text.empty()) return;
    const TChartLabel& label = point->second.label;
    SetSeriesStyle(kMarketSeries, PeriodRows(), kLabelBelow, label.leaderStyle, label.text, label.font.size,
                   label.font.style, platform, 0, 0);
}

TSegPerGraph::TSegPerGraph(QWidget* owner, const TChartPlace& place, int code, const TDataContext& context)
    : TAnalGraph(owner, place, code) {
    Build(context);
}

void TSegPerGraph::Build(const TDataContext& context) {
    BeginBuild(context);
    LoadLines(kSectionGlobals, "MktTotPerGraph");
    const bool units = context_.UnitsOrValue != si::Value;
    const int kind = code_ == 2020 ? 0 : code_ == 2030 ? 1 : 3;
    const TCvInd& industry = *Session->Industry();
    const TSeries* segmentSeries = industry.SegSeries(context_.SelFta, context_.SelMarket);
    const int segments = segmentSeries ? segmentSeries->Count() : 0;
    BeginPeriodChart(segments);
    std::vector<std::vector<double>> values(static_cast<std::size_t>(segments), std::vector<double>(PeriodRows()));
    for (int period = FirstPeriod(); period <= context_.SelPeriod; ++period)
        if (const TCvPerData* results = Results(period))
            for (int segment = 1; segment <= segments; ++segment)
                values[static_cast<std::size_t>(segment - 1)][static_cast<std::size_t>(period - FirstPeriod())] =
                    Figure(kind, ReadSums(*results, context_, segment), units);
    if (kind == 1)
        for (std::vector<double>& series : values) series = GrowthSeries(series);
    // Labels at the selected period move apart by the segments' order there.
    std::vector<double> lastRow;
    for (const std::vector<double>& series : values) lastRow.push_back(series.empty() ? 0 : series.back());
    for (int segment = 1; segment <= segments; ++segment) {
        const std::string label = industry.SegmentLabel(context_.SelFta, context_.SelMarket, segment);
        for (int period = FirstPeriod(); period <= context_.SelPeriod; ++period)
            WritePeriodPoint(segment, period, values[static_cast<std::size_t>(segment - 1)][static_cast<std::size_t>(period - FirstPeriod())],
                             SegmentColour(segment), FirmMarker(segment), label);
        if (PeriodRows() > 0 && lastRow[static_cast<std::size_t>(segment - 1)] != 0)
            SetSeriesStyle(segment, PeriodRows(), 1, 0, label, 8, 1, 0, SegmentLabelDx(segment),
                           SegmentLabelOffset(lastRow, segment));
    }
    static constexpr int kTitles[] = {9, 10, 0, 14};
    SetTitleLine(kTitles[kind]);
    const int unitsOrValue = units ? 1 : 2;
    if (kind == 0) SetValueAxisTitle(GetLine(unitsOrValue + 3));
    if (kind == 1) SetValueAxisTitle(GetLine(unitsOrValue + 1)), SetAxisNumberFormat(1, kPercentFormat);
    if (kind == 3) SetValueAxisTitle(GetLine(kPriceAxisLine));
    Finish(false, true);
}

}  // namespace cv
