// The R&D budget: each market's projects with what they cost, and the
// market's total below them.
#include "core/base/numbers.h"
#include "core/session/fta_budget.h"
#include "core/language/translator.h"
#include "reports/budget/bgt_screen.h"
#include "ui/report/table_number_formats.h"
#include "ui/sheet/cell_format.h"

namespace cv {
namespace {

constexpr int kTitleRows = 2, kBodyRows = kBudgetProjects, kTotalRows = 1;
constexpr int kColumnWidth = 18;

}  // namespace

void TBgtScreen::BuildRnDBudget() {
    LoadLines(kSectionResults, "BudgetRnD");
    TQNTable& table = EnsureTable(TTableType::BandedRows, "BudgetRnD");
    FillTable(table, {1, 2}, {3}, 0, 0, IsDocument() ? 0 : 2, -1);
    const int markets = MarketCount();
    headingCols_ = 0;
    bodyCols_ = 2 * markets;
    table.DefineTable({.titleRows = kTitleRows, .bodyRows = kBodyRows, .totalRows = kTotalRows, .bodyCols = bodyCols_,
                       .minBodyRows = kBodyRows});
    const int origin = table.OriginRow();
    ForEachMarket([&](int market) { WriteMarketProjects(market, origin); });
    const int last = origin + kTitleRows + kBodyRows + kTotalRows - 1;
    table.SetRangeAlign(origin + kTitleRows, 1, last, bodyCols_, kAlignCentre, kAlignMiddle, false);
    // Each market's costs, heading and figures, read right-aligned like the
    // other budgets' figures; the projects' names stay centred.
    for (int costs = 2; costs <= bodyCols_; costs += 2) AlignFiguresRight(origin + 1, costs, last, costs);
    table.SetRangeFormat(origin + kTitleRows, 1, last, bodyCols_, TNumberFormat::Whole);
    table.SetColumnWidthRange(1, bodyCols_, kColumnWidth);
    empty_ = false;
}

void TBgtScreen::WriteMarketProjects(int market, int origin) {
    TQNTable& table = *table_;
    const std::size_t m = static_cast<std::size_t>(market);
    const int c = 2 * market - 1;
    const int totalRow = origin + kTitleRows + kBodyRows;
    table.SetTextAcross(origin, c, c + 1, FormatValue(GetMiscText(4)));
    table.SetCellText(origin + 1, c, GetLine(4));
    table.SetCellText(origin + 1, c + 1, GetLine(5));
    for (int project = 1; project <= budget_->NbProjects[m]; ++project) {
        const int row = origin + kTitleRows + project - 1;
        table.SetCellText(row, c, budget_->ProjectNames[m][static_cast<std::size_t>(project)]);
        table.SetCellNumber(row, c + 1, budget_->ProjectCosts[m][static_cast<std::size_t>(project)] / 1000);
    }
    table.SetCellText(totalRow, c, UpperCaseAccented(GetMiscText(1)));
    table.SetCellNumber(totalRow, c + 1, budget_->ProjectCosts[m][0] / 1000);
    SetBold(totalRow, 1, bodyCols_);
    table.SetRangeBorderRight(origin + 1, c, totalRow, c, 1, 0);
    if (market < MarketCount()) table.SetRangeBorderRight(origin, c + 1, totalRow, c + 1, 1, 0);
}

}  // namespace cv
