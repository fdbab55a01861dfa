#pragma once
// The steps that sending the team's data and the zip backups share: the open
// industry is saved and closed while its file is copied or zipped, and opened
// again afterwards; the progress notice carries a line of the messages section.

#include <functional>
#include <string>

namespace cv {

class TSession;

// Saves every part of the open industry, lets the windows go (BeforeClose) and
// closes it. A failed save is shown and the industry stays open: false.
bool SaveAndCloseIndustry(TSession& session, const std::function<void()>& beforeClose);

// Opens WorkingCopy again. A working copy that is gone is reported with
// "TeamBadOpen"; one that cannot be opened with the session's own message.
bool ReopenIndustry(TSession& session, const std::string& workingCopy);

// Whether WorkingCopy exists; "TeamBadOpen" is shown when it does not.
bool WorkingCopyPresent(const std::string& workingCopy);

// The lines of "DamagedIndustry": the industry the instructor sent, the one
// of a backup, and the team's own working copy (its path in "@FILE").
inline constexpr int kDamagedSentLine = 1;
inline constexpr int kDamagedBackupLine = 2;
inline constexpr int kDamagedOwnCopyLine = 3;
// Below any of them: what does not read (its text in "@REASON").
inline constexpr int kDamagedReasonLine = 4;

inline constexpr char kDamagedIndustryKey[] = "DamagedIndustry";

// Line Line of "DamagedIndustry", with "@FILE" replaced by File, and below it,
// when Reason is given, the line that names what does not read.
std::string DamagedIndustryText(int line, const std::string& file = {}, const std::string& reason = {});
// Says that an industry file does not read whole: that text in an error box.
void ShowDamagedIndustry(int line, const std::string& file = {}, const std::string& reason = {});

// Reason, what the whole-file check found in Staged, a file extracted from an
// archive, naming the archive's entry Entry instead of the staging place.
std::string ReasonNamingEntry(const std::string& reason, const std::string& staged, const std::string& entry);

// Shows the progress notice with line Line of the messages entry Key.
void ShowProgressLine(const char* key, int line);

}  // namespace cv
