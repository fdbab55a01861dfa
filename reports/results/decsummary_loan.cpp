// The budget change and loan of the past-decision summaries.
#include <algorithm>
#include <string>

#include "core/store/series_index.h"
#include "reports/results/decsummary.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr TTableType kLoanWindowTableType = TTableType::FilledHeadings;
constexpr int kLoanBodyRows = 7;

}  // namespace

void TDecSummary::BuildLoan() {
    TQNTable& table = StartTable("DecSumLoan", kLoanWindowTableType);
    table.DefineTable({.titleRows = 1, .bodyRows = kLoanBodyRows, .headingCols = 4, .bodyCols = 1});
    const int h = table.OriginRow();
    const TSimArr* loan = DecisionsArray(kCategoryFirm, "LoanVal");
    const double budgetChange = ArrayNumber(loan, {si::BgtChg}) / 1000;
    const double capital = ArrayNumber(loan, {si::LoanCap}) / 1000;
    table.SetCellText(h, 4, GetMiscText(2));
    for (int labelRow : {1, 4}) {
        table.SetCellText(h + labelRow, 1, GetLine(labelRow == 1 ? 2 : 5));
        SetBold(h + labelRow, 1, 1);
    }
    // Amounts of money read in whole thousands with their separators.
    struct TLoanRow {
        int offset, line;
        std::string unit;
        double value;
        bool money;
    };
    const TLoanRow rows[] = {
        {2, 3, GetUnitsText(6), std::max(budgetChange, 0.0), true},
        {3, 4, GetUnitsText(6), budgetChange < 0 ? -budgetChange : 0, true},
        {5, 6, GetUnitsText(6), std::max(capital, 0.0), true},
        {6, 7, "", ArrayNumber(loan, {si::LoanDur}), false},
        {7, 8, "%", ArrayNumber(loan, {si::LoanIR}) / 100, false},
    };
    for (const TLoanRow& row : rows) {
        table.SetCellText(h + row.offset, 2, GetLine(row.line));
        if (!row.unit.empty()) table.SetCellText(h + row.offset, 4, row.unit);
        table.SetCellNumber(h + row.offset, 5, row.value);
        if (row.money) table.SetRangeFormat(h + row.offset, 5, h + row.offset, 5, TNumberFormat::Whole);
    }
    table.SetRangeBorderBottom(h + 3, -1, h + 3, -1, 1, 0);
    table.SetRangeAlign(h, 4, h + kLoanBodyRows, 4, 4, 2, false);
    table.SetColumnWidthRange(1, 5, 12);
}

}  // namespace cv
