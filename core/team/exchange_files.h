#pragma once
// The files the instructor and the teams exchange (docs/exchange.md): their
// names, the team descriptor, and finding them in directories written on
// another platform. Display-free.
//
// Existing files are looked up ignoring letter case (an exact spelling wins);
// new files are created with the spelling the instructor's program expects.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cv {

// An integer that an ini file or an integer entry field lacks.
inline constexpr std::int32_t kAbsentInteger = -2147483647;

// The two keys of a team descriptor's section "Team".
struct TTeamDescriptor {
    std::int32_t keyPwd = kAbsentInteger;  // team-password checksum of letter + password
    std::int32_t curPer = kAbsentInteger;  // decision period when the instructor wrote it
};

// The descriptor's keys; nothing when the file cannot be read or either key is
// absent (such a descriptor is unreadable for the team side).
std::optional<TTeamDescriptor> ReadTeamDescriptor(const std::string& fileName);
// "CurPer" of a descriptor, kAbsentInteger when the file or the key is missing.
std::int32_t ReadDescriptorPeriod(const std::string& fileName);

// Whether Letter is a team letter: one of A, E, I, O, U, Y.
bool IsTeamLetter(char letter);

// The industry name of a file: its name without directory, cut at the first ".".
std::string IndustryNameOf(const std::string& fileName);
// Whether the name of File (without its directory) is that of a working copy:
// "<industry>.mt" and one more character, letter case ignored.
bool IsWorkingCopyName(const std::string& file);
// Whether the name of File (without its directory) is that of a descriptor:
// "<industry>.mr" and one more character, letter case ignored.
bool IsDescriptorName(const std::string& file);
// The descriptor's name for a working copy's: "<name>.mt<letter>" gives
// "<name>.mr<letter>"; a name without "." stays as it is.
std::string DescriptorNameOfWorkingCopy(const std::string& workingCopyName);

// Industry + Extension + Letter, the way the file names of the exchange are
// built ("SAMPLE" ".mr" "A").
std::string ExchangeFileName(const std::string& industry, const std::string& extension, const std::string& letter);

// The names the program gives the team's files of Industry when it creates
// them in the private directory: the working copy upper-cased
// ("SAMPLE.MTA"), and the descriptor copy as a backup names it, after the
// working copy's industry name ("SAMPLE.mrA").
std::string WorkingCopyFileName(const std::string& industry, const std::string& letter);
std::string DescriptorCopyFileName(const std::string& industry, const std::string& letter);

// Dir + Name, or the entry of Dir spelled like Name in another letter case
// when only that exists. Dir ends with '/'.
std::string FindExchangeFile(const std::string& dir, const std::string& name);

// The names of Dir's files matching Mask ('*' and '?', letter case ignored),
// sorted; empty when Dir cannot be read.
std::vector<std::string> ListExchangeFiles(const std::string& dir, const std::string& mask);

bool IsExistingFile(const std::string& path);
bool IsExistingDirectory(const std::string& path);

// Whether the exchange-directory setting names a directory at all: "A:\",
// another drive or network path, "None" and an empty value do not.
bool IsExchangeDirSet(const std::string& dir);

}  // namespace cv
