#include "core/team/industry_opening.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "core/base/file_routines.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/session/team_password.h"
#include "core/store/industry_file.h"
#include "core/store/industry_file_check.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/team/backup_steps.h"
#include "core/team/exchange_files.h"
#include "core/team/staged_files.h"
#include "core/zip/xceed_zip.h"
#include "core/zip/zip_errors.h"

namespace cv {

namespace fs = std::filesystem;

namespace {

constexpr char kOpenMessages[] = "TeamIndOpen";
constexpr int kLineNotATeam = 1;
constexpr int kLineMissingSource = 2;
constexpr int kLineWrongPassword = 5;
constexpr int kLineUnreadableDescriptor = 7;
constexpr int kLineOwnCopyNotOlder = 8;
constexpr int kLineMissingExchangeDir = 14;
// Own copies of a period above the last one never hold back what is sent.
constexpr std::int32_t kLastPlayedPeriod = 12;
constexpr char kZipOperation[] = "industry open";
constexpr char kSessionSection[] = "Session";
constexpr char kWhichTeam[] = "WhichTeam";
// No firm's number: the answer when the industry records no team yet.
constexpr std::int16_t kAbsentTeam = -1;

struct TOpeningError {
    std::string key;
    int line = 0;  // 0: every line
    TAlignment alignment = TAlignment::taCenter;
    std::string literal;  // shown instead of the keyed line when set
};

TOpeningError Line(int line) { return {kOpenMessages, line, TAlignment::taCenter, {}}; }
TOpeningError BadTransfer() { return {"TeamBadTransfer", 0, TAlignment::taLeftJustify, {}}; }

void ShowError(const TOpeningError& error) {
    if (!error.literal.empty())
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, error.literal, {-1}, error.alignment);
    else
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, error.key, {error.line}, error.alignment);
}

// A working copy may be replaced or opened only when it is a plain file
// whose owner may write it (the read-only attribute of the instructor's
// platform), not a hidden one, and one that opens for writing (not on a
// read-only drive), all known before the open industry is closed.
bool IsWritableFile(const std::string& file) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    return !error && fs::is_regular_file(status) && (status.permissions() & fs::perms::owner_write) != fs::perms::none &&
           fs::path(file).filename().string().front() != '.' && OpensForWriting(file);
}

class Opening {
public:
    Opening(TSession& session, const TOpeningRequest& request) : session_(session), request_(request) {
        if (session_.Industry()) previousIndustry_ = session_.IndFullPath();
        letter_ = request_.teamLetter.substr(0, 1);
        const std::size_t dot = request_.industryName.find('.');
        industry_ = request_.industryName;
        if (dot != std::string::npos) industry_.erase(dot, 4);
    }

    TOpeningOutcome Run() {
        std::optional<TOpeningError> error = CheckTeam();
        if (!error && request_.transferMode && !OwnCopyMayBeReplaced()) return TOpeningOutcome::cancelled;
        if (!error) error = request_.transferMode ? Transfer() : OpenOwnCopy();
        if (!error) {
            WriteRegistry();
            return TOpeningOutcome::opened;
        }
        if (error->key.empty()) {  // the zip component showed its own message
            RestorePrevious();
            return TOpeningOutcome::failed;
        }
        ShowError(*error);
        RestorePrevious();
        return error->key == kOpenMessages && error->line == kLineWrongPassword ? TOpeningOutcome::wrongPassword
                                                                               : TOpeningOutcome::failed;
    }

private:
    std::string SourceDir() const {
        return request_.transferMode ? session_.ExchangeDir() : session_.PrivateDir();
    }

    // The letter, the descriptor and the password.
    std::optional<TOpeningError> CheckTeam() {
        if (letter_.empty() || !IsTeamLetter(letter_[0])) return Line(kLineNotATeam);
        std::error_code fsError;
        if (!fs::is_directory(SourceDir(), fsError)) return NamingPath(kLineMissingExchangeDir, SourceDir());
        descriptorFile_ = FindExchangeFile(SourceDir(), ExchangeFileName(industry_, ".mr", letter_));
        const auto descriptor = ReadTeamDescriptor(descriptorFile_);
        if (!descriptor) return Line(kLineUnreadableDescriptor);
        sentPeriod_ = descriptor->curPer;
        // The descriptor as it is now decides, not what the dialog showed.
        if (!IsNoPasswordKey(letter_, descriptor->keyPwd) &&
            TeamPasswordChecksum(request_.teamLetter + request_.password) != descriptor->keyPwd)
            return Line(kLineWrongPassword);
        return std::nullopt;
    }

