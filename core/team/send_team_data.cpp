#include "core/team/send_team_data.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <unistd.h>

#include "core/base/file_routines.h"
#include "core/base/ui_services.h"
#include "core/session/session.h"
#include "core/session/settings_paths.h"
#include "core/zip/xceed_zip.h"
#include "core/zip/zip_errors.h"
#include "core/team/backup_steps.h"
#include "core/team/exchange_files.h"

namespace cv {

namespace fs = std::filesystem;

namespace {

constexpr char kWriteTeamDataKey[] = "WriteTeamData";
constexpr int kLineSending = 10;
constexpr int kLineNoExchangeDir = 11;
constexpr char kSentKey[] = "TransferNotBackup";
constexpr char kBadTransferKey[] = "TeamBadTransfer";
constexpr char kZipOperation[] = "transfer";
constexpr char kArchiveExtension[] = ".dz";
constexpr char kCopyExtension[] = ".tmp";
constexpr std::size_t kFirmLabelMax = 8;
constexpr char kErrorPrefix[] = "Error in procedure [Transfer2Adm]: ";

// The exchange directory can be entered: a directory this platform reaches,
// with search permission.
bool ExchangeDirReachable(const std::string& dir) {
    return !IsUnreachablePath(dir) && IsExistingDirectory(dir) && ::access(dir.c_str(), X_OK) == 0;
}

// Both names lead to the same directory, however they are spelt.
bool SameDirectory(const std::string& first, const std::string& second) {
    std::error_code error;
    return fs::equivalent(first, second, error);
}

std::string WithExtension(const std::string& file, const std::string& extension) {
    return fs::path(file).replace_extension(extension).string();
}

// Zips the working copy, by way of a copy beside it, into Archive; the
// copy's name is what the instructor's program extracts. Result code of the
// zip component, or nothing when the copy failed (already reported).
std::optional<int> ZipWorkingCopy(const std::string& workingCopy, const std::string& archive) {
    const std::string copy = WithExtension(workingCopy, kCopyExtension);
    std::error_code error;
    fs::remove(copy, error);
    if (!fs::copy_file(workingCopy, copy, fs::copy_options::overwrite_existing, error)) {
        fs::remove(copy, error);
        Ui().ShowPlainBox(kErrorPrefix + std::string("cannot copy ") + workingCopy + " to " + copy);
        return std::nullopt;
    }
    TXceedZip zip;
    zip.UsePaths = false;
    zip.UseTempFile = false;
    zip.ZipFileName = archive;
    zip.FilesToProcess = {copy};
    const int result = zip.Zip();
    if (!fs::remove(copy, error)) Ui().ShowPlainBox(kErrorPrefix + std::string("cannot delete ") + copy);
    return result;
}

// Places the archive in the exchange directory whole or not at all.
bool CopyIntoExchangeDir(const std::string& archive, const std::string& target) {
    std::ifstream in(archive, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return in.is_open() && !in.bad() && WriteFileAtomically(target, bytes);
}

void ShowSendResult(const char* key, TMsgDlgType type) {
    Ui().CloseProgressBox();
    Ui().ShowMessageBox(type, mbOK, key, {0}, TAlignment::taCenter);
}

}  // namespace

std::string TeamArchiveName(const std::string& workingCopy, const std::string& firmLabel) {
    return fs::path(workingCopy).filename().replace_extension(kArchiveExtension + firmLabel.substr(0, kFirmLabelMax))
        .string();
}

TSendOutcome SendTeamData(TSession& session, const TSendRequest& request) {
    if (!WorkingCopyPresent(request.workingCopy)) return TSendOutcome::notSent;
    const std::string exchangeDir = session.ExchangeDir();
    if (!ExchangeDirReachable(exchangeDir)) {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kWriteTeamDataKey, {kLineNoExchangeDir},
                            TAlignment::taCenter);
        return TSendOutcome::notSent;
    }
    ShowProgressLine(kWriteTeamDataKey, kLineSending);
    const std::string archiveName = TeamArchiveName(request.workingCopy, request.firmLabel);
    const std::string privateArchive = JoinFileName(session.PrivateDir(), archiveName);
    if (!SaveAndCloseIndustry(session, request.beforeIndustryCloses)) return TSendOutcome::notSent;
    const std::optional<int> zipResult = ZipWorkingCopy(request.workingCopy, privateArchive);
    // A failed reopening is reported; what was zipped is sent all the same.
    ReopenIndustry(session, request.workingCopy);
    if (!zipResult || *zipResult != kZipOk) {
        Ui().CloseProgressBox();
        if (zipResult) ShowZipError(*zipResult, kZipOperation);
        return TSendOutcome::notSent;
    }
    if (!SameDirectory(session.PrivateDir(), exchangeDir)) {
        if (!CopyIntoExchangeDir(privateArchive, JoinFileName(exchangeDir, archiveName))) {
            ShowSendResult(kBadTransferKey, TMsgDlgType::mtError);
            return TSendOutcome::notSent;
        }
        std::error_code error;
        fs::remove(privateArchive, error);
    }
    ShowSendResult(kSentKey, TMsgDlgType::mtInformation);
    return TSendOutcome::sent;
}

}  // namespace cv
