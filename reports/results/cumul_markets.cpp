// The market screen of the cumulative results.
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "reports/results/cumul_result.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr TTableType kWindowTableType = TTableType::FilledHeadings;
constexpr int kBodyRows = 17;
constexpr int kHeadingCols = 6;
constexpr int kUnitColumn = 5;
constexpr int kTotalColumn = 6;

enum class TSumSource { BrandSlots, FirmMarket };

}  // namespace

// A value row of the market screen: its offset from the title row, what it
// sums, the sign it is shown with, its unit line and its formats.
struct TCumResult::TSumRow {
    int offset;
    TSumSource source;
    const std::int8_t& element;
    int sign;
    int unitLine;
    bool lowerBorder;
    bool boldRow;
};

void TCumResult::BuildMarketCumul() {
    LoadLines(kSectionResults, "MktCumRes");
    TQNTable& table = EnsureTable(kWindowTableType, "MktCumRes");
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    if (!Industry() || !cumBrands_ || !si::BrdCumRes) return;
    const int marketCount = Industry()->NbMarkets();
    const TSimArr* firmZone = ResultsArray(kCategoryFirmFta, "FfxRpt");
    table.DefineTable({.titleRows = 1,
                       .bodyRows = kBodyRows,
                       .headingCols = kHeadingCols,
                       .bodyCols = marketCount > 1 ? 2 * marketCount : 0});
    const int h = table.OriginRow();
    table.SetCellText(h, kUnitColumn, GetMiscText(2));
    table.SetCellText(h, kTotalColumn, GetMiscText(1));
    for (int i = 1; i <= kBodyRows; ++i) table.SetCellText(h + i, 1, GetLine(i + 1));
    for (int labelRow : {1, 5, 8, 12}) SetBold(h + labelRow, 1, 1);

    static const TSumRow kRows[] = {
        {2, TSumSource::BrandSlots, si::brcUSold, 1, 7, false, false},
        {3, TSumSource::BrandSlots, si::brcRSales, 1, 6, false, false},
        {4, TSumSource::BrandSlots, si::brcRev, 1, 6, true, false},
        {6, TSumSource::BrandSlots, si::brcCGS, -1, 6, false, false},
        {7, TSumSource::BrandSlots, si::brcIHSC, -1, 6, true, false},
        {9, TSumSource::BrandSlots, si::brcAdv, -1, 6, false, false},
        {10, TSumSource::BrandSlots, si::brcSlf, -1, 6, false, false},
        {11, TSumSource::BrandSlots, si::brcCAM, 1, 6, true, true},
        {13, TSumSource::FirmMarket, si::ffmCumMRS, -1, 6, false, false},
        {14, TSumSource::FirmMarket, si::ffmCumRnD, -1, 6, true, false},
    };
    ForEachMarket([&](int market) {
        const TSimArr* firmMarket = ResultsArray(kCategoryFirmFtaMarket, "FfmRpt");
        const TSimArr* brandResults = ResultsArray(kCategoryFirmFtaMarket, "BrdCumRes");
        // One market shows its figures in the total column, under no heading of its own.
        if (marketCount > 1) table.SetCellText(h, kTotalColumn + 2 * market, FormatValue(GetMiscText(4)));
        for (const TSumRow& sumRow : kRows)
            WriteSumRow(sumRow, h + sumRow.offset, market, marketCount, firmMarket, brandResults, firmZone);
    });

    const double firmItems[] = {-ArrayNumber(firmZone, {si::ffxCumIP}), ArrayNumber(firmZone, {si::ffxCumECP}),
                                ArrayNumber(firmZone, {si::ffxCumNC})};
    for (int i = 0; i < 3; ++i) {
        table.SetCellText(h + 15 + i, kUnitColumn, GetUnitsText(6));
        table.SetCellNumber(h + 15 + i, kTotalColumn, firmItems[i] / 1000);
    }
    SetBold(h + 17);
    table.SetRangeFormat(h + 1, kTotalColumn, h + kBodyRows, -1, TNumberFormat::Whole);
    table.SetRangeFormat(h + 2, kTotalColumn, h + 2, -1, TNumberFormat::OneDecimal);
    table.SetRangeAlign(h, kUnitColumn, h + kBodyRows, kTotalColumn, 4, 2, false);
    table.SetRangeBorderRight(h, kUnitColumn, h + kBodyRows, kUnitColumn, 1, 0);
}

void TCumResult::WriteSumRow(const TSumRow& sumRow, int row, int market, int marketCount, const TSimArr* firmMarket,
                             const TSimArr* brandResults, const TSimArr* firmZone) {
    TQNTable& table = *table_;
    const bool marketResearch = &sumRow.element == &si::ffmCumMRS;
    if (market == 1) {
        table.SetCellText(row, kUnitColumn, GetUnitsText(sumRow.unitLine));
        if (marketResearch)
            table.SetCellNumber(row, kTotalColumn, -ArrayNumber(firmZone, {si::ffxCumMRS}) / 1000);
        else if (marketCount > 1)
            table.SetCellFormula(row, kTotalColumn,
                                 "SUM(" + TQNTable::RangeRef(0, 0, row, 7, row, kTotalColumn + 2 * marketCount) + ")");
        if (sumRow.lowerBorder) table.SetRangeBorderBottom(row, -1, row, -1, 1, 0);
        if (sumRow.boldRow) SetBold(row);
    }
    const double value = sumRow.source == TSumSource::BrandSlots ? SlotSum(brandResults, sumRow.element)
                                                                 : ArrayNumber(firmMarket, {sumRow.element});
    table.SetCellNumber(row, marketCount > 1 ? kTotalColumn + 2 * market : kTotalColumn, sumRow.sign * value / 1000);
}

}  // namespace cv
