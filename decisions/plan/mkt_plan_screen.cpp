// The marketing-plan screen's common steps: the sets it reads, the table it
// builds on, the open cells, the selection, storing and the accept checks.
#include "decisions/plan/mkt_plan_screen.h"

#include <QApplication>
#include <algorithm>

#include "core/base/errors.h"
#include "core/base/ui_services.h"
#include "core/language/language_file.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"
#include "ui/sheet/qn_sheet.h"
#include "ui/sheet/table_units.h"

namespace cv {

namespace {
constexpr TTableType kWindowTableType = TTableType::FilledHeadings;
constexpr char kNoBrandsKey[] = "NoMktedBrds";
constexpr int kNoBrandsColumns = 10;
constexpr int kSmallScreenColumnWidth = 10;
constexpr int kSmallScreenClass = 1;
// The screens have room for this many segments and channels.
constexpr int kMaxSegments = 5;
constexpr int kMaxChannels = 3;
}  // namespace

TMktPlanScr::TMktPlanScr(QWidget* owner, const TDataContext& context, int kind, int unitMode,
                         const TScreenLayout& layout)
    : TCVScreen(owner, context, layout),
      kind_(static_cast<TPlanScreenKind>(kind)),
      unitMode_(unitMode == static_cast<int>(TShareUnit::Percent) ? TShareUnit::Percent : TShareUnit::Units) {}

TMktPlanScr::~TMktPlanScr() {
    // A screen freed without an industry (closed under it) has nowhere to store.
    if (table_ && Session && Session->Industry()) {
        try {
            StoreScreen();
        } catch (const ECvError& error) {
            Ui().ShowErrorBox(error.what());
        }
    }
    if (table_) table_->Sheet().Model().RemoveSelectionListener(listener_);
}

// ---- Sets, fetched by period at each use ----

TCvInd& TMktPlanScr::Industry() const {
    if (!Session || !Session->Industry()) throw ECvError("[TMktPlanScr] No industry is open");
    return *Session->Industry();
}

TCvPerData& TMktPlanScr::NewDecs() const { return Industry().PerDecisions(context_.DecPeriod); }
TCvPerData& TMktPlanScr::CurDecs() const { return Industry().PerDecisions(context_.DecPeriod - 1); }
TCvPerData& TMktPlanScr::ScreenResults() const { return Industry().PerResults(context_.CurPeriod); }
TCvPerData& TMktPlanScr::CurResults() const { return Industry().PerResults(context_.DecPeriod - 1); }

TSimArr& TMktPlanScr::PlanArray(std::string_view name, bool perBrand, const TSeries* columns) const {
    TCvPerData& decisions = NewDecs();
    if (TSimArr* array = decisions.FindSimArr(kCategoryFirmFtaMarket, context_, name)) return *array;
    if (!columns || (perBrand && !si::FirBrand))
        throw ECvError("[TMktPlanScr] No series for " + std::string(name));
    if (perBrand)
        return decisions.CreateSimArr(kCategoryFirmFtaMarket, context_, name, dkReal48, 0, {si::FirBrand, columns});
    return decisions.CreateSimArr(kCategoryFirmFtaMarket, context_, name, dkReal48, 0, {columns});
}

const TSimArr* TMktPlanScr::ResultsArray(std::string_view name) const {
    return ScreenResults().FindSimArr(kCategoryFtaMarket, context_, name);
}

std::string TMktPlanScr::BrandName(int brand) const {
    return ElementText(NewDecs().FindSimArr(kCategoryFirmFtaMarket, context_, "DecBrdPort"), {brand, si::BrdName});
}

int TMktPlanScr::LastPeriodIndex(const std::string& name) const {
    const TSimArr* names = ResultsArray("BrdNames");
    if (!names || name.empty()) return 0;
    for (int k = names->LB(1); k <= names->UB(1); ++k)
        if (SameTextAscii(ElementText(names, {k}), name)) return k;
    return 0;
}

double TMktPlanScr::LastSegmentSales(int k, int segment) const {
    const TSimArr* sales = ResultsArray("BrdUSales");
    double sum = 0;
    if (!sales || !channels_) return sum;
    const int first = k > 0 ? k : sales->LB(1), last = k > 0 ? k : sales->UB(1);
    for (int brand = first; brand <= last; ++brand)
        for (int c = channels_->Lo(); c <= channels_->Hi(); ++c) sum += ElementNumber(sales, {brand, segment, c});
    return sum;
}

double TMktPlanScr::LastChannelSales(int k, int channel) const {
    const TSimArr* sales = ResultsArray("BrdUSales");
    double sum = 0;
    if (!sales || !segments_) return sum;
    for (int s = segments_->Lo(); s <= segments_->Hi(); ++s) sum += ElementNumber(sales, {k, s, channel});
    return sum;
}

void TMktPlanScr::ReadPlan() {
    TCvInd& industry = Industry();
    segments_ = industry.GetCellSeries("SegSeries", context_);
    channels_ = industry.GetCellSeries("ChaSeries", context_);
    nbSegments_ = segments_ ? std::min<int>(segments_->Count(), kMaxSegments) : 0;
    nbChannels_ = channels_ ? std::min<int>(channels_->Count(), kMaxChannels) : 0;
    nbMktedBrds_ = NewDecs().GetSmallintDef(kCategoryFirmFtaMarket, context_, "NbMktedBrds", 0);
    const TSimArr* plan = NewDecs().FindSimArr(kCategoryFirmFtaMarket, context_, "MPSegSales");
    segSalesPlan_.fill(0);
    for (int s = 1; s <= nbSegments_; ++s) {
        segSalesPlan_[static_cast<std::size_t>(s)] = ElementNumber(plan, {segments_->Lo() + s - 1});
        segSalesPlan_[0] += segSalesPlan_[static_cast<std::size_t>(s)];
    }
}

// ---- Building ----

std::string TMktPlanScr::Replaced(std::string text, std::string_view token, const std::string& value) {
    const std::size_t at = text.find(token);
    if (at != std::string::npos) text.replace(at, token.size(), value);
    return text;
}

void TMktPlanScr::Build(const TDataContext& context) {
    if (table_) {
        StoreScreen();
        table_->Sheet().Model().RemoveSelectionListener(listener_);
        table_.reset();
    }
    TCVScreen::Build(context);
    ReadPlan();
    rowKinds_.clear();
    input_ = {};
    switch (kind_) {
        case TPlanScreenKind::SegmentSizes: BuildSegmentSizes(); break;
        case TPlanScreenKind::BrandShares: unitMode_ = TShareUnit::Percent; BuildBrandShares(); break;
        case TPlanScreenKind::BrandSales: unitMode_ = TShareUnit::Units; BuildBrandShares(); break;
        case TPlanScreenKind::ChannelSales: BuildChannelSales(); break;
    }
    if (table_ && !IsDocument()) table_->Sheet().setFocus(Qt::OtherFocusReason);
}

int TMktPlanScr::Column(int column) const { return (table_ ? table_->OriginCol() : 1) + column - 1; }
int TMktPlanScr::FirstRow() const { return table_ ? table_->OriginRow() : 1; }

void TMktPlanScr::StartTable(const std::string& key, int titleLine, int noteLine) {
    LoadLines(kSectionDecs, key);
    TQNTable& table = EnsureTable(kWindowTableType, key);
    FillTable(table, {titleLine}, {noteLine}, 0, 0, 0, -1);
}

void TMktPlanScr::SetEditingOptions() {
    TQNSheet& sheet = table_->Sheet();
    sheet.AllowArrows = sheet.AllowTabs = sheet.AllowInCellEditing = true;
    sheet.AllowSelections = sheet.EnterMovesDown = true;
    sheet.ShowSelections = true;
    sheet.setFocusPolicy(Qt::StrongFocus);
}

void TMktPlanScr::Unlock(int row1, int column1, int row2, int column2) {
    table_->Sheet().Model().FormatRange(row1, column1, row2, column2, [](TCellFormat& format) {
        format.locked = false;
        format.hidden = false;
    });
}

void TMktPlanScr::OpenInput(const TInputBlock& block, int firstRow, int firstColumn) {
    input_ = block;
    TSheetModel& model = table_->Sheet().Model();
    model.SetProtectionEnabled(true);
    model.SetActiveCell(firstRow, firstColumn);
    built_.clear();
    for (int row = block.row1; row <= block.row2; ++row)
        for (int column = block.column1; column <= block.column2; ++column)
            built_[{row, column}] = table_->CellNumber(row, column);
    // A cell typed into is stored, even with the figure it showed.
    table_->Sheet().OnCellTyped = [this](int row, int column) { built_.erase({row, column}); };
    curRow_ = firstRow;
    curCol_ = firstColumn;
    listener_ = model.AddSelectionListener([this] { SelChange(); });
}

bool TMktPlanScr::Changed(int row, int column) const {
    const auto built = built_.find({row, column});
    return built == built_.end() || table_->CellNumber(row, column) != built->second;
}

// A market where the firm markets nothing: one line saying so, nothing open.
void TMktPlanScr::BuildNoBrands() {
    table_.reset();
    const std::vector<std::string> captionLines = lines_;
    LoadLines(kSectionDecs, kNoBrandsKey);
    const std::string text = FormatValue(GetLine(1));
    const std::vector<std::string> noBrandLines = lines_;
    lines_ = captionLines;
    TQNTable& table = EnsureTable(kWindowTableType, kNoBrandsKey);
    const int titleLine = kind_ == TPlanScreenKind::BrandSales ? 2 : 1;
    const bool brandSales = kind_ == TPlanScreenKind::BrandShares || kind_ == TPlanScreenKind::BrandSales;
    FillTable(table, {titleLine}, {brandSales ? 3 : 2}, 0, 0, 0, -1);
    lines_ = noBrandLines;
    table.DefineTable({.titleRows = 1, .bodyCols = kNoBrandsColumns});
    const int row = table.OriginRow();
    table.SetTextAcross(row, Column(1), Column(kNoBrandsColumns), text);
    table.SetRangeFont(row, Column(1), row, Column(kNoBrandsColumns), -1, 1, -1, -1, -1);
    if (ScreenClass() == kSmallScreenClass)
        table.SetColumnWidthRange(Column(1), Column(kNoBrandsColumns), kSmallScreenColumnWidth);
    empty_ = true;
    Present();
}

// ---- Selection and cell checks ----

void TMktPlanScr::SelChange() {
    if (checking_ || !table_) return;
    checking_ = true;
    TSheetModel& model = table_->Sheet().Model();
    const TSheetSelection& selection = model.Selection();
    const int row = std::clamp(selection.activeRow, input_.row1, input_.row2);
    const int column = std::clamp(selection.activeColumn, input_.column1, input_.column2);
    model.SetActiveCell(row, column);
    CheckCurrentCell();
    checking_ = false;
}

void TMktPlanScr::CheckCurrentCell() {
    if (empty_ || !table_) return;
    switch (kind_) {
        case TPlanScreenKind::SegmentSizes: CheckSegmentCell(); break;
        case TPlanScreenKind::BrandShares:
        case TPlanScreenKind::BrandSales: CheckShareCell(); break;
        case TPlanScreenKind::ChannelSales: CheckChannelCell(); break;
    }
}

void TMktPlanScr::CheckCellAt(int row, int column) {
    const bool wasChecking = checking_;
    checking_ = true;
    table_->Sheet().Model().SetActiveCell(row, column);
    curRow_ = row;
    curCol_ = column;
    CheckCurrentCell();
    checking_ = wasChecking;
}

// Every check ends here: the cell checked next is the active one.
void TMktPlanScr::FinishCheck() {
    const TSheetSelection& selection = table_->Sheet().Model().Selection();
    curRow_ = selection.activeRow;
    curCol_ = selection.activeColumn;
    if (!IsDocument()) table_->Sheet().setFocus(Qt::OtherFocusReason);
}

void TMktPlanScr::Beep() const {
    if (OnBeep) OnBeep();
    else QApplication::beep();
}

// ---- Storing and accepting ----

void TMktPlanScr::StoreScreen() {
    if (!table_ || empty_ || nbMktedBrds_ <= 0) return;
    const bool wasChecking = checking_;
    checking_ = true;  // the edit written below moves no selection
    table_->Sheet().CommitEdit();
    checking_ = wasChecking;
    switch (kind_) {
        case TPlanScreenKind::SegmentSizes: StoreSegmentSizes(); break;
        case TPlanScreenKind::BrandShares:
        case TPlanScreenKind::BrandSales: StoreBrandShares(); break;
        case TPlanScreenKind::ChannelSales: StoreChannelSales(); break;
    }
}

void TMktPlanScr::BBSameLastPerClick() {
    if (!table_ || empty_) return;
    table_->Sheet().CommitEdit();
    switch (kind_) {
        case TPlanScreenKind::SegmentSizes: SameLastPeriodSizes(); break;
        case TPlanScreenKind::BrandShares:
        case TPlanScreenKind::BrandSales: SameLastPeriodShares(); break;
        case TPlanScreenKind::ChannelSales: SameLastPeriodChannels(); break;
    }
    TakeFilledCells();
}

// The buttons write cells without the user moving through them: the sheet is
// painted again at once, or it would go on showing the old figures. The
// figures filled are the team's choice, each stored as a typed one is, even
// where it shows what the cell showed before.
void TMktPlanScr::TakeFilledCells() {
    built_.clear();
    table_->Sheet().update();
}

void TMktPlanScr::ShowRefusal(const char* key) const {
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, key, {1}, TAlignment::taCenter);
}

bool TMktPlanScr::AcceptSegmentSizes() {
    if (!table_ || empty_) return true;
    table_->Sheet().CommitEdit();
    CheckSegmentCell();
    for (int s = 1; s <= nbSegments_; ++s)
        if (table_->CellNumber(FirstRow() + 1 + s, Column(6)) == 0) {
            ShowRefusal("MktPlanSegSizes");
            return false;
        }
    return true;
}

bool TMktPlanScr::AcceptChannelSales() {
    if (!table_ || empty_) return true;
    table_->Sheet().CommitEdit();
    CheckChannelCell();
    for (int b = 1; b <= nbMktedBrds_; ++b)
        if (!ChannelSplitComplete(table_->CellNumber(FirstRow() + 2 + nbChannels_, Column(3 + b)))) {
            ShowRefusal("MktPlanBrdChaSales");
            return false;
        }
    return true;
}

}  // namespace cv
