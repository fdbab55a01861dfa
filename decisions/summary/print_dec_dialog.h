#pragma once
// TFoPrintDec: which decision document to produce (the decisions, the budget
// or the marketing plan), whether to write its spreadsheet file only, and the
// printer set-up. The caller's two variables follow the choices as they are
// made: Choice 1 decisions, 2 budget, 3 marketing plan; SpreadsheetOnly 1
// for the file only. Without a default printer only the file can be written.
//
// While the instructor keeps the marketing plan from the team, the dialog
// offers no plan document; a Choice of 3 then stands for the decisions.

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "ui/qn_form.h"

namespace cv {

class TFoPrintDec : public TQNForm {
    Q_OBJECT

public:
    TFoPrintDec(QWidget* owner, int& spreadsheetOnly, int& choice);

    // The choices offered, in order (2 without the marketing plan).
    const std::vector<QRadioButton*>& Choices() const { return choices_; }
    void BBPrintSetupClick();

private:
    void BuildControls(bool withPlan);
    void Layout();
    void ChBXLOnlyClick();

    int& spreadsheetOnly_;
    int& choice_;
    QGroupBox* rgPrintDecChoices = nullptr;
    std::vector<QRadioButton*> choices_;
    QCheckBox* ChBXLOnly = nullptr;
    QPushButton* BBPrint = nullptr;
    QPushButton* bbCancel = nullptr;
    QPushButton* BBPrintSetup = nullptr;
};

}  // namespace cv
