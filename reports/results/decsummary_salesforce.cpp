// The sales-force decisions of the past-decision summaries.
#include <algorithm>

#include "core/base/numbers.h"
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "reports/results/decsummary.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr TTableType kWindowTableType = TTableType::BandedColumns;
// Sizes and the allocation heading take the first two body rows; the brands
// of every market follow, then the total row. The body holds 16 rows, or
// more when the firm's brands need them, so the total never covers a brand.
constexpr int kMinBodyRows = 16;
constexpr int kRowsBeforeBrands = 2;
constexpr int kChannelColumnWidth = 21;

int ColumnStep(bool document) { return document ? 2 : 1; }

}  // namespace

int TDecSummary::SalesForceBrandRows() {
    int rows = 0;
    ForEachMarket([&](int) { rows += DecisionsCount(kCategoryFirmFtaMarket, "NbMktedBrds"); });
    return rows;
}

void TDecSummary::BuildSalesForce() {
    TQNTable& table = StartTable("DecSumSlf", kWindowTableType);
    const int step = ColumnStep(IsDocument());
    const int channelCount = channels_ ? channels_->Count() : 0;
    const int bodyRows = std::max(kMinBodyRows, kRowsBeforeBrands + SalesForceBrandRows());
    const int lastColumn = 4 + 3 * step;
    table.DefineTable({.titleRows = 1, .bodyRows = bodyRows, .totalRows = 1, .headingCols = 4, .bodyCols = 3 * step,
                       .minBodyRows = 5});
    const int h = table.OriginRow();
    const TSimArr* sizes = DecisionsArray(kCategoryFirmFta, "SlfSize");
    for (int i = 0; i < 3; ++i) table.SetCellText(h + i, 1, FormatValue(GetLine(2 + i)));
    for (int c = 1; c <= channelCount; ++c) {
        const int channel = channels_->Lo() + c - 1;
        table.SetCellText(h, 4 + step * c, Industry()->ChannelLabel(context_.SelFta, channel));
        table.SetCellNumber(h + 1, 4 + step * c, ArrayNumber(sizes, {channel}));
    }
    table.SetRangeBorderBottom(h + 1, -1, h + 1, -1, 1, 0);
    WriteAllocations(h + 1 + kRowsBeforeBrands, channelCount, lastColumn);

    const int totalRow = h + 1 + bodyRows;
    table.SetCellText(totalRow, 2, UpperCaseAccented(GetMiscText(1)));
    for (int c = 1; c <= channelCount; ++c) {
        const int column = 4 + step * c;
        table.SetCellFormula(totalRow, column,
                             "SUM(" + TQNTable::RangeRef(0, 0, h + 1 + kRowsBeforeBrands, column, totalRow - 1, column) +
                                 ")");
    }
    table.SetRangeFormat(h + 1, 5, totalRow, lastColumn, TNumberFormat::Whole);
    for (int c = 1; c <= channelCount; ++c) table.SetColumnWidths({4 + c}, {kChannelColumnWidth});
}

int TDecSummary::WriteAllocations(int row, int channelCount, int lastColumn) {
    TQNTable& table = *table_;
    const int step = ColumnStep(IsDocument());
    ForEachMarket([&](int market) {
        const int brandCount = DecisionsCount(kCategoryFirmFtaMarket, "NbMktedBrds");
        const TSimArr* portfolio = DecisionsArray(kCategoryFirmFtaMarket, "DecBrdPort");
        const TSimArr* allocation = DecisionsArray(kCategoryFirmFtaMarket, "SlfAlloc");
        if (market > 1 && brandCount > 0) table.SetRangeBorderBottom(row - 1, 2, row - 1, lastColumn, 1, 0);
        for (int brand = 1; brand <= brandCount; ++brand, ++row) {
            table.SetCellText(row, 2, ArrayText(portfolio, {brand, si::BrdName}));
            for (int c = 1; c <= channelCount; ++c)
                table.SetCellNumber(row, 4 + step * c,
                                    ArrayNumber(allocation, {channels_->Lo() + c - 1, brand}) * 100);
        }
    });
    return row;
}

}  // namespace cv
