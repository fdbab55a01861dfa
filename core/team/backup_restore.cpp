#include "core/team/backup_restore.h"

#include <cstdio>

#include "core/base/file_routines.h"
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/session.h"
#include "core/zip/xceed_zip.h"
#include "core/zip/zip_errors.h"
#include "core/team/backup_steps.h"
#include "core/team/exchange_files.h"

namespace cv {
namespace {

constexpr char kBackupRestoreKey[] = "BackupRestore";
constexpr int kLineBackingUp = 1;
constexpr int kLineRestoring = 2;
constexpr char kReplaceKey[] = "ZipOverwrite";
constexpr char kFileToken[] = "@FILE";
constexpr char kDescriptorExtension[] = ".mr";
constexpr std::size_t kNamePrefixLength = 5;

}  // namespace

std::string ProposedBackupName(const std::string& industryName, int decisionPeriod, const std::string& extension) {
    char period[16];
    std::snprintf(period, sizeof period, "%2.2d", decisionPeriod);
    return industryName.substr(0, kNamePrefixLength) + period + (extension.empty() ? "" : extension.substr(extension.size() - 1));
}

std::vector<std::string> BackupFiles(const TSession& session, const std::string& firmLabel) {
    return {session.IndFullPath(),
            JoinFileName(session.PrivateDir(), ExchangeFileName(session.IndName(), kDescriptorExtension, firmLabel))};
}

int ZipBackupFiles(const std::string& archive, const std::vector<std::string>& files) {
    TXceedZip zip;
    zip.UsePaths = false;
    zip.UseTempFile = false;
    zip.ZipFileName = archive;
    zip.FilesToProcess = files;
    return zip.Zip();
}

bool WriteZipBackup(TSession& session, const std::string& archive, const std::string& firmLabel,
                    const std::function<void()>& beforeIndustryCloses) {
    const std::string workingCopy = session.IndFullPath();
    const std::vector<std::string> files = BackupFiles(session, firmLabel);
    ShowProgressLine(kBackupRestoreKey, kLineBackingUp);
    if (!SaveAndCloseIndustry(session, beforeIndustryCloses)) return false;
    const int result = ZipBackupFiles(archive, files);
    if (result != kZipOk) {
        Ui().CloseProgressBox();
        ShowZipError(result, "backup");
    }
    const bool reopened = ReopenIndustry(session, workingCopy);
    Ui().CloseProgressBox();
    return result == kZipOk && reopened;
}

bool AskReplaceFile(const std::string& fileName) {
    std::string text;
    if (Translator) Translator->MessagesLine(kReplaceKey, 1, text);
    return Ui().ShowMessageBox(TMsgDlgType::mtConfirmation, mbYes | mbNo, ReplaceFirst(text, kFileToken, fileName),
                               {-1}, TAlignment::taCenter) == TModalResult::mrYes;
}

bool RestoreZipBackup(TSession& session, const std::string& archive, const TAskReplace& askReplace,
                      const std::function<void()>& beforeIndustryCloses) {
    ShowProgressLine(kBackupRestoreKey, kLineRestoring);
    if (session.Industry() && !SaveAndCloseIndustry(session, beforeIndustryCloses)) return false;
    TXceedZip unzip;
    unzip.UseTempFile = false;
    unzip.ZipFileName = archive;
    unzip.Overwrite = xowAsk;
    unzip.ExtractDirectory = session.PrivateDir();
    unzip.UsePaths = true;
    unzip.OnReplace = [&askReplace](TXceedZip&, TXcdReplace& replace) {
        Ui().CloseProgressBox();
        replace.Action = askReplace(replace.FileName) ? kZipActionReplace : kZipActionKeep;
        ShowProgressLine(kBackupRestoreKey, kLineRestoring);
    };
    const int result = unzip.Unzip();
    Ui().CloseProgressBox();
    ShowZipError(result, "restore");
    TZipResult outcome;
    outcome.Note(result);
    return !outcome.HasError();
}

}  // namespace cv
