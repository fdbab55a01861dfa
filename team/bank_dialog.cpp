#include "team/bank_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QScrollArea>
#include <algorithm>
#include <QVBoxLayout>

#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/results/firm_result.h"
#include "core/team/admin_code.h"
#include "shell/config/ok_cancel_row.h"
#include "shell/dialog_help.h"
#include "ui/cp1252.h"
#include "ui/fields/qn_edit.h"
#include "ui/report/qn_table.h"
#include "ui/translate_component.h"
#include "ui/user_action.h"

namespace cv {
namespace {

constexpr int kClientWidth = 632;
constexpr int kClientHeight = 454;
constexpr int kTabCount = 3;
constexpr char kTabCaptionsKey[] = "BankTabSet";
constexpr char kCaptionKey[] = "FoBank";
constexpr char kStatusKey[] = "Bank";
constexpr int kLineLoanUnsigned = 1;
constexpr int kLineLoanSigned = 2;
constexpr int kLineBudgetChangeUnsigned = 3;
constexpr int kLineBudgetChangeSigned = 4;
constexpr int kLineWrongCode = 5;
constexpr int kCodeMaxLength = 50;
constexpr double kRatePercent = 100;

QFont StatusFont() {
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setItalic(true);
    return font;
}

}  // namespace

TFoBank::TFoBank(QWidget* owner, const TDataContext& context)
    : TQNForm(owner), context_(context), decisions_(Session->Industry()->PerDecisions(context.DecPeriod)),
      request_(decisions_, context) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoBank"));
    setFixedSize(kClientWidth, kClientHeight);
    auto* layout = new QVBoxLayout(this);
    nbBank_ = new QStackedWidget(this);
    nbBank_->setObjectName(QStringLiteral("nbBank"));
    nbBank_->addWidget(BuildLoanPage());
    nbBank_->addWidget(BuildSchedulePage());
    nbBank_->addWidget(BuildBudgetChangePage());
    tsBank_ = new QTabBar(this);
    tsBank_->setObjectName(QStringLiteral("tsBank"));
    tsBank_->setShape(QTabBar::RoundedSouth);
    for (int tab = 0; tab < kTabCount; ++tab) tsBank_->addTab(Cp1252ToQString(ControlsLine(kTabCaptionsKey, tab + 1)));
    layout->addWidget(nbBank_, 1);
    layout->addWidget(tsBank_);
    // Enter stays in the number fields: OK is not the default button.
    AddOkCancelRow(*this, *layout, "BBOk", false, [this] { BBOkClick(); });
    connect(tsBank_, &QTabBar::currentChanged, this, &TFoBank::tsBankClick);
    TranslateForm();
    setWindowTitle(Cp1252ToQString(ControlsLine(kCaptionKey, 1)));
    schedule_ = TCVScreen::Create<TFirResult>(paPage0_, context_, TFirResult::kLoanRequestSchedule,
                                                kWholeWindowLayout);
    RefreshLoanStatus();
    RefreshBudgetChangeStatus();
    QApplication::restoreOverrideCursor();
}

TFoBank::~TFoBank() = default;

