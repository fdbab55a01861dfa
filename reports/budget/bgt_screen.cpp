#include "reports/budget/bgt_screen.h"

#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "reports/screen/firm_values.h"
#include "ui/sheet/cell_format.h"

namespace cv {
namespace {

constexpr char kUnknownKindText[] = "Unknown budget screen ";
constexpr int kOneMarketNoteWidth = 40;

}  // namespace

TBgtScreen::TBgtScreen(QWidget* owner, const TDataContext& context, int kind, const TScreenLayout& layout)
    : TResult(owner, context, layout), kind_(kind) {}

void TBgtScreen::Build(const TDataContext& context) {
    TCVScreen::Build(context);
    TCvInd* industry = Industry();
    if (!industry || !industry->Budget()) return;
    TFtaBudget& budget = *industry->Budget();
    budget.Init(*industry, context_);
    budget.Recalculate();
    budget_ = &budget;
    switch (kind_) {
    case kTotalBudget: BuildTotalBudget(); break;
    case kBrandBudget: BuildBrandBudget(); break;
    case kRnDBudget: BuildRnDBudget(); break;
    default: ReportUnknownKind(kUnknownKindText, kind_); return;
    }
    Present();
}

void TBgtScreen::WriteRow(std::optional<double> value, bool bottomBorder, bool bold) {
    TQNTable& table = *table_;
    const int r = row_++;
    const int lastColumn = headingCols_ + bodyCols_;
    if (firstColumn_) {
        if (value)
            table.SetCellFormula(r, headingCols_,
                                 "SUM(" + TQNTable::RangeRef(0, 0, r, headingCols_ + 1, r, lastColumn) + ")");
        if (bottomBorder) table.SetRangeBorderBottom(r, 1, r, lastColumn, 1, 0);
        if (bold) SetBold(r, 1, lastColumn);
    }
    if (!value) return;
    table.SetCellText(r, headingCols_ - 1, GetUnitsText(kThousandsLine));
    table.SetCellNumber(r, column_, *value / 1000);
}

void TBgtScreen::WriteBudgetNote(int row, int lineNo) {
    TQNTable& table = *table_;
    const int first = headingCols_ + 1, last = headingCols_ + bodyCols_;
    if (!IsDocument()) {
        table.SetRangeFont(row, headingCols_, row, last, -1, 1, -1, -1, -1);
        table.SetRangeFontColor(row, headingCols_, row, last, kRed);
    }
    table.SetTextAcross(row, first, last, GetLine(lineNo));
    if (MarketCount() == 1) table.SetColumnWidths({last}, {kOneMarketNoteWidth});
}

}  // namespace cv
