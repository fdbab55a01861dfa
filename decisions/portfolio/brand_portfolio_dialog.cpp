#include "decisions/portfolio/brand_portfolio_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/base/ui_services.h"
#include "core/language/language_file.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"
#include "decisions/dialogs/dialog_frame.h"
#include "decisions/portfolio/brand_naming_dialog.h"
#include "shell/dialog_help.h"
#include "ui/cp1252.h"

namespace cv {

namespace {

constexpr int kMarketedRows = 6;
constexpr int kWithdrawnRows = 5;
constexpr std::size_t kBrandNameLength = 32;
constexpr std::size_t kProjectNameLength = 16;
// Lines of "BrdPortfolio": the status texts.
constexpr int kLineWithdrawn = 1;
constexpr int kLineModified = 2;
constexpr int kLineKept = 3;
constexpr int kLineNew = 4;
// Line of "BFolioDecs": no prototype in the market.
constexpr int kLineNoPrototype = 1;
constexpr int kMargin = 12;

std::string DecsLine(const char* key, int line) {
    std::string text;
    if (Translator) Translator->DecsLine(key, line, text);
    return text;
}

template <typename Widget>
Widget* Named(QWidget* owner, const char* name) {
    auto* widget = new Widget(owner);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

TFoBFolio::TFoBFolio(QWidget* owner, TDataContext& callerContext) : TFoBrdDec(owner, callerContext) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoBFolio"));
    TxtWithdrawn = DecsLine("BrdPortfolio", kLineWithdrawn);
    TxtModified = DecsLine("BrdPortfolio", kLineModified);
    TxtKept = DecsLine("BrdPortfolio", kLineKept);
    TxtNew = DecsLine("BrdPortfolio", kLineNew);
    TCvInd& industry = SessionIndustry("TFoBFolio.Create");
    ProResults = &industry.PerResults(industry.CurPeriod());
    BuildControls();
    TranslateForm();
    LoadDecisions();
    setFixedSize(sizeHint());
    QApplication::restoreOverrideCursor();
}

void TFoBFolio::BuildControls() {
    SGMktBrd = new TPortfolioGrid(this, kMarketedRows);
    SGMktBrd->setObjectName(QStringLiteral("SGMktBrd"));
    SGDelBrd = new TPortfolioGrid(this, kWithdrawnRows);
    SGDelBrd->setObjectName(QStringLiteral("SGDelBrd"));
    LBrand = Named<QLabel>(this, "LBrand");
    LStatus = Named<QLabel>(this, "LStatus");
    LProject = Named<QLabel>(this, "LProject");
    LWithdrawnBrd = Named<QLabel>(this, "LWithdrawnBrd");
    BBIntro = Named<QPushButton>(this, "BBIntro");
    BBModif = Named<QPushButton>(this, "BBModif");
    BBWithDraw = Named<QPushButton>(this, "BBWithDraw");
    BBUndo = Named<QPushButton>(this, "BBUndo");
    BBOk = Named<QPushButton>(this, "BBOk");
    BBOk->setDefault(true);
    BBCancel = Named<QPushButton>(this, "BBCancel");

    auto* titles = new QHBoxLayout;
    titles->setSpacing(0);
    int column = 0;
    for (QLabel* title : {LBrand, LStatus, LProject}) {
        title->setFixedWidth(SGMktBrd->columnWidth(column++));
        titles->addWidget(title);
    }
    titles->addStretch();
    auto* grids = new QVBoxLayout;
    grids->addLayout(titles);
    grids->addWidget(SGMktBrd);
    grids->addSpacing(kMargin);
    grids->addWidget(LWithdrawnBrd);
    grids->addWidget(SGDelBrd);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {BBIntro, BBModif, BBWithDraw, BBUndo}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kMargin, kLentControlsTop, kMargin, kMargin);
    layout->setSpacing(kMargin);
    layout->addLayout(grids);
    layout->addLayout(buttons);

