#include "core/base/file_routines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "core/base/stale_temporaries.h"

#ifndef CV_VERSION_MAJOR
#error "core is built with CV_VERSION_MAJOR, CV_VERSION_MINOR, CV_VERSION_PATCH and CV_VERSION_TWEAK"
#endif

namespace cv {
namespace fs = std::filesystem;

namespace {

constexpr int kUniqueNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask
constexpr mode_t kNewDirMode = 0777;
constexpr mode_t kPermissionBits = 07777;
constexpr const char* kRunningExecutable = "/proc/self/exe";
constexpr std::string_view kTemporaryMarker = ".tmp-";

// A name no other file of this process has used: the process id and a counter.
std::string UniqueSuffix() {
    static unsigned counter = 0;
    return std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

// Creates a new file of a fresh name in Dir (exclusive create, never an existing
// file); returns its descriptor, or -1 with errno set.
int CreateUniqueFile(const std::string& pathPrefix, std::string& path) {
    for (int attempt = 0; attempt < kUniqueNameAttempts; ++attempt) {
        path = pathPrefix + UniqueSuffix();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

void SyncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Directory part of Path with its trailing '/' ("./" for a bare name).
std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// Closes Fd, removes the temporary file and restores the errno of the failure.
bool AbandonTemporary(int fd, const std::string& temporary) {
    const int failure = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    errno = failure;
    return false;
}

}  // namespace

void SplitFileName(const std::string& file, std::string& dir, std::string& baseName, std::string& fullPath,
                   std::string& ext) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(file), error);
    if (error) absolute = fs::path(file);
    const fs::path normal = absolute.lexically_normal();
    fullPath = normal.string();
    const fs::path name = normal.filename();
    dir = fullPath.substr(0, fullPath.size() - name.string().size());
    ext = name.extension().string();
    baseName = name.stem().string();
}

std::string JoinFileName(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool CanCreateFileIn(const std::string& dir, const std::string& name) {
    std::string probe;
    const int fd = CreateUniqueFile(DirectoryOf(JoinFileName(dir, name)) + ".cvprobe-", probe);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool DirExistsOrCreatable(const std::string& dir, const std::string& name) {
    const std::string path = JoinFileName(dir, name);
    std::error_code error;
    if (fs::is_directory(path, error)) return true;
    if (::mkdir(path.c_str(), kNewDirMode) != 0) return false;
    ::rmdir(path.c_str());
    return true;
}

std::string FormatFileVersion(unsigned major, unsigned minor, unsigned release, unsigned build, bool shortForm) {
    std::string text = std::to_string(major) + "." + std::to_string(minor) + std::to_string(release);
    if (!shortForm) text += "." + std::to_string(build);
    return text;
}

std::string GetFileVersionString(const std::string& file, bool shortForm) {
    std::error_code error;
    if (!fs::equivalent(file, kRunningExecutable, error) || error) return "";
    // "+ 0" keeps an empty tweak number (a three-part project version) valid.
    return FormatFileVersion(CV_VERSION_MAJOR + 0, CV_VERSION_MINOR + 0, CV_VERSION_PATCH + 0, CV_VERSION_TWEAK + 0,
                             shortForm);
}

void RegisterServer(const std::string&) {}

std::optional<std::string> ResolveFileNameCase(const std::string& dir, const std::string& name) {
    const std::string exact = JoinFileName(dir, name);
    std::error_code error;
    if (!name.empty() && fs::exists(fs::symlink_status(exact, error))) return exact;
    if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir.empty() ? "." : dir, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (EqualIgnoringAsciiCase(entry, name)) matches.push_back(entry);
    }
    if (matches.empty()) return std::nullopt;
    return JoinFileName(dir, *std::min_element(matches.begin(), matches.end()));
}

bool IsReplaceableByRename(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return errno == ENOENT;
    return S_ISREG(status.st_mode) || S_ISLNK(status.st_mode);
}

bool OpensForWriting(const std::string& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool WriteFileAtomically(const std::string& file, const std::string& bytes) {
    if (!IsReplaceableByRename(file)) {
        errno = EPERM;
        return false;
    }
    // A symbolic link is replaced, never written through: it may lead anywhere on disk.
    struct stat existing {};
    const bool keepMode = ::lstat(file.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    const std::string name = fs::path(file).filename().string();
    RemoveStaleTemporaries(DirectoryOf(file), [&name](std::string_view entry) {
        return AtomicWriteTemporaryOwner(entry, [&name](std::string_view written) { return written == name; });
    });
    std::string temporary;
    const int fd = CreateUniqueFile(file + std::string(kTemporaryMarker), temporary);
    if (fd < 0) return false;
    if (keepMode && ::fchmod(fd, existing.st_mode & kPermissionBits) != 0) return AbandonTemporary(fd, temporary);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) return AbandonTemporary(fd, temporary);
    if (::close(fd) != 0) return AbandonTemporary(-1, temporary);
    if (::rename(temporary.c_str(), file.c_str()) != 0) return AbandonTemporary(-1, temporary);
    // The new content is in place; syncing the directory makes the rename itself
    // durable and is done as well as the file system allows.
    SyncDirectory(DirectoryOf(file));
    return true;
}

std::optional<pid_t> AtomicWriteTemporaryOwner(std::string_view name,
                                               const std::function<bool(std::string_view file)>& isWritten) {
    const size_t marker = name.rfind(kTemporaryMarker);
    if (marker == std::string_view::npos || marker == 0 || !isWritten(name.substr(0, marker))) return std::nullopt;
    size_t pos = marker + kTemporaryMarker.size();
    const std::optional<pid_t> pid = ParseProcessId(name, pos);
    if (!pid || pos >= name.size() || name[pos] != '-') return std::nullopt;
    return IsDigitRun(name.substr(pos + 1)) ? pid : std::nullopt;
}

}  // namespace cv
