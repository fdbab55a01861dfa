#pragma once
// Files that replace the team's files only once they are whole and checked:
// they arrive in a staging directory inside the private directory (on the same
// file system, so that each replacement is one rename), and every file they
// replace stays reachable there until the whole change has worked, so that a
// failure part-way puts everything back. Display-free.

#include <string>
#include <vector>

namespace cv {

// The kinds of staging directory, the start of their names.
inline constexpr char kTransferStaging[] = ".transfer-";
inline constexpr char kRestoreStaging[] = ".restore-";

// A directory of its own, "<Parent>/<Prefix><process id>-XXXXXX", removed with
// whatever it still holds when the object goes. Prefix is a kind above.
class TStagingDir {
public:
    TStagingDir(const std::string& parent, const std::string& prefix);
    ~TStagingDir();
    TStagingDir(const TStagingDir&) = delete;
    TStagingDir& operator=(const TStagingDir&) = delete;

    bool Ok() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Removes from the private directory PrivateDir what transfers, restores and
// saves of processes that ended without finishing left there, and nothing
// else: the staging directories of those processes, an earlier version's
// (named without a process) only when they hold nothing but files they stage,
// and the temporaries WriteFileAtomically made of descriptor copies. A team
// may use any folder as its private directory: a folder or file of its own
// named like these stays. Failures are ignored: the clean-up never stands in
// the way.
void RemoveLeftoversOfEarlierRuns(const std::string& privateDir);

// Replacements made by rename, each undone by Undo: the old file is kept as a
// hard link in the staging directory while the change lasts.
class TStagedReplacement {
public:
    explicit TStagedReplacement(const TStagingDir& staging) : staging_(staging) {}

    // Moves Staged to Target. Refused (false, nothing changed) when Target
    // exists as something other than a regular file or a link, or when a step
    // fails.
    bool Replace(const std::string& staged, const std::string& target);
    // Puts every replaced file back and removes the new ones that replaced
    // nothing, newest first; the replacements are forgotten.
    void Undo();

private:
    struct TDone {
        std::string target;
        std::string oldCopy;  // empty: Target did not exist
    };

    const TStagingDir& staging_;
    std::vector<TDone> done_;
};

}  // namespace cv
