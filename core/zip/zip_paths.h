#pragma once
// Names of zip entries: wildcard patterns, the names stored for added files,
// and the safety check of the names read from an archive.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace cv {

// True when Pattern ('*' any run, '?' one character) matches the whole of
// Text. Letters compare without regard to case, as the file names of the
// archives' home platform do; '*' crosses directory separators.
bool WildcardMatch(std::string_view pattern, std::string_view text);

bool HasWildcards(std::string_view text);

// True when Pattern selects Name (an entry name or a file path, '/'-separated):
// a pattern holding a separator is matched against the whole name, any other
// pattern against the whole name or its last component.
bool PatternSelects(std::string_view pattern, std::string_view name);

// The name under which File is stored: with paths, its path without the root
// and without leading "." or ".." steps; without paths, its last component.
// '/' separates directories. Empty when nothing of the name is left.
std::string StoredEntryName(const std::filesystem::path& file, bool usePaths);

// The relative path at which an entry named Name may be extracted, '\\' read as
// a separator, or nothing when the name is empty, absolute (a root, a drive
// letter), or holds a ".." step: such an entry would land outside the
// destination directory.
std::optional<std::filesystem::path> SafeEntryPath(std::string_view name);

// True when a step of Relative is longer than the destination Directory's file
// system takes for one name, or Directory / Relative longer than it takes for a path.
bool NameTooLong(const std::filesystem::path& relative, const std::filesystem::path& directory);

// True when Path lies inside Directory (both made absolute and normalised,
// symbolic links of existing parts resolved).
bool IsInsideDirectory(const std::filesystem::path& path, const std::filesystem::path& directory);

}  // namespace cv
