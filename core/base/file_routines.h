#pragma once
// File and directory routines shared by the session, the configuration dialog
// and the windows. Paths use '/'; a directory text ends with '/'.

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace cv {

// FullPath := File made absolute against the current directory and normalised
// ("." and ".." resolved by name); Dir := its directory with the trailing '/';
// Ext := its final extension with the dot (empty when none; a leading dot starts
// a name, not an extension); BaseName := the file name without Ext.
void SplitFileName(const std::string& file, std::string& dir, std::string& baseName, std::string& fullPath,
                   std::string& ext);

// Dir + Name with one '/' between them; an empty Dir is the current directory.
std::string JoinFileName(const std::string& dir, const std::string& name);

// Whether a file can be created in the directory of Dir + Name. The probe is a
// new file of a unique name created exclusively and removed at once, so an
// existing file, Name itself included, is never opened, truncated or deleted.
bool CanCreateFileIn(const std::string& dir, const std::string& name);

// Whether the directory Dir + Name exists, or can be created: a directory made
// to find out is removed again, so nothing is left behind.
bool DirExistsOrCreatable(const std::string& dir, const std::string& name);

// "major.minor" followed by the release without a separator (3.0.2.7 gives
// 3.02), and "." + build when not short (3.02.7).
std::string FormatFileVersion(unsigned major, unsigned minor, unsigned release, unsigned build, bool shortForm);

// The version of File: the version compiled into this program when File is the
// running executable; empty for any other file, which carries no version.
std::string GetFileVersionString(const std::string& file, bool shortForm);

// Component libraries need no registration on this platform: nothing to do.
void RegisterServer(const std::string& fileName);

// The path (Dir joined with the entry's own spelling) of the entry of Dir whose
// name equals Name ignoring the case of ASCII letters: files sent from Windows
// arrive in any letter case. An exact match is preferred; among several others
// the first in byte order is taken. Empty when there is none, or when Name is
// not a single name (empty or holding '/') and does not exist as given.
std::optional<std::string> ResolveFileNameCase(const std::string& dir, const std::string& name);

// Whether a file renamed onto Path may replace what is there: nothing, a
// regular file or a symbolic link (which the rename replaces, not what it
// points to). A device, a pipe, a socket or a directory is never replaced: a
// temporary renamed over /dev/null would turn the device into a plain file.
bool IsReplaceableByRename(const std::string& path);

// Whether File exists and opens for writing now: false on a read-only file
// system or drive, whatever its permission bits say. Nothing is written.
bool OpensForWriting(const std::string& file);

// Replaces (or creates) File with Bytes so that a crash leaves either the old or
// the new content: a temporary file beside it, synced, renamed over File, then
// the directory synced. A regular file's permission bits are kept; a symbolic
// link is replaced by the new file, never written through, so what it led to
// stays as it was. File must be replaceable (IsReplaceableByRename; otherwise
// errno is EPERM). False on failure, with errno set and File untouched. The
// temporaries of File that killed writes left are removed first; no other
// file of the directory is touched.
bool WriteFileAtomically(const std::string& file, const std::string& bytes);

// The process whose WriteFileAtomically made the temporary file Name
// ("<file>.tmp-<pid>-<counter>") of a file whose name IsWritten takes; none
// for any other name.
std::optional<pid_t> AtomicWriteTemporaryOwner(std::string_view name,
                                               const std::function<bool(std::string_view file)>& isWritten);

}  // namespace cv
