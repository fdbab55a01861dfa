// The R&D dialog's form, and how it loads, shows, checks and writes a project.
#include "decisions/rnd/rnd_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/base/numbers.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "decisions/rnd/rnd_form_parts.h"
#include "model/rnd/mod_rnd.h"
#include "model/rnd/rnd_rows.h"
#include "shell/picture_image.h"
#include "ui/cp1252.h"
#include "ui/platform_color.h"
#include "ui/qn_tab_set.h"
#include "ui/translate_component.h"

namespace cv {

namespace {

constexpr int kDialogWidth = 620;
constexpr int kPictureSize = 56;
constexpr int kTitleFontSize = 12;
constexpr std::uint32_t kTitleColour = 0x800080;  // purple
constexpr double kThousand = 1000;
constexpr int kCharacteristicLength = 5;
constexpr int kUnitCostLength = 6;
constexpr int kBudgetLength = 9;
constexpr int kNumberLength = 12;
constexpr int kProjectHintLine = 1;

std::int32_t Rounded(long double value) { return static_cast<std::int32_t>(RoundHalfEven(value)); }

// The number a field holds as it is stored: an empty, void or "-" field stores 0.
double StoredNumber(const TQNEdit& field) {
    if (field.text().isEmpty() || field.text() == QStringLiteral("-")) return 0;
    if (field.Kind == TEditKind::ekInteger)
        return field.IntValue() == TQNEdit::kVoidInt || field.IntValue() == TQNEdit::kDashInt ? 0 : field.IntValue();
    return field.RealValue() == TQNEdit::kVoidReal ? 0 : field.RealValue();
}

// An amount field: stored in money units, shown and typed in thousands.
void MakeAmount(TQNEdit& field) {
    field.Kind = TEditKind::ekReal;
    field.Scale = static_cast<int>(kThousand);
}

void ShowDash(TQNEdit& field) { field.SetValueInt(TQNEdit::kDashInt); }

}  // namespace

TFoDecRnD::TFoDecRnD(QWidget* owner, TDataContext& callerContext)
    : TFoCv3Dec(owner, callerContext), RnDModel_(std::make_unique<TModRnD>()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoDecRnD"));
    BuildForm();
    TranslateForm();
    try {
        LoadDecisions();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    // Sized with its tabs and title in place; the page lends the help button at its width.
    resize(kDialogWidth, sizeHint().height());
    QApplication::restoreOverrideCursor();
}

TFoDecRnD::~TFoDecRnD() = default;

void TFoDecRnD::BuildForm() {
    auto* layout = new QVBoxLayout(this);
    // The lent selector groups and the help button sit above the tabs.
    constexpr int kLentRoom = 40;
    layout->setContentsMargins(8, kLentRoom, 8, 8);
    TSRnDProj_ = new TQNTabSet(this);
    TSRnDProj_->setObjectName(QStringLiteral("TSRnDProj"));
    TSRnDProj_->setFont(font());
    TSRnDProj_->setExpanding(false);
    connect(TSRnDProj_, &QTabBar::currentChanged, this, &TFoDecRnD::TabChanged);
    connect(TSRnDProj_, &TQNTabSet::OnDblClick, this, &TFoDecRnD::TSRnDProjDblClick);
    layout->addWidget(TSRnDProj_);
    paTitle_ = NewLabel(*this, "paTitle");
    paTitle_->setAlignment(Qt::AlignCenter);
    // Without a project the title is hidden but keeps its room.
    QSizePolicy titlePolicy = paTitle_->sizePolicy();
    titlePolicy.setRetainSizeWhenHidden(true);
    paTitle_->setSizePolicy(titlePolicy);
    QFont titleFont = font();
    titleFont.setPixelSize(kTitleFontSize * 4 / 3);
    paTitle_->setFont(titleFont);
    QPalette titlePalette = paTitle_->palette();
    titlePalette.setColor(QPalette::WindowText, PlatformColor(kTitleColour));
    paTitle_->setPalette(titlePalette);
    layout->addWidget(paTitle_);

    GBPrjSpec_ = new QGroupBox(this);
    GBPrjSpec_->setObjectName(QStringLiteral("GBPrjSpec"));
    auto* specColumn = new QVBoxLayout(GBPrjSpec_);
    specColumn->addWidget(BuildCharacteristics(*GBPrjSpec_));
    specColumn->addWidget(BuildProjectCost(*GBPrjSpec_));
    layout->addWidget(GBPrjSpec_);
    layout->addWidget(BuildAnswers());
    layout->addWidget(BuildFutureUse());
    layout->addWidget(BuildButtons());
}

QWidget* TFoDecRnD::BuildCharacteristics(QWidget& group) {
    auto* row = new QWidget(&group);
    auto* columns = new QHBoxLayout(row);
    columns->setContentsMargins(0, 0, 0, 0);
    for (int i = 1; i <= kMaxShownDims; ++i) {
        const std::string suffix = std::to_string(i);
        auto* column = new QWidget(row);
        auto* cells = new QVBoxLayout(column);
        cells->setContentsMargins(0, 0, 0, 0);
        IPhysChar_[i] = NewLabel(*column, ("IPhysChar" + suffix).c_str());
        IPhysChar_[i]->setFixedSize(kPictureSize, kPictureSize);
        LPhysChar_[i] = NewLabel(*column, ("LPhysChar" + suffix).c_str());
        LPhysChar_[i]->setAlignment(Qt::AlignCenter);
        EPhysChar_[i] = NewNumberField(*column, ("EPhysChar" + suffix).c_str(), TEditKind::ekInteger,
                                       kCharacteristicLength);
        cells->addWidget(IPhysChar_[i], 0, Qt::AlignHCenter);
        cells->addWidget(LPhysChar_[i]);
        cells->addWidget(EPhysChar_[i]);
        charColumn_[i] = column;
        columns->addWidget(column);
    }
    return row;
}

QWidget* TFoDecRnD::BuildProjectCost(QWidget& group) {
    auto* panel = new QFrame(&group);
    panel->setObjectName(QStringLiteral("pPrjCost"));
    auto* grid = new QGridLayout(panel);
    EReqMUC_ = NewNumberField(*panel, "EReqMUC", TEditKind::ekInteger, kUnitCostLength);
    EAllocBud_ = NewNumberField(*panel, "EAllocBud", TEditKind::ekReal, kBudgetLength);
    MakeAmount(*EAllocBud_);
    ChBMUC_ = new QCheckBox(panel);
    ChBMUC_->setObjectName(QStringLiteral("ChBMUC"));
    ChBFeasStu_ = new QCheckBox(panel);
    ChBFeasStu_->setObjectName(QStringLiteral("ChBFeasStu"));
    // Labels and boxes are centred on their fields by the rows.
    grid->addWidget(NewLabel(*panel, "LReqMUC"), 0, 0, Qt::AlignVCenter);
    grid->addWidget(EReqMUC_, 0, 1);
    grid->addWidget(ChBMUC_, 0, 2, Qt::AlignVCenter);
    grid->addWidget(NewLabel(*panel, "LAllocBud"), 1, 0, Qt::AlignVCenter);
    grid->addWidget(EAllocBud_, 1, 1);
    grid->addWidget(ChBFeasStu_, 1, 2, Qt::AlignVCenter);
    auto* estimate = new QHBoxLayout;
    BBEstimUC_ = AddButton(*panel, *estimate, "BBEstimUC", "Cost estimate...");
    grid->addLayout(estimate, 0, 3, 2, 1);
    connect(ChBMUC_, &QCheckBox::clicked, this,
            [this] { ShortcutClick(*ChBMUC_, *EReqMUC_, RnDModel_->MinRUC); });
    connect(ChBFeasStu_, &QCheckBox::clicked, this,
            [this] { ShortcutClick(*ChBFeasStu_, *EAllocBud_, RnDModel_->MinRnDBgt); });
    connect(EReqMUC_, &QLineEdit::editingFinished, this,
            [this] { ShortcutFieldLeft(*ChBMUC_, *EReqMUC_, RnDModel_->MinRUC); });
    connect(EAllocBud_, &QLineEdit::editingFinished, this,
            [this] { ShortcutFieldLeft(*ChBFeasStu_, *EAllocBud_, RnDModel_->MinRnDBgt); });
    connect(BBEstimUC_, &QPushButton::clicked, this, &TFoDecRnD::BBEstimUCClick);
    return panel;
}

QGroupBox* TFoDecRnD::BuildAnswers() {
    GBRnDRespons_ = new QGroupBox(this);
    GBRnDRespons_->setObjectName(QStringLiteral("GBRnDRespons"));
    auto* grid = new QGridLayout(GBRnDRespons_);
    const auto add = [this, grid](int row, int column, const char* labelName, const char* fieldName, TEditKind kind) {
        TQNEdit* field = NewNumberField(*GBRnDRespons_, fieldName, kind, kNumberLength);
        field->setEnabled(false);
        grid->addWidget(NewLabel(*GBRnDRespons_, labelName), row, column);
        grid->addWidget(field, row, column + 1);
        return field;
    };
    EMinMUC1_ = add(0, 0, "LMinMUC1", "EMinMUC1", TEditKind::ekInteger);
    ECurUC1_ = add(1, 0, "LCurUC1", "ECurUC1", TEditKind::ekInteger);
    ECompletBud1_ = add(0, 2, "LCompletBud1", "ECompletBud1", TEditKind::ekReal);
    ECumDevBud_ = add(1, 2, "LCumDevBud", "ECumDevBud", TEditKind::ekReal);
    MakeAmount(*ECompletBud1_);
    MakeAmount(*ECumDevBud_);
    // The report's button stands beside the answers, so that the dialog fits a small screen.
    auto* viewColumn = new QHBoxLayout;
    QPushButton* view = AddButton(*GBRnDRespons_, *viewColumn, "BBViewRnDReport", "Projects...");
    connect(view, &QPushButton::clicked, this,
            [this] { ShowProjectsReport(*this, TProtoListKind::AllProjects, RnDModel_->Context); });
    grid->addLayout(viewColumn, 0, 4, 2, 1);
    return GBRnDRespons_;
}

// Carries the initial manufacturing capacity and the pre-marketing budget; never shown.
QGroupBox* TFoDecRnD::BuildFutureUse() {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* row = new QHBoxLayout(group);
    EIniManCap_ = NewNumberField(*group, "EIniManCap", TEditKind::ekReal, kNumberLength);
    EPreMktBud_ = NewNumberField(*group, "EPreMktBud", TEditKind::ekInteger, kNumberLength);
    row->addWidget(NewLabel(*group, "LIniManCap"));
    row->addWidget(EIniManCap_);
    row->addWidget(NewLabel(*group, "LPreMktBud"));
    row->addWidget(EPreMktBud_);
    group->hide();
    return group;
}

QWidget* TFoDecRnD::BuildButtons() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    BBNewProj_ = AddButton(*panel, *row, "BBNewProj", "New project...");
    BBReIntroProj_ = AddButton(*panel, *row, "BBReIntroProj", "Continue a prototype...");
    BBAbandonProj_ = AddButton(*panel, *row, "BBAbandonProj", "Abandon");
    row->addStretch(1);
    BBOk_ = AddButton(*panel, *row, "BBOk", "OK");
    BBCancel_ = AddButton(*panel, *row, "BBCancel", "Cancel");
    connect(BBNewProj_, &QPushButton::clicked, this, &TFoDecRnD::BBNewProjClick);
    connect(BBReIntroProj_, &QPushButton::clicked, this, &TFoDecRnD::BBReIntroProjClick);
    connect(BBAbandonProj_, &QPushButton::clicked, this, &TFoDecRnD::BBAbandonProjClick);
    connect(BBOk_, &QPushButton::clicked, this, &TFoDecRnD::OkClick);
    connect(BBCancel_, &QPushButton::clicked, this, &TFoDecRnD::CancelClick);
    return panel;
}

void TFoDecRnD::SetQuietly(QCheckBox& box, bool checked) {
    const QSignalBlocker quiet(&box);
    box.setChecked(checked);
}

int TFoDecRnD::CurrentProject() const { return shownTab_ + 1; }

int TFoDecRnD::Dimension(int i) const {
    const TSeries* dimensions = RnDModel_->Data->DimSeries(Context.SelMarket);
    return (dimensions ? dimensions->Lo() : 1) + i - 1;
}

void TFoDecRnD::LoadDecisions() {
    TCvInd& industry = *Session->Industry();
    RnDModel_->Init(industry, *CallerContext);
    Context = *CallerContext;
    NbPrjs = std::clamp(static_cast<int>(RnDModel_->NbPrjs), 0, kMaxProjects);
    const TSeries* dimensions = industry.DimSeries(Context.SelMarket);
    NbDims = dimensions ? dimensions->Hi() - dimensions->Lo() + 1 : 0;
    LayoutCharacteristics();
    EReqMUC_->MinValue = RnDModel_->MinRUC;
    EReqMUC_->MaxValue = RnDModel_->MaxRUC;
    EAllocBud_->MinValue = RoundHalfEven(RnDModel_->MinRnDBgt / kThousand) * kThousand;
    EAllocBud_->MaxValue = RoundHalfEven(RnDModel_->MaxRnDBgt / kThousand) * kThousand;

    tabsDetached_ = true;
    while (TSRnDProj_->count() > 0) TSRnDProj_->removeTab(0);
    if (NbPrjs == 0) {
        ShowNoProject();
    } else {
        TSRnDProj_->setEnabled(true);
        for (int k = 1; k <= NbPrjs; ++k) {
            const std::string& name = RnDModel_->PrjNames->GetZts({k});
            TSRnDProj_->addTab(Cp1252ToQString(name));
            IsNewPrj[k] = RnDModel_->IsUnusedProtoName(name);
        }
        TSRnDProj_->setCurrentIndex(0);
        shownTab_ = 0;
        ShowProject(1);
        UpdateControls(1);
    }
    tabsDetached_ = false;
}

void TFoDecRnD::ShowNoProject() {
    UpdateControls(0);
    TSRnDProj_->addTab(Cp1252ToQString(ControlsLine("TBPNoProj", 1)));
    shownTab_ = 0;
    paTitle_->hide();
    ResetProjectFields();
    ShowDash(*EReqMUC_);
    SetQuietly(*ChBMUC_, false);
    EAllocBud_->SetValueFloat(TQNEdit::kVoidReal);
    SetQuietly(*ChBFeasStu_, false);
    TSRnDProj_->setEnabled(false);
}

void TFoDecRnD::LayoutCharacteristics() {
    TCvInd& industry = *RnDModel_->Data;
    const std::string market = industry.MarketLabel(Context.SelMarket);
    const TDynArr& technical = *RnDModel_->Technical;
    for (int i = 1; i <= kMaxShownDims; ++i) {
        LPhysChar_[i]->setToolTip(Cp1252ToQString(ControlsLine("DecsHints", kProjectHintLine)));
        charColumn_[i]->setVisible(i <= NbDims);
        if (i > NbDims) continue;
        const int dim = Dimension(i);
        const std::string picture = Session->MediaDir() + "TEC" + market.substr(0, 1) +
                                    industry.DimShortLabel(Context.SelMarket, dim) + ".WMF";
        DrawPictureOnImage(*IPhysChar_[i], picture);
        const std::int32_t lo = Rounded(technical.GetReal48({dim, RnDModel_->Tec.TDMinLev}));
        const std::int32_t hi = Rounded(technical.GetReal48({dim, RnDModel_->Tec.TDMaxLev}));
        LPhysChar_[i]->setText(Cp1252ToQString(industry.DimLabel(Context.SelMarket, dim)) +
                               QStringLiteral("\n(%1 - %2)").arg(lo).arg(hi));
        EPhysChar_[i]->MinValue = lo;
        EPhysChar_[i]->MaxValue = hi;
    }
}

void TFoDecRnD::UpdateControls(int k) {
    BBReIntroProj_->setEnabled(RnDModel_->HasPrototypeToContinue() && NbPrjs < kMaxProjects);
    const bool projects = NbPrjs > 0;
    EnablePanel(*GBPrjSpec_, projects);
    EnablePanel(*GBRnDRespons_, projects);
    BBEstimUC_->setEnabled(projects);
    BBAbandonProj_->setEnabled(projects);
    if (!projects) {
        BBNewProj_->setEnabled(true);
        BBAbandonProj_->setText(Cp1252ToQString(ControlsLine("BBAbandonProj", 1)));
        return;
    }
    // A continued prototype keeps its characteristics.
    for (int i = 1; i <= std::min(NbDims, kMaxShownDims); ++i) {
        EPhysChar_[i]->setEnabled(IsNewPrj[k]);
        EPhysChar_[i]->setFocusPolicy(IsNewPrj[k] ? Qt::StrongFocus : Qt::NoFocus);
    }
    BBNewProj_->setEnabled(NbPrjs < kMaxProjects);
    const char* key = IsNewPrj[k] ? "BBAbandonProjBis" : "BBAbandonProj";
    QString caption = Cp1252ToQString(ControlsLine(key, 1));
    if (k > 0) caption += QLatin1Char(' ') + TSRnDProj_->tabText(k - 1);
    BBAbandonProj_->setText(caption);
    BBAbandonProj_->setToolTip(Cp1252ToQString(ControlsLine(key, 2)));
}

void TFoDecRnD::ShowTitle(const std::string& name) {
    paTitle_->setText(Cp1252ToQString(ControlsLine("BBRnD", 1) + "  -  " + name + "  "));
    paTitle_->show();
}

void TFoDecRnD::ShowProject(int k) {
    const TModRnD& model = *RnDModel_;
    const TDynArr& fins = *model.PrjFins;
    const auto fin = [&fins, k](std::uint8_t column) { return fins.GetReal48({k, column}); };
    for (int i = 1; i <= std::min(NbDims, kMaxShownDims); ++i)
        EPhysChar_[i]->SetValueInt(Rounded(model.PrjTecs->GetReal48({k, Dimension(i)})));
    const std::string name = QStringToCp1252(TSRnDProj_->tabText(k - 1));
    ShowTitle(name);
    IsNewPrj[k] = model.IsUnusedProtoName(name);

    const long double requested = fin(model.Fin.ProReqUC);
    EReqMUC_->SetValueInt(requested == 0 ? TQNEdit::kVoidInt : Rounded(requested));
    // A new project may ask for the minimum unit cost; a continued prototype
    // cannot ask for less than the minimum it has reached.
    ChBMUC_->setEnabled(IsNewPrj[k]);
    SetQuietly(*ChBMUC_, IsNewPrj[k] && model.MinRUC == requested);
    EReqMUC_->MinValue = IsNewPrj[k] ? model.MinRUC : Rounded(fin(model.Fin.ProMinUC));
    EReqMUC_->MaxValue = model.MaxRUC;
    EReqMUC_->setEnabled(!ChBMUC_->isChecked());

    EIniManCap_->SetValueFloat(static_cast<double>(fin(model.Fin.ProManCap)));
    ECumDevBud_->SetValueFloat(static_cast<double>(fin(model.Fin.ProCumBgt)));
    EAllocBud_->SetValueFloat(std::max(EAllocBud_->MinValue, static_cast<double>(fin(model.Fin.ProAllBgt))));
    ChBFeasStu_->setEnabled(true);
    SetQuietly(*ChBFeasStu_, EAllocBud_->RealValue() == model.MinRnDBgt);
    EAllocBud_->setEnabled(!ChBFeasStu_->isChecked());
    EPreMktBud_->SetValueInt(Rounded(fin(model.Fin.ProPreMkt) / kThousand));

    const long double minimum = fin(model.Fin.ProMinUC);
    if (minimum == 0) {
        ShowDash(*EMinMUC1_);
        ShowDash(*ECurUC1_);
    } else {
        EMinMUC1_->SetValueInt(Rounded(minimum));
        ECurUC1_->SetValueInt(Rounded(fin(model.Fin.ProOldReqUC)));
    }
    const long double required = fin(model.Fin.ProReqBgt);
    ECompletBud1_->SetValueFloat(required == 0 ? TQNEdit::kVoidReal : static_cast<double>(required));
}

void TFoDecRnD::ResetProjectFields() {
    const TModRnD& model = *RnDModel_;
    for (int i = 1; i <= kMaxShownDims; ++i) EPhysChar_[i]->SetValueInt(TQNEdit::kVoidInt);
    ChBMUC_->setEnabled(true);
    SetQuietly(*ChBMUC_, true);
    EReqMUC_->setEnabled(false);
    EReqMUC_->MinValue = model.MinRUC;
    EReqMUC_->MaxValue = model.MaxRUC;
    EReqMUC_->SetValueInt(model.MinRUC);
    EIniManCap_->SetValueFloat(TQNEdit::kVoidReal);
    ECumDevBud_->SetValueFloat(NbPrjs > 0 ? 0 : TQNEdit::kVoidReal);
    EAllocBud_->SetValueFloat(model.MinRnDBgt);
    ChBFeasStu_->setEnabled(true);
    SetQuietly(*ChBFeasStu_, true);
    EAllocBud_->setEnabled(false);
    EPreMktBud_->SetValueInt(TQNEdit::kVoidInt);
    for (TQNEdit* field : {ECurUC1_, EMinMUC1_}) {
        if (NbPrjs > 0) ShowDash(*field);
        else field->SetValueInt(TQNEdit::kVoidInt);
    }
    ECompletBud1_->SetValueFloat(TQNEdit::kVoidReal);
}

void TFoDecRnD::ShowPrototype(int p, bool fromScratch) {
    const TModRnD& model = *RnDModel_;
    const auto fin = [&model, p](std::uint8_t column) { return model.ProFins->GetReal48({p, column}); };
    ResetProjectFields();
    for (int i = 1; i <= std::min(NbDims, kMaxShownDims); ++i)
        EPhysChar_[i]->SetValueInt(Rounded(model.ProTecs->GetReal48({p, Dimension(i)})));
    const long double minimum = fromScratch ? 0 : fin(model.Fin.ProMinUC);
    const long double old = fromScratch ? 0 : fin(model.Fin.ProOldReqUC);
    if (old == 0) ShowDash(*ECurUC1_);
    else ECurUC1_->SetValueInt(Rounded(old));
    if (minimum == 0) ShowDash(*EMinMUC1_);
    else EMinMUC1_->SetValueInt(Rounded(minimum));

    ChBMUC_->setEnabled(fromScratch);
    SetQuietly(*ChBMUC_, false);
    EReqMUC_->setEnabled(true);
    EReqMUC_->MinValue = minimum == 0 ? model.MinRUC : Rounded(minimum);
    EReqMUC_->MaxValue = model.MaxRUC;
    const long double requested = fin(model.Fin.ProReqUC);
    EReqMUC_->SetValueInt(requested == 0 ? TQNEdit::kVoidInt : Rounded(requested));

    const long double required = fin(model.Fin.ProReqBgt);
    EIniManCap_->SetValueFloat(fromScratch ? 0 : static_cast<double>(fin(model.Fin.ProManCap)));
    ECumDevBud_->SetValueFloat(fromScratch ? 0 : static_cast<double>(fin(model.Fin.ProCumBgt)));
    EAllocBud_->SetValueFloat(fromScratch ? model.MinRnDBgt : static_cast<double>(required));
    ChBFeasStu_->setEnabled(true);
    SetQuietly(*ChBFeasStu_, fromScratch);
    EAllocBud_->setEnabled(!fromScratch);
    EPreMktBud_->SetValueInt(0);
    ECompletBud1_->SetValueFloat(fromScratch || required == 0 ? TQNEdit::kVoidReal : static_cast<double>(required));
}

bool TFoDecRnD::Validate() {
    if (NbPrjs == 0) return true;
    const auto fails = [](TQNEdit& field, TDevDecsLine emptyLine) {
        if (IsEmptyField(field)) {
            ShowDevDecsError(emptyLine);
        } else if (field.CheckRange(true)) {
            return false;
        }
        field.setFocus();
        return true;
    };
    for (int i = 1; i <= std::min(NbDims, kMaxShownDims); ++i)
        if (fails(*EPhysChar_[i], kEmptyCharacteristic)) return false;
    if (!ChBMUC_->isChecked() && fails(*EReqMUC_, kEmptyUnitCost)) return false;
    return !fails(*EAllocBud_, kEmptyBudget);
}

bool TFoDecRnD::StoreDecisions() {
    if (NbPrjs == 0) return true;
    if (!Validate()) return false;
    SaveProjects();
    return true;
}

// Every field that holds no number ("-", empty or void) is stored as 0: the
// model and the reports read these columns as amounts.
void TFoDecRnD::SaveProjects() {
    TModRnD& model = *RnDModel_;
    const int k = CurrentProject();
    model.SetNbPrjs(NbPrjs);
    StoreName(*model.PrjNames, k, QStringToCp1252(TSRnDProj_->tabText(k - 1)));
    for (int i = 1; i <= std::min(NbDims, kMaxShownDims); ++i)
        model.PrjTecs->SetReal48({k, Dimension(i)}, StoredNumber(*EPhysChar_[i]));
    TDynArr& fins = *model.PrjFins;
    const auto set = [&fins, k](std::uint8_t column, double value) { fins.SetReal48({k, column}, value); };
    set(model.Fin.ProReqUC, StoredNumber(*EReqMUC_));
    set(model.Fin.ProOldReqUC, StoredNumber(*ECurUC1_));
    set(model.Fin.ProAllBgt, StoredNumber(*EAllocBud_));
    set(model.Fin.ProDeveloper, Context.SelFirm);
    set(model.Fin.ProPartner, Context.SelFirm);
    set(model.Fin.ProReqBgt, std::max(0.0, StoredNumber(*ECompletBud1_)));
    set(model.Fin.ProCumBgt, StoredNumber(*ECumDevBud_));
    set(model.Fin.ProMinUC, StoredNumber(*EMinMUC1_));
    set(model.Fin.ProDecStatus, 1);
}

}  // namespace cv
