#include "core/team/staged_files.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "core/base/file_routines.h"

namespace cv {

namespace fs = std::filesystem;

TStagingDir::TStagingDir(const std::string& parent, const std::string& prefix) {
    std::string pattern = JoinFileName(parent, prefix + "XXXXXX");
    if (mkdtemp(pattern.data())) path_ = pattern;
}

TStagingDir::~TStagingDir() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
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
    } else {
        // The directories made here go again with the file they were made for.
        std::vector<fs::path> missing;
        for (fs::path step = fs::path(target).parent_path(); !step.empty() && !fs::exists(step, error);
             step = step.parent_path())
            missing.push_back(step);
        fs::create_directories(fs::path(target).parent_path(), error);
        if (error) return false;
        done.madeDirectories.assign(missing.begin(), missing.end());
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
        for (const std::string& directory : it->madeDirectories) fs::remove(directory, ignored);
    }
    done_.clear();
}

}  // namespace cv
