// What the R&D dialog's buttons, tabs and check boxes do: new, continued,
// renamed and abandoned projects, the cost estimate, and the two shortcuts.
#include <QSignalBlocker>
#include <algorithm>

#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "decisions/rnd/query_dialog.h"
#include "decisions/rnd/rnd_dialog.h"
#include "decisions/rnd/rnd_form_parts.h"
#include "model/rnd/mod_rnd.h"
#include "shell/dialog_help.h"
#include "ui/cp1252.h"
#include "ui/qn_tab_set.h"
#include "ui/translate_component.h"

namespace cv {

namespace {

std::string AbandonQuestion(const std::string& project) {
    return ReplaceFirst(MessagesLine(kDevDecsKey, kAbandonQuestion), "@PRJ", project);
}

}  // namespace

void TFoDecRnD::AddProject(const std::string& name) {
    tabsDetached_ = true;
    TSRnDProj_->setEnabled(true);
    if (NbPrjs == 0) TSRnDProj_->setTabText(0, Cp1252ToQString(name));
    else TSRnDProj_->addTab(Cp1252ToQString(name));
    ++NbPrjs;
    TSRnDProj_->setCurrentIndex(NbPrjs - 1);
    shownTab_ = NbPrjs - 1;
    IsNewPrj[NbPrjs] = RnDModel_->IsUnusedProtoName(name);
    UpdateControls(NbPrjs);
    tabsDetached_ = false;
    ShowTitle(name);
}

void TFoDecRnD::BBNewProjClick() {
    if (!Validate()) return;
    if (NbPrjs > 0) SaveProjects();
    TFoNewPrj dialog(this, *RnDModel_);
    if (ExecWithHelp(*this, dialog, hcNewProject) != QDialog::Accepted) return;
    AddProject(dialog.ProjectName());
    ResetProjectFields();
    if (const std::string base = dialog.BasePrototype(); !base.empty())
        ShowPrototype(RnDModel_->PrototypeIndex(base), true);
    EPhysChar_[1]->setFocus();
}

void TFoDecRnD::BBReIntroProjClick() {
    if (!Validate()) return;
    if (NbPrjs > 0) SaveProjects();
    TFoReIntro dialog(this, *RnDModel_);
    if (dialog.NbSuspended < 1) {
        ShowDevDecsError(kNoSuspendedPrototype);
    } else if (ExecWithHelp(*this, dialog, hcReintroduceProject) == QDialog::Accepted) {
        const std::string name = dialog.PrototypeName();
        AddProject(name);
        ShowPrototype(RnDModel_->PrototypeIndex(name), false);
        EAllocBud_->setFocus();
    }
    UpdateControls(CurrentProject());
}

// Only a new development may take another name; it is stored with the project.
void TFoDecRnD::TSRnDProjDblClick() {
    const int k = CurrentProject();
    if (NbPrjs == 0 || !IsNewPrj[k]) return;
    TFoPrjName dialog(this, *RnDModel_, QStringToCp1252(TSRnDProj_->tabText(k - 1)));
    if (ExecWithHelp(*this, dialog, hcRnD) != QDialog::Accepted) return;
    TSRnDProj_->setTabText(k - 1, Cp1252ToQString(dialog.ProjectName()));
    ShowTitle(dialog.ProjectName());
    UpdateControls(k);
}

// Tab k shows stored row k whatever its name: a project renamed since it was
// stored is still row k, and a tab beyond the stored rows has none to delete.
// Enter on the question keeps the project.
void TFoDecRnD::BBAbandonProjClick() {
    const int k = CurrentProject();
    const std::string name = QStringToCp1252(TSRnDProj_->tabText(k - 1));
    if (Ui().ShowMessageBox(TMsgDlgType::mtConfirmation, mbYes | mbNo | mbDefaultCancel, AbandonQuestion(name), {-1},
                            TAlignment::taCenter) != TModalResult::mrYes)
        return;
    if (k <= RnDModel_->NbPrjs) RnDModel_->DeleteProject(k);
    std::copy(IsNewPrj.begin() + k + 1, IsNewPrj.end(), IsNewPrj.begin() + k);
    IsNewPrj.back() = false;
    if (--NbPrjs == 0) {
        LoadDecisions();
        return;
    }
    tabsDetached_ = true;
    TSRnDProj_->removeTab(k - 1);
    shownTab_ = TSRnDProj_->currentIndex();
    ShowProject(CurrentProject());
    UpdateControls(CurrentProject());
    tabsDetached_ = false;
}

// Pending field exits run first, so that a typed minimum takes its box.
void TFoDecRnD::TabChanged(int index) {
    if (tabsDetached_ || index == shownTab_) return;
    ShortcutFieldLeft(*ChBMUC_, *EReqMUC_, RnDModel_->MinRUC);
    ShortcutFieldLeft(*ChBFeasStu_, *EAllocBud_, RnDModel_->MinRnDBgt);
    if (NbPrjs == 0 || !Validate()) {
        const QSignalBlocker quiet(TSRnDProj_);
        TSRnDProj_->setCurrentIndex(shownTab_);
        return;
    }
    SaveProjects();
    shownTab_ = index;
    ShowProject(index + 1);
    UpdateControls(index + 1);
}

void TFoDecRnD::BBEstimUCClick() {
    const int k = CurrentProject();
    if (!Validate()) return;
    SaveProjects();
    TModRnD& model = *RnDModel_;
    TCvInd& industry = *model.Data;
    const double inflation = static_cast<double>(
        industry.ConvertToFta(industry.DecPeriod(), Context.SelFta, false, 1.0L, model.ResearchCateg));
    TDynArr& fins = *model.PrjFins;
    const auto fin = [&fins, k](std::uint8_t column) { return static_cast<double>(fins.GetReal48({k, column})); };
    const auto set = [&fins, k](std::uint8_t column, double value) { fins.SetReal48({k, column}, value); };

    const double oldMinimum = fin(model.Fin.ProMinUC);
    const TUnitCosts costs =
        model.CalcUCs(*model.ProTecs, *model.ProFins, model.NbPros, *model.PrjTecs, k, nullptr, inflation, IsNewPrj[k]);
    set(model.Fin.ProMinUCRQ, costs.Muc);
    set(model.Fin.ProMinUC, costs.Muc);
    set(model.Fin.ProStdUC, costs.Suc);
    // The budget is estimated for the minimum unit cost just found; the
    // project keeps the minimum it had.
    const double budget = model.CalcReqBgt(*model.ProTecs, *model.ProFins, model.NbPros, *model.PrjTecs, fins, k,
                                           nullptr, nullptr, inflation, IsNewPrj[k]);
    set(model.Fin.ProReqBgtRQ, std::max(model.MinRnDBgt, budget - fin(model.Fin.ProCumBgt)));
    set(model.Fin.ProMinUC, oldMinimum);

    TFoQuery query(this);
    query.MinUC = fin(model.Fin.ProMinUCRQ);
    query.ReqUC = fin(model.Fin.ProReqUC);
    if (ChBMUC_->isChecked() || query.ReqUC < query.MinUC) query.ReqUC = query.MinUC;
    query.ReqBgt = fin(model.Fin.ProReqBgtRQ);
    TCvPerData& constant = industry.ConstPart();
    query.QNENbMaxQueries->SetValueInt(
        static_cast<std::int32_t>(RoundHalfEven(constant.GetReal(kCategoryIndustry, Context, "RnDNbQueries"))));
    query.QNENbQueries->SetValueInt(NewDecs->GetSmallint(kCategoryFirm, Context, "NbQueriesMade"));
    if (ExecWithHelp(*this, query, hcCostEstimate) == QDialog::Accepted) {
        set(model.Fin.ProAllBgt, query.ReqBgt);
        set(model.Fin.ProReqUC, query.ReqUC);
        ShowProject(k);
    }
    // A bought answer counts even when it is not applied.
    NewDecs->SetSmallint(kCategoryFirm, Context, "NbQueriesMade",
                         static_cast<std::int16_t>(query.QNENbQueries->IntValue()));
}

// A shortcut box locks its field on the minimum; unticked, the field is
// emptied for typing. Typing the minimum and leaving the field ticks it again.
void TFoDecRnD::ShortcutClick(QCheckBox& box, TQNEdit& field, double minimum) {
    const bool checked = box.isChecked();
    field.setEnabled(!checked);
    if (checked) {
        SetNumber(field, minimum);
    } else {
        field.ClearValue();
        field.setFocus();
    }
}

void TFoDecRnD::ShortcutFieldLeft(QCheckBox& box, TQNEdit& field, double minimum) {
    const double value = field.Kind == TEditKind::ekInteger ? field.IntValue() : field.RealValue();
    if (!box.isEnabled() || !field.isEnabled() || IsEmptyField(field) || value != minimum) return;
    SetQuietly(box, true);
    field.setEnabled(false);
}

}  // namespace cv