    connect(SGMktBrd, &TPortfolioGrid::BrandChosen, this, [this](const QString& name) {
        SGDelBrd->ClearSelection();
        BrdSelectCell(QStringToCp1252(name));
    });
    connect(SGDelBrd, &TPortfolioGrid::BrandChosen, this, [this](const QString& name) {
        SGMktBrd->ClearSelection();
        BrdSelectCell(QStringToCp1252(name));
    });
    connect(BBIntro, &QPushButton::clicked, this, &TFoBFolio::BBIntroClick);
    connect(BBModif, &QPushButton::clicked, this, &TFoBFolio::BBModifClick);
    connect(BBWithDraw, &QPushButton::clicked, this, &TFoBFolio::BBWithDrawClick);
    connect(BBUndo, &QPushButton::clicked, this, &TFoBFolio::BBUndoClick);
    connect(BBOk, &QPushButton::clicked, this, &TFoCv3Dec::OkClick);
    connect(BBCancel, &QPushButton::clicked, this, &TFoCv3Dec::CancelClick);
}

// A change of market stores the old market's portfolio first (the base's
// FollowSelection), so loading only binds and fills.
void TFoBFolio::LoadDecisions() {
    Context = *CallerContext;
    TFoBrdDec::LoadDecisions();
    PortLoaded = std::make_unique<TSimArr>();
    PortLoaded->Assign(*PortNew);
    NbPros = ProResults->GetSmallintDef(kCategoryFirmMarket, *CallerContext, "NbPros", 0);
    FillGrids();
    SelBrand_.clear();
    UpdateButtons();
}

// Current brands first, in their current order, then the new ones.
void TFoBFolio::FillGrids() {
    SGMktBrd->Empty();
    SGDelBrd->Empty();
    const auto name = [](const TSimArr* port, int row) { return ElementText(port, {row, si::BrdName}, kBrandNameLength); };
    const auto project = [](const TSimArr* port, int row) {
        return ElementText(port, {row, si::ProName}, kProjectNameLength);
    };
    for (int row = 1; row <= std::min(NbMktedBrdsCur, kMaxBrandRows); ++row) {
        const std::string brand = name(PortCur, row);
        if (IsWithdrawnBrand(brand)) {
            SGDelBrd->AddRow({brand, TxtWithdrawn, project(PortCur, row)});
            continue;
        }
        const int newRow = FindBrand(brand, PortNew);
        SGMktBrd->AddRow({brand, IsModifiedBrand(brand) ? TxtModified : TxtKept, project(PortNew, newRow)});
    }
    for (int row = 1; row <= std::min(NbMktedBrdsNew, kMaxBrandRows); ++row) {
        const std::string brand = name(PortNew, row);
        if (IsNewBrand(brand)) SGMktBrd->AddRow({brand, TxtNew, project(PortNew, row)});
    }
}

TBrandStatus TFoBFolio::StatusOf(const std::string& name) const {
    if (SGDelBrd->FindRow(name) >= 0) return TBrandStatus::Withdrawn;
    const int row = SGMktBrd->FindRow(name);
    if (row < 0) return TBrandStatus::None;
    const std::string status = SGMktBrd->Row(row).Status;
    if (SameTextAscii(status, TxtKept)) return TBrandStatus::Kept;
    if (SameTextAscii(status, TxtModified)) return TBrandStatus::Modified;
    if (SameTextAscii(status, TxtNew)) return TBrandStatus::New;
    return TBrandStatus::None;
}

void TFoBFolio::UpdateButtons() {
    const TBrandStatus selected = SelBrand_.empty() ? TBrandStatus::None : StatusOf(SelBrand_);
    const TPortfolioActions open = PortfolioActions(selected, NbMktedBrdsNew, NbBrdsAllMkts);
    BBIntro->setEnabled(open.Introduce);
    BBModif->setEnabled(open.Modify);
    BBWithDraw->setEnabled(open.Withdraw);
    BBUndo->setEnabled(open.Undo);
}

void TFoBFolio::Select(TPortfolioGrid& grid, const std::string& name) {
    (&grid == SGMktBrd ? SGDelBrd : SGMktBrd)->ClearSelection();
    grid.SelectRow(name);
    SelBrand_ = name.substr(0, kBrandNameLength);
}

bool TFoBFolio::NameBrand(std::string& brand, std::string& project) {
    if (NbPros < 1) {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "BFolioDecs", {kLineNoPrototype}, TAlignment::taCenter);
        return false;
    }
    TFoNewBrd naming(this, *CallerContext, brand, project, SGMktBrd->Names());
    if (ExecWithHelp(*this, naming, hcBrandPortfolio) != QDialog::Accepted) return false;
    brand = naming.BrandName();
    project = naming.ProjectName();
    return true;
}

