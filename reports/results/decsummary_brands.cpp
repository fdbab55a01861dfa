// The brand decisions of the past-decision summaries.
#include <algorithm>
#include <cmath>

#include "core/base/numbers.h"
#include "core/session/industry.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/results/decsummary.h"
#include "ui/report/table_number_formats.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr TTableType kWindowTableType = TTableType::BandedColumns;
constexpr int kTitleRows = 2;
constexpr int kBodyRows = 15;
constexpr int kMinBrandColumns = 5;
// Segment rows: up to five, centred in the rows from H+7.
constexpr int kSegmentRows = 5;
constexpr int kSmallScreenClass = 1;
constexpr int kNoObjective = 0;
constexpr int kMapObjective = 1;
constexpr const char* kNone = "None";

int HeadingCols(bool document) { return document ? 5 : 4; }

// A figure shown whole (price, advertising, targeting) as the marketing mix
// shows it: rounded to the even neighbour, so that the two parts of an
// advertising budget of whole thousands add up to it (787.5 and 262.5 show
// 788 and 262), where the sheet alone would round both halves up.
double Whole(long double figure) { return static_cast<double>(RoundHalfEven(figure)); }

}  // namespace

void TDecSummary::BuildBrands() {
    TQNTable& table = StartTable("DecSumBrd", kWindowTableType);
    const int brandCount = DecisionsCount(kCategoryFirmFtaMarket, "NbMktedBrds");
    const int headingCols = HeadingCols(IsDocument());
    const int brandColumns = std::max(kMinBrandColumns, brandCount);
    table.DefineTable({.titleRows = kTitleRows,
                       .bodyRows = kBodyRows,
                       .headingCols = headingCols,
                       .bodyCols = brandColumns,
                       .maxVisibleCols = kMinBrandColumns});
    WriteBrandLabels(headingCols, brandColumns);
    for (int brand = 1; brand <= brandCount; ++brand) WriteBrandColumn(brand, headingCols + brand);
    empty_ = brandCount == 0;
}

void TDecSummary::WriteBrandLabels(int headingCols, int brandColumns) {
    TQNTable& table = *table_;
    const int h = table.OriginRow();
    const int lastColumn = headingCols + brandColumns;
    table.SetCellText(h, 1, FormatValue(GetLine(2)));
    table.SetCellText(h + 1, 1, FormatValue(GetLine(3)));
    for (int i = 0; i < 5; ++i) table.SetCellText(h + 2 + i, 1, GetLine(4 + i));
    table.SetCellText(h + 9, 1, GetLine(9));
    table.SetCellText(h + 12, 1, GetLine(10));
    for (int i = 0; i < 4; ++i) table.SetCellText(h + 13 + i, 2, GetLine(11 + i));

    table.SetCellText(h + 2, headingCols, GetUnitsText(7));
    table.SetCellText(h + 3, headingCols, GetUnitsText(7));
    table.SetCellText(h + 4, headingCols, GetUnitsText(1));
    table.SetCellText(h + 5, headingCols, GetUnitsText(6));
    table.SetCellText(h + 6, headingCols, GetUnitsText(6));
    const int segmentCount = segments_ ? std::min<int>(segments_->Count(), kSegmentRows) : 0;
    const int firstSegmentRow = h + 7 + (kSegmentRows - segmentCount) / 2;
    for (int s = 1; s <= segmentCount; ++s)
        table.SetCellText(firstSegmentRow + s - 1, headingCols,
                          Industry()->SegmentLabel(context_.SelFta, context_.SelMarket, segments_->Lo() + s - 1));

    for (int borderRow : {3, 4, 6, 11}) table.SetRangeBorderBottom(h + borderRow, -1, h + borderRow, -1, 1, 0);
    table.SetRangeBorderBottom(h + 14, 2, h + 14, lastColumn, 1, 0);
    table.SetRangeBorderTop(h + 12, -1, h + 12, -1, 1, 0);
    table.SetRangeAlign(h, headingCols, h + kTitleRows + kBodyRows - 1, headingCols, 4, 2, false);
    table.SetRangeFormat(h + 2, headingCols + 1, h + 3, lastColumn, TNumberFormat::OneDecimal);
    table.SetRangeFormat(h + 4, headingCols + 1, h + 11, lastColumn, TNumberFormat::Whole);
    table.SetColumnWidths({headingCols}, {15});
    if (ScreenClass() == kSmallScreenClass) {
        table.SetColumnWidths({headingCols - 1}, {13});
        table.SetColumnWidthRange(headingCols + 1, lastColumn, 11);
    }
}

void TDecSummary::WriteBrandColumn(int brand, int column) {
    TQNTable& table = *table_;
    const int h = table.OriginRow();
    const TSimArr* portfolio = DecisionsArray(kCategoryFirmFtaMarket, "DecBrdPort");
    const TSimArr* mix = DecisionsArray(kCategoryFirmFtaMarket, "DecBrdCV3");
    const TSimArr* targeting = DecisionsArray(kCategoryFirmFtaMarket, "SegStrat");
    auto decision = [&](int element) { return ArrayNumber(mix, {brand, element}); };
    table.SetCellText(h, column, ArrayText(portfolio, {brand, si::BrdName}));
    table.SetCellText(h + 1, column, ArrayText(portfolio, {brand, si::ProName}));
    table.SetCellNumber(h + 2, column, decision(si::Production) / 1000);
    table.SetCellNumber(h + 3, column, decision(si::SellStock) / 1000);
    table.SetCellNumber(h + 4, column, Whole(decision(si::Price)));
    table.SetCellNumber(h + 5, column, Whole((1 - decision(si::AdvertQual)) * decision(si::AdvertBgt) / 1000));
    table.SetCellNumber(h + 6, column, Whole(decision(si::AdvertBgt) * decision(si::AdvertQual) / 1000));
    const int segmentCount = segments_ ? std::min<int>(segments_->Count(), kSegmentRows) : 0;
    const int firstSegmentRow = h + 7 + (kSegmentRows - segmentCount) / 2;
    for (int s = 1; s <= segmentCount; ++s)
        table.SetCellNumber(firstSegmentRow + s - 1, column,
                            Whole(ArrayNumber(targeting, {brand, segments_->Lo() + s - 1}) * 100));
    const int type = static_cast<int>(std::lround(decision(si::CoType)));
    WriteObjective(h + 13, column, type, decision(si::CoSOrP1), decision(si::CoVal1));
    WriteObjective(h + 15, column, type, decision(si::CoSOrP2), decision(si::CoVal2));
}

void TDecSummary::WriteObjective(int row, int column, int type, double dimension, double value) {
    TQNTable& table = *table_;
    const int headingCols = HeadingCols(IsDocument());
    const int axis = type == kNoObjective ? 0 : static_cast<int>(std::lround(dimension));
    if (type != kNoObjective) table.SetCellText(row + 1, headingCols, GetLine(15));
    const int market = context_.SelMarket;
    const TSeries* axes = type == kMapObjective ? Industry()->MapSeries(market) : Industry()->SemSeries(market);
    // A dimension the market lacks (stored for another market) names no axis, as none.
    if (axis <= 0 || !axes || axis > axes->Count()) {
        table.SetCellText(row, column, kNone);
        table.SetCellText(row + 1, column, "-");
        return;
    }
    table.SetCellText(row, column,
                      type == kMapObjective ? Industry()->MapLabel(market, axis) : Industry()->SemLabel(market, axis));
    table.SetCellNumber(row + 1, column, value);
    table.SetRangeFormat(row + 1, column, row + 1, column, TNumberFormat::OneDecimal);
}

}  // namespace cv
