// History screens: the segments' ideal points over the periods with a linear
// trend and its forecast (21 on the semantic scales, 22 on the perceptual map),
// for the segment of the data context.
#include "core/base/numbers.h"
#include "core/session/industry.h"
#include "core/stats/regression.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"
#include "reports/studies/trend_slots.h"

namespace cv {
namespace {

constexpr std::int32_t kGrey = 0xC0C0C0;
constexpr int kMinObservations = 3;

}  // namespace

void TStuMkt::BuildIdealPointHistory() {
    const bool semantic = screen_ == 21;
    // The segment shown, named in the title: the market's first when the context names none of its.
    context_.SelSegment = static_cast<std::int16_t>(ShownSegment());
    if (!Open("StuSemMapIPHist", "StuSemMapIPHist", TTableType::BandedRows, {semantic ? 1 : 2})) return;
    TCvInd& industry = *Industry();
    const TDimension elements = semantic ? SemanticScales() : MapDimensions();
    Define({.titleRows = 1, .bodyRows = kTrendSlots, .totalRows = 7, .headingCols = 4,
            .bodyCols = elements.count * elements.width, .minBodyRows = 10, .maxVisibleRows = 10});
    TQNTable& table = *table_;
    table.SetCellText(TitleRow(), 1, GetLine(3));
    for (int j = 1; j <= elements.count; ++j)
        table.SetCellText(TitleRow(), elements.Column(4, j), elements.labels[static_cast<std::size_t>(j - 1)]);

    const char* name = semantic ? "PosSemIPs" : "PosMapIPs";
    const int kind = semantic ? si::PSStuIP : si::PMStuIP;
    const int lastPeriod = std::min<int>(context_.CurPeriod, kTrendSlots - 1);
    const int segment = context_.SelSegment;
    std::vector<bool> hadBrands;
    std::vector<std::vector<double>> values(static_cast<std::size_t>(elements.count));
    for (int p = 0; p <= lastPeriod; ++p) {
        const TCvPerData& results = industry.PerResults(p);
        const int row = BodyRow(p + 1);
        hadBrands.push_back(results.GetSmallintDef(kCategoryFtaMarket, context_, "NbMktedBrds", 0) > 0);
        table.SetCellNumber(row, 2, p);
        const TSimArr* points = results.FindSimArr(kCategoryFtaMarket, context_, name);
        for (int j = 1; j <= elements.count; ++j) {
            const double value = Value(points, {segment, elements.lo + j - 1, kind}) / 1000;
            values[static_cast<std::size_t>(j - 1)].push_back(value);
            table.SetCellNumber(row, elements.Column(4, j), value);
        }
        table.SetRangeFontColor(row, 1, row, LastColumn(), hadBrands.back() ? 0 : kGrey);
    }
    FinishTable(semantic ? TNumberFormat::TwoDecimals : TNumberFormat::OneDecimal, 1, kTrendSlots);
    table.SetRangeFormat(BodyRow(1), 2, BodyRow(kTrendSlots), 2, TNumberFormat::Whole);
    WriteTrend(elements, values, hadBrands);
}

void TStuMkt::WriteTrend(const TDimension& elements, const std::vector<std::vector<double>>& values,
                         const std::vector<bool>& hadBrands) {
    TQNTable& table = *table_;
    const int observations =
        static_cast<int>(TrendObservations(hadBrands, values.empty() ? std::vector<double>(hadBrands.size()) : values[0]).size());
    if (observations < kMinObservations) {
        if (elements.count > 0)
            table.SetTextAcross(FooterRow(4), elements.Column(4, 1), LastColumn(), GetLine(10));
        return;
    }
    table.SetCellText(FooterRow(1), 1, GetLine(4));
    table.SetCellText(FooterRow(2), 2, GetLine(5));
    table.SetCellText(FooterRow(3), 2, GetLine(6));
    table.SetCellText(FooterRow(4), 2, GetLine(7));
    table.SetCellText(FooterRow(5), 1, GetLine(8));
    const int next = context_.CurPeriod + 1;
    table.SetCellText(FooterRow(6), 2, ReplaceTokenInt(GetLine(9), "@Period", next));
    table.SetCellText(FooterRow(7), 2, ReplaceTokenInt(GetLine(9), "@Period", next + 1));
    for (int j = 1; j <= elements.count; ++j) {
        const std::vector<TTrendPoint> points = TrendObservations(hadBrands, values[static_cast<std::size_t>(j - 1)]);
        std::vector<double> x, y;
        for (const TTrendPoint& point : points) {
            x.push_back(point.period);
            y.push_back(point.value);
        }
        double slope = 0, intercept = 0, r2 = 0;
        SimpleRegression(static_cast<int>(points.size()), x, y, slope, intercept, r2);
        const int column = elements.Column(4, j);
        table.SetCellNumber(FooterRow(2), column, slope);
        table.SetCellNumber(FooterRow(3), column, intercept);
        table.SetCellNumber(FooterRow(4), column, r2);
        table.SetCellNumber(FooterRow(6), column, slope * next + intercept);
        table.SetCellNumber(FooterRow(7), column, slope * (next + 1) + intercept);
    }
    table.SetRangeFormat(FooterRow(2), 1, FooterRow(3), LastColumn(), TNumberFormat::TwoDecimals);
    table.SetRangeFormat(FooterRow(4), 1, FooterRow(4), LastColumn(), TNumberFormat::FourDecimals);
    table.SetRangeFormat(FooterRow(6), 1, FooterRow(7), LastColumn(), TNumberFormat::TwoDecimals);
}

}  // namespace cv
