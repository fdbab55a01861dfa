#pragma once
// TFoSummary: the firm's decisions (the summary) or its budget for the
// decision period, read-only, one report screen per tab. The screens follow
// the selector bar the decisions page lends the dialog, the period included,
// so that the decisions of earlier periods can be looked at too. The dialog
// writes no decision.
//
// The budget screens recompute the budget from the decisions as they stand;
// a recomputation that fails (a figure out of range) is reported and the tab
// shows nothing.

#include <QFrame>
#include <QPushButton>
#include <memory>

#include "decisions/dialogs/decision_dialog.h"

namespace cv {

class TCVScreen;
class TQNTabSet;

enum class TSummaryMode : int { Decisions = 1, Budget = 2 };

class TFoSummary : public TFoCv3Dec {
    Q_OBJECT

public:
    // Shows the first tab of Mode for the page's context.
    TFoSummary(QWidget* owner, TSummaryMode mode, TDataContext& callerContext);
    ~TFoSummary() override;

    // The selector bar moved: the decision period follows the selected
    // period and the screen shown is built again.
    void LoadDecisions() override;
    // Shows the screen of Tab (from 0).
    void TSSectionsChange(int tab);

    TSummaryMode Mode() const { return mode_; }
    // The screen shown; nullptr when none.
    TCVScreen* Screen() const { return screen_.get(); }

    // However the dialog closes, the page's selected period is the current one again.
    void done(int result) override;

private:
    void BuildControls();
    void LayoutForScreen();
    // Runs Build (a screen's making or rebuilding); a failure is reported and leaves no screen.
    template <class Build>
    void Guarded(Build&& build);

    TSummaryMode mode_;
    QFrame* Bevel_ = nullptr;
    QWidget* screenArea_ = nullptr;
    TQNTabSet* TSSections_ = nullptr;
    QPushButton* BBOK_ = nullptr;
    std::unique_ptr<TCVScreen> screen_;
};

}  // namespace cv
