#pragma once
// TFoNewBrd: names a new brand and chooses the completed prototype it is based
// on, or bases an existing brand on another prototype (its name then stays).
// A brand name is the market's initial and the firm's label, then two letters
// or digits; a firm never gives a name twice in a market, not even the name of
// a brand it withdrew long ago.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "ui/qn_form.h"

namespace cv {

class TModRnD;

class TFoNewBrd : public TQNForm {
    Q_OBJECT

public:
    // BrdName empty: a new brand; else the brand whose project changes, with
    // ProjName its project. PendingNames: the brands of the portfolio being decided.
    TFoNewBrd(QWidget* owner, TDataContext& callerContext, const std::string& brdName, const std::string& projName,
              std::vector<std::string> pendingNames);
    ~TFoNewBrd() override;

    // Whether the typed name is one of the pending names or was a brand's name
    // in the market in any period up to the current one.
    bool NameUsed() const;

    // After OK: the brand's name (a modified brand keeps its own) and its project.
    std::string BrandName() const;
    std::string ProjectName() const;

private:
    void BuildControls();
    void FillPrototypes();
    void BBOKClick();
    void LBExistProtoClick();
    void BBViewRnDReportClick();
    // Shows line Line of "BFolioDecs" and gives Control the focus; the dialog stays.
    void Refuse(int line, QWidget& control);

    TDataContext* CallerContext;
    std::unique_ptr<TModRnD> RnDModel;
    bool IsNew;
    std::vector<std::string> PendingNames;
    std::string OldBrdName;

    QLabel* LNewBrdName = nullptr;
    QLabel* LModifBrd = nullptr;
    QLineEdit* MEBrdName = nullptr;
    QLabel* LExistProto = nullptr;
    QListWidget* LBExistProto = nullptr;
    QLabel* LBasedProto = nullptr;
    QLineEdit* MEProjName = nullptr;
    QPushButton* BBOK = nullptr;
    QPushButton* BBCancel = nullptr;
    QPushButton* BBViewRnDReport = nullptr;
};

}  // namespace cv
