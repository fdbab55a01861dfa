#include "core/team/removable_drive.h"

#include "core/session/settings_paths.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>

namespace cv {
namespace {

namespace fs = std::filesystem;

std::string& SysBlockDir() {
    static std::string dir = "/sys/dev/block";
    return dir;
}

bool ReadsOne(const fs::path& flagFile) {
    std::ifstream in(flagFile);
    char flag = '0';
    return in >> flag && flag == '1';
}

}  // namespace

const std::string& DefaultSysBlockDir() { return SysBlockDir(); }

void SetSysBlockDir(std::string dir) { SysBlockDir() = std::move(dir); }

bool IsOnRemovableDrive(const std::string& dir, const std::string& sysBlockDir) {
    fs::path existing = fs::path(dir).lexically_normal();
    std::error_code error;
    while (!existing.empty() && !fs::exists(existing, error)) {
        if (existing == existing.parent_path()) return false;
        existing = existing.parent_path();
    }
    struct stat info {};
    if (existing.empty() || stat(existing.c_str(), &info) != 0) return false;
    const fs::path device = fs::path(sysBlockDir) /
                            (std::to_string(major(info.st_dev)) + ":" + std::to_string(minor(info.st_dev)));
    // A partition keeps the flag on its disk, one level up.
    return ReadsOne(device / "removable") || ReadsOne(device / ".." / "removable");
}

std::string FirstRemovableMountPoint(const std::vector<std::string>& mountPoints, const std::string& sysBlockDir) {
    for (const std::string& mountPoint : mountPoints)
        if (mountPoint != "/" && IsOnRemovableDrive(mountPoint, sysBlockDir)) return WithTrailingSlash(mountPoint);
    return {};
}

}  // namespace cv
