#pragma once
// The small dialogs of the R&D dialog, over its model (read only):
// - TFoNewPrj names a new project and may base it on a completed prototype;
// - TFoPrjName renames a new project;
// - TFoReIntro picks a suspended prototype to continue as a project.
// Each refuses a name or choice it cannot take with a line of "DevDecs" and
// keeps the focus on the field to correct; the R&D dialog reads the results
// after OK.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <string>

#include "ui/qn_form.h"

namespace cv {

class TModRnD;

class TFoNewPrj : public TQNForm {
    Q_OBJECT

public:
    TFoNewPrj(QWidget* owner, const TModRnD& model);

    // After OK: the name, whether a base prototype is used, and which (empty when none).
    std::string ProjectName() const;
    bool UsesBase() const { return UsePrjBase_->isChecked(); }
    std::string BasePrototype() const;

    void BBCreateProjClick();
    // The base list follows the check box; an unused list has no selection.
    void AdjustExistProtoList();

protected:
    // A click on the choice's text works its check box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TModRnD& model_;
    QLabel* LProtoChoiceMsg_ = nullptr;
    QLineEdit* MEProjName_ = nullptr;
    QCheckBox* UsePrjBase_ = nullptr;
    QListWidget* LBExistProto_ = nullptr;
};

class TFoPrjName : public TQNForm {
    Q_OBJECT

public:
    TFoPrjName(QWidget* owner, const TModRnD& model, const std::string& oldName);

    std::string ProjectName() const;
    void BBOkClick();

private:
    const TModRnD& model_;
    std::string OldName;
    QLineEdit* MEProjName_ = nullptr;
};

class TFoReIntro : public TQNForm {
    Q_OBJECT

public:
    TFoReIntro(QWidget* owner, const TModRnD& model);

    // How many suspended prototypes are listed; the R&D dialog shows none when 0.
    int NbSuspended = 0;
    // After OK: the chosen prototype.
    std::string PrototypeName() const;

private:
    QListWidget* LBExistProto_ = nullptr;
    QLineEdit* EProjName_ = nullptr;
};

}  // namespace cv
