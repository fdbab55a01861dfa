#include "core/team/staged_files.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/base/file_routines.h"
#include "core/base/stale_temporaries.h"

namespace cv {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUniqueTail = "XXXXXX";  // filled in by mkdtemp

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

// A staging directory of an earlier version, which did not name its process
// ("prefix" and mkdtemp's six letters or digits): this version never makes
// one, and only one program runs per user, so its run has ended.
bool IsUnownedStagingDir(std::string_view name) {
    for (const std::string_view prefix : {kTransferStaging, kRestoreStaging}) {
        if (!name.starts_with(prefix) || name.size() != prefix.size() + kUniqueTail.size()) continue;
        const std::string_view tail = name.substr(prefix.size());
        if (std::all_of(tail.begin(), tail.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            return true;
    }
    return false;
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
    RemoveLeftoverDirectories(privateDir, IsUnownedStagingDir);
    RemoveStaleTemporaries(privateDir, AtomicWriteTemporaryOwner);
}

bool TStagedReplacement::Replace(const std::string& staged, const std::string& target) {
    if (!IsReplaceableByRename(target)) return false;
    std::error_code error;
    TDone done;
    done.target = target;
    if (fs::exists(fs::symlink_status(target, error))) {
        done.oldCopy = JoinFileName(staging_.Path(), ".previous-" + std::to_string(done_.size()));
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
