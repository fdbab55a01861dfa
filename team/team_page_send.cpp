// The team page's items that write or read zip archives of the team's files:
// sending the data to the instructor, zip backups and their restoring.
#include <QApplication>
#include <QFileDialog>

#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/team/backup_restore.h"
#include "core/team/send_team_data.h"
#include "shell/main_window.h"
#include "team/team_page.h"
#include "ui/cp1252.h"
#include "ui/help_state.h"

namespace cv {
namespace {

constexpr int kLineConfirmSending = 5;
constexpr int kLineBackupTitle = 4;
constexpr int kLineRestoreTitle = 5;

// The hourglass for as long as an archive is written or read.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// A file dialog of zip archives in the private directory.
void PrepareArchiveDialog(QFileDialog& dialog, const char* name, int titleLine) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    std::string title;
    if (Translator) Translator->MessagesLine("IndCreate", titleLine, title);
    dialog.setWindowTitle(Cp1252ToQString(title));
    dialog.setDirectory(QString::fromStdString(Session->PrivateDir()));
    dialog.setNameFilter(QStringLiteral("ZIP archive (*.ZIP *.zip)"));
    dialog.setDefaultSuffix(QStringLiteral("ZIP"));
}

QString ChosenFile(QFileDialog& dialog) {
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                    : QString();
}

}  // namespace

std::string TFoSimul::SelectedFirmLabel() const { return Session->Industry()->FirmLabel(Data.SelFirm); }

void TFoSimul::MPTransferToAdmClick(QAction* item) {
    Ui().ShowMessageBox(TMsgDlgType::mtInformation, mbOK, "HelpUs", {0}, TAlignment::taCenter);
    // Sending replaces what was sent before: Enter answers No.
    if (Session && Session->Industry() &&
        Ui().ShowMessageBox(TMsgDlgType::mtConfirmation, mbYes | mbNo | mbDefaultCancel, "TeamIndClose",
                            {kLineConfirmSending}, TAlignment::taCenter) == TModalResult::mrYes) {
        TWaitCursor hourglass;
        SendTeamData(*Session, {Session->IndFullPath(), SelectedFirmLabel(), [this] { mainWindow_.ShowPage(this); }});
        ShowOpenedIndustry();
    }
    MenuItemClick(item);
}

void TFoSimul::MPBackupClick(QAction* item) {
    if (Session && Session->Industry()) {
        HelpState().HelpContext = hcMakeBackup;
        QFileDialog dialog(this);
        PrepareArchiveDialog(dialog, "DlgSaveInd", kLineBackupTitle);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.selectFile(QString::fromStdString(
            ProposedBackupName(Session->IndName(), Session->Industry()->DecPeriod(), Session->IndExt())));
        const QString archive = ChosenFile(dialog);
        if (!archive.isEmpty()) {
            TWaitCursor hourglass;
            WriteZipBackup(*Session, archive.toStdString(), SelectedFirmLabel(), [this] { mainWindow_.ShowPage(this); });
            ShowOpenedIndustry();
        }
    }
    MenuItemClick(item);
}

void TFoSimul::MPRestoreClick(QAction* item) {
    if (Session) {
        HelpState().HelpContext = hcRestoreBackup;
        QFileDialog dialog(this);
        PrepareArchiveDialog(dialog, "odOpenDlg", kLineRestoreTitle);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        const QString archive = ChosenFile(dialog);
        if (!archive.isEmpty()) {
            TWaitCursor hourglass;
            RestoreZipBackup(*Session, archive.toStdString(), AskReplaceFile, [this] { mainWindow_.ShowPage(this); });
            ShowOpenedIndustry();
        }
    }
    MenuItemClick(item);
}

}  // namespace cv
