#include "core/zip/zip_sources.h"

#include <algorithm>
#include <chrono>
#include <set>

#include "core/zip/zip_paths.h"

namespace cv {
namespace fs = std::filesystem;
namespace {

constexpr char kAnyName[] = "*";

bool IsHidden(const fs::path& path) {
    const std::string name = path.filename().string();
    return !name.empty() && name.front() == '.';
}

bool AnySelects(const std::vector<std::string>& patterns, const std::string& name) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& pattern) { return PatternSelects(pattern, name); });
}

class SourceCollector {
public:
    explicit SourceCollector(const TZipRequest& request) : request_(request) {
        std::error_code ignored;
        archive_ = fs::weakly_canonical(request.archive, ignored);
    }

    TZipSources Collect() {
        for (const auto& pattern : request_.patterns)
            if (!AddPattern(pattern)) result_.someSkipped = true;
        return std::move(result_);
    }

private:
    // True when the pattern names something on disk.
    bool AddPattern(const std::string& pattern) {
        const fs::path path(pattern);
        const std::string name = path.filename().string();
        std::error_code error;
        if (HasWildcards(name)) return AddDirectory(path.parent_path(), name);
        if (fs::is_directory(path, error)) {
            AddDirectoryEntry(path);
            AddDirectory(path, kAnyName);
            return true;
        }
        if (!fs::is_regular_file(path, error)) return false;
        AddFile(path);
        return true;
    }

    // Adds the files of Directory whose names match Pattern (and, recursing,
    // those of its subdirectories); true when any matched.
    bool AddDirectory(const fs::path& directory, const std::string& pattern) {
        bool found = false;
        for (const fs::path& child : SortedChildren(directory)) {
            if (IsHidden(child) && !request_.includeHidden) continue;
            std::error_code error;
            if (fs::is_regular_file(child, error) && WildcardMatch(pattern, child.filename().string())) {
                AddFile(child);
                found = true;
            } else if (request_.recurse && fs::is_directory(child, error) && !fs::is_symlink(child, error)) {
                AddDirectoryEntry(child);
                found = AddDirectory(child, pattern) || found;
            }
        }
        return found;
    }

    // Children of Directory ("" is the current directory), named as a
    // relative pattern names them, in name order.
    static std::vector<fs::path> SortedChildren(const fs::path& directory) {
        std::vector<fs::path> children;
        std::error_code error;
        for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, error), end;
             !error && it != end; it.increment(error))
            children.push_back(directory.empty() ? it->path().filename() : directory / it->path().filename());
        std::sort(children.begin(), children.end());
        return children;
    }

    void AddFile(const fs::path& path) {
        if (!Selected(path) || IsArchive(path)) return;
        // Left out by date: said, as a file that a caller named could otherwise go missing unnoticed.
        if (!WithinDate(path)) {
            result_.someSkipped = true;
            return;
        }
        Append({path, StoredEntryName(path, !request_.junkPaths), false});
    }

    void AddDirectoryEntry(const fs::path& directory) {
        if (!request_.directoryEntries || request_.junkPaths) return;
        if (AnySelects(request_.excludes, directory.generic_string())) return;
        const std::string name = StoredEntryName(directory, true);
        if (!name.empty()) Append({directory, name + '/', true});
    }

    bool Selected(const fs::path& path) const {
        const std::string name = path.generic_string();
        if (!request_.includes.empty() && !AnySelects(request_.includes, name)) return false;
        return !AnySelects(request_.excludes, name);
    }

    bool WithinDate(const fs::path& path) const {
        std::error_code error;
        const auto written = fs::last_write_time(path, error);
        if (error) return true;  // an unreadable date leaves the reading to decide
        return std::chrono::file_clock::to_sys(written) >= std::chrono::sys_days(request_.since);
    }

    bool IsArchive(const fs::path& path) const {
        std::error_code error;
        return fs::weakly_canonical(path, error) == archive_ && !error;
    }

    void Append(TZipSource source) {
        if (source.entryName.empty() || !names_.insert(source.entryName).second) {
            if (!source.directory) result_.someSkipped = true;
            return;
        }
        result_.files.push_back(std::move(source));
    }

    const TZipRequest& request_;
    fs::path archive_;
    std::set<std::string> names_;
    TZipSources result_;
};

}  // namespace

TZipSources CollectZipSources(const TZipRequest& request) { return SourceCollector(request).Collect(); }

}  // namespace cv