void TFoBFolio::BBIntroClick() {
    std::string brand;
    std::string project;
    if (!NameBrand(brand, project)) return;
    SGMktBrd->AddRow({brand, TxtNew, project});
    Select(*SGMktBrd, brand);
    ++NbMktedBrdsNew;
    ++NbBrdsAllMkts;
    UpdateButtons();
}

// A brand that ends up on its current project again is kept, as it would
// show when the dialog is opened next.
void TFoBFolio::BBModifClick() {
    const int row = SGMktBrd->FindRow(SelBrand_);
    if (row < 0) return;
    const bool wasNew = StatusOf(SelBrand_) == TBrandStatus::New;
    std::string brand = SelBrand_;
    std::string project = SGMktBrd->Row(row).Project;
    if (!NameBrand(brand, project)) return;
    const std::string currentProject =
        ElementText(PortCur, {FindBrand(brand, PortCur), si::ProName}, kProjectNameLength);
    const std::string& status = wasNew ? TxtNew : SameTextAscii(project, currentProject) ? TxtKept : TxtModified;
    SGMktBrd->SetRowCells(SelBrand_, {brand, status, project});
    Select(*SGMktBrd, brand);
    UpdateButtons();
}

void TFoBFolio::BBWithDrawClick() {
    const int row = SGMktBrd->FindRow(SelBrand_);
    if (row < 0) return;
    const TGridRow cells = SGMktBrd->Row(row);
    SGMktBrd->ClearSelection();
    SGDelBrd->AddRow({cells.Name, TxtWithdrawn, cells.Project});
    Select(*SGDelBrd, cells.Name);
    SGMktBrd->DeleteRowByName(cells.Name);
    --NbMktedBrdsNew;
    --NbBrdsAllMkts;
    UpdateButtons();
}

void TFoBFolio::BBUndoClick() {
    const std::string name = SelBrand_;
    switch (StatusOf(name)) {
        case TBrandStatus::Withdrawn:
            SGMktBrd->AddRow({name, TxtKept, SGDelBrd->Row(SGDelBrd->FindRow(name)).Project});
            Select(*SGMktBrd, name);
            SGDelBrd->DeleteRowByName(name);
            ++NbMktedBrdsNew;
            ++NbBrdsAllMkts;
            break;
        case TBrandStatus::Modified:
            SGMktBrd->SetRowCells(name, {{}, TxtKept,
                                         ElementText(PortCur, {FindBrand(name, PortCur), si::ProName},
                                                     kProjectNameLength)});
            break;
        case TBrandStatus::New:
            SGMktBrd->DeleteRowByName(name);
            SGMktBrd->ClearSelection();
            SelBrand_.clear();
            --NbMktedBrdsNew;
            --NbBrdsAllMkts;
            break;
        case TBrandStatus::Kept:
        case TBrandStatus::None: break;
    }
    UpdateButtons();
}

void TFoBFolio::BrdSelectCell(const std::string& name) {
    SelBrand_ = name.substr(0, kBrandNameLength);
    UpdateButtons();
}

bool TFoBFolio::StoreDecisions() {
    SaveDecisions();
    return true;
}

}  // namespace cv
