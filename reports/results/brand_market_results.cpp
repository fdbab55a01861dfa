// The brand market results: market shares and distribution coverage.
#include <algorithm>

#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "reports/results/brand_result.h"
#include "ui/report/table_number_formats.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr TTableType kWindowTableType = TTableType::BandedColumns;
constexpr int kHeadingCols = 5;
constexpr int kUnitColumn = 4;
constexpr int kTotalColumn = 5;
constexpr int kMinBrandColumns = 5;
constexpr int kSmallScreenClass = 1;

}  // namespace

void TBrdResult::BuildMarketResults() {
    LoadLines(kSectionResults, "BrdMktRes");
    const TSimArr* zoneResults = ResultsArray(kCategoryFta, "XFXRes");
    const TSimArr* firmMarket = ResultsArray(kCategoryFirmFtaMarket, "FfmRpt");
    const TSimArr* report = ResultsArray(kCategoryFirmFtaMarket, "BrdRpt");
    const TSimArr* distributors = ResultsArray(kCategoryFirmFtaMarket, "BrdNDis");
    const int brandCount = ResultsCount(kCategoryFirmFtaMarket, "NbMktedBrds");
    const TSeries* channels = Industry() ? Industry()->ChaSeries(context_.SelFta) : nullptr;
    const int channelCount = channels ? channels->Count() : 0;
    const int brandColumns = std::max(kMinBrandColumns, brandCount);

    TQNTable& table = EnsureTable(kWindowTableType, "BrdMktRes");
    FillTable(table, {1}, IsDocument() ? std::vector<int>{} : std::vector<int>{2}, 0, 0, 0, -1);
    table.DefineTable({.titleRows = 1,
                       .bodyRows = channelCount + 3,
                       .headingCols = kHeadingCols,
                       .bodyCols = brandColumns,
                       .maxVisibleCols = kMinBrandColumns});
    const int h = table.OriginRow();
    const int lastRow = h + channelCount + 3;

    table.SetCellText(h, 1, FormatValue(GetLine(3)));
    table.SetCellText(h, kUnitColumn, GetMiscText(2));
    table.SetCellText(h + 1, 1, GetLine(4));
    table.SetCellText(h + 1, kUnitColumn, GetUnitsText(4));
    table.SetCellText(h + 2, kUnitColumn, GetUnitsText(3));
    table.SetCellText(h + 3, 1, GetLine(5));
    for (int boldRow : {1, 3}) SetBold(h + boldRow, 1, 1);
    for (int c = 1; c <= channelCount; ++c) {
        const int channel = channels->Lo() + c - 1;
        const std::string label = IsDocument() ? Industry()->ChannelLabel(context_.SelFta, channel)
                                               : Industry()->ChannelLongLabel(context_.SelFta, channel);
        const double outlets = ArrayNumber(zoneResults, {channel, si::NbOutlet});
        table.SetCellText(h + 3 + c, 1,
                          ReplaceFirst(ReplaceFirst(GetLine(6), "@Channel", label), "@NbrCha",
                                       FormatThousands(outlets, 0)));
        table.SetCellText(h + 3 + c, kUnitColumn, "%");
    }
    if (brandCount > 0) {
        table.SetCellText(h, kTotalColumn, GetMiscText(1));
        table.SetCellNumber(h + 1, kTotalColumn, ArrayNumber(firmMarket, {si::ffmUMS}) / 1000);
        table.SetCellNumber(h + 2, kTotalColumn, ArrayNumber(firmMarket, {si::ffmVMS}) / 1000);
    }
    for (int brand = 1; brand <= brandCount; ++brand) WriteMarketShares(brand, channelCount, report, distributors, zoneResults);

    table.SetRangeAlign(h, kUnitColumn, lastRow, kTotalColumn, 4, 2, false);
    table.SetRangeBorderRight(h, kUnitColumn, lastRow, kUnitColumn, 1, 0);
    table.SetRangeBorderTop(h + 3, -1, h + 3, -1, 1, 0);
    table.SetRangeFormat(h + 1, kTotalColumn, lastRow, kTotalColumn + brandColumns, TNumberFormat::Percent);
    if (ScreenClass() == kSmallScreenClass) table.SetColumnWidths({1}, {22});
    empty_ = brandCount == 0;
}

void TBrdResult::WriteMarketShares(int brand, int channelCount, const TSimArr* report, const TSimArr* distributors,
                                   const TSimArr* zoneResults) {
    TQNTable& table = *table_;
    const int h = table.OriginRow();
    const int column = kTotalColumn + brand;
    const TSeries* channels = Industry()->ChaSeries(context_.SelFta);
    table.SetCellText(h, column, ArrayText(ResultsArray(kCategoryFirmFtaMarket, "FirMktedBrds"), {brand}));
    table.SetCellNumber(h + 1, column, ArrayNumber(report, {brand, si::brUMS}) / 1000);
    table.SetCellNumber(h + 2, column, ArrayNumber(report, {brand, si::brVMS}) / 1000);
    for (int c = 1; c <= channelCount; ++c) {
        const int channel = channels->Lo() + c - 1;
        table.SetCellNumber(h + 3 + c, column,
                            SafeDiv(ArrayNumber(distributors, {brand, channel}),
                                    ArrayNumber(zoneResults, {channel, si::NbOutlet}), 0));
    }
}

}  // namespace cv
