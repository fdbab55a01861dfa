// The channel screen of the marketing plan: each brand's sales split over the
// channels in percent, its total, and the margin the split earns on average.
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"
#include "decisions/plan/mkt_plan_screen.h"
#include "ui/report/table_number_formats.h"

namespace cv {

namespace {
constexpr int kLabelColumn = 1;
constexpr int kMarginColumn = 3;
constexpr int kBrandColumns = 5;
constexpr int kLastColumn = kMarginColumn + kBrandColumns;
constexpr int kColumnWidth = 12;
constexpr int kThinLine = 1;
// Channel shares are stored in percent x 1000, margins and habits in thousandths.
constexpr double kStoredScale = 1000;
}  // namespace

void TMktPlanScr::BuildChannelSales() {
    StartTable("MktPlanBrdChaSales", 1, 2);
    if (nbMktedBrds_ == 0) return BuildNoBrands();
    TQNTable& table = *table_;
    table.DefineTable({.titleRows = 2,
                       .bodyRows = 4,
                       .totalRows = 1,
                       .headingCols = 3,
                       .bodyCols = kBrandColumns,
                       .minBodyCols = kBrandColumns});
    const int r0 = FirstRow();
    const int footer = r0 + 6;
    table.SetCellText(r0, Column(kLabelColumn), GetLine(3));
    table.SetTextAcross(r0, Column(kMarginColumn + 1), Column(kLastColumn),
                        Replaced(GetLine(4), "@%U", GetUnitsText(4)));
    table.SetCellText(r0, Column(kMarginColumn), GetLine(6));
    table.SetRangeBorderBottom(r0, Column(kMarginColumn + 1), r0, Column(kLastColumn), kThinLine, 0);
    const TSimArr* channelResults = CurResults().FindSimArr(kCategoryFta, context_, "XFXRes");
    for (int c = 1; c <= nbChannels_; ++c) {
        const int element = channels_->Lo() + c - 1;
        table.SetCellText(r0 + 1 + c, Column(kLabelColumn),
                          Replaced(GetLine(7), "@CHA", Industry().ChannelLabel(context_.SelFta, element)));
        table.SetCellNumber(r0 + 1 + c, Column(kMarginColumn),
                            ElementNumber(channelResults, {element, si::Margin}) / kStoredScale);
        table.SetRangeFormat(r0 + 1 + c, Column(kMarginColumn), r0 + 1 + c, Column(kMarginColumn),
                             TNumberFormat::Percent);
    }
    table.SetCellText(footer, Column(kLabelColumn), GetLine(5));
    for (int b = 1; b <= nbMktedBrds_; ++b) WriteChannelColumn(b);
    table.SetRangeFormat(r0 + 2, Column(kMarginColumn + 1), r0 + 4, Column(kLastColumn),
                         TNumberFormat::PercentFigureColoured);
    table.SetRangeFormat(r0 + 5, Column(kMarginColumn), footer, Column(kLastColumn), TNumberFormat::PercentFigure);
    table.SetColumnWidthRange(Column(1), Column(kLastColumn), kColumnWidth);
    Present();
    SetEditingOptions();
    const int lastBrand = Column(kMarginColumn + nbMktedBrds_);
    Unlock(r0 + 2, Column(kMarginColumn + 1), r0 + 1 + nbChannels_, lastBrand);
    OpenInput({r0 + 2, Column(kMarginColumn + 1), r0 + 1 + nbChannels_, lastBrand}, r0 + 2,
              Column(kMarginColumn + 1));
}

void TMktPlanScr::WriteChannelColumn(int brand) {
    TQNTable& table = *table_;
    const int r0 = FirstRow();
    const int column = Column(kMarginColumn + brand);
    table.SetCellText(r0 + 1, column, BrandName(brand));
    const TSimArr* shares = NewDecs().FindSimArr(kCategoryFirmFtaMarket, context_, "MPBrdChaSales");
    std::string margin;
    for (int c = 1; c <= nbChannels_; ++c) {
        const int row = r0 + 1 + c;
        table.SetCellNumber(row, column, ElementNumber(shares, {brand, channels_->Lo() + c - 1}) / kStoredScale);
        if (!margin.empty()) margin += " + ";
        margin += TQNTable::RangeRef(0, 0, row, column, row, column) + "*" +
                  TQNTable::RangeRef(0, 0, row, Column(kMarginColumn), row, Column(kMarginColumn));
    }
    table.SetCellFormula(r0 + 2 + nbChannels_, column,
                         "SUM(" + TQNTable::RangeRef(0, 0, r0 + 2, column, r0 + 1 + nbChannels_, column) + ")");
    table.SetCellFormula(r0 + 6, column, margin);
}

void TMktPlanScr::CheckChannelCell() {
    const int row = curRow_, column = curCol_;
    if (row >= input_.row1 && row <= input_.row2 && column >= input_.column1 && column <= input_.column2) {
        const TChannelCell cell = CheckChannelShare(table_->CellNumber(row, column));
        if (cell.beep) {
            Beep();
            table_->SetCellNumber(row, column, cell.share);
        }
    }
    FinishCheck();
}

void TMktPlanScr::StoreChannelSales() {
    CheckChannelCell();
    TSimArr& shares = ChannelPlan();
    for (int b = 1; b <= nbMktedBrds_; ++b)
        for (int c = 1; c <= nbChannels_; ++c) {
            const int element = channels_->Lo() + c - 1;
            const int row = FirstRow() + 1 + c, column = Column(kMarginColumn + b);
            if (InBounds(&shares, {b, element}) && Changed(row, column))
                shares.SetReal48({b, element}, table_->CellNumber(row, column) * kStoredScale);
        }
}

void TMktPlanScr::FillChannelColumn(int brand, const std::vector<double>& shares) {
    for (std::size_t c = 0; c < shares.size(); ++c)
        table_->SetCellNumber(FirstRow() + 2 + static_cast<int>(c), Column(kMarginColumn + brand), shares[c]);
}

// Each brand's split as it sold last period; a new brand sells all in the last channel.
void TMktPlanScr::SameLastPeriodChannels() {
    for (int b = 1; b <= nbMktedBrds_; ++b) {
        const int k = LastPeriodIndex(BrandName(b));
        std::vector<double> sales;
        for (int c = 1; c <= nbChannels_; ++c)
            sales.push_back(k > 0 ? LastChannelSales(k, channels_->Lo() + c - 1) : 0);
        FillChannelColumn(b, ChannelSplit(sales));
    }
}

// Each brand's planned segment sales spread over the channels as the
// shopping-habits study found the segments buy.
void TMktPlanScr::BBBrdSalesEstimClick() {
    if (!table_ || empty_ || kind_ != TPlanScreenKind::ChannelSales) return;
    table_->Sheet().CommitEdit();
    const TSimArr* habits = ScreenResults().FindSimArr(kCategoryFirmFtaMarket, context_, "MostRecentStuBH");
    double known = 0;
    const int firstChannel = channels_->Lo(), lastChannel = channels_->Lo() + nbChannels_ - 1;
    for (int s = segments_->Lo(); s < segments_->Lo() + nbSegments_; ++s)
        known += RowSum(habits, s, firstChannel, lastChannel);
    if (known == 0) {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "NeverShoppingHabits", {0}, TAlignment::taCenter);
        return;
    }
    const TSimArr* orders = CurDecs().FindSimArr(kCategoryFirmFtaMarket, context_, "DecStuMkt");
    if (ElementNumber(orders, {si::ConsumerSurvey}) == 0)
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "NoShoppingHabits", {0}, TAlignment::taCenter);
    const TSimArr* plans = NewDecs().FindSimArr(kCategoryFirmFtaMarket, context_, "MPBrdSegSales");
    for (int b = 1; b <= nbMktedBrds_; ++b) {
        std::vector<double> sales;
        for (int c = firstChannel; c <= lastChannel; ++c) {
            double channel = 0;
            for (int s = segments_->Lo(); s < segments_->Lo() + nbSegments_; ++s)
                channel += ElementNumber(habits, {s, c}) / kStoredScale * ElementNumber(plans, {b, s});
            sales.push_back(channel);
        }
        FillChannelColumn(b, ChannelSplit(sales));
    }
    TakeFilledCells();
}

}  // namespace cv
