#include "core/team/backup_contents.h"

#include <algorithm>
#include <optional>

#include "core/base/errors.h"
#include "core/base/file_routines.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/store/cv_data.h"
#include "core/store/industry_file.h"
#include "core/store/industry_file_check.h"
#include "core/store/series.h"
#include "core/team/backup_steps.h"
#include "core/team/exchange_files.h"

namespace cv {
namespace {

constexpr int kLineForeignEntry = 7;
constexpr int kLineNoSuchTeam = 8;
constexpr int kLineUnreadableDescriptor = 9;
constexpr char kFileToken[] = "@FILE";
constexpr char kEntryToken[] = "@ENTRY";
constexpr char kTeamToken[] = "@TEAM";

// An entry as a backup names it: the working copy or the descriptor copy of
// the team Team of Industry.
struct TBackupEntry {
    std::string industry;
    std::string team;
    bool workingCopy = false;
};

// Only the names the program gives the team's files: another spelling would
// land beside the team's copy instead of replacing it.
std::optional<TBackupEntry> BackupEntryOf(const std::string& file) {
    const std::size_t dot = file.find('.');
    if (dot == 0 || dot == std::string::npos || file.size() != dot + 4 || file.find('/') != std::string::npos)
        return std::nullopt;
    const std::string industry = file.substr(0, dot);
    const std::string team = file.substr(dot + 3);
    if (!IsTeamLetter(team[0])) return std::nullopt;
    if (file == WorkingCopyFileName(industry, team)) return TBackupEntry{industry, team, true};
    if (file == DescriptorCopyFileName(industry, team)) return TBackupEntry{industry, team, false};
    return std::nullopt;
}

// The first of Files that a backup does not hold: a backup holds one team's
// working copy and descriptor copy of one industry, each at most once. None
// when every file is such an entry.
std::optional<std::string> ForeignEntry(const std::vector<std::string>& files) {
    std::vector<TBackupEntry> held;
    for (const std::string& file : files) {
        const std::optional<TBackupEntry> entry = BackupEntryOf(file);
        const bool fits = entry && std::all_of(held.begin(), held.end(), [&entry](const TBackupEntry& other) {
                              return other.workingCopy != entry->workingCopy && other.team == entry->team &&
                                     other.industry == entry->industry;
                          });
        if (!fits) return file;
        held.push_back(*entry);
    }
    return std::nullopt;
}

// Line of "BackupRestore" about Entry of Archive (of team Team) in an error
// box; always false.
bool Refuse(int line, const std::string& archive, const std::string& entry, const std::string& team = {}) {
    const std::string text = ReplaceFirst(
        ReplaceFirst(ReplaceFirst(BackupRestoreLine(line), kFileToken, archive), kEntryToken, entry), kTeamToken, team);
    LogFmt(0, "Restoring a backup: %s refused: %s", {entry, text});
    Ui().CloseProgressBox();
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, text, {-1}, TAlignment::taCenter);
    return false;
}

// Whether the industry File has a firm labelled Team: the firm its team's
// copy opens as.
bool IndustryHasTeam(const std::string& file, const std::string& team) {
    try {
        TCvData industry;
        industry.Open(std::string(kIndustrySignature), file);
        const TSeries* firms = industry.FirSeries();
        const bool found = firms != nullptr && firms->IndexOf(team) != kLabelAbsent;
        industry.Close();
        return found;
    } catch (const EFatalStop&) {
        throw;
    } catch (const ECvError& error) {
        LogFmt(0, "Restoring a backup: %s does not open: %s", {file, error.what()});
        return false;
    }
}

// The working copy Staged, the backup's Entry, reads whole and opens as team Team's.
bool WorkingCopyOpens(const std::string& archive, const std::string& staged, const std::string& entry,
                      const std::string& team) {
    const TIndustryFileCheck check = CheckWholeIndustryFile(staged);
    if (!check.Sound()) {
        const std::string reason = ReasonNamingEntry(check.reason, staged, entry);
        LogFmt(0, "Restoring a backup: %s refused: %s", {entry, reason});
        Ui().CloseProgressBox();
        ShowDamagedIndustry(kDamagedBackupLine, {}, reason);
        return false;
    }
    return IndustryHasTeam(staged, team) || Refuse(kLineNoSuchTeam, archive, entry, team);
}

}  // namespace

std::string BackupRestoreLine(int line) {
    std::string text;
    if (Translator) Translator->MessagesLine(kBackupRestoreKey, line, text);
    return text;
}

bool BackupHoldsTeamCopy(const std::string& archive, const std::string& stagingDir,
                         const std::vector<std::string>& files) {
    if (const std::optional<std::string> foreign = ForeignEntry(files))
        return Refuse(kLineForeignEntry, archive, *foreign);
    for (const std::string& file : files) {
        const TBackupEntry entry = *BackupEntryOf(file);
        const std::string staged = JoinFileName(stagingDir, file);
        const bool sound = entry.workingCopy ? WorkingCopyOpens(archive, staged, file, entry.team)
                                             : ReadTeamDescriptor(staged).has_value() ||
                                                   Refuse(kLineUnreadableDescriptor, archive, file);
        if (!sound) return false;
    }
    return true;
}

}  // namespace cv
