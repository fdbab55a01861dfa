#pragma once
// Zip backups of the team's files: the working copy and its descriptor copy
// written into an archive the team names, and such an archive restored into
// the private directory. Display-free: every message goes through the
// program's message box.
//
// The zip component writes an archive whole or not at all, and refuses
// entries that would land outside the private directory (absolute names, ".."
// steps, links); its result codes are shown with ShowZipError.

#include <functional>
#include <string>
#include <vector>

namespace cv {

class TSession;

// The name proposed for a backup: the first 5 characters of the industry
// name, the decision period in two digits and the last character of the
// working copy's extension ("SAMPLE", 3, ".mtA" give "SAMPL03A").
std::string ProposedBackupName(const std::string& industryName, int decisionPeriod, const std::string& extension);

// The files a backup holds: the working copy and, in the private directory,
// the descriptor copy "<industry>.mr<firm label>".
std::vector<std::string> BackupFiles(const TSession& session, const std::string& firmLabel);

// Zips Files into Archive; the zip component's result code. Used by
// WriteZipBackup while the industry is closed.
int ZipBackupFiles(const std::string& archive, const std::vector<std::string>& files);

// Writes Archive from the open industry's files (saved first, closed while
// they are zipped, opened again afterwards) and says where it was written.
// False when something failed (already reported).
bool WriteZipBackup(TSession& session, const std::string& archive, const std::string& firmLabel,
                    const std::function<void()>& beforeIndustryCloses);

// Asks whether an existing file may be replaced by the backup's: true for Yes.
using TAskReplace = std::function<bool(const std::string& fileName)>;

// The program's question: "ZipOverwrite" line 1 with "@FILE" replaced, Yes and
// No, with No as the default.
bool AskReplaceFile(const std::string& fileName);

// Extracts Archive into the private directory, closing an open industry
// first; no industry is open afterwards. Ends by saying which files came back
// (or that none did) and that no industry is open. A backup holding any file
// but one team's working copy and descriptor copy of one industry, or an
// industry that does not read whole, restores nothing. False when something
// was refused or the zip component reported an error (already shown).
bool RestoreZipBackup(TSession& session, const std::string& archive, const TAskReplace& askReplace,
                      const std::function<void()>& beforeIndustryCloses);

}  // namespace cv
