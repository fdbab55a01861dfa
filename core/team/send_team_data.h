#pragma once
// Sending the team's data to the instructor: the working copy is zipped into
// the team archive "<industry>.dz<firm label>" in the private directory, and
// the archive is placed in the exchange directory (docs/exchange_send.md).
// Display-free: every message goes through the program's message box.
//
// The instructor never sees half an archive: it reaches the exchange directory
// under a temporary name, synced, and is renamed into place; the private copy
// is deleted only after that succeeded, and exactly one of the success and
// failure messages is shown. The industry is open again afterwards.

#include <functional>
#include <string>

namespace cv {

class TSession;

struct TSendRequest {
    std::string workingCopy;  // the open industry's file
    std::string firmLabel;    // label of the firm selected on the team page
    // Runs before the open industry is closed, so that the windows let go of it.
    std::function<void()> beforeIndustryCloses;
};

enum class TSendOutcome {
    sent,        // "TransferNotBackup" was shown
    notSent,     // a failure was shown; nothing reached the exchange directory
};

// The team archive's name for WorkingCopy: its name with the extension
// replaced by ".dz" and at most 8 characters of FirmLabel.
std::string TeamArchiveName(const std::string& workingCopy, const std::string& firmLabel);

TSendOutcome SendTeamData(TSession& session, const TSendRequest& request);

}  // namespace cv
