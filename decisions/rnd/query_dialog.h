#pragma once
// TFoQuery: the R&D department's answer to a cost estimate of a project. The
// R&D dialog fills the three figures and the two counters before showing it;
// Ask (after a confirmation) shows the answer and counts it against the
// estimates allowed this period, whether or not it is applied; Apply closes
// with OK so that the R&D dialog takes the answer into the project. With the
// estimates used up only Close is left.

#include <QLabel>
#include <QPushButton>

#include "ui/qn_form.h"

namespace cv {

class TQNEdit;

class TFoQuery : public TQNForm {
    Q_OBJECT

public:
    explicit TFoQuery(QWidget* owner);

    // The answer: requested and minimum unit cost, required budget in money units.
    double ReqUC = 0;
    double MinUC = 0;
    double ReqBgt = 0;

    // Estimates allowed this period and estimates made (the output).
    TQNEdit* QNENbMaxQueries = nullptr;
    TQNEdit* QNENbQueries = nullptr;

    void BBQueryClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Every showing starts without an answer; Ask is left only while estimates remain.
    void FormActivate();
    QLabel* AddAnswer(QWidget& group, int row, const char* labelName, const char* panelName);

    QLabel* EMinMUC2_ = nullptr;
    QLabel* EReqUC_ = nullptr;
    QLabel* ECompletBud2_ = nullptr;
    QPushButton* BBQuery_ = nullptr;
    QPushButton* BBApplyQuery_ = nullptr;
};

}  // namespace cv
