#include "core/zip/zip_output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/file_routines.h"
#include "core/base/stale_temporaries.h"

namespace cv {
namespace {

constexpr int kCreateAttempts = 64;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the process's umask
constexpr std::size_t kCopyBlock = 1 << 16;

constexpr std::string_view kTemporaryPrefix = "~cvz";

// "~cvz<pid>-<n>~<target name>": a name no other writer uses at the same time
// (the process id separates processes, the counter this process's files) and
// that tells a later writer whether the process that made it still runs.
std::string TemporaryName(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    return std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "~" +
           target.filename().string();
}

// The process that made the temporary Name of the file Target; none for any
// other name.
std::optional<pid_t> TemporaryOwner(std::string_view name, std::string_view target) {
    if (!name.starts_with(kTemporaryPrefix)) return std::nullopt;
    std::size_t pos = kTemporaryPrefix.size();
    const std::optional<pid_t> pid = ParseProcessId(name, pos);
    if (!pid || pos >= name.size() || name[pos] != '-') return std::nullopt;
    const std::size_t counterEnd = name.find('~', pos);
    if (counterEnd == std::string_view::npos || name.substr(counterEnd + 1) != target) return std::nullopt;
    return IsDigitRun(name.substr(pos + 1, counterEnd - pos - 1)) ? pid : std::nullopt;
}

bool IsDiskFullError(int error) { return error == ENOSPC || error == EDQUOT; }

void SyncDirectory(const std::filesystem::path& directory) {
    const int handle = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (handle < 0) return;
    ::fsync(handle);
    ::close(handle);
}

}  // namespace

TZipOutputFile::~TZipOutputFile() { Discard(); }

bool TZipOutputFile::Create(const std::filesystem::path& target, const std::filesystem::path& workDirectory) {
    Discard();
    diskFull_ = false;
    target_ = target;
    const std::filesystem::path directory = workDirectory.empty() ? target.parent_path() : workDirectory;
    const std::string targetName = target.filename().string();
    RemoveStaleTemporaries(directory.string(),
                           [&targetName](std::string_view name) { return TemporaryOwner(name, targetName); });
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::filesystem::path candidate = directory / TemporaryName(target);
        descriptor_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (descriptor_ >= 0) {
            temporary_ = std::move(candidate);
            return true;
        }
        if (errno != EEXIST) {
            diskFull_ = IsDiskFullError(errno);
            return false;
        }
    }
    return false;
}

bool TZipOutputFile::Write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor_, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            // A write that takes nothing of a regular file has met the end of the space.
            diskFull_ = written == 0 || IsDiskFullError(errno);
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool TZipOutputFile::Commit() {
    if (descriptor_ < 0 || !CloseSynced()) {
        Discard();
        return false;
    }
    if (!MoveOverTarget() && !CopyOverTarget()) {
        Discard();
        return false;
    }
    temporary_.clear();
    SyncDirectory(target_.parent_path());
    return true;
}

void TZipOutputFile::Discard() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        temporary_.clear();
    }
}

bool TZipOutputFile::CloseSynced() {
    const bool synced = ::fsync(descriptor_) == 0;
    if (!synced) diskFull_ = IsDiskFullError(errno);
    const bool closed = ::close(descriptor_) == 0;
    if (!closed) diskFull_ = diskFull_ || IsDiskFullError(errno);
    descriptor_ = -1;
    return synced && closed;
}

bool TZipOutputFile::MoveOverTarget() {
    if (!IsReplaceableByRename(target_.string())) return false;
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    return !error;
}

// A temporary file in another directory may lie on another file system, where
// rename cannot reach: copy it beside the target first, then rename that.
bool TZipOutputFile::CopyOverTarget() {
    if (!IsReplaceableByRename(target_.string())) return false;
    std::ifstream source(temporary_, std::ios::binary);
    if (!source) return false;
    TZipOutputFile beside;
    const auto failed = [&] {
        diskFull_ = beside.DiskFull();
        return false;
    };
    if (!beside.Create(target_)) return failed();
    char block[kCopyBlock];
    while (source) {
        source.read(block, sizeof block);
        if (source.bad() || !beside.Write(block, static_cast<std::size_t>(source.gcount()))) return failed();
    }
    if (!beside.Commit()) return failed();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
    return true;
}

}  // namespace cv
