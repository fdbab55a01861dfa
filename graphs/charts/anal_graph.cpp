#include "graphs/charts/anal_graph.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/cv_data.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "ui/bar_colors.h"
#include "ui/chart/chart_styles.h"

namespace cv {
namespace {

constexpr int kParentMode = 3;
constexpr int kSmallScreenWidth = 641;
constexpr int kSmallTitleSize = 12;
constexpr int kTitleSize = 14;
constexpr int kPointSize = 9;
constexpr int kRingPointSize = 15;  // leaves a 3-pixel rim around a point of kPointSize
constexpr int kAxisTitleSize = 10;
constexpr int kBarAxisLine = 12;
constexpr int kPeriodAxisLine = 9;
constexpr int kMiscUnitsLine = 10;
constexpr int kLabelAbove = 1;
constexpr int kLabelOutside = 6;
constexpr int kFewestPeriodTicks = 5;

// Entries of the colour table (ui/bar_colors.h) given to markets in turn:
// strong colours first, none too pale on white. Firms and segments take the
// entries they have on every chart and map.
constexpr int kMarketColours[] = {2, 1, 3, 9, 6};
// Marker styles of the firms (docs/charts.md).
constexpr int kFirmMarkers[] = {12, 10, 11, 9, 13, 3, 4, 5, 6, 7};

template <std::size_t N>
int Cycle(const int (&table)[N], int index) {
    return table[static_cast<std::size_t>(std::max(0, index - 1)) % N];
}

QColor TableColour(int entry) { return ChartColour(static_cast<std::int32_t>(BarColor(entry).ColorB)); }

void ReplaceOnce(std::string& text, std::string_view token, const std::string& value) {
    const std::size_t at = text.find(token);
    if (at != std::string::npos) text.replace(at, token.size(), value);
}

std::int32_t Platform(const QColor& colour) { return colour.blue() << 16 | colour.green() << 8 | colour.red(); }

int ScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size().width() : 1024;
}

}  // namespace

TAnalGraph::TAnalGraph(QWidget* owner, const TChartPlace& place, int code)
    : TCVChart(owner, kChartXY, kChartLeftAtX | kChartTopAtY, 0, place.top, place.width, place.height, kParentMode),
      code_(code) {
    titleSize_ = ScreenWidth() < kSmallScreenWidth ? kSmallTitleSize : kTitleSize;
    // A value that is not written (0, or a rival's unknown figure) leaves a gap in the line.
    BreakLinesAtGaps = true;
    // The series' labels at the selected period stand where markets, firms or
    // segments lie close together: apart, each clear of the others' points.
    SetLabelsApart(true);
    if (Session && Session->Industry()) {
        const TCvInd& industry = *Session->Industry();
        whichTeam_ = industry.ConstPart().GetSmallintDef(kCategoryIndustry, TDataContext{}, "WhichTeam", 0);
        team_ = whichTeam_;
    }
    if (Translator) {
        std::vector<std::string> units;
        Translator->GetLines(kSectionGlobals, "UNITS", units);
        auto line = [&units](int n) { return n <= static_cast<int>(units.size()) ? units[static_cast<std::size_t>(n - 1)] : std::string(); };
        barAxisLabel_ = line(kBarAxisLine);
        periodAxisLabel_ = line(kPeriodAxisLine);
    }
}

QColor TAnalGraph::FirmColour(int firm) { return TableColour(FirmColorIndex(firm)); }
QColor TAnalGraph::MarketColour(int market) { return TableColour(Cycle(kMarketColours, market)); }
QColor TAnalGraph::SegmentColour(int segment) { return TableColour(SegColorIndex(segment)); }
int TAnalGraph::FirmMarker(int firm) { return Cycle(kFirmMarkers, firm); }

std::string TAnalGraph::FormatTitle(std::string text) const {
    const TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return text;
    const TDataContext& c = Context();
    ReplaceOnce(text, "@MARKET", UpperCaseAccented(industry->MarketLabel(c.SelMarket)));
    ReplaceOnce(text, "@SEGMENT", UpperCaseAccented(industry->SegmentLabel(c.SelFta, c.SelMarket, c.SelSegment)));
    ReplaceOnce(text, "@CHANNEL", UpperCaseAccented(industry->ChannelLabel(c.SelFta, c.SelChannel)));
    ReplaceOnce(text, "@FIRM", UpperCaseAccented(industry->FirmLabel(c.SelFirm)));
    ReplaceOnce(text, "@ZONE", UpperCaseAccented(industry->FtaLabel(c.SelFta)));
    std::vector<std::string> misc;
    if (Translator) Translator->GetLines(kSectionGlobals, "MISC", misc);
    const std::size_t uorv = static_cast<std::size_t>(kMiscUnitsLine - 1 + (c.UnitsOrValue == si::Value ? 1 : 0));
    ReplaceOnce(text, "@UORV", uorv < misc.size() ? misc[uorv] : std::string());
    ReplaceOnce(text, "@SELPER", FormatThousands(c.SelPeriod, 0));
    return text;
}

