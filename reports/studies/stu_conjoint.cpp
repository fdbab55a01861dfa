// Conjoint screens: the weight of each product attribute in each segment (23),
// and for the context's segment the value and utility of each level of each
// attribute (24 and 25, alike).
#include <cmath>

#include "core/base/numbers.h"
#include "core/session/industry.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"
#include "ui/sheet/cell_format.h"

namespace cv {
namespace {

constexpr int kAttributes = 4;
constexpr int kLevels = 4;

}  // namespace

int TStuMkt::ConjointAttribute(int scale) const {
    const TSimArr* parameters = Industry()->ConstPart().FindSimArr(kCategoryMarket, context_, "SemPosPars");
    const long double attribute = RoundHalfEven(Value(parameters, {scale, si::CjaAttribute}));
    return attribute > 0 && attribute <= kAttributes ? static_cast<int>(attribute) : 0;
}

void TStuMkt::BuildConjointWeights() {
    if (!Open("StuCjaWeights", "StuCjaWeights", TTableType::BandedRows, {1})) return;
    const TCvInd& industry = *Industry();
    const TSeries* segments = industry.SegSeries(context_.SelFta, context_.SelMarket);
    const TSeries* scales = industry.SemSeries(context_.SelMarket);
    const int m = segments ? segments->Count() : 0;
    Define({.titleRows = 1, .bodyRows = m, .headingCols = 2, .bodyCols = kAttributes, .totalCols = 1});
    TQNTable& table = *table_;
    const int tail = LastColumn();
    table.SetCellText(TitleRow(), 1, GetLine(2));
    table.SetCellText(TitleRow(), tail, MiscLabels()[0]);
    const TSimArr* weights = ResultsArray(kCategoryFtaMarket, "StuCjaWeights");
    for (int s = 1; s <= m; ++s) {
        const int segment = segments->Lo() + s - 1;
        table.SetCellText(BodyRow(s), 1, industry.SegmentShortLabel(context_.SelFta, context_.SelMarket, segment));
        for (int scale = scales ? scales->Lo() : 1; scales && scale <= scales->Hi(); ++scale) {
            const int attribute = ConjointAttribute(scale);
            if (attribute == 0) continue;
            if (s == 1) table.SetCellText(TitleRow(), 2 + attribute, industry.SemLabel(context_.SelMarket, scale));
            table.SetCellNumber(BodyRow(s), 2 + attribute, Value(weights, {segment, scale}) / 1000);
        }
        // The weights of a segment make up the whole of its choice.
        table.SetCellNumber(BodyRow(s), tail, 1);
    }
    FinishTable(TNumberFormat::Percent, 1, m);
}

void TStuMkt::BuildConjointUtilities() {
    // The segment shown, named in the title: the market's first when the context names none of its.
    context_.SelSegment = static_cast<std::int16_t>(ShownSegment());
    if (!Open("StuCjaUtils", "StuCjaUtils", TTableType::FilledHeadings, {1})) return;
    const TCvInd& industry = *Industry();
    const TSeries* scales = industry.SemSeries(context_.SelMarket);
    const int segment = context_.SelSegment;
    Define({.titleRows = 1, .bodyRows = 2 * kAttributes, .headingCols = 3, .bodyCols = kLevels, .totalCols = 1});
    TQNTable& table = *table_;
    const int tail = LastColumn();
    table.SetCellText(TitleRow(), 3, MiscLabels()[1]);
    table.SetCellText(TitleRow(), tail, GetLine(5));
    for (int level = 1; level <= kLevels; ++level)
        table.SetCellText(TitleRow(), 3 + level, ReplaceTokenInt(GetLine(2), "@Level", level));

    const TSimArr* values = ResultsArray(kCategoryFtaMarket, "StuCjaValues");
    const TSimArr* utilities = ResultsArray(kCategoryFtaMarket, "StuCjaUtils");
    const TSimArr* weights = ResultsArray(kCategoryFtaMarket, "StuCjaWeights");
    int row = BodyRow(1);
    for (int scale = scales ? scales->Lo() : 1; scales && scale <= scales->Hi() && row < BodyRow(2 * kAttributes); ++scale) {
        if (ConjointAttribute(scale) == 0) continue;
        table.SetCellText(row, 1, industry.SemLabel(context_.SelMarket, scale));
        table.SetCellText(row, 2, GetLine(3));
        // The last scale is the price, measured in money.
        table.SetCellText(row, 3, scale < scales->Hi() ? industry.DimUnitLabel(context_.SelMarket, scale)
                                                       : GetUnitsText(1));
        table.SetCellText(row + 1, 2, GetLine(4));
        table.SetCellText(row + 1, 3, "[0,1]");
        for (int level = 1; level <= kLevels; ++level) {
            table.SetCellNumber(row, 3 + level, Value(values, {segment, scale, level}));
            table.SetCellNumber(row + 1, 3 + level, Value(utilities, {segment, scale, level}) / 1000);
        }
        table.SetCellNumber(row, tail, Value(weights, {segment, scale}) / 1000);
        table.SetRangeFormat(row, 4, row, tail - 1, TNumberFormat::Whole);
        table.SetRangeFormat(row, tail, row, tail, TNumberFormat::Percent);
        table.SetRangeFormat(row + 1, 4, row + 1, tail, TNumberFormat::TwoDecimals);
        table.SetRangeBorderBottom(row + 1, 1, row + 1, tail, 1, 0);
        row += 2;
    }
    table.SetRangeBorderRight(TitleRow(), 2, LastRow(), 2, 1, 0);
    table.SetColumnWidthRange(1, 3, 9);
    table.SetColumnWidthRange(4, tail, 13);
    FinishTable(std::nullopt, 1, 0);
    table.SetRangeAlign(TitleRow(), 3, LastRow(), 3, kAlignRight, kAlignMiddle, false);
}

}  // namespace cv
