#include "team/opening_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>

#include "core/base/file_routines.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/session.h"
#include "core/session/team_password.h"
#include "core/team/exchange_files.h"
#include "core/team/industry_opening.h"
#include "core/team/removable_drive.h"

namespace cv {

namespace {

constexpr char kOpenMessages[] = "TeamIndOpen";
constexpr int kLineRemovableUnreachable = 10;
constexpr int kLineUnreachable = 11;
constexpr int kLineNoPassword = 9;
constexpr char kDescriptorMask[] = "*.mr?";
constexpr char kWorkingCopyMask[] = "*.mt?";
constexpr int kListLeft = 16;
constexpr int kListWidth = 180;
constexpr int kLabelLeft = 212;
constexpr int kFieldLeft = 320;
constexpr int kFieldWidth = 130;
constexpr int kRowHeight = 32;
// The main window's help button, lent to the dialog at its top right corner,
// has a strip of its own above the frame.
constexpr int kLentButtonRoom = 24;
constexpr int kFrameTop = 8 + kLentButtonRoom;
constexpr int kFirstRowTop = kFrameTop + 16;
constexpr int kButtonsTop = kFrameTop + 186;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setGeometry(left, top, 130, 26);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TFoReadResults::TFoReadResults(QWidget* owner, bool transferMode) : TQNForm(owner), transferMode_(transferMode) {
    setObjectName(QStringLiteral("FoReadResults"));
    setWindowTitle(QStringLiteral("Take the instructor's industry"));
    BuildControls();
    TranslateForm();
    if (!transferMode_) {
        if (Translator && Translator->IsOpen())
            setWindowTitle(QString::fromStdString(Translator->GetLine(kSectionControls, "FoOpenInd", 1)));
        BBTransferOpen->hide();
        if (Session) ListDirectory(Session->PrivateDir());
    } else {
        BBOpenInd->hide();
    }
    ActionButton()->setEnabled(false);
    // Enter in a field, the password above all, confirms the dialog.
    ActionButton()->setDefault(true);
}

TQNEdit* TFoReadResults::AddField(const char* labelName, const char* labelCaption, const char* fieldName, int top) {
    auto* label = new QLabel(QString::fromUtf8(labelCaption), this);
    label->setObjectName(labelName);
    label->setGeometry(kLabelLeft, top + 3, kFieldLeft - kLabelLeft - 8, 18);
    auto* field = new TQNEdit(this);
    field->setObjectName(fieldName);
    field->setGeometry(kFieldLeft, top, kFieldWidth, 24);
    return field;
}

void TFoReadResults::BuildControls() {
    setFixedSize(472, kButtonsTop + 42);
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(8, kFrameTop, 456, 172);
    FLBTeamFile = new QListWidget(this);
    FLBTeamFile->setObjectName(QStringLiteral("FLBTeamFile"));
    FLBTeamFile->setGeometry(kListLeft, kFirstRowTop - 8, kListWidth, 156);
    connect(FLBTeamFile, &QListWidget::currentRowChanged, this, [this] { FLBTeamFileChange(); });
    QNETeamLetter = AddField("LTeamLetter", "Team", "QNETeamLetter", kFirstRowTop);
    QNEIndName = AddField("LIndName", "Industry", "QNEIndName", kFirstRowTop + kRowHeight);
    QNEPerDec = AddField("LPerDec", "Decision period", "QNEPerDec", kFirstRowTop + 2 * kRowHeight);
    QNEPwd = AddField("LPwd", "Password", "QNEPwd", kFirstRowTop + 3 * kRowHeight);
    // The chosen file decides the letter, the industry and the period.
    for (TQNEdit* shown : {QNETeamLetter, QNEIndName, QNEPerDec}) shown->setReadOnly(true);
    QNEPerDec->Kind = TEditKind::ekInteger;
    BBTransferOpen = MakeButton(this, "BBTransferOpen", "Transfer and open", 180, kButtonsTop);
    BBOpenInd = MakeButton(this, "BBOpenInd", "Open", 180, kButtonsTop);
    BBCancel = MakeButton(this, "BBCancel", "Cancel", 326, kButtonsTop);
    connect(BBTransferOpen, &QPushButton::clicked, this, [this] { BBOpenClick(); });
    connect(BBOpenInd, &QPushButton::clicked, this, [this] { BBOpenClick(); });
    connect(BBCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFoReadResults::showEvent(QShowEvent* event) {
    TQNForm::showEvent(event);
    if (transferMode_ && !exchangeChecked_) {
        exchangeChecked_ = true;
        // Once the dialog is on the screen, so that a box about the directory
        // shows over it.
        QTimer::singleShot(0, this, [this] { CheckExchangeDrive(); });
    }
}

void TFoReadResults::CheckExchangeDrive() {
    if (!Session) return;
    const std::string& exchange = Session->ExchangeDir();
    auto reachable = [&] { return IsExchangeDirSet(exchange) && IsExistingDirectory(exchange); };
    if (reachable()) return ListDirectory(exchange);
    if (IsExchangeDirSet(exchange) && IsOnRemovableDrive(exchange)) {
        // A removable disk may simply not be in the drive yet.
        const TModalResult answer = Ui().ShowMessageBox(TMsgDlgType::mtWarning, mbOK | mbCancel, kOpenMessages,
                                                        {kLineRemovableUnreachable}, TAlignment::taCenter);
        if (answer == TModalResult::mrOk && reachable()) return ListDirectory(exchange);
    }
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK | mbCancel, kOpenMessages, {kLineUnreachable},
                        TAlignment::taCenter);
    ListDirectory(Session->PrivateDir());
}

void TFoReadResults::ListDirectory(const std::string& dir) {
    listedDir_ = dir;
    FLBTeamFile->clear();
    for (const std::string& name : ListExchangeFiles(dir, transferMode_ ? kDescriptorMask : kWorkingCopyMask))
        FLBTeamFile->addItem(QString::fromStdString(name));
}

void TFoReadResults::FLBTeamFileChange() {
    ReadTeamDescriptor();
    if (QNEPwd->FieldEnabled() && QNEPwd->isVisible()) QNEPwd->setFocus();
}

void TFoReadResults::ReadTeamDescriptor() {
    QNETeamLetter->clear();
    QNEIndName->clear();
    QNEPwd->clear();
    QNEPerDec->SetValueInt(kAbsentInteger);
    ActionButton()->setEnabled(false);
    const QListWidgetItem* item = FLBTeamFile->currentItem();
    if (!item || !IsExistingFile(JoinFileName(listedDir_, item->text().toStdString()))) return;
    std::string name = item->text().toStdString();
    if (!transferMode_) name = DescriptorNameOfWorkingCopy(name);
    const std::string letter = name.substr(name.size() - 1);
    QNETeamLetter->setText(QString::fromStdString(letter));
    QNEIndName->setText(QString::fromStdString(IndustryNameOf(name)));
    const std::string descriptor = FindExchangeFile(listedDir_, name);
    QNEPerDec->SetValueInt(ReadDescriptorPeriod(descriptor));
    const auto keys = cv::ReadTeamDescriptor(descriptor);
    const bool noPassword = keys && IsNoPasswordKey(letter, keys->keyPwd);
    if (noPassword) {
        QNEPwd->setEchoMode(QLineEdit::Normal);
        if (Translator && Translator->IsOpen())
            QNEPwd->setText(QString::fromStdString(Translator->GetLine(kSectionMessages, kOpenMessages, kLineNoPassword)));
    } else {
        QNEPwd->setEchoMode(QLineEdit::Password);
    }
    QNEPwd->SetFieldEnabled(!noPassword);
    QNEPwd->setReadOnly(noPassword);
    ActionButton()->setEnabled(true);
}

void TFoReadResults::BBOpenClick() {
    if (!Session) return;
    TOpeningRequest request;
    request.transferMode = transferMode_;
    request.teamLetter = QNETeamLetter->text().toStdString();
    request.industryName = QNEIndName->text().toStdString();
    if (QNEPwd->FieldEnabled()) request.password = QNEPwd->text().toStdString();
    request.beforeIndustryCloses = BeforeIndustryCloses;
    const TOpeningOutcome outcome = OpenTeamIndustry(*Session, request);
    if (outcome == TOpeningOutcome::opened) return accept();
    if (outcome == TOpeningOutcome::wrongPassword) {
        QNEPwd->clear();
        QNEPwd->setFocus();
    }
}

}  // namespace cv
