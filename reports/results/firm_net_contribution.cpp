// The net contribution: the firm's revenues and costs down to its net
// contribution, for the firm as a whole and, with several markets, for each
// market beside it.
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "reports/results/firm_result.h"
#include "reports/screen/firm_values.h"
#include "ui/report/table_number_formats.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr int kBodyRows = 23;
constexpr int kHeadingCols = 6;
constexpr int kUnitsCol = 5, kFirmCol = 6;
constexpr int kHeading = -1;  // a row that only titles the rows below it
constexpr int kMarketRowCount = 19;
// The rows that describe the market's brands: a market without brands shows none of them.
constexpr int kBrandRowCount = 16;
constexpr int kSmallScreenRowHeight = 191;
constexpr int kRowHeight = 242;

struct TContributionRow {
    int item;        // element of "FFMRpt", or kHeading
    int unitsLine;   // "Units" line
    bool inThousands;
    int sign;
    bool bold;
    bool bottomBorder;
};

// The market rows in body order; their labels are lines 2..20.
std::array<TContributionRow, kMarketRowCount> MarketRows() {
    return {{{kHeading, 0, false, 1, false, false},
             {si::ffmUSold, 2, false, 1, true, false},
             {si::ffmRPrice, 1, false, 1, false, false},
             {si::ffmSPrice, 1, false, 1, false, false},
             {si::ffmRev, 6, true, 1, true, true},
             {kHeading, 0, false, 1, false, false},
             {si::ffmUProd, 2, false, 1, false, false},
             {si::ffmCGS, 6, true, -1, false, false},
             {si::ffmIHC, 6, true, -1, false, false},
             {si::ffmISC, 6, true, -1, false, false},
             {si::ffmCBM, 6, true, 1, true, true},
             {kHeading, 0, false, 1, false, false},
             {si::ffmAdvM, 6, true, -1, false, false},
             {si::ffmAdvQ, 6, true, -1, false, false},
             {si::ffmSlf, 6, true, -1, false, false},
             {si::ffmCAM, 6, true, 1, true, true},
             {kHeading, 0, false, 1, false, false},
             {si::ffmMRS, 6, true, -1, false, false},
             {si::ffmRnD, 6, true, -1, false, true}}};
}

// The firm report begins with the market report's items in the same order.
int FirmItemOf(int marketItem) {
    if (!si::FFMRpt || !si::FFXRpt) return kSeriesMissing;
    return marketItem - si::FFMRpt->Lo() + si::FFXRpt->Lo();
}

}  // namespace

void TFirResult::BuildNetContribution() {
    LoadLines(kSectionResults, "NetContribution");
    TQNTable& table = EnsureTable(TTableType::FilledHeadings, "NetContribution");
    FillTable(table, {kind_ == kPlanContribution ? 25 : 1}, {}, 0, 0, 0, -1);
    const int markets = MarketCount();
    table.DefineTable({.titleRows = 1,
                       .bodyRows = kBodyRows,
                       .headingCols = kHeadingCols,
                       .bodyCols = markets > 1 ? 2 * markets : 0});
    const int origin = table.OriginRow();
    table.SetCellText(origin, kUnitsCol, GetMiscText(2));
    table.SetCellText(origin, kFirmCol, GetMiscText(1));
    for (int k = 1; k <= kBodyRows; ++k) table.SetCellText(origin + k, 1, GetLine(k + 1));
    for (int market = 1; market <= markets; ++market) WriteMarketContribution(market, origin);
    WriteNetContributionFirmRows(origin);

    const int last = origin + kBodyRows;
    table.SetRangeFormat(origin + 1, kFirmCol, last, LastColumn(), TNumberFormat::Whole);
    SetUnitsAndTotalColumns(kUnitsCol, origin, last);
    table.SetRowHeights(origin, last, ScreenClass() == 1 && !IsDocument() ? kSmallScreenRowHeight : kRowHeight);
    if (markets > 1)
        for (int market = 1; market <= markets; ++market) {
            context_.SelMarket = static_cast<std::int16_t>(market);
            if (ResultsCount(kCategoryFtaMarket, "NbMktedBrds") != 0) continue;
            const int column = kFirmCol + 2 * market;
            table.Sheet().Model().ClearRange(origin + 1, column, origin + kBrandRowCount, column,
                                             TSheetModel::TClearMode::Everything);
        }
    empty_ = false;
}

void TFirResult::WriteMarketContribution(int market, int origin) {
    TQNTable& table = *table_;
    const int markets = MarketCount();
    context_.SelMarket = static_cast<std::int16_t>(market);
    const TSimArr* marketReport = ResultsArray(kCategoryFirmFtaMarket, "FfmRpt");
    const TSimArr* firmReport = ResultsArray(kCategoryFirmFta, "FfxRpt");
    const int marketColumn = kFirmCol + 2 * market;
    if (markets > 1) table.SetCellText(origin, marketColumn, FormatValue(GetMiscText(4)));
    int row = origin + 1;
    for (const TContributionRow& line : MarketRows()) {
        const int r = row++;
        if (line.item == kHeading) {
            table.SetRangeFont(r, 1, r, 1, -1, 1, -1, -1, -1);
            continue;
        }
        const double scale = line.sign * (line.inThousands ? 0.001 : 1.0);
        if (market == 1) {
            table.SetCellText(r, kUnitsCol, GetUnitsText(line.unitsLine));
            if (auto value = ReportValue(firmReport, FirmItemOf(line.item), scale))
                table.SetCellNumber(r, kFirmCol, *value);
        }
        if (markets > 1)
            if (auto value = ReportValue(marketReport, line.item, scale)) table.SetCellNumber(r, marketColumn, *value);
        if (line.bottomBorder) table.SetRangeBorderBottom(r, 1, r, LastColumn(), 1, 0);
        if (line.bold) table.SetRangeFont(r, 1, r, LastColumn(), -1, 1, -1, -1, -1);
    }
}

void TFirResult::WriteNetContributionFirmRows(int origin) {
    TQNTable& table = *table_;
    const TSimArr* firmReport = ResultsArray(kCategoryFirmFta, "FfxRpt");
    const struct {
        int item;
        double sign;
    } rows[] = {{si::ffxIP, -1}, {si::ffxECP, 1}, {si::ffxNC, 1}, {si::ffxNPB, 1}};
    int r = origin + kMarketRowCount + 1;
    for (const auto& line : rows) {
        table.SetCellText(r, kUnitsCol, GetUnitsText(6));
        if (auto value = ReportValue(firmReport, line.item, line.sign * 0.001)) table.SetCellNumber(r, kFirmCol, *value);
        ++r;
    }
    const int netRow = origin + kMarketRowCount + 3;
    table.SetRangeBorderBottom(netRow, 1, netRow, kFirmCol, 1, 0);
    table.SetRangeFont(netRow, 1, netRow + 1, LastColumn(), -1, 1, -1, -1, -1);
}

}  // namespace cv
