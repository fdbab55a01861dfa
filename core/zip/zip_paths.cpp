#include "core/zip/zip_paths.h"

#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace cv {
namespace {

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Components of Name split at '/' and '\\', empty and "." components dropped.
std::vector<std::string> NameSteps(std::string_view name) {
    std::vector<std::string> steps;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = name.size();
        const std::string_view step = name.substr(start, end - start);
        if (!step.empty() && step != ".") steps.emplace_back(step);
        start = end + 1;
    }
    return steps;
}

// The file system's limit Name (_PC_NAME_MAX, _PC_PATH_MAX) at Directory, or Fallback when it names none.
std::size_t FileSystemLimit(const std::filesystem::path& directory, int name, long fallback) {
    const long limit = ::pathconf(directory.c_str(), name);
    return static_cast<std::size_t>(limit > 0 ? limit : fallback);
}

bool HasDriveLetter(std::string_view name) {
    return name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view text) {
    // Greedy match with one backtrack point: the last '*' seen.
    std::size_t p = 0, t = 0;
    std::size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], text[t]))) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool HasWildcards(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

bool PatternSelects(std::string_view pattern, std::string_view name) {
    if (WildcardMatch(pattern, name)) return true;
    if (pattern.find_first_of("/\\") != std::string_view::npos) return false;
    const std::size_t slash = name.find_last_of('/');
    return slash != std::string_view::npos && WildcardMatch(pattern, name.substr(slash + 1));
}

std::string StoredEntryName(const std::filesystem::path& file, bool usePaths) {
    if (!usePaths) return file.filename().generic_string();
    const std::filesystem::path relative = file.lexically_normal().relative_path();
    std::string name;
    for (const auto& step : relative) {
        const std::string text = step.generic_string();
        if (text.empty() || text == "." || text == "..") continue;
        if (!name.empty()) name += '/';
        name += text;
    }
    return name;
}

std::optional<std::filesystem::path> SafeEntryPath(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\' || HasDriveLetter(name)) return std::nullopt;
    const std::vector<std::string> steps = NameSteps(name);
    if (steps.empty() || std::find(steps.begin(), steps.end(), "..") != steps.end()) return std::nullopt;
    std::filesystem::path path;
    for (const auto& step : steps) path /= step;
    return path;
}

bool NameTooLong(const std::filesystem::path& relative, const std::filesystem::path& directory) {
    const std::size_t nameLimit = FileSystemLimit(directory, _PC_NAME_MAX, NAME_MAX);
    for (const auto& step : relative)
        if (step.native().size() > nameLimit) return true;
    return (directory / relative).native().size() >= FileSystemLimit(directory, _PC_PATH_MAX, PATH_MAX);
}

bool IsInsideDirectory(const std::filesystem::path& path, const std::filesystem::path& directory) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::weakly_canonical(directory, error);
    if (error) return false;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    if (error) return false;
    const std::filesystem::path relative = target.lexically_relative(base);
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

}  // namespace cv
