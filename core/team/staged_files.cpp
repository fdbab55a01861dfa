#include "core/team/staged_files.h"

#include <stdlib.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/base/file_routines.h"
#include "core/base/stale_temporaries.h"
#include "core/team/exchange_files.h"

namespace cv {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUniqueTail = "XXXXXX";  // filled in by mkdtemp
constexpr std::string_view kPreviousCopy = ".previous-";
constexpr std::string_view kIndustryEntry = ".tmp";

// The process that made the staging directory Name; none for any other name.
std::optional<pid_t> StagingDirOwner(std::string_view name) {
    for (const std::string_view prefix : {kTransferStaging, kRestoreStaging}) {
        if (!name.starts_with(prefix)) continue;
        std::size_t pos = prefix.size();
        const std::optional<pid_t> pid = ParseProcessId(name, pos);
        if (pid && pos + 1 + kUniqueTail.size() == name.size() && name[pos] == '-') return pid;
    }
    return std::nullopt;
}

// Whether Name is that of a staging directory of an earlier version, which
// did not name its process ("prefix" and mkdtemp's six letters or digits):
// this version never makes one, and only one program runs per user, so its run
// has ended.
bool IsUnownedStagingDirName(std::string_view name) {
    for (const std::string_view prefix : {kTransferStaging, kRestoreStaging}) {
        if (!name.starts_with(prefix) || name.size() != prefix.size() + kUniqueTail.size()) continue;
        const std::string_view tail = name.substr(prefix.size());
        if (std::all_of(tail.begin(), tail.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            return true;
    }
    return false;
}

// Whether Name is that of a file a staging directory holds: an archive's
// working copy, descriptor copy or industry entry ("<industry>.tmp"), or the
// previous copy of a replaced file.
bool IsStagedFileName(const std::string& name) {
    if (name.starts_with(kPreviousCopy)) return IsDigitRun(std::string_view(name).substr(kPreviousCopy.size()));
    const std::size_t dot = name.find('.');
    const bool industryEntry = dot != 0 && dot != std::string::npos && name.size() == dot + kIndustryEntry.size() &&
                               strcasecmp(name.c_str() + dot, kIndustryEntry.data()) == 0;
    return industryEntry || IsWorkingCopyName(name) || IsDescriptorName(name);
}

// Whether Dir holds one file or more, and nothing but files a staging
// directory holds: a name alone may be a folder of the team's own.
bool HoldsOnlyStagedFiles(const fs::path& dir) {
    std::error_code error;
    bool any = false;
    for (fs::directory_iterator entry(dir, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        if (entry->symlink_status(ignored).type() != fs::file_type::regular ||
            !IsStagedFileName(entry->path().filename().string()))
            return false;
        any = true;
    }
    return any && !error;
}

// The process that made Name, a temporary of a descriptor copy written by
// WriteFileAtomically; none for any other name.
std::optional<pid_t> DescriptorTemporaryOwner(std::string_view name) {
    return AtomicWriteTemporaryOwner(name, [](std::string_view file) { return IsDescriptorName(std::string(file)); });
}

}  // namespace

TStagingDir::TStagingDir(const std::string& parent, const std::string& prefix) {
    std::string pattern = JoinFileName(parent, prefix + std::to_string(::getpid()) + "-" + std::string(kUniqueTail));
    if (mkdtemp(pattern.data())) path_ = pattern;
}

TStagingDir::~TStagingDir() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
}

void RemoveLeftoversOfEarlierRuns(const std::string& privateDir) {
    RemoveStaleTemporaryDirectories(privateDir, StagingDirOwner);
    RemoveLeftoverDirectories(privateDir, [&privateDir](std::string_view name) {
        return IsUnownedStagingDirName(name) && HoldsOnlyStagedFiles(fs::path(privateDir) / name);
    });
    RemoveStaleTemporaries(privateDir, DescriptorTemporaryOwner);
}

bool TStagedReplacement::Replace(const std::string& staged, const std::string& target) {
    if (!IsReplaceableByRename(target)) return false;
    std::error_code error;
    TDone done;
    done.target = target;
    if (fs::exists(fs::symlink_status(target, error))) {
        done.oldCopy = JoinFileName(staging_.Path(), std::string(kPreviousCopy) + std::to_string(done_.size()));
        fs::create_hard_link(target, done.oldCopy, error);
        if (error) return false;
    }
    fs::rename(staged, target, error);
    if (error) {
        if (!done.oldCopy.empty()) fs::remove(done.oldCopy, error);
        return false;
    }
    done_.push_back(std::move(done));
    return true;
}

void TStagedReplacement::Undo() {
    std::error_code ignored;
    for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
        if (it->oldCopy.empty())
            fs::remove(it->target, ignored);
        else
            fs::rename(it->oldCopy, it->target, ignored);
    }
    done_.clear();
}

}  // namespace cv