QWidget* TFoBank::AddPage(const char* name) {
    auto* page = new QWidget(nbBank_);
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

TQNEdit* TFoBank::AddNumberField(QWidget& page, int row, const char* labelName, const char* fieldName,
                                 double minValue, double maxValue, int precision, int maxLength) {
    auto* grid = static_cast<QGridLayout*>(page.layout());
    auto* label = new QLabel(&page);
    label->setObjectName(QString::fromLatin1(labelName));
    auto* field = new TQNEdit(&page);
    field->setObjectName(QString::fromLatin1(fieldName));
    field->Kind = TEditKind::ekReal;
    field->MinValue = minValue;
    field->MaxValue = maxValue;
    field->Precision = precision;
    field->setMaxLength(maxLength);
    field->setAlignment(Qt::AlignRight);
    QFont font(QStringLiteral("Arial"), 8);
    font.setBold(true);
    field->setFont(font);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

QLineEdit* TFoBank::AddCodeField(QWidget& page, int row, const char* labelName, const char* fieldName,
                                 const char* buttonName) {
    auto* grid = static_cast<QGridLayout*>(page.layout());
    auto* label = new QLabel(&page);
    label->setObjectName(QString::fromLatin1(labelName));
    auto* field = new QLineEdit(&page);
    field->setObjectName(QString::fromLatin1(fieldName));
    field->setEchoMode(QLineEdit::Password);
    field->setMaxLength(kCodeMaxLength);
    auto* button = new QPushButton(&page);
    button->setObjectName(QString::fromLatin1(buttonName));
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(button, row, 2);
    return field;
}

QLabel* TFoBank::AddStatusLine(QWidget& page, int row, const char* name) {
    auto* status = new QLabel(&page);
    status->setObjectName(QString::fromLatin1(name));
    status->setFont(StatusFont());
    status->setAlignment(Qt::AlignCenter);
    static_cast<QGridLayout*>(page.layout())->addWidget(status, row, 0, 1, 3);
    return status;
}

QWidget* TFoBank::BuildLoanPage() {
    QWidget* page = AddPage("NewLoan");
    auto* grid = new QGridLayout(page);
    edLoanCap_ = AddNumberField(*page, 0, "labLoanCap", "edLoanCap", 0, 50000, 0, 15);
    edLoanDur_ = AddNumberField(*page, 1, "labLoanDur", "edLoanDur", 0, 15, 0, 3);
    edLoanIR_ = AddNumberField(*page, 2, "labLoanIR", "edLoanIR", 0, 25, 2, 10);
    edDirSign_ = AddCodeField(*page, 4, "labDirSign", "edDirSign", "btnloanSign");
    btnloanSign_ = page->findChild<QPushButton*>(QStringLiteral("btnloanSign"));
    labInfoVal_ = AddStatusLine(*page, 5, "labInfoVal");
    grid->setRowStretch(3, 1);
    grid->setRowStretch(6, 1);
    edLoanCap_->SetValueFloat(request_.loan.capital);
    edLoanDur_->SetValueFloat(request_.loan.duration);
    edLoanIR_->SetValueFloat(request_.loan.rate / kRatePercent);
    for (TQNEdit* field : {edLoanCap_, edLoanDur_, edLoanIR_})
        connect(field, &QLineEdit::editingFinished, this, &TFoBank::LoanFieldLeft);
    connect(btnloanSign_, &QPushButton::clicked, this, [this] {
        if (CodeAccepted(*edDirSign_)) request_.SignLoan();
        RefreshLoanStatus();
    });
    return page;
}

QWidget* TFoBank::BuildSchedulePage() {
    QWidget* page = AddPage("LoanSchedule");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    // The schedule may be wider than the dialog: its panel scrolls.
    scheduleArea_ = new QScrollArea(page);
    scheduleArea_->setObjectName(QStringLiteral("paPage1"));
    scheduleArea_->setFrameShape(QFrame::NoFrame);
    paPage0_ = new QWidget;
    paPage0_->setObjectName(QStringLiteral("paPage0"));
    scheduleArea_->setWidget(paPage0_);
    scheduleArea_->viewport()->installEventFilter(this);
    layout->addWidget(scheduleArea_);
    return page;
}

void TFoBank::FitSchedule() {
    TQNTable* table = schedule_ ? schedule_->Table() : nullptr;
    if (!table) return;
    const QSize viewport = scheduleArea_->viewport()->size();
    paPage0_->resize(std::max(table->Width(), viewport.width()), std::max(table->Height(), viewport.height()));
    table->Show();
}

QWidget* TFoBank::BuildBudgetChangePage() {
    QWidget* page = AddPage("BudgetChange");
    auto* grid = new QGridLayout(page);
    edBgtChg_ = AddNumberField(*page, 0, "labBgtChg", "edBgtChg", -50000, 50000, 0, 15);
    edCEOSign_ = AddCodeField(*page, 2, "LabCEOSign", "edCEOSign", "btnBgtChgSign");
    btnBgtChgSign_ = page->findChild<QPushButton*>(QStringLiteral("btnBgtChgSign"));
    labInfoBgtChg_ = AddStatusLine(*page, 3, "labInfoBgtChg");
    grid->setRowStretch(1, 1);
    grid->setRowStretch(4, 1);
    edBgtChg_->SetValueFloat(request_.budgetChange);
    connect(edBgtChg_, &QLineEdit::editingFinished, this, &TFoBank::BudgetChangeFieldLeft);
    connect(btnBgtChgSign_, &QPushButton::clicked, this, [this] {
        if (CodeAccepted(*edCEOSign_)) request_.SignBudgetChange();
        RefreshBudgetChangeStatus();
    });
    return page;
}

void TFoBank::LoanFieldLeft() {
    // A value outside its field's range keeps the request's previous terms.
    if (edLoanCap_->CheckRange(false)) request_.loan.capital = edLoanCap_->RealValue();
    if (edLoanDur_->CheckRange(false)) request_.loan.duration = edLoanDur_->RealValue();
    if (edLoanIR_->CheckRange(false)) request_.loan.rate = edLoanIR_->RealValue() * kRatePercent;
    RefreshLoanStatus();
}

void TFoBank::BudgetChangeFieldLeft() {
    if (edBgtChg_->CheckRange(false)) request_.budgetChange = edBgtChg_->RealValue();
    RefreshBudgetChangeStatus();
}

void TFoBank::ShowStatus(QPushButton& signButton, QLabel& status, bool none, bool isSigned, int signedLine,
                         int unsignedLine) {
    signButton.setEnabled(!none && !isSigned);
    status.setText(none ? QString() : Cp1252ToQString(MessagesLine(kStatusKey, isSigned ? signedLine : unsignedLine)));
    QPalette palette = status.palette();
    palette.setColor(QPalette::WindowText, isSigned ? Qt::darkGreen : Qt::red);
    status.setPalette(palette);
}

void TFoBank::RefreshLoanStatus() {
    ShowStatus(*btnloanSign_, *labInfoVal_, request_.loan.capital == 0, request_.LoanSigned(), kLineLoanSigned,
               kLineLoanUnsigned);
}

void TFoBank::RefreshBudgetChangeStatus() {
    ShowStatus(*btnBgtChgSign_, *labInfoBgtChg_, request_.budgetChange == 0, request_.BudgetChangeSigned(),
               kLineBudgetChangeSigned, kLineBudgetChangeUnsigned);
}

bool TFoBank::CodeAccepted(QLineEdit& codeField) {
    const bool accepted = AdminCodeMatches(Session->Settings(), codeField.text().toStdString());
    codeField.clear();
    if (!accepted)
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kStatusKey, {kLineWrongCode}, TAlignment::taCenter);
    return accepted;
}

void TFoBank::SelectTab(int tab) {
    tsBank_->setCurrentIndex(tab);
    tsBankClick(tab);
}

void TFoBank::tsBankClick(int tab) {
    nbBank_->setCurrentIndex(tab);
    if (tab == kNewLoanTab) RefreshLoanStatus();
    if (tab == kScheduleTab) ShowSchedule();
    if (tab == kBudgetChangeTab) RefreshBudgetChangeStatus();
}

bool TFoBank::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scheduleArea_->viewport() && event->type() == QEvent::Resize &&
        nbBank_->currentIndex() == kScheduleTab && scheduleArea_->viewport()->size() != scheduleBuiltFor_)
        ShowSchedule();
    return TQNForm::eventFilter(watched, event);
}

