#pragma once
// TFoMktPlan: the marketing-plan dialog. Six tabs: four plan screens (segment
// sizes, brand shares, brand sales, sales by channel) for the market of the
// page's selector bar, then the forecast the model makes of the decision
// period from the plan and the decisions: the brand contribution of the
// market and the firm's net contribution.
//
// A plan tab is left only when its screen passes its accept check, and a
// forecast tab is entered only when the plan passes the plan check. The model
// runs when a forecast tab is entered after a plan tab was shown (PlanChanged),
// never when only the forecast tab changes. The forecast frees and makes anew
// the results of the decision period, so the tab's screen is freed before the
// run and built afterwards. Closing the dialog, however, keeps what the plan
// screen shows.

#include <QFrame>
#include <QPushButton>
#include <functional>
#include <memory>

#include "decisions/dialogs/decision_dialog.h"
#include "model/plan_forecast.h"

namespace cv {

class TBrandTabBar;
class TCVScreen;
class TMktPlanScr;

// Runs the model's plan pass on the session's open industry.
using TPlanForecastRunner = std::function<TForecastOutcome(TSession&)>;

class TFoMktPlan : public TFoCv3Dec {
    Q_OBJECT

public:
    // Builds the segment-size tab of the page's market.
    TFoMktPlan(QWidget* owner, TDataContext& callerContext, TPlanForecastRunner runner = RunPlanForecast);
    ~TFoMktPlan() override;

    // The page's selector bar moved: the shown screen follows it (a plan
    // screen stores its values into the market it showed first).
    void LoadDecisions() override;
    // The shown plan screen's accept check.
    bool StoreDecisions() override { return AcceptScreen(); }

    // The tab set's change to NewTab (0..5); false keeps the tab shown.
    bool TSMktPlanChange(int newTab);
    bool AcceptScreen();
    // The plan check of every market; false after listing its messages.
    bool AcceptDecs();
    // The model's plan pass; false (after saying why) when it failed.
    bool RunForecast();

    // The plan may differ from the last forecast.
    bool PlanChanged = true;
    // The screen of the tab shown; nullptr when none.
    TCVScreen* Screen() const { return screen_.get(); }
    TMktPlanScr* PlanScreen() const;
    // The kind of the tab shown, 1..6.
    int ShownKind() const { return shownKind_; }
    // The plan screens' beep: the system beep unless a test counts it.
    std::function<void()> OnBeep;

    void done(int result) override;

private:
    void BuildControls();
    void LayoutForScreen();
    void PlaceScreenArea();
    void ShowKind(int kind);
    void FitScreen();
    // A forecast scrolls by keys too: its table takes the focus, next after the tabs.
    void LetKeysScrollForecast();
    void SetCurrentPeriod(std::int16_t period);
    void PlaceButtons(QPushButton* second);
    void HideButton(QPushButton* button);
    void UpdateButtons();

    TPlanForecastRunner runner_;
    QFrame* Bevel_ = nullptr;
    QWidget* screenArea_ = nullptr;
    QPushButton* BBClose_ = nullptr;
    TBrandTabBar* TSMktPlan_ = nullptr;
    QPushButton* BBSameLastPer_ = nullptr;
    QPushButton* BBSameMktForeCast_ = nullptr;
    QPushButton* BBBrdSalesEstim_ = nullptr;
    std::unique_ptr<TCVScreen> screen_;
    int shownKind_ = 0;
    int unitMode_ = 1;
};

}  // namespace cv
