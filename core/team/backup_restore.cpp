#include "core/team/backup_restore.h"

#include <cstdio>

#include "core/base/file_routines.h"
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/session.h"
#include "core/team/backup_contents.h"
#include "core/team/backup_steps.h"
#include "core/team/exchange_files.h"
#include "core/team/staged_files.h"
#include "core/zip/xceed_zip.h"
#include "core/zip/zip_engine.h"
#include "core/zip/zip_errors.h"
#include "core/zip/zip_paths.h"

namespace cv {
namespace {

constexpr int kLineBackingUp = 1;
constexpr int kLineRestoring = 2;
constexpr int kLineBackupWritten = 3;
constexpr int kLineRestored = 4;
constexpr int kLineNothingRestored = 5;
constexpr int kLineNoIndustryOpen = 6;
constexpr int kLineOwnCopyKept = 10;
constexpr char kListToken[] = "@LIST";
constexpr char kListSeparator[] = ", ";
constexpr char kReplaceKey[] = "ZipOverwrite";
constexpr char kFileToken[] = "@FILE";
constexpr char kDescriptorExtension[] = ".mr";
constexpr std::size_t kNamePrefixLength = 5;
constexpr char kRestoreOperation[] = "restore";

void ShowBackupWritten(const std::string& archive) {
    Ui().ShowMessageBox(TMsgDlgType::mtInformation, mbOK,
                        ReplaceFirst(BackupRestoreLine(kLineBackupWritten), kFileToken, archive), {-1},
                        TAlignment::taCenter);
}

// What came back from Archive (the files as the backup names them), and that
// the restore left no industry open: the restored one, or the team's own copy
// as it was when every file was kept.
void ShowRestored(const std::string& archive, const std::vector<std::string>& restored) {
    std::string list;
    for (const std::string& file : restored) list += (list.empty() ? "" : kListSeparator) + file;
    std::string text = BackupRestoreLine(restored.empty() ? kLineNothingRestored : kLineRestored);
    text = ReplaceFirst(ReplaceFirst(text, kFileToken, archive), kListToken, list);
    const int closing = restored.empty() ? kLineOwnCopyKept : kLineNoIndustryOpen;
    Ui().ShowMessageBox(TMsgDlgType::mtInformation, mbOK, text + "\n" + BackupRestoreLine(closing), {-1},
                        TAlignment::taCenter);
}

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
    // An archive of the files that were found is written whole; the notice
    // of the missing ones came first.
    if (result == kZipOk || result == kZipSomeFilesSkipped) ShowBackupWritten(archive);
    return result == kZipOk && reopened;
}

bool AskReplaceFile(const std::string& fileName) {
    std::string text;
    if (Translator) Translator->MessagesLine(kReplaceKey, 1, text);
    // No, which keeps the team's file, is the answer Enter gives.
    return Ui().ShowMessageBox(TMsgDlgType::mtConfirmation, mbYes | mbNo | mbDefaultCancel, ReplaceFirst(text, kFileToken, fileName),
                               {-1}, TAlignment::taCenter) == TModalResult::mrYes;
}

namespace {

// The backup's entries, extracted into Staging with their stored directories;
// Files lists them, as paths relative to Staging, in the archive's order. Any
// result but success is shown and nothing is kept.
bool ExtractBackup(const std::string& archive, const TStagingDir& staging, std::vector<std::string>& files) {
    TXceedZip unzip;
    unzip.UseTempFile = false;
    unzip.ZipFileName = archive;
    unzip.Overwrite = xowAlways;
    unzip.ExtractDirectory = staging.Path();
    unzip.UsePaths = true;
    unzip.OnExtracting = [&files](TXceedZip&, const TZipNotification& notice) {
        if (const auto relative = SafeEntryPath(notice.fileName)) files.push_back(relative->string());
    };
    const int result = unzip.Unzip();
    if (result == kZipOk) return true;
    Ui().CloseProgressBox();
    ShowZipError(result, kRestoreOperation);
    return false;
}

// Puts the staged files in place, each existing one only when the user agrees,
// and lists in Restored those put in place; a failure puts back every file
// already replaced.
bool ReplaceFromBackup(const TStagingDir& staging, const std::vector<std::string>& files,
                       const std::string& privateDir, const TAskReplace& askReplace,
                       std::vector<std::string>& restored) {
    TStagedReplacement replacement(staging);
    for (const std::string& file : files) {
        const std::string target = JoinFileName(privateDir, file);
        if (IsExistingFile(target) || IsExistingDirectory(target)) {
            Ui().CloseProgressBox();
            const bool replace = askReplace(target);
            ShowProgressLine(kBackupRestoreKey, kLineRestoring);
            if (!replace) continue;
        }
        restored.push_back(file);
        if (!replacement.Replace(JoinFileName(staging.Path(), file), target)) {
            replacement.Undo();
            Ui().CloseProgressBox();
            ShowZipError(kZipCannotWriteFile, kRestoreOperation);
            return false;
        }
    }
    return true;
}

}  // namespace

bool RestoreZipBackup(TSession& session, const std::string& archive, const TAskReplace& askReplace,
                      const std::function<void()>& beforeIndustryCloses) {
    ShowProgressLine(kBackupRestoreKey, kLineRestoring);
    if (session.Industry() && !SaveAndCloseIndustry(session, beforeIndustryCloses)) return false;
    RemoveLeftoversOfEarlierRuns(session.PrivateDir());
    const TStagingDir staging(session.PrivateDir(), kRestoreStaging);
    if (!staging.Ok()) {
        Ui().CloseProgressBox();
        ShowZipError(kZipCannotWriteFile, kRestoreOperation);
        return false;
    }
    std::vector<std::string> files, restoredFiles;
    const bool restored = ExtractBackup(archive, staging, files) &&
                          BackupHoldsTeamCopy(archive, staging.Path(), files) &&
                          ReplaceFromBackup(staging, files, session.PrivateDir(), askReplace, restoredFiles);
    Ui().CloseProgressBox();
    if (restored) ShowRestored(archive, restoredFiles);
    return restored;
}

}  // namespace cv
