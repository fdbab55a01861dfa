#pragma once
// TFoDecRnD: the R&D decisions of the firm in the decisions page's market.
// One tab per project (at most five): its target physical characteristics,
// the unit cost asked of the engineers (or the minimum one), the budget
// allocated this period (or the feasibility-study minimum), the answers of
// the R&D department and a cost estimate bought from it. New projects can be
// started, suspended prototypes continued, new projects renamed and projects
// abandoned.
//
// The dialog owns an R&D model bound to the firm and market; the project rows
// it writes are the model's arrays of the decision set, so what is written is
// the decision. The project shown is written at every tab change, before each
// sub-dialog and estimate, on OK and before the page's market changes; a
// project whose fields do not pass keeps the dialog (and the market) where it is.
// Rows are positional: tab k shows and writes stored row k.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <memory>
#include <string>

#include "decisions/dialogs/decision_dialog.h"
#include "decisions/rnd/project_dialogs.h"

namespace cv {

class TModRnD;
class TQNEdit;
class TQNTabSet;

class TFoDecRnD : public TFoCv3Dec {
    Q_OBJECT

public:
    static constexpr int kMaxProjects = 5;
    static constexpr int kMaxShownDims = 5;

    TFoDecRnD(QWidget* owner, TDataContext& callerContext);
    ~TFoDecRnD() override;

    // Binds the model to the caller's firm and market and shows its projects.
    void LoadDecisions() override;
    // Validate, then SaveProjects; true at once without a project.
    bool StoreDecisions() override;

    // Checks the fields of the project shown, telling the user what fails.
    bool Validate();
    // Writes the project shown into its row.
    void SaveProjects();

    TModRnD& RnDModel() { return *RnDModel_; }
    // Characteristics of the market (at most five shown), tabs holding a project.
    int NbDims = 0;
    int NbPrjs = 0;
    // Per tab 1..5: a new development (no prototype bears its name).
    std::array<bool, kMaxProjects + 1> IsNewPrj{};

    void BBNewProjClick();
    void BBReIntroProjClick();
    void BBAbandonProjClick();
    void BBEstimUCClick();
    void TSRnDProjDblClick();

private:
    void BuildForm();
    QWidget* BuildCharacteristics(QWidget& group);
    QWidget* BuildProjectCost(QWidget& group);
    QGroupBox* BuildAnswers();
    QGroupBox* BuildFutureUse();
    QWidget* BuildButtons();

    void LayoutCharacteristics();
    void UpdateControls(int k);
    void ShowProject(int k);
    void ResetProjectFields();
    void ShowPrototype(int p, bool fromScratch);
    void AddProject(const std::string& name);
    void ShowNoProject();
    void ShowTitle(const std::string& name);
    int CurrentProject() const;
    // The dimension element of characteristic I (1..NbDims).
    int Dimension(int i) const;

    // The tab set asks before it moves: the project shown must pass and is written.
    void TabChanged(int index);
    // The minimum-unit-cost and feasibility-study boxes over their fields.
    void ShortcutClick(QCheckBox& box, TQNEdit& field, double minimum);
    void ShortcutFieldLeft(QCheckBox& box, TQNEdit& field, double minimum);
    // Sets a check box without running its click handler.
    static void SetQuietly(QCheckBox& box, bool checked);

    std::unique_ptr<TModRnD> RnDModel_;
    // The tab shown; tab changes made by the dialog itself are not asked about.
    int shownTab_ = -1;
    bool tabsDetached_ = false;

    TQNTabSet* TSRnDProj_ = nullptr;
    QLabel* paTitle_ = nullptr;
    QGroupBox* GBPrjSpec_ = nullptr;
    std::array<QWidget*, kMaxShownDims + 1> charColumn_{};
    std::array<QLabel*, kMaxShownDims + 1> IPhysChar_{};
    std::array<QLabel*, kMaxShownDims + 1> LPhysChar_{};
    std::array<TQNEdit*, kMaxShownDims + 1> EPhysChar_{};
    TQNEdit* EReqMUC_ = nullptr;
    TQNEdit* EAllocBud_ = nullptr;
    QCheckBox* ChBMUC_ = nullptr;
    QCheckBox* ChBFeasStu_ = nullptr;
    QPushButton* BBEstimUC_ = nullptr;
    QGroupBox* GBRnDRespons_ = nullptr;
    TQNEdit* EMinMUC1_ = nullptr;
    TQNEdit* ECompletBud1_ = nullptr;
    TQNEdit* ECumDevBud_ = nullptr;
    TQNEdit* ECurUC1_ = nullptr;
    TQNEdit* EIniManCap_ = nullptr;
    TQNEdit* EPreMktBud_ = nullptr;
    QPushButton* BBNewProj_ = nullptr;
    QPushButton* BBReIntroProj_ = nullptr;
    QPushButton* BBAbandonProj_ = nullptr;
    QPushButton* BBOk_ = nullptr;
    QPushButton* BBCancel_ = nullptr;
};

}  // namespace cv
