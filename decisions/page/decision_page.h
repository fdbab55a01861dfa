#pragma once
// TFoDecision: the page on which the team enters its decisions for the coming
// period. One picture button per decision area (brand portfolio, marketing
// mix, distribution, market studies, R&D), three buttons for the summary, the
// budget and the marketing plan, and a panel whose two coloured lines say
// whether the decisions are complete and consistent, with a button that lists
// the messages. Every area dialog opens through one protocol (OpenArea): the
// selector bar and tool buttons lent to it, shown modally, the decisions
// saved and checked again afterwards.

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <memory>

#include "core/base/message_list.h"
#include "decisions/checks/decision_review.h"
#include "decisions/page/decision_areas.h"
#include "decisions/page/decision_page_layout.h"
#include "shell/page_window.h"

namespace cv {

class TFoCv3Main;
class TCv3SpBtn;

class TFoDecision : public TFoCv3Mod {
    Q_OBJECT

public:
    TFoDecision(TFoCv3Main& mainWindow, QWidget* owner, TDecisionDialogs dialogs = {});
    ~TFoDecision() override;

    // An area's dialog, or the print entry, joins the page; the page applies
    // it when it is next shown.
    void RegisterDialog(TDecisionArea area, TDecisionDialogFactory factory);
    void RegisterPrint(TDecisionPrintEntry print);

    void FormActivate() override;
    void FormDeactivate() override;
    bool ApplySelector(TBarGrpBtn& group, QWidget* sender) override;
    void Print() override;

    // The dialog protocol of an area button.
    void OpenArea(TDecisionArea area);
    // Runs the checks of the page's firm and shows their state.
    void RefreshErrors();
    // The page context and the selector bar for the pressed button.
    void SetupSelectors();
    // Lists the messages of the last refresh under their title.
    void BBErrorsClick();

    // The area whose dialog is open (or the errors list shown); none on the page itself.
    bool HasPressedButton() const { return pressed_ >= 0; }
    TDecisionArea PressedButton() const { return static_cast<TDecisionArea>(pressed_); }
    TFoCv3Dec* OpenDialog() const { return openDialog_; }
    const TQnInfos& CheckMessages() const { return checkMessages_; }
    const TDecisionReview& LastReview() const { return review_; }
    const TMixMemory& MixMemory() const { return mixMemory_; }
    // The layout's boxes as last applied.
    const TDecisionPageBoxes& LayoutBoxes() const { return boxes_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TAreaControls {
        QPushButton* button = nullptr;
        QFrame* panel = nullptr;  // the picture panel; none for the bottom row
        QLabel* image = nullptr;
    };
    // Pressed-button marker of the errors list, beside the areas.
    static constexpr int kErrorsPressed = static_cast<int>(kDecisionAreaCount);

    void BuildControls();
    void LayoutButtons();
    void LoadPictures();
    void ApplyRestrictions();
    void ShowState(TReviewLine line);
    void RunDialog(TDecisionArea area);
    TAreaControls& Controls(TDecisionArea area) { return areas_[static_cast<std::size_t>(area)]; }

    TFoCv3Main& mainWindow_;
    TDecisionDialogs dialogs_;
    TCv3SpBtn* pageButton_ = nullptr;
    std::array<TAreaControls, kDecisionAreaCount> areas_{};
    QFrame* paErrWng_ = nullptr;
    QLabel* labErrWng_ = nullptr;
    QPushButton* BBErrors_ = nullptr;
    TDecisionPageBoxes boxes_;
    int pressed_ = -1;
    TFoCv3Dec* openDialog_ = nullptr;
    TQnInfos checkMessages_;
    TDecisionReview review_;
    TMixMemory mixMemory_;
    bool firstActivation_ = true;
};

}  // namespace cv
