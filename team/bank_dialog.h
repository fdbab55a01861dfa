#pragma once
// TFoBank: the team's dialog for asking for a loan and for a change of its
// budget in the decision period, with the loan schedule as the loan typed now
// would make it. A request binds once the administrator code signs it; a
// signed request stays signed while it asks for no more than was signed.
// OK stores the request in the decision set and saves the decision sets.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabBar>
#include <memory>

#include "core/store/data_context.h"
#include "core/team/loan_request.h"
#include "ui/qn_form.h"

namespace cv {

class TCvPerData;
class TFirResult;
class TQNEdit;

class TFoBank : public TQNForm {
    Q_OBJECT

public:
    enum TTab : int { kNewLoanTab = 0, kScheduleTab = 1, kBudgetChangeTab = 2 };

    // Context names the firm and the decision period of the request.
    TFoBank(QWidget* owner, const TDataContext& context);
    ~TFoBank() override;

    void SelectTab(int tab);
    const TLoanRequest& Request() const { return request_; }
    // The period the request is for.
    std::int16_t DecisionPeriod() const { return context_.DecPeriod; }
    TFirResult* Schedule() const { return schedule_.get(); }

private:
    QWidget* BuildLoanPage();
    QWidget* BuildSchedulePage();
    QWidget* BuildBudgetChangePage();
    QWidget* AddPage(const char* name);
    TQNEdit* AddNumberField(QWidget& page, int row, const char* labelName, const char* fieldName, double minValue,
                            double maxValue, int precision, int maxLength);
    QLineEdit* AddCodeField(QWidget& page, int row, const char* labelName, const char* fieldName,
                            const char* buttonName);
    QLabel* AddStatusLine(QWidget& page, int row, const char* name);

    void LoanFieldLeft();
    void BudgetChangeFieldLeft();
    void RefreshLoanStatus();
    void RefreshBudgetChangeStatus();
    void ShowStatus(QPushButton& signButton, QLabel& status, bool none, bool isSigned, int signedLine,
                    int unsignedLine);
    // Signs with the code typed in CodeField; a wrong code changes nothing.
    bool CodeAccepted(QLineEdit& codeField);
    void tsBankClick(int tab);
    // The schedule rebuilt for its panel's present size; an error is shown, not thrown.
    void ShowSchedule();
    void RebuildSchedule();
    // Gives the schedule's panel the table's size, so that the area scrolls to all of it.
    void FitSchedule();
    void BBOkClick();
    // The schedule's viewport gets its size only once the dialog is laid out
    // on the screen: a schedule built before is built again for that size.
    bool eventFilter(QObject* watched, QEvent* event) override;

    TDataContext context_;
    TCvPerData& decisions_;
    TLoanRequest request_;
    QStackedWidget* nbBank_ = nullptr;
    QTabBar* tsBank_ = nullptr;
    TQNEdit* edLoanCap_ = nullptr;
    TQNEdit* edLoanDur_ = nullptr;
    TQNEdit* edLoanIR_ = nullptr;
    TQNEdit* edBgtChg_ = nullptr;
    QLineEdit* edDirSign_ = nullptr;
    QLineEdit* edCEOSign_ = nullptr;
    QPushButton* btnloanSign_ = nullptr;
    QPushButton* btnBgtChgSign_ = nullptr;
    QLabel* labInfoVal_ = nullptr;
    QLabel* labInfoBgtChg_ = nullptr;
    QScrollArea* scheduleArea_ = nullptr;
    QWidget* paPage0_ = nullptr;
    QSize scheduleBuiltFor_;
    std::unique_ptr<TFirResult> schedule_;
};

// Opens the dialog modally on Tab for the team page, with the help of the
// loans or, on the budget-change tab, of budget changes.
void ShowBankDialog(QWidget& owner, const TDataContext& context, int tab);

}  // namespace cv
