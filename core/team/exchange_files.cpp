#include "core/team/exchange_files.h"

#include <algorithm>
#include <filesystem>
#include <strings.h>
#include <system_error>

#include "core/base/file_routines.h"
#include "core/base/ini_file.h"
#include "core/base/numbers.h"
#include "core/session/settings_paths.h"
#include "core/zip/zip_paths.h"

namespace cv {

namespace fs = std::filesystem;

namespace {

constexpr char kDescriptorSection[] = "Team";
constexpr char kKeyPwd[] = "KeyPwd";
constexpr char kCurPer[] = "CurPer";
constexpr char kTeamLetters[] = "AEIOUY";
constexpr char kNotSet[] = "None";
constexpr char kWorkingCopyExtension[] = ".mt";
constexpr char kDescriptorExtension[] = ".mr";

}  // namespace

std::optional<TTeamDescriptor> ReadTeamDescriptor(const std::string& fileName) {
    std::error_code error;
    if (!fs::is_regular_file(fileName, error)) return std::nullopt;
    const TIniFile descriptor(fileName);
    TTeamDescriptor keys;
    keys.keyPwd = descriptor.ReadInteger(kDescriptorSection, kKeyPwd, kAbsentInteger);
    keys.curPer = descriptor.ReadInteger(kDescriptorSection, kCurPer, kAbsentInteger);
    if (keys.keyPwd == kAbsentInteger || keys.curPer == kAbsentInteger) return std::nullopt;
    return keys;
}

std::int32_t ReadDescriptorPeriod(const std::string& fileName) {
    std::error_code error;
    if (!fs::is_regular_file(fileName, error)) return kAbsentInteger;
    return TIniFile(fileName).ReadInteger(kDescriptorSection, kCurPer, kAbsentInteger);
}

bool IsTeamLetter(char letter) { return letter != '\0' && std::string_view(kTeamLetters).find(letter) != std::string_view::npos; }

std::string IndustryNameOf(const std::string& fileName) {
    const std::string name = fs::path(fileName).filename().string();
    return name.substr(0, name.find('.'));
}

namespace {

// Whether the name of File is "<industry>" + Extension (3 characters, letter
// case ignored) + one more character.
bool HasTeamFileExtension(const std::string& file, const char* extension) {
    const std::string name = fs::path(file).filename().string();
    const std::size_t dot = name.find('.');
    return dot != std::string::npos && name.size() == dot + 4 && strncasecmp(name.c_str() + dot, extension, 3) == 0;
}

}  // namespace

bool IsWorkingCopyName(const std::string& file) { return HasTeamFileExtension(file, kWorkingCopyExtension); }

bool IsDescriptorName(const std::string& file) { return HasTeamFileExtension(file, kDescriptorExtension); }

std::string DescriptorNameOfWorkingCopy(const std::string& workingCopyName) {
    std::string name = workingCopyName;
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos || name.size() < dot + 4) return name;
    name.erase(dot, 3);
    name.insert(name.size() - 1, ".mr");
    return name;
}

std::string ExchangeFileName(const std::string& industry, const std::string& extension, const std::string& letter) {
    return industry + extension + letter;
}

std::string WorkingCopyFileName(const std::string& industry, const std::string& letter) {
    return UpperCaseAccented(ExchangeFileName(industry, kWorkingCopyExtension, letter));
}

std::string DescriptorCopyFileName(const std::string& industry, const std::string& letter) {
    return ExchangeFileName(UpperCaseAccented(industry), kDescriptorExtension, letter);
}

std::string FindExchangeFile(const std::string& dir, const std::string& name) {
    if (const auto found = ResolveFileNameCase(dir, name)) return *found;
    return JoinFileName(dir, name);
}

std::vector<std::string> ListExchangeFiles(const std::string& dir, const std::string& mask) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(dir, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (entry->is_regular_file(error) && WildcardMatch(mask, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsExistingFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool IsExistingDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool IsExchangeDirSet(const std::string& dir) {
    std::string value = dir;
    while (!value.empty() && (value.back() == '/' || value.back() == '\\')) value.pop_back();
    return !value.empty() && strcasecmp(value.c_str(), kNotSet) != 0 && !IsUnreachablePath(dir);
}

}  // namespace cv
