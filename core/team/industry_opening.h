#pragma once
// Opening the industry the instructor sent (transfer) or the team's own
// working copy (open): the checks and file steps behind the opening dialog.
// Display-free: every message goes through the program's message box.
//
// Whatever fails, the old working copy is left byte-identical and the industry
// that was open before is open again. In transfer mode the archive's one
// industry entry is extracted beside the private files under a fresh name and
// checked before it replaces the working copy by a rename.

#include <functional>
#include <string>

namespace cv {

class TSession;

// What the opening dialog's fields hold when its action button is clicked.
struct TOpeningRequest {
    bool transferMode = true;
    std::string teamLetter;    // the letter field: the descriptor's last character
    std::string industryName;  // the industry-name field
    // The typed password; not read when the descriptor carries the
    // no-password marker, which the opening reads for itself.
    std::string password;
    // Runs before the open industry is closed, while its data is still
    // there, so that the windows let go of what they built on it.
    std::function<void()> beforeIndustryCloses;
};

enum class TOpeningOutcome {
    opened,         // the industry is open, "WhichTeam" set, registry values written
    wrongPassword,  // "TeamIndOpen" line 5 was shown
    failed,         // another message was shown
    cancelled,      // the team kept its own copy at the same or a later period
};

// Runs the opening in Session's private and exchange directories.
TOpeningOutcome OpenTeamIndustry(TSession& session, const TOpeningRequest& request);

}  // namespace cv
