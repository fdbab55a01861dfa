#include "decisions/portfolio/brand_naming_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "core/base/ui_services.h"
#include "core/language/language_file.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "decisions/checks/brand_names.h"
#include "decisions/dialogs/dialog_frame.h"
#include "decisions/dialogs/name_mask.h"
#include "decisions/portfolio/project_list_dialog.h"
#include "model/rnd/mod_rnd.h"
#include "ui/cp1252.h"

namespace cv {

namespace {

constexpr int kFreePositions = 2;
// Lines of "BFolioDecs": no prototype chosen, name not complete, name used.
constexpr int kLineNoPrototype = 2;
constexpr int kLineIncomplete = 3;
constexpr int kLineNameUsed = 4;
// Line of "BrdPortfolio": the caption when a brand is modified.
constexpr int kLineModifyCaption = 5;
constexpr int kListHeight = 110;
constexpr int kFieldWidth = 110;

QLabel* NewLabel(QWidget* owner, const char* name) {
    auto* label = new QLabel(owner);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton* NewButton(QWidget* owner, const char* name) {
    auto* button = new QPushButton(owner);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

TFoNewBrd::TFoNewBrd(QWidget* owner, TDataContext& callerContext, const std::string& brdName,
                     const std::string& projName, std::vector<std::string> pendingNames)
    : TQNForm(owner), CallerContext(&callerContext), RnDModel(std::make_unique<TModRnD>()), IsNew(brdName.empty()),
      PendingNames(std::move(pendingNames)), OldBrdName(brdName) {
    setObjectName(QStringLiteral("FoNewBrd"));
    BuildControls();
    TCvInd& industry = SessionIndustry("TFoNewBrd.Create");
    RnDModel->Init(industry, *CallerContext);
    LModifBrd->setVisible(!IsNew);
    LNewBrdName->setVisible(IsNew);
    MEProjName->setText(Cp1252ToQString(projName));
    if (IsNew) {
        const std::string marketLabel = industry.MarketLabel(CallerContext->SelMarket);
        SetNameMask(*MEBrdName, marketLabel.substr(0, 1) + industry.FirmLabel(CallerContext->SelFirm), kFreePositions);
    } else {
        // A modified brand keeps its name, which may predate the naming rule.
        MEBrdName->setText(Cp1252ToQString(brdName));
        MEBrdName->setEnabled(false);
    }
    FillPrototypes();
    TranslateForm();
    if (!IsNew && Translator) {
        std::string caption;
        Translator->DecsLine("BrdPortfolio", kLineModifyCaption, caption);
        setWindowTitle(Cp1252ToQString(caption));
    }
    setFixedSize(sizeHint());
}

TFoNewBrd::~TFoNewBrd() = default;

void TFoNewBrd::BuildControls() {
    LNewBrdName = NewLabel(this, "LNewBrdName");
    LModifBrd = NewLabel(this, "LModifBrd");
    MEBrdName = new QLineEdit(this);
    MEBrdName->setObjectName(QStringLiteral("MEBrdName"));
    MEBrdName->setFixedWidth(kFieldWidth);
    LExistProto = NewLabel(this, "LExistProto");
    LBExistProto = new QListWidget(this);
    LBExistProto->setObjectName(QStringLiteral("LBExistProto"));
    LBExistProto->setFixedSize(kFieldWidth, kListHeight);
    LBasedProto = NewLabel(this, "LBasedProto");
    // Filled from the list only: the project field is never typed in.
    MEProjName = new QLineEdit(this);
    MEProjName->setObjectName(QStringLiteral("MEProjName"));
    MEProjName->setFixedWidth(kFieldWidth);
    MEProjName->setEnabled(false);
    BBViewRnDReport = NewButton(this, "BBViewRnDReport");
    BBOK = NewButton(this, "BBOK");
    BBOK->setDefault(true);
    BBCancel = NewButton(this, "BBCancel");

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, kLentControlsTop, 12, 12);
    grid->addWidget(LNewBrdName, 0, 0);
    grid->addWidget(LModifBrd, 0, 0);
    grid->addWidget(MEBrdName, 0, 1);
    grid->addWidget(LExistProto, 1, 0, Qt::AlignTop);
    grid->addWidget(LBExistProto, 1, 1);
    grid->addWidget(LBasedProto, 2, 0);
    grid->addWidget(MEProjName, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBViewRnDReport);
    buttons->addStretch();
    buttons->addWidget(BBOK);
    buttons->addWidget(BBCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);

    // A prototype chosen by the mouse or the arrow keys is the brand's base at once.
    connect(LBExistProto, &QListWidget::itemSelectionChanged, this, &TFoNewBrd::LBExistProtoClick);
    connect(BBViewRnDReport, &QPushButton::clicked, this, &TFoNewBrd::BBViewRnDReportClick);
    connect(BBOK, &QPushButton::clicked, this, &TFoNewBrd::BBOKClick);
    connect(BBCancel, &QPushButton::clicked, this, &QDialog::reject);
}

// The completed prototypes, in their order: nothing is left to spend on them.
// The project of a brand being modified is the one shown chosen.
void TFoNewBrd::FillPrototypes() {
    for (int prototype = 1; prototype <= RnDModel->NbPros; ++prototype) {
        if (RnDModel->ProFins->GetReal48({prototype, RnDModel->Fin.ProReqBgt}) != 0) continue;
        auto* item = new QListWidgetItem(Cp1252ToQString(RnDModel->ProNames->GetZts({prototype})), LBExistProto);
        if (item->text() == MEProjName->text()) LBExistProto->setCurrentItem(item);
    }
}

bool TFoNewBrd::NameUsed() const {
    return BrandNameUsed(SessionIndustry("TFoNewBrd.NameUsed"), *CallerContext, BrandName(), PendingNames);
}

std::string TFoNewBrd::BrandName() const { return IsNew ? MaskedName(*MEBrdName) : OldBrdName; }

std::string TFoNewBrd::ProjectName() const { return QStringToCp1252(MEProjName->text()); }

void TFoNewBrd::BBOKClick() {
    if (RnDModel->PrototypeIndex(ProjectName()) == 0) return Refuse(kLineNoPrototype, *LBExistProto);
    const std::string name = BrandName();
    if (name.find(' ') != std::string::npos) return Refuse(kLineIncomplete, *MEBrdName);
    if (NameUsed() && !SameTextAscii(name, OldBrdName)) return Refuse(kLineNameUsed, *MEBrdName);
    accept();
}

void TFoNewBrd::LBExistProtoClick() {
    const QList<QListWidgetItem*> chosen = LBExistProto->selectedItems();
    if (!chosen.isEmpty()) MEProjName->setText(chosen.front()->text());
}

void TFoNewBrd::BBViewRnDReportClick() {
    TFoScrDlg report(this, TProtoListKind::AvailablePrototypes, *CallerContext);
    report.exec();
}

void TFoNewBrd::Refuse(int line, QWidget& control) {
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "BFolioDecs", {line}, TAlignment::taCenter);
    control.setFocus();
}

}  // namespace cv
