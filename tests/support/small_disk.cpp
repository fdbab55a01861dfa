#include "tests/support/small_disk.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace cv::test {
namespace fs = std::filesystem;

namespace {

// Exit codes of the child.
constexpr int kChildPassed = 0;
constexpr int kChildFailed = 1;
constexpr int kChildUnavailable = 2;
// The memory file system gives files whole pages.
constexpr std::size_t kPage = 4096;

bool WriteProcFile(const char* name, const std::string& text) {
    std::ofstream file(name);
    file << text;
    file.close();
    return static_cast<bool>(file);
}

// A mount namespace of the child's own; a user namespace too when it is not
// root, in which it is root and so may mount.
bool EnterOwnNamespaces() {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (uid == 0) return ::unshare(CLONE_NEWNS) == 0;
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    return WriteProcFile("/proc/self/setgroups", "deny") &&
           WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
           WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
}

std::size_t PagesHeld(const fs::path& directory) {
    std::size_t bytes = 0;
    for (const auto& item : fs::recursive_directory_iterator(directory))
        if (item.is_regular_file()) bytes += (item.file_size() + kPage - 1) / kPage * kPage;
    return bytes;
}

// Mounts a memory file system over Directory holding its files and FreeBytes more.
bool MountSmallDisk(const fs::path& directory, std::size_t freeBytes) {
    // Mounts made here must not reach the parent's namespace.
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    const fs::path stash = directory.string() + ".before-small-disk";
    fs::copy(directory, stash, fs::copy_options::recursive);
    const std::string size = "size=" + std::to_string(PagesHeld(stash) + freeBytes);
    if (::mount("small-disk", directory.c_str(), "tmpfs", 0, size.c_str()) != 0) return false;
    fs::copy(stash, directory, fs::copy_options::recursive);
    fs::remove_all(stash);
    return true;
}

[[noreturn]] void RunChild(const fs::path& directory, std::size_t freeBytes, const std::function<void()>& steps) {
    if (!EnterOwnNamespaces() || !MountSmallDisk(directory, freeBytes)) _exit(kChildUnavailable);
    steps();
    std::fflush(stdout);
    _exit(::testing::Test::HasFailure() ? kChildFailed : kChildPassed);
}

}  // namespace

TSmallDiskRun RunOnSmallDisk(const fs::path& directory, std::size_t freeBytes, const std::function<void()>& steps) {
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child < 0) return TSmallDiskRun::failed;
    if (child == 0) RunChild(directory, freeBytes, steps);
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return TSmallDiskRun::failed;
    switch (WEXITSTATUS(status)) {
        case kChildPassed: return TSmallDiskRun::passed;
        case kChildUnavailable: return TSmallDiskRun::unavailable;
        default: return TSmallDiskRun::failed;
    }
}

bool MakeSmallDiskReadOnly(const fs::path& directory) {
    return ::mount("small-disk", directory.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

}  // namespace cv::test
