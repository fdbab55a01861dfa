// The brand-sales screens of the marketing plan: per brand three rows (last
// period, plan, change) over the segments, in percent of each segment
// (kind 2) or in units (kind 3), and the brand's total in the last column.
#include "core/base/numbers.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "decisions/checks/guarded_elements.h"
#include "decisions/plan/mkt_plan_screen.h"
#include "ui/report/table_number_formats.h"

namespace cv {

namespace {
constexpr int kNameColumn = 1;
constexpr int kRowLabelColumn = 2;
constexpr int kFirstSegmentColumn = 3;
constexpr int kHeadingWidth = 10;
// The row labels name the periods in full, the total column's heading in two lines.
constexpr int kRowLabelWidth = 14;
constexpr int kFitToContents = -2;
constexpr int kSegmentWidth = 12;
constexpr int kThinLine = 1;
constexpr int kPlanRowKind = 1;
constexpr int kChangeRowKind = 2;
constexpr double kThousand = 1000;
constexpr double kWhole = 100;
}  // namespace

void TMktPlanScr::BuildBrandShares() {
    const bool percent = unitMode_ == TShareUnit::Percent;
    StartTable("MktPlanBrdShaSal", percent ? 1 : 2, 3);
    if (nbMktedBrds_ == 0) return BuildNoBrands();
    std::array<double, 6> lastSegments{};
    for (int s = 1; s <= nbSegments_; ++s) {
        lastSegments[static_cast<std::size_t>(s)] =
            RoundToStep(LastSegmentSales(0, segments_->Lo() + s - 1), kThousand);
        lastSegments[0] += lastSegments[static_cast<std::size_t>(s)];
    }
    TQNTable& table = *table_;
    table.DefineTable({.titleRows = 1,
                       .bodyRows = 3 * nbMktedBrds_,
                       .headingCols = 2,
                       .bodyCols = nbSegments_,
                       .totalCols = 2});
    const int r0 = FirstRow();
    const int total = nbSegments_ + 4;
    table.SetCellText(r0, Column(kNameColumn), GetLine(4));
    for (int s = 1; s <= nbSegments_; ++s)
        table.SetCellText(r0, Column(2 + s),
                          Industry().SegmentShortLabel(context_.SelFta, context_.SelMarket, segments_->Lo() + s - 1));
    table.SetCellText(r0, Column(total), GetLine(percent ? 9 : 5));
    rowKinds_.assign(static_cast<std::size_t>(3 * nbMktedBrds_ + 1), 0);
    for (int b = 1; b <= nbMktedBrds_; ++b) WriteBrandRows(b, lastSegments);

    const int lastSegment = Column(2 + nbSegments_);
    for (int b = 1; b <= nbMktedBrds_; ++b) {
        const int r = r0 + 3 * b - 2;
        const TNumberFormat formats[] = {percent ? TNumberFormat::PercentFigure : TNumberFormat::Whole,
                                         percent ? TNumberFormat::PercentFigureColoured : TNumberFormat::WholeColoured,
                                         percent ? TNumberFormat::SignedPercentFigureColoured
                                                 : TNumberFormat::SignedWholeColoured};
        for (int i = 0; i < 3; ++i)
            table.SetRangeFormat(r + i, Column(kFirstSegmentColumn), r + i, lastSegment, formats[i]);
        // The brand's total in units reads like its segments' figures; its
        // share of the market in percent is a plain figure, but for its
        // change, which is signed as the segments' changes are.
        const int firstTotal = Column(percent ? nbSegments_ + 3 : total);
        for (int i = 0; i < 3; ++i)
            table.SetRangeFormat(r + i, firstTotal, r + i, Column(total),
                                 percent && i < 2 ? TNumberFormat::PercentFigure : formats[i]);
        if (b > 1) table.SetRangeBorderTop(r, Column(1), r, Column(total), kThinLine, 0);
    }
    table.SetColumnWidthRange(Column(1), Column(1), kHeadingWidth);
    table.SetColumnWidthRange(Column(kRowLabelColumn), Column(kRowLabelColumn), kRowLabelWidth);
    table.SetRowHeights(r0, r0, kFitToContents);
    table.SetColumnWidthRange(Column(kFirstSegmentColumn), lastSegment, kSegmentWidth);
    table.SetColumnWidthRange(Column(nbSegments_ + 3), Column(nbSegments_ + 3), kHeadingWidth);
    table.SetColumnWidthRange(Column(total), Column(total), kRowLabelWidth);
    Present();
    SetEditingOptions();
    for (int b = 1; b <= nbMktedBrds_; ++b)
        Unlock(r0 + 3 * b - 1, Column(kFirstSegmentColumn), r0 + 3 * b, lastSegment);
    OpenInput({r0 + 1, Column(kFirstSegmentColumn), r0 + 3 * nbMktedBrds_, lastSegment}, r0 + 2,
              Column(kFirstSegmentColumn));
}

void TMktPlanScr::WriteBrandRows(int brand, const std::array<double, 6>& lastSegments) {
    TQNTable& table = *table_;
    const bool percent = unitMode_ == TShareUnit::Percent;
    const int r0 = FirstRow();
    const int r = r0 + 3 * brand - 2;
    const int total = nbSegments_ + 4;
    const std::string name = BrandName(brand);
    table.SetCellText(r + 1, Column(kNameColumn), name);
    table.SetCellText(r, Column(kRowLabelColumn), FormatValue(GetLine(6)));
    table.SetCellText(r + 1, Column(kRowLabelColumn), FormatValue(GetLine(7)));
    table.SetCellText(r + 2, Column(kRowLabelColumn), GetLine(8));
    const int k = LastPeriodIndex(name);
    const TSimArr* plans = NewDecs().FindSimArr(kCategoryFirmFtaMarket, context_, "MPBrdSegSales");
    double totalLast = 0, totalPlan = 0;
    for (int s = 1; s <= nbSegments_; ++s) {
        const int element = segments_->Lo() + s - 1;
        const double segmentPlan = segSalesPlan_[static_cast<std::size_t>(s)];
        const double lastSegment = lastSegments[static_cast<std::size_t>(s)];
        const double planPct = PlanPercent(ElementNumber(plans, {brand, element}), segmentPlan);
        const double planUnits = planPct * segmentPlan / kWhole;
        const double lastPct = PlanPercent(k > 0 ? LastSegmentSales(k, element) : 0, lastSegment);
        const double lastUnits = lastPct * lastSegment / kWhole;
        const double shown[] = {percent ? lastPct : lastUnits, percent ? planPct : planUnits};
        table.SetCellNumber(r, Column(2 + s), shown[0]);
        table.SetCellNumber(r + 1, Column(2 + s), shown[1]);
        table.SetCellNumber(r + 2, Column(2 + s), shown[1] - shown[0]);
        totalLast += lastUnits;
        totalPlan += planUnits;
    }
    const auto whole = [](double units) { return static_cast<double>(RoundHalfEven(units)); };
    table.SetCellNumber(r, Column(total), percent ? PlanPercent(totalLast, lastSegments[0]) : whole(totalLast));
    table.SetCellNumber(r + 1, Column(total), percent ? PlanPercent(totalPlan, segSalesPlan_[0]) : whole(totalPlan));
    table.SetCellFormula(r + 2, Column(total),
                         TQNTable::RangeRef(0, 0, r + 1, Column(total), r + 1, Column(total)) + "-" +
                             TQNTable::RangeRef(0, 0, r, Column(total), r, Column(total)));
    rowKinds_[static_cast<std::size_t>(r + 1 - r0)] = kPlanRowKind;
    rowKinds_[static_cast<std::size_t>(r + 2 - r0)] = kChangeRowKind;
}

void TMktPlanScr::CheckShareCell() {
    TQNTable& table = *table_;
    const int row = curRow_, column = curCol_;
    const int index = row - FirstRow();
    const int segment = column - Column(2);
    if (index < 0 || index >= static_cast<int>(rowKinds_.size()) || segment < 1 || segment > nbSegments_)
        return FinishCheck();
    const double ceiling = ShareCeiling(unitMode_, segSalesPlan_[static_cast<std::size_t>(segment)]);
    int planRow = 0;
    if (rowKinds_[static_cast<std::size_t>(index)] == kPlanRowKind) {
        const double plan = table.CellNumber(row, column);
        const TShareCells cells = CheckSharePlan(table.CellNumber(row - 1, column), plan, ceiling);
        if (cells.beep) {
            Beep();
            table.SetCellNumber(row, column, cells.plan);
        }
        if (table.CellNumber(row + 1, column) != cells.change) table.SetCellNumber(row + 1, column, cells.change);
        planRow = row;
    } else if (rowKinds_[static_cast<std::size_t>(index)] == kChangeRowKind) {
        const double plan = table.CellNumber(row - 1, column);
        const TShareCells cells =
            CheckShareChange(table.CellNumber(row - 2, column), plan, table.CellNumber(row, column), ceiling);
        if (cells.plan != plan) {
            if (cells.beep) {
                Beep();
                table.SetCellNumber(row, column, cells.change);
            }
            table.SetCellNumber(row - 1, column, cells.plan);
        }
        planRow = row - 1;
    }
    if (planRow > 0) WriteShareTotal(planRow);
    FinishCheck();
}

void TMktPlanScr::WriteShareTotal(int planRow) {
    TQNTable& table = *table_;
    const bool percent = unitMode_ == TShareUnit::Percent;
    double total = 0;
    for (int s = 1; s <= nbSegments_; ++s) {
        const double cell = table.CellNumber(planRow, Column(2 + s));
        total += percent ? segSalesPlan_[static_cast<std::size_t>(s)] * cell / kWhole : cell;
    }
    const double shown = percent ? PlanPercent(total, segSalesPlan_[0]) : static_cast<double>(RoundHalfEven(total));
    const int column = Column(nbSegments_ + 4);
    if (table.CellNumber(planRow, column) != shown) table.SetCellNumber(planRow, column, shown);
}

// Units from the plan rows: a share is taken of the planned segment size, so
// a later change of the sizes keeps the brand's units, not its share.
void TMktPlanScr::StoreBrandShares() {
    CheckShareCell();
    TSimArr& plans = BrandSegmentPlan();
    for (int b = 1; b <= nbMktedBrds_; ++b)
        for (int s = 1; s <= nbSegments_; ++s) {
            const int element = segments_->Lo() + s - 1;
            const int row = FirstRow() + 3 * b - 1;
            if (!InBounds(&plans, {b, element}) || !Changed(row, Column(2 + s))) continue;
            const double cell = table_->CellNumber(row, Column(2 + s));
            const double units =
                unitMode_ == TShareUnit::Percent ? segSalesPlan_[static_cast<std::size_t>(s)] * cell / kWhole : cell;
            plans.SetReal48({b, element}, units);
        }
}

void TMktPlanScr::SameLastPeriodShares() {
    for (int b = 1; b <= nbMktedBrds_; ++b)
        for (int s = 1; s <= nbSegments_; ++s) {
            const int planRow = FirstRow() + 3 * b - 1;
            table_->SetCellNumber(planRow, Column(2 + s), table_->CellNumber(planRow - 1, Column(2 + s)));
            CheckCellAt(planRow, Column(2 + s));
        }
}

}  // namespace cv
