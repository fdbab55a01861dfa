// Regression screens: the segments' ideal points in physical terms (8), the
// regression of a map dimension on every semantic scale with the coefficients'
// significance (13), and how strongly each scale explains each map dimension
// (14).
#include <algorithm>
#include <cmath>

#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/stats/cv_interf.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"
#include "reports/studies/study_verdicts.h"
#include "ui/sheet/cell_format.h"

namespace cv {
namespace {

constexpr int kMinObservations = 3;
constexpr int kTwoLineRowHeight = 500;  // a scale's name over its unit (twips)
constexpr std::int32_t kRed = 255, kGreen = 32768;

void WarnNotEnoughObservations() {
    Ui().ShowMessageBox(TMsgDlgType::mtWarning, mbOK, "NotEnoughObs", {0}, TAlignment::taCenter);
}

}  // namespace

void TStuMkt::WriteScaleHeadings(int row, int firstColumn) {
    const TCvInd& industry = *Industry();
    const TSeries* scales = industry.SemSeries(context_.SelMarket);
    for (int j = 1; scales && j <= scales->Count(); ++j) {
        const int element = scales->Lo() + j - 1;
        table_->SetCellText(row, firstColumn + j - 1,
                            industry.SemLabel(context_.SelMarket, element) + "\n(" +
                                industry.SemUnitLabel(context_.SelMarket, element) + ")");
    }
    table_->SetRangeAlign(row, firstColumn, row, LastColumn(), kAlignRight, kAlignMiddle, true);
    table_->SetRowHeights(row, row, kTwoLineRowHeight);
}

void TStuMkt::BuildSemanticEstimation() {
    if (!Open("StuSemEstim", "StuSemEstim", TTableType::BandedRows, {1})) return;
    const TCvInd& industry = *Industry();
    const TDimension scales = SemanticScales();
    const TSeries* segments = industry.SegSeries(context_.SelFta, context_.SelMarket);
    const int m = segments ? segments->Count() : 0;
    Define({.titleRows = 1, .bodyRows = m + 5, .headingCols = 3, .bodyCols = scales.count});
    TQNTable& table = *table_;
    for (int line = 2; line <= 6; ++line) table.SetCellText(BodyRow(line - 1), 1, GetLine(line));
    const TSimArr* points = ResultsArray(kCategoryFtaMarket, "PosSemIPs");
    bool enough = true;
    for (int j = 1; j <= scales.count; ++j) {
        const int scale = scales.lo + j - 1, column = 3 + j;
        double r2 = 0, intercept = 0, slope = 0;
        // The physical attribute on the perceived value: RegressAttributeOnPerception's fit.
        if (query_->RegressSemanticOnTechnical(*currentResults_, context_, scale, r2, intercept, slope) <
            kMinObservations) {
            enough = false;
            continue;
        }
        table.SetCellNumber(BodyRow(2), column, slope);
        table.SetCellNumber(BodyRow(3), column, intercept);
        table.SetCellNumber(BodyRow(4), column, r2);
        for (int s = 1; s <= m; ++s)
            table.SetCellNumber(BodyRow(5 + s), column,
                                Value(points, {segments->Lo() + s - 1, scale, si::PSStuIP}) / 1000 * slope + intercept);
    }
    for (int s = 1; s <= m; ++s)
        table.SetCellText(BodyRow(5 + s), 1,
                          "     " + industry.SegmentShortLabel(context_.SelFta, context_.SelMarket, segments->Lo() + s - 1));
    FinishTable(TNumberFormat::TwoDecimals, 2, m + 5);
    table.SetRangeFormat(BodyRow(4), 1, BodyRow(4), LastColumn(), TNumberFormat::FourDecimals);
    table.SetRangeBorderTop(BodyRow(5), 1, BodyRow(5), LastColumn(), 1, 0);
    WriteScaleHeadings(TitleRow(), 4);
    if (!enough && scales.count > 0) {
        table.SetTextAcross(BodyRow(2), 4, LastColumn(), GetLine(7));
        table.SetTextAcross(BodyRow(6), 4, LastColumn(), GetLine(8));
    }
}

void TStuMkt::BuildMapRegression() {
    // The dimension chosen for the map's vertical axis, the first when none is;
    // the title names it.
    const TDimension dimensions = MapDimensions();
    const int dim = std::clamp<int>(context_.VertAxis, dimensions.lo, dimensions.lo + std::max(dimensions.count, 1) - 1);
    context_.VertAxis = static_cast<std::int16_t>(dim);
    if (!Open("StuMapRegress", "StuMapRegress", TTableType::BandedRows, {1})) return;
    const TDimension scales = SemanticScales();
    const int k = scales.count + 1;  // the scales' coefficients, then the constant
    Define({.titleRows = 2, .bodyRows = 13, .headingCols = 3, .bodyCols = scales.count, .totalCols = 1});
    TQNTable& table = *table_;
    const int tail = LastColumn();
    for (int line = 4; line <= 16; ++line) table.SetCellText(BodyRow(line - 3), 1, GetLine(line));

    std::vector<double> coef(static_cast<std::size_t>(k)), se(static_cast<std::size_t>(k)),
        stats(kMapRegressionStatCount);
    // Fewer brands than coefficients leave nothing fitted: every coefficient 0,
    // each judged a zero coefficient.
    query_->RegressMapOnSemantic(*currentResults_, context_, dim, coef, se, stats);
    const double df = stats[1];
    for (int i = 1; i <= k; ++i) {
        const int column = 3 + i;
        const double c = coef[static_cast<std::size_t>(i - 1)], e = se[static_cast<std::size_t>(i - 1)];
        table.SetCellNumber(BodyRow(2), column, c);
        table.SetCellNumber(BodyRow(4), column, e);
        if (i == k) break;  // the constant gets no verdict
        const double t = TValue(c, e);
        const int verdict = CoefficientVerdictLine(c, t, df);
        if (verdict == kZeroCoefficientLine)
            table.SetCellText(BodyRow(5), column, GetLine(verdict));
        else
            table.SetCellNumber(BodyRow(5), column, t);
        // Without residual degrees of freedom there is no critical value to judge t by.
        if (verdict == 0) continue;
        table.SetCellText(BodyRow(6), column, GetLine(verdict));
        table.SetRangeFontColor(BodyRow(6), column, BodyRow(6), column,
                                verdict == kNotSignificantLine ? kRed : kGreen);
    }
    FinishTable(TNumberFormat::FourDecimals, 1, 4);
    table.SetRangeFormat(BodyRow(5), 1, BodyRow(5), tail, TNumberFormat::TwoDecimals);
    Emphasise(BodyRow(1));
    Emphasise(BodyRow(3));
    if (scales.count > 0) table.SetTextAcross(TitleRow(), 4, 3 + scales.count, GetLine(2));
    table.SetCellText(TitleRow(), tail, GetLine(3));
    WriteScaleHeadings(TitleRow() + 1, 4);
    table.SetRangeAlign(TitleRow() + 1, 4, LastRow(), tail, kAlignRight, kAlignMiddle, true);
    WriteRegressionStatistics(stats, scales.count);
    if (RoundHalfEven(df) < 1) WarnNotEnoughObservations();
}

void TStuMkt::WriteRegressionStatistics(const std::vector<double>& stats, int scales) {
    TQNTable& table = *table_;
    const int first = 4;
    // The fit as a whole: r squared, adjusted r squared, standard error of the estimate.
    table.SetCellNumber(BodyRow(8), first, stats[10]);
    table.SetCellNumber(BodyRow(9), first, stats[14]);
    table.SetCellNumber(BodyRow(10), first, stats[11]);
    table.SetRangeFormat(BodyRow(8), first, BodyRow(9), first, TNumberFormat::FourDecimals);
    table.SetRangeFormat(BodyRow(10), first, BodyRow(10), first, TNumberFormat::TwoDecimals);
    table.SetRangeBorderBottom(BodyRow(9), first, BodyRow(9), first, 1, 0);
    // Then text and figure side by side: residual degrees of freedom, the
    // regressors and F, as many pairs a row as the table is wide. A text
    // wider than its column wraps rather than lose its end.
    const struct {
        int line;
        double value;
        TNumberFormat format;
    } pairs[] = {{22, stats[1], TNumberFormat::Whole},
                 {23, static_cast<double>(scales), TNumberFormat::Whole},
                 {24, stats[8], TNumberFormat::TwoDecimals}};
    const int perRow = std::max(1, (LastColumn() - first + 1) / 2);
    for (int p = 0; p < 3; ++p) {
        const int row = BodyRow(11 + p / perRow), column = first + 2 * (p % perRow);
        table.SetCellText(row, column, GetLine(pairs[p].line));
        table.SetCellNumber(row, column + 1, pairs[p].value);
        table.SetRangeFormat(row, column + 1, row, column + 1, pairs[p].format);
        table.SetRangeAlign(row, column, row, column, kAlignLeft, kAlignMiddle, true);
    }
}

void TStuMkt::BuildMapInfluence() {
    if (!Open("StuMapInfluence", "StuMapInfluence", TTableType::BandedRows, {1, 2})) return;
    const TCvInd& industry = *Industry();
    const TDimension scales = SemanticScales();
    const TDimension dimensions = MapDimensions();
    Define({.titleRows = 1, .bodyRows = dimensions.count, .headingCols = 3, .bodyCols = scales.count});
    TQNTable& table = *table_;
    const TSimArr* links = industry.ConstPart().FindSimArr(kCategoryMarket, context_, "SemToMap");
    for (int d = 1; d <= dimensions.count; ++d) {
        const int dim = dimensions.lo + d - 1, row = BodyRow(d);
        table.SetCellText(row, 1, dimensions.labels[static_cast<std::size_t>(d - 1)]);
        for (int j = 1; j <= scales.count; ++j) {
            const int scale = scales.lo + j - 1, column = 3 + j;
            double r2 = 0, intercept = 0, slope = 0;
            // The place on the map on the scale's attribute: RegressMapOnAttribute's fit.
            if (query_->RegressSemanticOnMap(*currentResults_, context_, scale, dim, r2, intercept, slope) <
                kMinObservations)
                empty_ = true;
            const int line = empty_ ? 3 : InfluenceLine(r2, Value(links, {dim, scale}));
            table.SetCellText(row, column, GetLine(line));
            if (line == 4 || line == 5) table.SetRangeFont(row, column, row, column, -1, 1, IsDocument() && line == 4 ? 1 : -1, -1, -1);
        }
    }
    FinishTable(std::nullopt, 1, 0);
    WriteScaleHeadings(TitleRow(), 4);
    if (empty_ && !IsDocument()) WarnNotEnoughObservations();
}

}  // namespace cv
