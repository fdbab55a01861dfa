// The total budget: the expenses of each market item by item, then the firm's
// total expenses against the budget it may spend, and the balance left.
#include "core/session/fta_budget.h"
#include "core/language/translator.h"
#include "reports/budget/bgt_screen.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr int kBodyRows = 10, kTotalRows = 5;
constexpr int kHeadingCols = 5;
constexpr int kUnitsCol = 4, kFirmCol = 5;
constexpr int kLabelCount = kBodyRows + kTotalRows;
constexpr int kLoanNote = 19, kBudgetChangeNote = 20, kNegativeBalanceNote = 18;

}  // namespace

void TBgtScreen::BuildTotalBudget() {
    LoadLines(kSectionResults, "BudgetTot");
    TQNTable& table = EnsureTable(TTableType::FilledHeadings, "BudgetTot");
    FillTable(table, {1}, {2}, 0, 0, IsDocument() ? 0 : 1, -1);
    const int markets = MarketCount();
    headingCols_ = kHeadingCols;
    bodyCols_ = markets == 1 ? 1 : 2 * markets;
    table.DefineTable({.titleRows = 1, .bodyRows = kBodyRows, .totalRows = kTotalRows, .headingCols = kHeadingCols,
                       .bodyCols = bodyCols_});
    if (markets == 1) table.SetColumnWidths({kHeadingCols + 1}, {10});
    const int origin = table.OriginRow();
    table.SetCellText(origin, kUnitsCol, GetMiscText(2));
    table.SetCellText(origin, kFirmCol, GetMiscText(1));
    for (int k = 1; k <= kLabelCount; ++k) table.SetCellText(origin + k, 1, GetLine(k + 2));
    ForEachMarket([&](int market) { WriteMarketTotals(market, origin, markets); });
    WriteFirmTotals(origin);

    const int last = origin + kLabelCount;
    SetUnitsAndTotalColumns(kUnitsCol, origin, last);
    table.SetRangeFormat(origin + 1, kFirmCol, last, kHeadingCols + bodyCols_, TNumberFormat::Whole);
    // The control reports widths in 1/256 character, so a width of 10 never
    // reads back as 10: columns 3 and 4 keep their usual widths.
    table.SetColumnWidths({3, 4}, {8, 5});
    empty_ = false;
}

void TBgtScreen::WriteMarketTotals(int market, int origin, int markets) {
    TQNTable& table = *table_;
    const TFtaBudget& budget = *budget_;
    const auto& brands = budget.BrandCosts[static_cast<std::size_t>(market)][0];
    const std::size_t m = static_cast<std::size_t>(market);
    const int marketColumn = kFirmCol + 2 * market;
    column_ = markets == 1 ? kFirmCol : marketColumn;
    firstColumn_ = market == 1;
    if (markets > 1) table.SetCellText(origin, marketColumn, FormatValue(GetMiscText(4)));
    row_ = origin + 1;
    WriteRow(brands[bcAdvertOther], false, false);
    WriteRow(brands[bcAdvertQual], true, false);
    WriteRow(std::nullopt, false, false);
    WriteRow(brands[bcSlfSalaries], false, false);
    WriteRow(brands[bcSlfHiring], false, false);
    WriteRow(brands[bcSlfFiring], true, false);
    WriteRow(std::nullopt, false, false);
    WriteRow(budget.MktStudyCosts[m][0], false, false);
    // The zone's own studies belong to no market: a dash in the market's column.
    const int studiesRow = row_++;
    if (markets > 1) table.SetCellText(studiesRow, marketColumn, "-");
    if (firstColumn_) {
        table.SetRangeBorderBottom(studiesRow, 1, studiesRow, kHeadingCols + bodyCols_, 1, 0);
        table.SetCellText(studiesRow, kUnitsCol, GetUnitsText(kThousandsLine));
        table.SetCellNumber(studiesRow, kFirmCol, budget.FtaStudyCosts[0] / 1000);
    }
    WriteRow(budget.ProjectCosts[m][0], true, false);
    WriteRow(budget.MktExpenses[m], true, false);
}

void TBgtScreen::WriteFirmTotals(int origin) {
    TQNTable& table = *table_;
    const TFtaBudget& budget = *budget_;
    const int first = origin + kBodyRows + 1;
    const double values[kTotalRows] = {budget.MktExpenses[0], budget.NetBudget, budget.LoanCap, budget.BgtChg,
                                       budget.Balance};
    for (int k = 0; k < kTotalRows; ++k) {
        table.SetCellText(first + k, kUnitsCol, GetUnitsText(kThousandsLine));
        table.SetCellNumber(first + k, kFirmCol, values[k] / 1000);
    }
    const int loanRow = first + 2, changeRow = first + 3, balanceRow = first + 4;
    if (budget.LoanCap != 0 && budget.LoanAck == 0) WriteBudgetNote(loanRow, kLoanNote);
    if (budget.BgtChg != 0 && budget.BgtChgAck == 0) WriteBudgetNote(changeRow, kBudgetChangeNote);
    SetBold(balanceRow, 1, kHeadingCols + bodyCols_);
    if (budget.Balance < 0) WriteBudgetNote(balanceRow, kNegativeBalanceNote);
}

}  // namespace cv
