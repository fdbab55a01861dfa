// The brand budget: the expenses of each brand of the context's market, item
// by item, with the firm's sums beside them.
#include "core/session/fta_budget.h"
#include "core/language/translator.h"
#include "reports/budget/bgt_screen.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr int kBodyRows = 7, kTotalRows = 1;
constexpr int kHeadingCols = 5, kBodyCols = kBudgetBrands;
constexpr int kUnitsCol = 4, kFirmCol = 5;
constexpr int kTotalLabelLine = 11;

}  // namespace

void TBgtScreen::BuildBrandBudget() {
    LoadLines(kSectionResults, "BudgetBrd");
    TQNTable& table = EnsureTable(TTableType::BandedColumns, "BudgetBrd");
    FillTable(table, {1}, {2}, 0, 0, IsDocument() ? 0 : 2, -1);
    headingCols_ = kHeadingCols;
    bodyCols_ = kBodyCols;
    table.DefineTable({.titleRows = 1, .bodyRows = kBodyRows, .totalRows = kTotalRows, .headingCols = kHeadingCols,
                       .bodyCols = kBodyCols});
    const int origin = table.OriginRow();
    table.SetCellText(origin, kUnitsCol, GetMiscText(2));
    table.SetCellText(origin, kFirmCol, GetMiscText(1));
    table.SetCellText(origin, 1, FormatValue(GetLine(3)));
    for (int k = 1; k <= kBodyRows; ++k) table.SetCellText(origin + k, 1, GetLine(3 + k));
    table.SetCellText(origin + kBodyRows + 1, 1, GetLine(kTotalLabelLine));
    // A context without a market of the zone shows no brands.
    const int market = context_.SelMarket;
    const int brands = market >= 1 && market <= kBudgetMarkets ? budget_->NbBrands[static_cast<std::size_t>(market)] : 0;
    for (int brand = 1; brand <= brands; ++brand) WriteBrandColumn(brand, origin);

    const int last = origin + kBodyRows + kTotalRows;
    SetUnitsAndTotalColumns(kUnitsCol, origin, last);
    table.SetRangeFormat(origin + 1, kFirmCol, last, kHeadingCols + kBodyCols, TNumberFormat::Whole);
    table.SetColumnWidths({3, 4}, {5, 5});
    empty_ = brands == 0;
}

void TBgtScreen::WriteBrandColumn(int brand, int origin) {
    const std::size_t m = static_cast<std::size_t>(context_.SelMarket), b = static_cast<std::size_t>(brand);
    const auto& costs = budget_->BrandCosts[m][b];
    column_ = kFirmCol + brand;
    firstColumn_ = brand == 1;
    table_->SetCellText(origin, column_, budget_->BrandNames[m][b]);
    row_ = origin + 1;
    WriteRow(std::nullopt, false, true);
    WriteRow(costs[bcAdvertOther], false, false);
    WriteRow(costs[bcAdvertQual], true, false);
    WriteRow(std::nullopt, false, true);
    WriteRow(costs[bcSlfSalaries], false, false);
    WriteRow(costs[bcSlfHiring], false, false);
    WriteRow(costs[bcSlfFiring], false, false);
    WriteRow(costs[0], false, true);
}

}  // namespace cv
