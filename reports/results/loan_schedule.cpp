// The loan schedule: period by period, the budget changes, the loans taken
// and their repayment, as the firm's loan table rebuilds them from the
// decisions of every period.
#include <algorithm>

#include "core/session/fir_loans.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "reports/results/firm_result.h"
#include "reports/screen/firm_values.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr int kTitleRows = 3;
constexpr int kBodyRows = kLoanRowCount;
constexpr int kColumns = 9;
constexpr int kPercentCol = 6;
constexpr char kPercentText[] = "%";

double Thousands(double amount) { return amount / 1000; }

}  // namespace

void TFirResult::BuildLoanSchedule() {
    LoadLines(kSectionResults, "LoanSchedule");
    TQNTable& table = EnsureTable(TTableType::BandedRows, "Projects");
    FillTable(table, {1}, {}, 0, 0, 1, -1);
    table.DefineTable({.titleRows = kTitleRows, .bodyRows = kBodyRows, .headingCols = 1, .bodyCols = 2, .totalCols = 6});
    const int origin = table.OriginRow();
    WriteLoanTitles(origin);

    const int resultPeriod = context_.CurPeriod;
    context_.DecPeriod = static_cast<std::int16_t>(resultPeriod + (kind_ == kLoanRequestSchedule ? 1 : 0));
    TFirLoans loans;
    loans.Init(context_);
    loans.LoanHistory();
    // The loan table holds periods 0..12 whatever the period series says.
    const TCvInd* industry = Industry();
    const int periods = std::min(industry && industry->PerSeries() ? industry->PerSeries()->Count() : 0,
                                 kLoanRowCount);
    for (int period = 0; period < periods; ++period) {
        const TFirLoans::TLoanRow& loan = loans.Loans[static_cast<std::size_t>(period)];
        const int r = origin + kTitleRows + period;
        if (period <= resultPeriod)
            table.SetRangeFontColor(r, 1, r, kColumns, kGrey);
        else if (period == context_.DecPeriod)
            table.SetRangeFont(r, 1, r, kColumns, -1, 1, -1, -1, -1);
        table.SetCellNumber(r, 1, period);
        // Annuities split into principal and interest are rarely whole thousands.
        table.SetRangeFormat(r, 2, r, kPercentCol - 1, TNumberFormat::Whole);
        table.SetRangeFormat(r, kPercentCol + 1, r, kColumns, TNumberFormat::Whole);
        const double budgetChange = Thousands(loan[lcBgtChg]);
        if (budgetChange > 0) table.SetCellNumber(r, 2, budgetChange);
        if (budgetChange < 0) table.SetCellNumber(r, 3, -budgetChange);
        if (Thousands(loan[lcLoanCap]) > 0) {
            table.SetCellNumber(r, 4, Thousands(loan[lcLoanCap]));
            table.SetCellNumber(r, 5, loan[lcLoanDur]);
            table.SetCellNumber(r, kPercentCol, loan[lcLoanIR] / 100);
        }
        if (Thousands(loan[lcRepaid]) > 0) {
            table.SetCellNumber(r, 7, Thousands(loan[lcRepaid]));
            table.SetCellNumber(r, 8, Thousands(loan[lcInterest]));
            table.SetCellNumber(r, 9, Thousands(loan[lcOutstanding]));
        }
    }
    if (kind_ == kLoanRequestSchedule || ScreenClass() == 1)
        table.SetColumnWidths({1, 2, 3, 4, 5, 6, 7, 8, 9}, {8, 12, 12, 11, 11, 11, 13, 11, 11});
    empty_ = false;
}

void TFirResult::WriteLoanTitles(int origin) {
    TQNTable& table = *table_;
    table.SetCellText(origin, 1, GetLine(2));
    const struct {
        int first, last, line;
    } groups[] = {{2, 3, 3}, {4, 6, 4}, {7, 9, 5}};
    for (const auto& group : groups) table.SetTextAcross(origin, group.first, group.last, GetLine(group.line));
    for (int column = 2; column <= kColumns; ++column) {
        table.SetCellText(origin + 1, column, GetLine(column + 4));
        table.SetCellText(origin + 2, column, GetUnitsText(6));
    }
    table.SetCellText(origin + 2, 5, GetLine(14));
    table.SetCellText(origin + 2, kPercentCol, kPercentText);
    table.SetRangeBorderTop(origin + 1, 2, origin + 1, kColumns, 1, 0);
    table.SetRangeAlign(origin + 1, 1, origin + 2, kColumns, kAlignRight, kAlignMiddle, true);
    table.SetRangeBorderRight(origin, kPercentCol, origin + kTitleRows + kBodyRows - 1, kPercentCol, 1, 0);
}

}  // namespace cv
