// The segment-size screen of the marketing plan: each segment's size last
// period beside the planned size (thousands of units) and the growth.
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"
#include "decisions/plan/mkt_plan_screen.h"
#include "ui/report/table_number_formats.h"

namespace cv {

namespace {
// Screen columns: label, last period, plan, growth.
constexpr int kLabelColumn = 1;
constexpr int kLastColumn = 4;
constexpr int kPlanColumn = 6;
constexpr int kGrowthColumn = 7;
constexpr int kColumnWidth = 12;
constexpr double kThousand = 1000;
constexpr char kNoGrowth[] = "-";

}  // namespace

void TMktPlanScr::BuildSegmentSizes() {
    StartTable("MktPlanSegSizes", 1, 2);
    if (nbMktedBrds_ == 0) return BuildNoBrands();
    TQNTable& table = *table_;
    table.DefineTable({.titleRows = 2,
                       .bodyRows = nbSegments_,
                       .totalRows = 1,
                       .headingCols = 2,
                       .bodyCols = 5,
                       .minBodyRows = nbSegments_});
    const int r0 = FirstRow();
    table.SetTextAcross(r0, Column(3), Column(kGrowthColumn), Replaced(GetLine(4), "@KU", GetUnitsText(7)));
    table.SetCellText(r0 + 1, Column(kLabelColumn), GetLine(3));
    table.SetCellText(r0 + 1, Column(kLastColumn), FormatValue(GetLine(5)));
    table.SetCellText(r0 + 1, Column(kPlanColumn), FormatValue(GetLine(6)));
    table.SetCellText(r0 + 1, Column(kGrowthColumn), GetMiscText(3));
    for (int s = 1; s <= nbSegments_; ++s) WriteSegmentRow(s, r0 + 1 + s);

    const int footer = r0 + 2 + nbSegments_;
    const int first = r0 + 2, last = r0 + 1 + nbSegments_;
    table.SetCellText(footer, Column(kLabelColumn), FormatValue(GetLine(7)));
    for (int column : {kLastColumn, kPlanColumn})
        table.SetCellFormula(footer, Column(column),
                             "SUM(" + TQNTable::RangeRef(0, 0, first, Column(column), last, Column(column)) + ")");
    if (table.CellNumber(footer, Column(kLastColumn)) != 0)
        table.SetCellFormula(footer, Column(kGrowthColumn),
                             "(" + TQNTable::RangeRef(0, 0, footer, Column(kPlanColumn), footer, Column(kPlanColumn)) +
                                 "/" +
                                 TQNTable::RangeRef(0, 0, footer, Column(kLastColumn), footer, Column(kLastColumn)) +
                                 "-1) * 100");
    else
        table.SetCellText(footer, Column(kGrowthColumn), kNoGrowth);
    table.SetRangeFormat(first, Column(kGrowthColumn), last, Column(kGrowthColumn),
                         TNumberFormat::SignedPercentFigureColoured);
    table.SetRangeFormat(footer, Column(kGrowthColumn), footer, Column(kGrowthColumn),
                         TNumberFormat::SignedPercentFigure);
    table.SetRangeFormat(first, Column(kPlanColumn), last, Column(kPlanColumn), TNumberFormat::WholeColoured);
    table.SetRangeFormat(footer, Column(kLastColumn), footer, Column(kPlanColumn), TNumberFormat::Whole);
    table.SetColumnWidthRange(Column(1), Column(kGrowthColumn), kColumnWidth);
    Present();
    SetEditingOptions();
    Unlock(first, Column(kPlanColumn), last, Column(kGrowthColumn));
    OpenInput({first, Column(kPlanColumn), last, Column(kGrowthColumn)}, first, Column(kPlanColumn));
}

void TMktPlanScr::WriteSegmentRow(int segment, int row) {
    TQNTable& table = *table_;
    const int element = segments_->Lo() + segment - 1;
    const double last = static_cast<double>(RoundHalfEven(LastSegmentSales(0, element) / kThousand));
    const double planned = segSalesPlan_[static_cast<std::size_t>(segment)];
    const double plan = static_cast<double>(RoundHalfEven(planned / kThousand));
    const std::string segmentLabel = Industry().SegmentLabel(context_.SelFta, context_.SelMarket, element);
    table.SetCellText(row, Column(kLabelColumn), Replaced(GetLine(8), "@SEG", segmentLabel));
    table.SetCellNumber(row, Column(kLastColumn), last);
    table.SetCellNumber(row, Column(kPlanColumn), plan);
    if (last != 0)
        table.SetCellNumber(row, Column(kGrowthColumn), (plan / last - 1) * 100);
    else
        table.SetCellText(row, Column(kGrowthColumn), kNoGrowth);
}

void TMktPlanScr::CheckSegmentCell() {
    TQNTable& table = *table_;
    const int row = curRow_;
    if (row < input_.row1 || row > input_.row2) return FinishCheck();
    const double last = table.CellNumber(row, Column(kLastColumn));
    const double plan = table.CellNumber(row, Column(kPlanColumn));
    if (curCol_ == Column(kPlanColumn)) {
        const TSegmentCells cells = CheckSegmentPlan(last, plan);
        if (cells.beep) Beep();
        if (cells.plan != plan) table.SetCellNumber(row, Column(kPlanColumn), cells.plan);
        if (!cells.growth)
            table.SetCellText(row, Column(kGrowthColumn), kNoGrowth);
        else if (table.Sheet().Model().IsEmpty(row, Column(kGrowthColumn)) ||
                 table.CellText(row, Column(kGrowthColumn)) == kNoGrowth ||
                 table.CellNumber(row, Column(kGrowthColumn)) != *cells.growth)
            table.SetCellNumber(row, Column(kGrowthColumn), *cells.growth);
    } else {
        const TSegmentCells cells = CheckSegmentGrowth(last, plan, table.CellNumber(row, Column(kGrowthColumn)));
        if (cells.plan != plan) {
            if (cells.beep) {
                Beep();
                table.SetCellNumber(row, Column(kGrowthColumn), *cells.growth);
            }
            table.SetCellNumber(row, Column(kPlanColumn), cells.plan);
        }
    }
    FinishCheck();
}

void TMktPlanScr::StoreSegmentSizes() {
    CheckSegmentCell();
    TSimArr& plan = SegmentPlan();
    for (int s = 1; s <= nbSegments_; ++s) {
        const int element = segments_->Lo() + s - 1;
        const int row = FirstRow() + 1 + s;
        if (InBounds(&plan, {element}) && Changed(row, Column(kPlanColumn)))
            plan.SetReal48({element}, table_->CellNumber(row, Column(kPlanColumn)) * kThousand);
    }
}

void TMktPlanScr::SameLastPeriodSizes() {
    for (int s = 1; s <= nbSegments_; ++s) {
        const int row = FirstRow() + 1 + s;
        table_->SetCellNumber(row, Column(kPlanColumn), table_->CellNumber(row, Column(kLastColumn)));
        CheckCellAt(row, Column(kPlanColumn));
    }
}

// The sizes the market-forecast study expects one period ahead, in whole
// thousands as every planned size.
void TMktPlanScr::BBSameMktForeCastClick() {
    if (!table_ || empty_ || kind_ != TPlanScreenKind::SegmentSizes) return;
    table_->Sheet().CommitEdit();
    const TSimArr* orders = CurDecs().FindSimArr(kCategoryFirmFtaMarket, context_, "DecStuMkt");
    if (ElementNumber(orders, {si::MarketForecast}) == 0) {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "NoMarketForecast", {0}, TAlignment::taCenter);
        return;
    }
    const TSimArr* sizes = ResultsArray("SegSizes");
    for (int s = 1; s <= nbSegments_; ++s) {
        const int row = FirstRow() + 1 + s;
        table_->SetCellNumber(row, Column(kPlanColumn),
                              static_cast<double>(RoundHalfEven(
                                  ElementNumber(sizes, {segments_->Lo() + s - 1, si::StuSizeP1}) / kThousand)));
        CheckCellAt(row, Column(kPlanColumn));
    }
    TakeFilledCells();
}

}  // namespace cv
