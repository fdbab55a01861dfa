// The decisions page's dialog protocol, its selectors, the errors list and
// the print entry.
#include "core/base/ui_services.h"
#include "core/language/keyed_messages.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "ui/help_state.h"
#include "decisions/dialogs/decision_dialog.h"
#include "decisions/page/decision_page.h"
#include "decisions/page/decision_page_areas.h"
#include "shell/main_window.h"
#include "shell/selector/cv_bar.h"
#include "ui/fields/bar.h"
#include "ui/user_action.h"

namespace cv {

namespace {

constexpr std::uint8_t kHidden = 0;
constexpr std::uint8_t kOneChoice = 2;
constexpr int kListOne = 2;
constexpr int kListAll = 32767;
// Lent selector groups and tool buttons sit at the dialog's top.
constexpr int kLentLeft = 3;
constexpr int kLentTop = 5;
constexpr int kToolButtonMargin = 5;
constexpr int kToolButtonTop = 3;
constexpr std::size_t kMixBrandLength = 16;
// Documents of the print entry: 1 decisions, 2 budget, 3 marketing plan.
constexpr int kPrintDecisions = 1;
constexpr int kPrintBudget = 2;
constexpr int kPrintPlan = 3;

// The groups the area offers as choices are lent even while the dialog hides
// one (the budget's first tab reads no market): a later tab shows it on the
// dialog, not on the main window behind it.
void LendAreaGroups(const TDecisionAreaLayout& layout, QWidget& dialog) {
    const TCvInd& industry = *Session->Industry();
    const unsigned groups = AreaLent(layout, industry.NbFtas());
    const unsigned offered = AreaChoices(layout, industry.NbFtas());
    std::vector<std::string> lent;
    std::vector<bool> forced;
    const auto lend = [&](unsigned group, const TSeries* series) {
        if (!(groups & group)) return;
        lent.push_back(series->Name());
        forced.push_back((offered & group) != 0);
    };
    lend(asPeriods, industry.PerSeries());
    lend(asFirms, industry.FirSeries());
    lend(asFtas, industry.FtaSeries());
    lend(asMarkets, industry.MktSeries());
    CvBar->LendGroups(lent, forced, &dialog, kLentLeft, kLentTop);
}

}  // namespace

void TFoDecision::SetupSelectors() {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return;
    Data.DecPeriod = static_cast<std::int16_t>(industry->DecPeriod());
    Data.CurPeriod = industry->CurPeriod();
    Data.SelPeriod = Data.CurPeriod;
    const TDecisionAreaLayout* layout =
        HasPressedButton() && pressed_ != kErrorsPressed ? &AreaLayout(PressedButton()) : nullptr;
    SetPeriodSelector(kOneChoice, Data.DecPeriod, layout && layout->decisionPeriodChoice);
    const unsigned choices = layout ? AreaChoices(*layout, industry->NbFtas()) : 0;
    const auto index = [this, choices](const TSeries* series, unsigned kind, std::int16_t selected) {
        const bool chosen = (choices & kind) != 0;
        SetIndexSelector(series->Name(), chosen ? kOneChoice : kHidden, {kListOne, selected}, {kListAll});
    };
    // The firm is the team's own; only the administrator may look at another.
    SetIndexSelector(industry->FirSeries()->Name(), Session->AdminView() ? kOneChoice : kHidden,
                     {kListOne, Data.SelFirm}, {kListAll});
    index(industry->FtaSeries(), asFtas, Data.SelFta);
    index(industry->MktSeries(), asMarkets, Data.SelMarket);
    SetupBar();
    HelpState().HelpContext = hcDecisionsPage;
}

void TFoDecision::OpenArea(TDecisionArea area) {
    if (area == TDecisionArea::MarketingPlan && review_.ErrorCount != 0) {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "MktgPlanDisabled", {0}, TAlignment::taCenter);
        return;
    }
    if (!dialogs_[area] || RunUserAction([&] { RunDialog(area); })) return;
    // A dialog that failed leaves the page as it was before the press.
    openDialog_ = nullptr;
    pressed_ = -1;
    RunUserAction([this] { SetupSelectors(); });
}

// Decisions are saved whatever button closed the dialog: a dialog writes to
// the sets only on its own OK.
void TFoDecision::RunDialog(TDecisionArea area) {
    const TDecisionAreaLayout& layout = AreaLayout(area);
    pressed_ = static_cast<int>(area);
    SetupSelectors();
    std::unique_ptr<TFoCv3Dec> dialog = dialogs_[area](this, Data, mixMemory_);
    openDialog_ = dialog.get();
    TCvInd& industry = *Session->Industry();
    if (CvBar) LendAreaGroups(layout, *dialog);
    mainWindow_.ShowToolButtonsOn(layout.toolButtons, {}, dialog.get(), dialog->width() - kToolButtonMargin,
                                  kToolButtonTop, true);
    HelpState().HelpContext = layout.helpContext;
    dialog->exec();
    if (CvBar) CvBar->RestoreGroups();
    mainWindow_.RestoreToolButtons();
    mixMemory_.Brand = mixMemory_.Brand.substr(0, kMixBrandLength);
    openDialog_ = nullptr;
    dialog.reset();
    pressed_ = -1;
    if (layout.savesAndChecks) industry.SaveDecisions();
    SetupSelectors();
    if (layout.savesAndChecks) RefreshErrors();
}

// The open dialog follows the page's selection; when it refuses (what it
// shows does not pass its checks), the bar shows the old selection again.
bool TFoDecision::ApplySelector(TBarGrpBtn& group, QWidget* sender) {
    const std::int16_t selected = Data.SelPeriod;
    bool changed = TFoCv3Mod::ApplySelector(group, sender);
    // The period spin of this page shows decision periods: the period selected is the one before.
    TCvInd* open = Session ? Session->Industry() : nullptr;
    if (open && group.objectName().toStdString() == open->PerSeries()->Name() && qobject_cast<TBarSpinBtn*>(sender)) {
        Data.SelPeriod = static_cast<std::int16_t>(Data.SelPeriod - 1);
        changed = Data.SelPeriod != selected;
    }
    if (changed && openDialog_ && !openDialog_->FollowSelection()) SetupBar();
    if (TCvInd* industry = Session ? Session->Industry() : nullptr) {
        Data.DecPeriod = static_cast<std::int16_t>(industry->DecPeriod());
        Data.CurPeriod = industry->CurPeriod();
    }
    return changed;
}

void TFoDecision::BBErrorsClick() {
    pressed_ = kErrorsPressed;
    SetupSelectors();
    if (review_.ErrorCount >= 1 || review_.WarningCount >= 1 || review_.DecStatusResult != 1) {
        const char* title = review_.ErrorCount == 0   ? "cviDecWarning"
                            : review_.WarningCount > 0 ? "cviDecEW"
                                                       : "cviDecError";
        ShowKeyedMessage(title, checkMessages_, -1, TAlignment::taCenter);
    }
    pressed_ = -1;
    SetupSelectors();
}

// The print-decisions dialog preselects the document of the dialog open:
// the budget from the budget, the plan from the marketing plan.
void TFoDecision::Print() {
    int choice = kPrintDecisions;
    if (HasPressedButton() && PressedButton() == TDecisionArea::Budget) choice = kPrintBudget;
    if (HasPressedButton() && PressedButton() == TDecisionArea::MarketingPlan) choice = kPrintPlan;
    if (dialogs_.Print) dialogs_.Print(*this, choice);
}

}  // namespace cv
