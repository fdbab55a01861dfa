#pragma once
// TFoReadResults: the dialog through which a team gets an industry. In
// transfer mode it lists the team descriptors the instructor left in the
// exchange directory; in open mode the team's working copies in its private
// directory. Choosing a file fills the read-only letter, industry and period
// fields and asks for the password unless the descriptor waives it; the action
// button runs the opening (core/team/industry_opening.h). A successful
// opening ends the dialog with Accepted; a failed one leaves it open.

#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "ui/fields/qn_edit.h"
#include "ui/qn_form.h"

class QLabel;

namespace cv {

class TFoReadResults : public TQNForm {
    Q_OBJECT

public:
    TFoReadResults(QWidget* owner, bool transferMode);

    bool TransferMode() const { return transferMode_; }
    // Called before an opening closes the open industry (see TOpeningRequest).
    std::function<void()> BeforeIndustryCloses;
    // The directory the file list shows now.
    const std::string& ListedDir() const { return listedDir_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    TQNEdit* AddField(const char* labelName, const char* labelCaption, const char* fieldName, int top);
    // Points the list at the exchange directory, or at the private directory
    // when that cannot be reached (saying so once).
    void CheckExchangeDrive();
    void ListDirectory(const std::string& dir);
    void FLBTeamFileChange();
    void ReadTeamDescriptor();
    void BBOpenClick();
    QPushButton* ActionButton() const { return transferMode_ ? BBTransferOpen : BBOpenInd; }

    bool transferMode_;
    bool exchangeChecked_ = false;
    std::string listedDir_;
    QListWidget* FLBTeamFile;
    TQNEdit* QNETeamLetter;
    TQNEdit* QNEIndName;
    TQNEdit* QNEPerDec;
    TQNEdit* QNEPwd;
    QPushButton* BBTransferOpen;
    QPushButton* BBOpenInd;
    QPushButton* BBCancel;
};

}  // namespace cv
