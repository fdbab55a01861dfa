// The R&D projects of the past-decision summaries.
#include <algorithm>

#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "reports/results/decsummary.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr TTableType kRnDWindowTableType = TTableType::BandedColumns;
constexpr int kRnDTitleRows = 3;
// Five projects show at once; more get rows of their own and a scroll bar.
constexpr int kShownProjects = 5;

}  // namespace

void TDecSummary::BuildRnD() {
    TQNTable& table = StartTable("DecSumRnD", kRnDWindowTableType);
    const int dimensionCount = dimensions_ ? dimensions_->Count() : 0;
    const int projectCount = DecisionsCount(kCategoryFirmMarket, "NbPrjs");
    const int costColumn = dimensionCount + 4;
    table.DefineTable({.titleRows = kRnDTitleRows,
                       .bodyRows = std::max(kShownProjects, projectCount),
                       .headingCols = 3,
                       .bodyCols = dimensionCount + 1,
                       .minBodyRows = kShownProjects,
                       .maxVisibleRows = kShownProjects});
    const int h = table.OriginRow();
    table.SetCellText(h, 1, GetLine(2));
    table.SetCellText(h, 3, GetLine(3));
    table.SetTextAcross(h, 4, costColumn, GetLine(4));
    table.SetRangeBorderBottom(h, 4, h, costColumn, 1, 0);
    table.SetCellText(h + 1, costColumn, GetLine(5));
    table.SetCellText(h + 2, 3, GetUnitsText(6));
    table.SetCellText(h + 2, costColumn, GetUnitsText(1));
    for (int d = 1; d <= dimensionCount; ++d) {
        table.SetCellText(h + 1, 3 + d, Industry()->DimLabel(context_.SelMarket, dimensions_->Lo() + d - 1));
        table.SetCellText(h + 2, 3 + d, Industry()->DimUnitLabel(context_.SelMarket, dimensions_->Lo() + d - 1));
    }
    const TSimArr* names = DecisionsArray(kCategoryFirmMarket, "PrjNames");
    const TSimArr* characteristics = DecisionsArray(kCategoryFirmMarket, "PrjTecs");
    const TSimArr* finances = DecisionsArray(kCategoryFirmMarket, "PrjFins");
    for (int p = 1; p <= projectCount; ++p) {
        const int row = h + kRnDTitleRows + p - 1;
        table.SetCellText(row, 1, ArrayText(names, {p}));
        table.SetCellNumber(row, 3, ArrayNumber(finances, {p, si::ProAllBgt}) / 1000);
        for (int d = 1; d <= dimensionCount; ++d)
            table.SetCellNumber(row, 3 + d, ArrayNumber(characteristics, {p, dimensions_->Lo() + d - 1}));
        table.SetCellNumber(row, costColumn, ArrayNumber(finances, {p, si::ProReqUC}));
    }
    const int lastRow = h + kRnDTitleRows + std::max(kShownProjects, projectCount) - 1;
    table.SetRangeFormat(h + kRnDTitleRows, 3, lastRow, 3, TNumberFormat::Whole);
    table.SetRangeFormat(h + kRnDTitleRows, costColumn, lastRow, costColumn, TNumberFormat::Whole);
    table.SetColumnWidths({1, 2, costColumn}, {7, 4, 14});
    if (dimensionCount > 0) table.SetColumnWidthRange(4, 3 + dimensionCount, 12);
    table.SetRangeAlign(h, 3, lastRow, 3, 4, 2, false);
    empty_ = projectCount == 0;
}

}  // namespace cv