void TFoBank::ShowSchedule() { RunUserAction([this] { RebuildSchedule(); }, this); }

// The schedule is built from the stored request: the typed one is stored for
// the build only, and the stored values are put back.
void TFoBank::RebuildSchedule() {
    const TStoredRequest stored = ReadStoredRequest(decisions_, context_);
    WriteStoredRequest(decisions_, context_, request_.Stored());
    try {
        scheduleBuiltFor_ = scheduleArea_->viewport()->size();
        paPage0_->resize(scheduleBuiltFor_);
        schedule_->Build(context_);
        FitSchedule();
    } catch (...) {
        WriteStoredRequest(decisions_, context_, stored);
        throw;
    }
    WriteStoredRequest(decisions_, context_, stored);
}

void TFoBank::BBOkClick() {
    request_.Write(decisions_);
    // A request not saved stays in memory and reaches the file with the next save.
    if (RunUserAction([] { Session->Industry()->SaveDecisions(); }, this)) accept();
}

void ShowBankDialog(QWidget& owner, const TDataContext& context, int tab) {
    TFoBank bank(&owner, context);
    bank.SelectTab(tab);
    ExecWithHelp(owner, bank, tab == TFoBank::kBudgetChangeTab ? hcBudgetChange : hcLoans);
}

}  // namespace cv
