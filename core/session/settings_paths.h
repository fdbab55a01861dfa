#pragma once
// Where the settings that a Windows installation keeps outside the program's
// own directory live on this platform, and how Windows paths read from settings
// become local ones.
//
// The per-user registry key "Software\Quenor\Corvantis" becomes the ini file
// <config>/Corvantis3/registry.ini whose sections are the key's subkeys, named
// by their whole path ("[Software\Quenor\Corvantis\Session]"); the platform's
// "WIN.INI" becomes <config>/Corvantis3/WIN.INI. <config> is $XDG_CONFIG_HOME
// when it holds an absolute path, else $HOME/.config. The layout is in
// docs/settings.md.

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/ini_file.h"

namespace cv {

// The registry key of the program's per-user settings.
inline constexpr char kRegistryKey[] = "Software\\Quenor\\Corvantis";

// The program's per-user configuration directory with its trailing '/', or ""
// when neither $XDG_CONFIG_HOME nor $HOME gives one (every setting then keeps
// its default).
std::string ConfigDir();
// The files that stand in for the registry and for "WIN.INI" ("" without a
// configuration directory).
std::string RegistryIniFileName();
std::string WinIniFileName();

// The full path of the running program's executable ("" when it cannot be told).
std::string RunningExecutableFileName();

// Path with every backslash turned into '/'; nothing else changes.
std::string LocalPathFromWindows(const std::string& path);
// Whether Path, read from settings written on Windows, names a place this
// platform cannot reach: a drive-letter path ("A:\", "c:/data") or a network
// share ("\\server\share"). Whoever uses such a directory reports it as
// unreachable instead of creating a directory of that name here.
bool IsUnreachablePath(const std::string& path);
// A directory named in the settings file, as this platform reaches it:
// backslashes turned into '/', and a relative one taken from RootDir, so that a
// copied program root keeps using its own directories. Unreachable paths and
// the marker "None" stay as they are.
std::string SettingsDirectory(const std::string& rootDir, const std::string& value);
// Dir with a trailing '/' added when it lacks one ("" stays "").
std::string WithTrailingSlash(const std::string& dir);

// The registry key Key read and written through an ini file: a section is a
// subkey of Key, stored under the section named Key + "\" + subkey. Reads give
// their default when the file or the value is missing.
class TRegistryIniFile {
public:
    TRegistryIniFile(std::string fileName, std::string key);

    const std::string& FileName() const { return ini_.FileName(); }
    const std::string& Key() const { return key_; }

    std::string ReadString(const std::string& subKey, const std::string& name, const std::string& defaultValue) const;
    std::int32_t ReadInteger(const std::string& subKey, const std::string& name, std::int32_t defaultValue) const;
    std::vector<std::string> ReadSection(const std::string& subKey) const;
    // Writes create the configuration directory when it is missing; a failure
    // raises EIniFileError, as for any ini file.
    void WriteString(const std::string& subKey, const std::string& name, const std::string& value);
    void EraseKey(const std::string& subKey, const std::string& name);

private:
    std::string SectionOf(const std::string& subKey) const;
    void CreateDirectory() const;

    TIniFile ini_;
    std::string key_;
};

}  // namespace cv
