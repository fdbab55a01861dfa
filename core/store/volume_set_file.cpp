#include "core/store/volume_set_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace cv {

namespace {

TVolFileFaultHook& FaultHook() {
    static TVolFileFaultHook hook;
    return hook;
}

int InjectedFault(TVolFileOp op, std::int64_t offset, std::size_t size) {
    const TVolFileFaultHook& hook = FaultHook();
    return hook ? hook(op, offset, size) : 0;
}

int OpenFlags(TVolFile::TMode mode) {
    switch (mode) {
        case TVolFile::TMode::ReadOnly: return O_RDONLY;
        case TVolFile::TMode::ReadWrite: return O_RDWR;
        case TVolFile::TMode::CreateTruncate: return O_RDWR | O_CREAT | O_TRUNC;
    }
    return O_RDONLY;
}

constexpr mode_t kNewFileMode = 0666;  // narrowed by the user's umask

}  // namespace

void SetVolFileFaultHook(TVolFileFaultHook hook) { FaultHook() = std::move(hook); }

TVolFile::~TVolFile() { Close(); }

int TVolFile::Open(const std::string& name, TMode mode) {
    Close();
    fd_ = ::open(name.c_str(), OpenFlags(mode) | O_CLOEXEC, kNewFileMode);
    return fd_ < 0 ? errno : 0;
}

void TVolFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

int TVolFile::ReadAt(std::int64_t offset, void* data, std::size_t size, std::size_t& got) const {
    got = 0;
    auto* bytes = static_cast<char*>(data);
    while (got < size) {
        const ssize_t n = ::pread(fd_, bytes + got, size - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

int TVolFile::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
    if (const int fault = InjectedFault(TVolFileOp::Write, offset, size)) return fault;
    std::size_t done = 0;
    const auto* bytes = static_cast<const char*>(data);
    while (done < size) {
        const ssize_t n = ::pwrite(fd_, bytes + done, size - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int TVolFile::Sync() {
    if (const int fault = InjectedFault(TVolFileOp::Sync, 0, 0)) return fault;
    return ::fsync(fd_) == 0 ? 0 : errno;
}

int TVolFile::Truncate(std::int64_t size) {
    if (const int fault = InjectedFault(TVolFileOp::Truncate, size, 0)) return fault;
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 ? 0 : errno;
}

int TVolFile::Size(std::int64_t& size) const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return errno;
    size = info.st_size;
    return 0;
}

}  // namespace cv
