// The brand contribution statement of the brand results.
#include <algorithm>

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "reports/results/brand_result.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr TTableType kWindowTableType = TTableType::BandedColumns;
constexpr int kTitleRows = 2;
constexpr int kBodyRows = 19;
constexpr int kHeadingCols = 5;
constexpr int kUnitColumn = 4;
constexpr int kTotalColumn = 5;
// Five brand columns at least and in view; a firm with more brands gets one
// for each, reached with the scroll bar.
constexpr int kMinBrandColumns = 5;
constexpr double kNoValue = 2147483647;
constexpr int kPlanTitleLine = 24;

// Sum of element E of "BrdRpt" over every brand of the array.
double BrandSum(const TSimArr* report, int element) {
    double sum = 0;
    if (report)
        for (int brand = report->LB(1); brand <= report->UB(1); ++brand) sum += ArrayNumber(report, {brand, element});
    return sum;
}

}  // namespace

// A value row of the statement: offset from the first title row, unit line,
// element of "BrdRpt" with its sign and scale, and the total of the column.
struct TBrdResult::TBrandRow {
    int offset;
    int unitLine;
    const std::int8_t& element;
    int sign;
    bool thousands;
    bool lowerBorder;
    bool boldRow;
    // The total column: kNoValue asks for the sum of the brand columns.
    double total;
};

void TBrdResult::BuildContribution() {
    LoadLines(kSectionResults, "BrdMktCtb");
    const TSimArr* report = ResultsArray(kCategoryFirmFtaMarket, "BrdRpt");
    const TSimArr* brands = ResultsArray(kCategoryFirmFtaMarket, "FirMktedBrds");
    const TSimArr* prototypes = ResultsArray(kCategoryFirmFtaMarket, "FirMktedPros");
    const int brandCount = ResultsCount(kCategoryFirmFtaMarket, "NbMktedBrds");
    const int brandColumns = std::max(kMinBrandColumns, brandCount);
    const bool plan = static_cast<TBrdResultKind>(kind_) == TBrdResultKind::PlanContribution;

    TQNTable& table = EnsureTable(kWindowTableType, "BrdMktCtb");
    FillTable(table, {plan ? kPlanTitleLine : 1}, IsDocument() ? std::vector<int>{} : std::vector<int>{2}, 0, 0, 0,
              -1);
    table.DefineTable({.titleRows = kTitleRows,
                       .bodyRows = kBodyRows,
                       .headingCols = kHeadingCols,
                       .bodyCols = brandColumns,
                       .maxVisibleCols = kMinBrandColumns});
    WriteContributionLabels();

    const double unitsSold = BrandSum(report, si::brUSold);
    const TBrandRow rows[] = {
        {3, 2, si::brUSold, 1, false, false, true, kNoValue},
        {4, 1, si::brRPrice, 1, false, false, false, SafeDiv(BrandSum(report, si::brRSales), unitsSold, kNoValue)},
        {5, 1, si::brSPrice, 1, false, false, false, SafeDiv(BrandSum(report, si::brRev), unitsSold, kNoValue)},
        {6, 6, si::brRev, 1, true, true, true, kNoValue},
        {8, 2, si::brUProd, 1, false, false, false, kNoValue},
        {9, 1, si::brPCost, 1, false, false, false, kNoValue},
        {10, 1, si::brTCost, 1, false, false, false, SafeDiv(BrandSum(report, si::brCGS), unitsSold, kNoValue)},
        {11, 6, si::brCGS, -1, true, false, false, kNoValue},
        {12, 2, si::brUInv, 1, false, false, false, kNoValue},
        {13, 6, si::brIHC, -1, true, false, false, kNoValue},
        {14, 6, si::brISC, -1, true, false, false, kNoValue},
        {15, 6, si::brCBM, 1, true, true, true, kNoValue},
        {17, 6, si::brAdvM, -1, true, false, false, kNoValue},
        {18, 6, si::brAdvQ, -1, true, false, false, kNoValue},
        {19, 6, si::brSlf, -1, true, false, false, kNoValue},
        {20, 6, si::brCAM, 1, true, false, true, kNoValue},
    };
    const int h = table.OriginRow();
    for (int brand = 1; brand <= brandCount; ++brand) {
        table.SetCellText(h, kTotalColumn + brand, ArrayText(brands, {brand}));
        table.SetCellText(h + 1, kTotalColumn + brand, ArrayText(prototypes, {brand}));
        for (int labelRow : {7, 16}) SetBold(h + labelRow, 1, 1);
        for (const TBrandRow& brandRow : rows) WriteBrandRow(brandRow, h + brandRow.offset, brand, brandColumns, report);
    }
    // The current production cost of the brands has no meaningful total.
    if (brandCount > 0) table.SetCellText(h + 9, kTotalColumn, "-");

    table.SetRangeAlign(h, kUnitColumn, h + kTitleRows + kBodyRows - 1, kTotalColumn, 4, 2, false);
    table.SetRangeBorderRight(h, kUnitColumn, h + kTitleRows + kBodyRows - 1, kUnitColumn, 1, 0);
    table.SetRangeFormat(h + 3, kTotalColumn, h + kTitleRows + kBodyRows - 1, kTotalColumn + brandColumns,
                         TNumberFormat::Whole);
    table.SetColumnWidths({3, 4}, {15, 5});
    empty_ = brandCount == 0;
}

void TBrdResult::WriteContributionLabels() {
    TQNTable& table = *table_;
    const int h = table.OriginRow();
    table.SetCellText(h, 1, FormatValue(GetLine(3)));
    table.SetCellText(h + 1, 1, FormatValue(GetLine(4)));
    table.SetCellText(h, kUnitColumn, GetMiscText(2));
    table.SetCellText(h, kTotalColumn, GetMiscText(1));
    for (int i = 2; i <= 20; ++i) table.SetCellText(h + i, 1, GetLine(i + 3));
    for (int boldRow : {2, 3, 6, 7, 15, 16, 20}) SetBold(h + boldRow, 1, 1);
    for (int borderRow : {6, 15}) table.SetRangeBorderBottom(h + borderRow, -1, h + borderRow, -1, 1, 0);
}

void TBrdResult::WriteBrandRow(const TBrandRow& brandRow, int row, int brand, int brandColumns,
                               const TSimArr* report) {
    TQNTable& table = *table_;
    if (brand == 1) {
        table.SetCellText(row, kUnitColumn, GetUnitsText(brandRow.unitLine));
        if (brandRow.total == kNoValue)
            table.SetCellFormula(row, kTotalColumn,
                                 "SUM(" +
                                     TQNTable::RangeRef(0, 0, row, kTotalColumn + 1, row, kTotalColumn + brandColumns) +
                                     ")");
        else
            table.SetCellNumber(row, kTotalColumn, brandRow.total);
        if (brandRow.lowerBorder) table.SetRangeBorderBottom(row, -1, row, -1, 1, 0);
        if (brandRow.boldRow) SetBold(row);
    }
    const double value = ArrayNumber(report, {brand, brandRow.element}) / (brandRow.thousands ? 1000 : 1);
    table.SetCellNumber(row, kTotalColumn + brand, brandRow.sign * value);
}

}  // namespace cv
