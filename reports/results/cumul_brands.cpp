// The brand screen of the cumulative results.
#include <algorithm>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "reports/results/cumul_result.h"
#include "ui/report/table_number_formats.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr TTableType kWindowTableType = TTableType::FilledHeadings;
constexpr int kTitleRows = 3;
constexpr int kHeadingCols = 10;
// Rows a market is given; a market with more marketed brands gets the rows it
// needs, so that no brand row is written over the total rows.
constexpr int kRowsPerMarket = 16;
constexpr int kMinBodyRows = 10;
constexpr int kMaxVisibleRows = 15;
constexpr int kSmallScreenClass = 1;

// Sheet column of element E of the series "BrdCumRes".
int ElementColumn(int element) { return element - si::BrdCumRes->Lo() + 1; }

}  // namespace

int TCumResult::MarketedSlotCount() {
    int count = 0;
    ForEachMarket([&](int) {
        const TSimArr* results = ResultsArray(kCategoryFirmFtaMarket, "BrdCumRes");
        for (int slot = cumBrands_->Lo(); slot <= cumBrands_->Hi(); ++slot)
            if (ArrayNumber(results, {slot, si::brcIsMkted}) > 0) ++count;
    });
    return count;
}

void TCumResult::BuildBrandCumul() {
    LoadLines(kSectionResults, "BrdCumRes");
    TQNTable& table = EnsureTable(kWindowTableType, "BrdCumRes");
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    if (!Industry() || !cumBrands_ || !si::BrdCumRes) return;
    const int marketCount = Industry()->NbMarkets();
    const int bodyRows = std::max(kRowsPerMarket * marketCount, MarketedSlotCount());
    const int totalRows = marketCount > 1 ? marketCount + 1 : 1;
    table.DefineTable({.titleRows = kTitleRows,
                       .bodyRows = bodyRows,
                       .totalRows = totalRows,
                       .headingCols = kHeadingCols,
                       .minBodyRows = kMinBodyRows,
                       .maxVisibleRows = kMaxVisibleRows});
    const int h = table.OriginRow();

    table.SetTextAcross(h, 3, 5, GetLine(2));
    table.SetTextAcross(h, 6, 7, GetLine(3));
    table.SetTextAcross(h, 8, 9, GetLine(4));
    for (int column = 1; column <= kHeadingCols; ++column) table.SetCellText(h + 1, column, GetLine(column + 4));
    table.SetCellText(h + 2, 3, GetUnitsText(7));
    for (int column = 4; column <= kHeadingCols; ++column) table.SetCellText(h + 2, column, GetUnitsText(6));

    int row = h + kTitleRows;
    ForEachMarket([&](int) { row = WriteBrandRows(row); });
    const int firstTotalRow = h + kTitleRows + bodyRows;
    WriteMarketTotals(firstTotalRow, marketCount);
    FormatBrandTable(firstTotalRow + totalRows - 1);
}

int TCumResult::WriteBrandRows(int row) {
    const TSimArr* results = ResultsArray(kCategoryFirmFtaMarket, "BrdCumRes");
    const TSimArr* names = ResultsArray(kCategoryFirmFtaMarket, "BrdCumNames");
    for (int slot = cumBrands_->Lo(); slot <= cumBrands_->Hi(); ++slot) {
        if (ArrayNumber(results, {slot, si::brcIsMkted}) <= 0) continue;
        table_->SetCellText(row, 1, slot == cumBrands_->Hi() ? GetLine(17) : ArrayText(names, {slot}));
        table_->SetCellNumber(row, 2, ArrayNumber(results, {slot, si::brcIntroPer}));
        for (int element = si::BrdCumRes->Lo() + 2; element <= si::BrdCumRes->Hi(); ++element)
            table_->SetCellNumber(row, ElementColumn(element), ArrayNumber(results, {slot, element}) / 1000);
        ++row;
    }
    return row;
}

void TCumResult::WriteMarketTotals(int firstTotalRow, int marketCount) {
    ForEachMarket([&](int market) {
        const TSimArr* results = ResultsArray(kCategoryFirmFtaMarket, "BrdCumRes");
        const int row = firstTotalRow + market - 1;
        table_->SetCellText(row, 1, FormatValue(GetLine(15)));
        for (int element = si::BrdCumRes->Lo() + 2; element <= si::BrdCumRes->Hi(); ++element)
            table_->SetCellNumber(row, ElementColumn(element), SlotSum(results, element) / 1000);
    });
    if (marketCount <= 1) return;
    const int grandRow = firstTotalRow + marketCount;
    table_->SetRangeBorderTop(grandRow, -1, grandRow, -1, 1, 0);
    table_->SetCellText(grandRow, 1, GetLine(16));
    for (int element = si::BrdCumRes->Lo() + 2; element <= si::BrdCumRes->Hi(); ++element) {
        const int column = ElementColumn(element);
        table_->SetCellFormula(grandRow, column,
                               "SUM(" + TQNTable::RangeRef(0, 0, firstTotalRow, column, grandRow - 1, column) + ")");
    }
    SetBold(grandRow);
}

void TCumResult::FormatBrandTable(int lastRow) {
    TQNTable& table = *table_;
    const int h = table.OriginRow();
    table.SetRangeAlign(h + 1, 2, lastRow, kHeadingCols, 4, 2, true);
    if (IsDocument()) table.SetRangeFont(h + 1, -1, h + 2, -1, -1, 0, -1, -1, -1);
    for (int column : {2, 5, 7, 9}) table.SetRangeBorderRight(h, column, lastRow, column, 1, 0);
    table.SetRangeBorderBottom(h, 3, h, 9, 1, 0);
    table.SetRangeBorderBottom(h + 1, 3, h + 1, 10, 1, 0);
    // Thousands of units with one decimal, amounts in whole thousands.
    table.SetRangeFormat(h + kTitleRows, 3, lastRow, 3, TNumberFormat::OneDecimal);
    table.SetRangeFormat(h + kTitleRows, 4, lastRow, kHeadingCols, TNumberFormat::Whole);
    if (ScreenClass() == kSmallScreenClass) table.SetColumnWidths({5, 7, 8, 9}, {11, 11, 12, 11});
}

}  // namespace cv
