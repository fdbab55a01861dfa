#pragma once
// What a restore may install: the files of a backup, extracted into a staging
// directory, are one team's working copy and descriptor copy of one industry,
// under the names the program gives them; the working copy reads whole and
// opens as that team's copy, and the descriptor copy reads. Display-free: a
// refusal is shown in the program's message box.

#include <string>
#include <vector>

namespace cv {

// The messages entry of the backup and the restore.
inline constexpr char kBackupRestoreKey[] = "BackupRestore";

// Line Line of "BackupRestore".
std::string BackupRestoreLine(int line);

// Whether Files (as Archive names them, extracted into StagingDir) may
// replace the team's files. Otherwise the first file that may not is named in
// an error box, and false.
bool BackupHoldsTeamCopy(const std::string& archive, const std::string& stagingDir,
                         const std::vector<std::string>& files);

}  // namespace cv
