#pragma once
// Temporary files that a killed save left behind. Our writers name each
// temporary after the file written and the process writing it, so a later
// write of the same file can tell a dead writer's file (removed) from one still
// being written by a running process (left alone); a file named like a
// temporary of a file the program does not write there is never taken.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace cv {

// The process id a temporary's name records; none when Name is not such a temporary.
using TTemporaryOwner = std::function<std::optional<pid_t>(std::string_view name)>;

// Whether no process with id Pid runs any more (a running process that merely
// belongs to another user counts as running).
bool ProcessIsGone(pid_t pid);

// Removes each file of Directory whose name OwnerOf recognises and whose process
// is gone. Errors (an unreadable directory, a file removed meanwhile) are
// ignored: the sweep only tidies up and never stands in the way of a save.
void RemoveStaleTemporaries(const std::string& directory, const TTemporaryOwner& ownerOf);
// The same for the directories of Directory, each removed with what it holds;
// a symbolic link is never followed.
void RemoveStaleTemporaryDirectories(const std::string& directory, const TTemporaryOwner& ownerOf);

// Whether Name is that of a leftover whatever process made it.
using TLeftoverName = std::function<bool(std::string_view name)>;
// Removes each directory of Directory, with what it holds, whose name
// IsLeftover takes; a symbolic link is never followed, errors are ignored.
void RemoveLeftoverDirectories(const std::string& directory, const TLeftoverName& isLeftover);

// The digits of Text from Pos up to the first non-digit as a process id; none
// when there are no digits or too many. Pos moves past them.
std::optional<pid_t> ParseProcessId(std::string_view text, std::size_t& pos);
// Whether Text is one or more decimal digits.
bool IsDigitRun(std::string_view text);

}  // namespace cv
