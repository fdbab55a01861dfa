#include "team/team_page.h"

#include <QMenu>

#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "shell/dialog_help.h"
#include "shell/main_window.h"
#include "shell/picture_image.h"
#include "team/opening_dialog.h"
#include "ui/cp1252.h"
#include "ui/cv3_speed_button.h"
#include "ui/help_state.h"
#include "ui/user_action.h"

namespace cv {
namespace {

constexpr char kPasswordFeatureText[] = "This feature is disabled in this version and the following ones";
constexpr char kPageCaptionKey[] = "FoInterface";
// Modes of the period selector.
constexpr std::uint8_t kPeriodHidden = 0;
constexpr std::uint8_t kPeriodShown = 2;
// Pages 1..6 are the program's pages; closing the industry hides all but this one.
constexpr int kProgramPageCount = 6;

}  // namespace

TFoSimul::TFoSimul(TFoCv3Main& mainWindow, QWidget* owner) : TFoCv3Mod(owner, QStringLiteral("FoSimul")),
                                                              mainWindow_(mainWindow) {
    mainWindow_.TeamPageButton()->SetAssociatedForm(this);
    BuildMenu();
    if (Translator && Translator->IsOpen()) {
        std::string caption;
        Translator->ControlsLine(kPageCaptionKey, 1, caption);
        setWindowTitle(Cp1252ToQString(caption));
    }
    if (Session) languageCode_ = Session->Language();
    TranslateForm();
    RegisterPage(nullptr);
}

void TFoSimul::BuildMenu() {
    PageMenuBar()->setObjectName(QStringLiteral("MTeamInterface"));
    QMenu* file = AddMenu(QStringLiteral("MPFile"), QStringLiteral("&File"));
    // Opening, backups and sending are built on this menu by the exchange operations.
    AddMenuItem(file, QStringLiteral("MPTeamOpenInd"), QStringLiteral("&Open industry..."),
                [this](QAction* item) { OpenIndustryClick(item, false); });
    AddMenuItem(file, QStringLiteral("MPTeamCloseInd"), QStringLiteral("&Close industry"),
                [this](QAction* item) { MPCloseIndClick(item); });
    AddSeparator(file, QStringLiteral("N10"));
    AddMenuItem(file, QStringLiteral("MPPasswd"), QStringLiteral("Change &password..."),
                [this](QAction* item) { MPPasswdClick(item); });
    AddSeparator(file, QStringLiteral("N4"));
    AddMenuItem(file, QStringLiteral("MPBackup"), QStringLiteral("&Backup..."),
                [this](QAction* item) { MPBackupClick(item); });
    AddMenuItem(file, QStringLiteral("MPRestore"), QStringLiteral("&Restore..."),
                [this](QAction* item) { MPRestoreClick(item); });
    AddSeparator(file, QStringLiteral("N5"));
    AddMenuItem(file, QStringLiteral("MPTransferToAdm"), QStringLiteral("&Send to the instructor"),
                [this](QAction* item) { MPTransferToAdmClick(item); });
    AddMenuItem(file, QStringLiteral("MPTransferFromAdm"), QStringLiteral("&Take the instructor's industry..."),
                [this](QAction* item) { OpenIndustryClick(item, true); });
    QMenu* finances = AddMenu(QStringLiteral("MPFinances"), QStringLiteral("F&inances"));
    AddMenuItem(finances, QStringLiteral("MPNewLoan"), QStringLiteral("&New loan..."),
                [this](QAction* item) { OpenBank(item, kBankNewLoanTab); });
    AddMenuItem(finances, QStringLiteral("MPLoanSchedule"), QStringLiteral("&Loan schedule..."),
                [this](QAction* item) { OpenBank(item, kBankScheduleTab); });
    AddSeparator(finances, QStringLiteral("N6"));
    AddMenuItem(finances, QStringLiteral("MPBgtchg"), QStringLiteral("&Budget change..."),
                [this](QAction* item) { OpenBank(item, kBankBudgetChangeTab); });
}

QAction* TFoSimul::Item(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

void TFoSimul::UpdateMenus() {
    TFoCv3Mod::UpdateMenus();
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    const bool data = industry != nullptr;
    const bool samePeriod = data && Data.SelPeriod == industry->CurPeriod();
    Item("MPTeamOpenInd")->setEnabled(true);
    Item("MPTeamCloseInd")->setEnabled(data);
    Item("MPPasswd")->setEnabled(samePeriod);
    Item("MPBackup")->setEnabled(samePeriod);
    Item("MPRestore")->setEnabled(!data);
    Item("MPTransferToAdm")->setEnabled(samePeriod);
    Item("MPTransferFromAdm")->setEnabled(!data);
    for (const char* name : {"MPFinances", "MPNewLoan", "MPLoanSchedule", "MPBgtchg"})
        Item(name)->setEnabled(samePeriod);
}

bool TFoSimul::ApplySelector(TBarGrpBtn& group, QWidget* sender) {
    const bool changed = TFoCv3Mod::ApplySelector(group, sender);
    UpdateMenus();
    return changed;
}

void TFoSimul::SetupBar() {
    // The page shows only the period; firms, zones and markets stay hidden.
    const bool data = Session && Session->Industry();
    SetPeriodSelector(data ? kPeriodShown : kPeriodHidden, Data.SelPeriod, true);
    TFoCv3Mod::SetupBar();
}

void TFoSimul::MenuItemClick(QAction* item) {
    HelpState().HelpContext = kHelpContextMenu;
    if (!item) return;
    TFoCv3Mod::MenuItemClick(item);
    SetupBar();
}

void TFoSimul::FormActivate() {
    TFoCv3Mod::FormActivate();
    if (!Session) return;
    if (firstActivation_) {
        firstActivation_ = false;
        DrawNoIndustryBackground();
    }
    HelpState().HelpContext = kHelpContextPage;
    mainWindow_.HidePageSteppingButtons();
    mainWindow_.SetPageButtonActive(mainWindow_.TeamPageButton(), true);
    if (QAction* remembered = RememberedItem()) ShowItemAtCurrentPeriod(remembered);
}

void TFoSimul::FormDeactivate() {
    TFoCv3Mod::FormDeactivate();
    mainWindow_.SetPageButtonActive(mainWindow_.TeamPageButton(), false);
}

void TFoSimul::MPCloseIndClick(QAction* item) {
    // An industry that could not be saved stays open and nothing is lost.
    RunUserAction([this] { CloseIndustry(); });
    mainWindow_.RefreshAll();
    SetupBar();
    MenuItemClick(item);
    ShowWhenClosed();
}

void TFoSimul::ShowWhenClosed() {
    if (!Session || Session->Industry()) return;
    DrawNoIndustryBackground();
    for (TFoCv3Mod* page : Pages())
        if (page != this && page->WindowNumber() <= kProgramPageCount) page->hide();
}

void TFoSimul::ShowOpenedIndustry() {
    if (mainWindow_.RefreshAll()) return;
    RunUserAction([this] { CloseIndustry(); });
    mainWindow_.RefreshAll();
    ShowWhenClosed();
}

void TFoSimul::OpenIndustryClick(QAction* item, bool transferMode) {
    TFoReadResults dialog(this, transferMode);
    // As when the industry is closed from the menu: only this page stays shown.
    dialog.BeforeIndustryCloses = [this] { mainWindow_.ShowPage(this); };
    const THelpContext help = transferMode ? hcTakeInstructorIndustry : hcOpenIndustry;
    if (ExecWithHelp(*this, dialog, help) == QDialog::Accepted) {
        ShowOpenedIndustry();
        if (Session->Industry()) DrawBackground();
    }
    SetupBar();
    MenuItemClick(item);
}

void TFoSimul::CloseIndustry() {
    mainWindow_.ShowPage(this);
    if (Session) Session->IndClose();
}

void TFoSimul::MPPasswdClick(QAction* item) {
    Ui().ShowMessageBox(TMsgDlgType::mtInformation, mbOK, kPasswordFeatureText, {-1}, TAlignment::taCenter);
    MenuItemClick(item);
}

void TFoSimul::DrawNoIndustryBackground() { ReplaceImage(kNoIndustryPicture, false); }

void TFoSimul::DrawBackground() { ReplaceImage(kIndustryPicture, true); }

int TFoSimul::ClientAreaHeight() const { return height() - PageMenuBar()->sizeHint().height(); }

void TFoSimul::ReplaceImage(const char* pictureName, bool topHalf) {
    pictureName_ = pictureName;
    pictureTopHalf_ = topHalf;
    delete image_;
    image_ = new QLabel(this);
    image_->setObjectName(QStringLiteral("Image"));
    const int clientHeight = ClientAreaHeight();
    image_->setGeometry(0, height() - clientHeight, width(), topHalf ? clientHeight / 2 - 1 : clientHeight);
    image_->show();
    if (Session) DrawPictureOnImage(*image_, Session->MediaDir() + pictureName);
}

void TFoSimul::resizeEvent(QResizeEvent* event) {
    TFoCv3Mod::resizeEvent(event);
    if (pictureName_) ReplaceImage(pictureName_, pictureTopHalf_);
}

void TFoSimul::paintEvent(QPaintEvent* event) {
    TFoCv3Mod::paintEvent(event);
    // A new language redraws the picture; an ordinary repaint leaves it alone.
    if (!Session || Session->Language() == languageCode_) return;
    languageCode_ = Session->Language();
    if (Session->Industry())
        DrawBackground();
    else
        DrawNoIndustryBackground();
}

}  // namespace cv
