#include "core/session/settings_paths.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <utility>

#include "core/language/language_file.h"

namespace cv {
namespace fs = std::filesystem;

namespace {

constexpr char kProgramConfigFolder[] = "Corvantis3/";
constexpr char kRegistryIniName[] = "registry.ini";
constexpr char kWinIniName[] = "WIN.INI";
constexpr char kRunningExecutable[] = "/proc/self/exe";
// The settings' word for "no directory".
constexpr char kNoDirectory[] = "None";

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string InConfigDir(const char* name) {
    const std::string dir = ConfigDir();
    return dir.empty() ? std::string() : dir + name;
}

}  // namespace

std::string ConfigDir() {
    // A relative $XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules say.
    std::string base = EnvironmentValue("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = EnvironmentValue("HOME");
        if (home.empty()) return {};
        base = WithTrailingSlash(home) + ".config";
    }
    return WithTrailingSlash(base) + kProgramConfigFolder;
}

std::string RegistryIniFileName() { return InConfigDir(kRegistryIniName); }

std::string WinIniFileName() { return InConfigDir(kWinIniName); }

std::string RunningExecutableFileName() {
    std::error_code error;
    const fs::path target = fs::read_symlink(kRunningExecutable, error);
    return error ? std::string() : target.string();
}

std::string LocalPathFromWindows(const std::string& path) {
    std::string local = path;
    for (char& c : local)
        if (c == '\\') c = '/';
    return local;
}

bool IsUnreachablePath(const std::string& path) {
    const bool driveLetter = path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
    // Exactly two separators before a name: "\\server\share", or the same after translation.
    const bool share = path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
    return driveLetter || share;
}

std::string SettingsDirectory(const std::string& rootDir, const std::string& value) {
    const std::string local = LocalPathFromWindows(value);
    std::string_view name = local;
    while (!name.empty() && name.back() == '/') name.remove_suffix(1);
    const bool relative = !name.empty() && local.front() != '/' && !IsUnreachablePath(value) &&
                          !SameTextAscii(name, kNoDirectory);
    return relative ? WithTrailingSlash(rootDir) + local : local;
}

std::string WithTrailingSlash(const std::string& dir) {
    if (dir.empty() || dir.back() == '/') return dir;
    return dir + '/';
}

TRegistryIniFile::TRegistryIniFile(std::string fileName, std::string key)
    : ini_(std::move(fileName)), key_(std::move(key)) {}

std::string TRegistryIniFile::ReadString(const std::string& subKey, const std::string& name,
                                         const std::string& defaultValue) const {
    return ini_.ReadString(SectionOf(subKey), name, defaultValue);
}

std::int32_t TRegistryIniFile::ReadInteger(const std::string& subKey, const std::string& name,
                                           std::int32_t defaultValue) const {
    return ini_.ReadInteger(SectionOf(subKey), name, defaultValue);
}

std::vector<std::string> TRegistryIniFile::ReadSection(const std::string& subKey) const {
    return ini_.ReadSection(SectionOf(subKey));
}

void TRegistryIniFile::WriteString(const std::string& subKey, const std::string& name, const std::string& value) {
    CreateDirectory();
    ini_.WriteString(SectionOf(subKey), name, value);
}

void TRegistryIniFile::EraseKey(const std::string& subKey, const std::string& name) {
    ini_.EraseKey(SectionOf(subKey), name);
}

std::string TRegistryIniFile::SectionOf(const std::string& subKey) const {
    return subKey.empty() ? key_ : key_ + "\\" + subKey;
}

void TRegistryIniFile::CreateDirectory() const {
    if (FileName().empty()) return;
    std::error_code error;  // a directory that cannot be made makes the write itself fail
    fs::create_directories(fs::path(FileName()).parent_path(), error);
}

}  // namespace cv