    // The team's own copy at the same or a later period than the one sent is
    // replaced only when the team confirms it.
    bool OwnCopyMayBeReplaced() {
        ownDescriptor_ = FindExchangeFile(session_.PrivateDir(), fs::path(descriptorFile_).filename().string());
        const std::int32_t ownPeriod = ReadDescriptorPeriod(ownDescriptor_);
        if (ownPeriod == kAbsentInteger || ownPeriod < sentPeriod_ || ownPeriod > kLastPlayedPeriod) return true;
        return Ui().ShowMessageBox(TMsgDlgType::mtConfirmation, mbOK | mbCancel | mbDefaultCancel, kOpenMessages,
                                   {kLineOwnCopyNotOlder}, TAlignment::taCenter) == TModalResult::mrOk;
    }

    std::string WorkingCopy() const {
        const std::string name = WorkingCopyFileName(industry_, letter_);
        if (const auto existing = ResolveFileNameCase(session_.PrivateDir(), name)) return *existing;
        return JoinFileName(session_.PrivateDir(), name);
    }

    std::optional<TOpeningError> MissingSource(const std::string& path) const {
        return NamingPath(kLineMissingSource, path);
    }

    // Line of "TeamIndOpen" with Path in place of "@PATH".
    static TOpeningError NamingPath(int line, const std::string& path) {
        std::string text = Translator ? Translator->GetLine(kSectionMessages, kOpenMessages, line)
                                      : std::string(kOpenMessages);
        return TOpeningError{kOpenMessages, line, TAlignment::taCenter, ReplaceFirst(text, "@PATH", path)};
    }

    std::optional<TOpeningError> Transfer() {
        const std::string archive = FindExchangeFile(session_.ExchangeDir(), UpperCaseAccented(industry_ + ".rzx"));
        std::error_code fsError;
        if (!fs::is_regular_file(archive, fsError)) return MissingSource(archive);
        RemoveLeftoversOfEarlierRuns(session_.PrivateDir());
        const TStagingDir staging(session_.PrivateDir(), kTransferStaging);
        if (!staging.Ok()) return BadTransfer();
        std::string extracted;
        if (auto error = Extract(archive, staging.Path(), extracted)) return error;
        if (auto error = CheckWholeFile(extracted, kDamagedSentLine, fs::path(extracted).filename().string()))
            return error;
        const std::string workingCopy = WorkingCopy();
        if (fs::exists(workingCopy, fsError) && !IsWritableFile(workingCopy)) return BadTransfer();
        if (!CloseOpenIndustry()) return BadTransfer();
        // The old copy stays reachable under the staging directory until the
        // new one is open and the descriptor copied.
        TStagedReplacement replacement(staging);
        if (!replacement.Replace(extracted, workingCopy)) return BadTransfer();
        auto error = OpenWorkingCopy(workingCopy);
        if (!error && !CopyDescriptor()) error = BadTransfer();
        if (error) {
            CloseOpenedIndustry();
            replacement.Undo();
        }
        return error;
    }

    // Extracts the archive's industry entry, "<industry>.tmp" in any letter
    // case, into Dir; other entries stay in the archive.
    std::optional<TOpeningError> Extract(const std::string& archive, const std::string& dir, std::string& extracted) {
        TXceedZip zip;
        zip.ZipFileName = archive;
        zip.ExtractDirectory = dir;
        zip.FilesToProcess = {industry_ + ".tmp"};
        zip.UsePaths = false;
        zip.UseTempFile = false;
        zip.Overwrite = xowAlways;
        const int result = zip.Unzip();
        const auto entries = ListExchangeFiles(dir, industry_ + ".tmp");
        if (result == kZipNothingToDo || (result == kZipOk && entries.size() != 1)) return BadTransfer();
        if (result != kZipOk) {
            ShowZipError(result, kZipOperation);
            return TOpeningError{};
        }
        extracted = JoinFileName(dir, entries.front());
        return std::nullopt;
    }

