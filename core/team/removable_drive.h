#pragma once
// Whether a directory lies on a removable drive (a USB stick, a memory card):
// the team is warned at start-up, since its private files would leave with it;
// and the removable drive the configuration offers for the exchange.

#include <string>
#include <vector>

namespace cv {

// Where the kernel's block devices are looked up when no directory is named:
// "/sys/dev/block" unless SetSysBlockDir pointed the program at another tree
// (a test's stand-in for the kernel's).
const std::string& DefaultSysBlockDir();
void SetSysBlockDir(std::string dir);

// True when the block device holding Dir (or, for a partition, its disk)
// reports itself removable. A directory that does not exist yet counts by its
// nearest existing parent; false when nothing can be told. The kernel's
// block devices are looked up under SysBlockDir, by "major:minor".
bool IsOnRemovableDrive(const std::string& dir, const std::string& sysBlockDir = DefaultSysBlockDir());

// The first of MountPoints (the system's order) that lies on a removable
// drive, with a trailing '/'; the root directory never counts (a system
// started from a stick). "" when none does.
std::string FirstRemovableMountPoint(const std::vector<std::string>& mountPoints,
                                     const std::string& sysBlockDir = DefaultSysBlockDir());

}  // namespace cv