void TAnalGraph::BeginBuild(const TDataContext& context) {
    SetRepaint(false);
    TCVChart::Build(context);
    // An industry without a team of its own is seen through the context's firm.
    if (whichTeam_ == 0) team_ = context.SelFirm;
}

void TAnalGraph::SetTitleLine(int lineNo) { SetTitle(FormatTitle(GetLine(lineNo)), titleSize_, kChartFontBold, 0, 0); }

void TAnalGraph::SetValueAxisTitle(const std::string& text) { SetAxisTitle(text, 1, kAxisTitleSize, kChartFontBold, 0); }

std::string TAnalGraph::UnitsLine(int lineNo) const {
    std::vector<std::string> units;
    if (Translator) Translator->GetLines(kSectionGlobals, "UNITS", units);
    return lineNo >= 1 && lineNo <= static_cast<int>(units.size()) ? units[static_cast<std::size_t>(lineNo - 1)] : "";
}

std::string TAnalGraph::MoneyFormat() const { return Context().SelPeriod == FirstPeriod() ? "#,##0.0" : "#,##0"; }

int TAnalGraph::FirstPeriod() const { return PeriodSeries() ? PeriodSeries()->Lo() : 0; }

int TAnalGraph::PeriodRows() const { return std::max(0, Context().SelPeriod - FirstPeriod() + 1); }

void TAnalGraph::BeginPeriodChart(int seriesCount) {
    SetChartType(kChartXY);
    SetGridSize(PeriodRows(), 2 * seriesCount);
    const int last = std::max(kFewestPeriodTicks, Context().SelPeriod + 2);
    SetXAxisScale(last, 1, 0, last);
    SetAxisNumberFormat(0, "0");
    SetAxisTitle(periodAxisLabel_, 0, kAxisTitleSize, kChartFontBold, 0);
}

void TAnalGraph::WritePeriodPoint(int series, int period, double value, const QColor& colour, int marker,
                                  const std::string& label, bool writeZero) {
    if (value == 0 && !writeZero) return;
    const int row = period - FirstPeriod() + 1;
    SetData(row, 2 * series - 1, period);
    SetData(row, 2 * series, value);
    SetSeriesPen(series, 1, 2, Platform(colour));
    SetPointStyles(series, row, marker, kPointSize, Platform(colour));
    if (period == Context().SelPeriod)
        SetSeriesStyle(series, row, kLabelAbove, 0, label, 8, kChartFontBold, 0, 0, 0);
}

void TAnalGraph::RingPeriodPoint(int series, int period) {
    const TSeriesStyle* style = SeriesStyle(series);
    const int row = period - FirstPeriod() + 1;
    const auto point = style ? style->points.find(row) : std::map<int, TPointStyle>::const_iterator();
    if (!style || point == style->points.end() || !point->second.markerStyle) return;
    SetPointStyles(series, row, *point->second.markerStyle, kRingPointSize, Platform(point->second.colour.value_or(Qt::black)));
}

void TAnalGraph::BeginOnePeriodChart(int chartType, int columns) {
    SetChartType(chartType);
    SetGridSize(1, columns);
    if (chartType == kChartBars) SetAxisTitle(barAxisLabel_, 0, kAxisTitleSize, kChartFontBold, 0);
}

void TAnalGraph::WriteOnePeriodValue(int column, double value, const QColor& colour, const std::string& label) {
    SetData(1, column, value);
    SetPointColors(column, 1, Platform(colour));
    SetSeriesStyle(column, 1, ChartType() == kChartPie ? kLabelOutside : kLabelAbove, 0, label, 8, kChartFontBold, 0, 0, 0);
}

void TAnalGraph::Finish(bool hideWhenEmpty, bool wroteSomething) {
    if (hideWhenEmpty && !wroteSomething) SetChartType(kChartBars);
    setVisible(!hideWhenEmpty || wroteSomething);
    SetTitleLayout();
    SetRepaint(true);
}

const TCvPerData* TAnalGraph::Results(int period) const {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    return industry ? &industry->PerResults(period) : nullptr;
}

const TCvPerData* TAnalGraph::Decisions(int period) const {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    return industry ? &industry->PerDecisions(period) : nullptr;
}

int TAnalGraph::MarketCount() const { return Session && Session->Industry() ? Session->Industry()->NbMarkets() : 0; }

int TAnalGraph::FirmCount() const { return FirmSeries() ? FirmSeries()->Count() : 0; }

}  // namespace cv