    std::optional<TOpeningError> OpenOwnCopy() {
        const std::string workingCopy = WorkingCopy();
        std::error_code fsError;
        if (!fs::exists(workingCopy, fsError)) return MissingSource(workingCopy);
        if (auto error = CheckWholeFile(workingCopy, kDamagedOwnCopyLine, workingCopy)) return error;
        if (!IsWritableFile(workingCopy)) return TOpeningError{"TeamBadOpen", 0, TAlignment::taLeftJustify, {}};
        if (!CloseOpenIndustry()) return BadTransfer();
        auto error = OpenWorkingCopy(workingCopy);
        if (error) CloseOpenedIndustry();
        return error;
    }

    // Every part of File must read before it becomes or opens as the working
    // copy; a damaged one is named by line DamagedLine of "DamagedIndustry",
    // and what does not read names File as Shown (an extracted file by the
    // archive's entry, not by the staging place).
    std::optional<TOpeningError> CheckWholeFile(const std::string& file, int damagedLine,
                                                const std::string& shown) const {
        const TIndustryFileCheck check = CheckWholeIndustryFile(file);
        if (check.Sound()) return std::nullopt;
        const std::string reason = ReasonNamingEntry(check.reason, file, shown);
        LogFmt(0, "Opening an industry: %s refused: %s", {shown, reason});
        if (check.verdict == TIndustryFileVerdict::notAnIndustry)
            return TOpeningError{"OldIndustry", 0, TAlignment::taCenter, {}};
        return TOpeningError{kDamagedIndustryKey, damagedLine, TAlignment::taCenter,
                             DamagedIndustryText(damagedLine, file, reason)};
    }

    // Opens the working copy and records the team's firm in it.
    std::optional<TOpeningError> OpenWorkingCopy(const std::string& workingCopy) {
        if (!session_.IndOpen(workingCopy)) return TOpeningError{"TeamBadOpen", 0, TAlignment::taLeftJustify, {}};
        opened_ = true;
        TCvInd& industry = *session_.Industry();
        const std::int16_t firm = industry.FirSeries()->IndexOf(letter_);
        if (firm == kLabelAbsent) return Line(kLineNotATeam);
        // Stored only when it changes: an industry opened and closed unchanged is not written.
        TCvPerData& constPart = industry.ConstPart();
        if (constPart.GetSmallintDef(kCategoryIndustry, TDataContext{}, kWhichTeam, kAbsentTeam) != firm)
            constPart.SetSmallint(kCategoryIndustry, TDataContext{}, kWhichTeam, firm);
        return std::nullopt;
    }

    // The sent descriptor replaces the team's copy atomically.
    bool CopyDescriptor() {
        std::ifstream sent(descriptorFile_, std::ios::binary);
        if (!sent) return false;
        const std::string bytes{std::istreambuf_iterator<char>(sent), std::istreambuf_iterator<char>()};
        return !bytes.empty() && WriteFileAtomically(ownDescriptor_, bytes);
    }

    bool CloseOpenIndustry() {
        if (!session_.Industry()) return true;
        if (request_.beforeIndustryCloses) request_.beforeIndustryCloses();
        try {
            session_.IndClose();
            return true;
        } catch (const std::exception& error) {
            LogFmt(0, "Opening an industry: the open industry could not be closed: %s", {error.what()});
            return false;
        }
    }

    void CloseOpenedIndustry() {
        if (opened_) CloseOpenIndustry();
        opened_ = false;
    }

    void RestorePrevious() {
        if (previousIndustry_.empty() || session_.Industry()) return;
        session_.IndOpen(previousIndustry_);
    }

    void WriteRegistry() {
        try {
            session_.Registry().WriteString(kSessionSection, "IndName", request_.industryName);
            session_.Registry().WriteString(kSessionSection, "Team", request_.teamLetter);
        } catch (const std::exception& error) {
            LogFmt(0, "Opening an industry: the registry values were not written: %s", {error.what()});
        }
    }

    TSession& session_;
    const TOpeningRequest& request_;
    std::string previousIndustry_;
    std::string letter_;
    std::string industry_;
    std::string descriptorFile_;
    std::string ownDescriptor_;
    std::int32_t sentPeriod_ = kAbsentInteger;
    bool opened_ = false;
};

}  // namespace

TOpeningOutcome OpenTeamIndustry(TSession& session, const TOpeningRequest& request) {
    return Opening(session, request).Run();
}

}  // namespace cv
