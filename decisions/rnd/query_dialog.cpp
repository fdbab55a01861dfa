#include "decisions/rnd/query_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/base/text_format.h"
#include "core/base/ui_services.h"
#include "core/session/session.h"
#include "decisions/rnd/rnd_form_parts.h"
#include "ui/fields/qn_edit.h"

namespace cv {

namespace {

constexpr double kThousand = 1000;
constexpr int kAnswerWidth = 110;

QString Answer(double value) { return QString::fromStdString(" " + FormatThousands(value, 0)); }

}  // namespace

TFoQuery::TFoQuery(QWidget* owner) : TQNForm(owner) {
    setObjectName(QStringLiteral("FoQuery"));
    auto* layout = NewDialogLayout(*this);
    auto* counters = new QGridLayout;
    QNENbMaxQueries = AddCounter(*this, *counters, 0, "LNbMaxQueries", "QNENbMaxQueries");
    QNENbQueries = AddCounter(*this, *counters, 1, "LNbQueries", "QNENbQueries");
    layout->addLayout(counters);

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GBRnDQuery"));
    new QGridLayout(group);
    EMinMUC2_ = AddAnswer(*group, 0, "LMinMUC2", "EMinMUC2");
    EReqUC_ = AddAnswer(*group, 1, "LReqUC", "EReqUC");
    ECompletBud2_ = AddAnswer(*group, 2, "LCompletBud2", "ECompletBud2");
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    BBQuery_ = AddButton(*this, *buttons, "BBQuery", "Ask");
    BBApplyQuery_ = AddButton(*this, *buttons, "BBApplyQuery", "Apply");
    buttons->addStretch(1);
    QPushButton* close = AddButton(*this, *buttons, "BBClose", "Close");
    layout->addLayout(buttons);
    connect(BBQuery_, &QPushButton::clicked, this, &TFoQuery::BBQueryClick);
    connect(BBApplyQuery_, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    TranslateForm();
    // Sized now: the help button is lent at its top right corner before it is shown.
    adjustSize();
}

QLabel* TFoQuery::AddAnswer(QWidget& group, int row, const char* labelName, const char* panelName) {
    auto* grid = static_cast<QGridLayout*>(group.layout());
    grid->addWidget(NewLabel(group, labelName), row, 0);
    auto* panel = new QLabel(&group);
    panel->setObjectName(QString::fromLatin1(panelName));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setMinimumWidth(kAnswerWidth);
    grid->addWidget(panel, row, 1);
    return panel;
}

void TFoQuery::showEvent(QShowEvent* event) {
    TQNForm::showEvent(event);
    FormActivate();
}

void TFoQuery::FormActivate() {
    for (QLabel* panel : {EMinMUC2_, EReqUC_, ECompletBud2_}) panel->clear();
    const bool usedUp = QNENbQueries->IntValue() >= QNENbMaxQueries->IntValue() && !(Session && Session->AdminView());
    BBQuery_->setEnabled(!usedUp);
    BBApplyQuery_->setEnabled(false);
}

void TFoQuery::BBQueryClick() {
    // Enter keeps the estimate unbought: only a few are allowed each period.
    if (Ui().ShowMessageBox(TMsgDlgType::mtConfirmation, mbYes | mbNo | mbDefaultCancel, "QueryConfirm", {0},
                            TAlignment::taCenter) != TModalResult::mrYes)
        return;
    EMinMUC2_->setText(Answer(MinUC));
    EReqUC_->setText(Answer(ReqUC));
    ECompletBud2_->setText(Answer(ReqBgt / kThousand));
    QNENbQueries->SetValueInt(QNENbQueries->IntValue() + 1);
    BBQuery_->setEnabled(false);
    BBApplyQuery_->setEnabled(true);
}

}  // namespace cv
