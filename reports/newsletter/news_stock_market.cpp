// Page 1 of the newsletter: every firm's stock-price index, market value, net
// contribution and cumulative net contribution in the zone, from period 1 on
// led by the highest index (in bold); period 0 lists the firms in firm order.
#include <algorithm>
#include <vector>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"

namespace cv {
namespace {

constexpr int kTitleRows = 2;
constexpr int kHeadingCols = 9;
constexpr int kIndexCol = 2, kValueCol = 4, kContributionCol = 6, kCumulativeCol = 8;
constexpr int kLastCol = 9;
constexpr int kMarketValueUnitsLine = 6;
constexpr int kColumnWidth = 10;
constexpr double kThousands = 1000;

struct TFirmStock {
    std::string label;
    double index, marketValue, contribution, cumulative;
};

}  // namespace

void TNewsScr::BuildStockMarket() {
    LoadLines(kSectionResults, "NLSMktSPI");
    TQNTable& table = EnsureTable(TTableType::BandedRows, "NLSMktSPI");
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    const int firms = Industry() ? Industry()->NbFirms() : 0;
    table.DefineTable({.titleRows = kTitleRows, .bodyRows = firms, .headingCols = kHeadingCols});
    const int origin = table.OriginRow();

    std::vector<TFirmStock> rows;
    const std::int16_t shownFirm = context_.SelFirm;
    for (int firm = 1; firm <= firms; ++firm) {
        context_.SelFirm = static_cast<std::int16_t>(firm);
        const TSimArr* report = ResultsArray(kCategoryFirmFta, "FfxRpt");
        rows.push_back({Industry()->FirmLabel(firm), ArrayNumber(report, {si::ffxSPI}),
                        ArrayNumber(report, {si::ffxMktVal}), ArrayNumber(report, {si::ffxNC}) / kThousands,
                        ArrayNumber(report, {si::ffxCumNC}) / kThousands});
    }
    context_.SelFirm = shownFirm;
    // From period 1 on the highest index leads; equal indexes go by firm label.
    const bool ranked = context_.CurPeriod > 0;
    if (ranked)
        std::stable_sort(rows.begin(), rows.end(), [](const TFirmStock& a, const TFirmStock& b) {
            return a.index != b.index ? a.index > b.index : a.label < b.label;
        });

    table.SetCellText(origin, 1, GetLine(2));
    table.SetCellText(origin, kIndexCol, GetLine(3));
    table.SetCellText(origin, kValueCol, GetLine(5));
    table.SetCellText(origin + 1, kIndexCol, GetLine(4));
    table.SetCellText(origin + 1, kValueCol, GetUnitsText(kMarketValueUnitsLine));
    table.SetCellText(origin + 1, kContributionCol, FormatValue(GetLine(7)));
    table.SetCellText(origin + 1, kCumulativeCol, GetLine(8));
    int row = origin + kTitleRows;
    for (const TFirmStock& firm : rows) {
        table.SetCellText(row, 1, firm.label);
        table.SetCellNumber(row, kIndexCol, firm.index);
        table.SetCellNumber(row, kValueCol, firm.marketValue);
        table.SetCellNumber(row, kContributionCol, firm.contribution);
        table.SetCellNumber(row, kCumulativeCol, firm.cumulative);
        ++row;
    }

    const int last = row - 1;
    table.SetRangeAlign(origin, 1, last, 1, kAlignCentre, kAlignMiddle, false);
    for (int column = kIndexCol; column < kLastCol; column += 2)
        table.SetRangeAlign(origin, column, last, column + 1, kAlignCentreAcross, kAlignMiddle, false);
    table.SetTextAcross(origin, kContributionCol, kLastCol, GetLine(6));
    // The style sets heading columns in bold: only the leader's firm and index stay so, and in period 0 none.
    if (firms > 0) table.SetRangeFont(origin + kTitleRows, 1, last, kLastCol, -1, 0, -1, -1, -1);
    if (ranked && firms > 0) SetBold(origin + kTitleRows, 1, kIndexCol + 1);
    // The table's general format would show every digit of the amounts.
    if (firms > 0) table.SetRangeFormat(origin + kTitleRows, kIndexCol, last, kLastCol, TNumberFormat::Whole);
    table.SetColumnWidthRange(kIndexCol, kLastCol, kColumnWidth);
    empty_ = false;
}

}  // namespace cv
