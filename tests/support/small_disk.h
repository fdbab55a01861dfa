#pragma once
// A disk that fills up, for the tests of what a full disk does: a child
// process in mount and (when not root) user namespaces of its own mounts a
// small memory file system over a directory, with the directory's files copied
// in and only a given number of bytes free beyond them, and runs the test's
// steps there. Nothing outside the child sees the mount.
//
// The steps' expectations are gtest expectations in the child: their failures
// are printed there, and the child's exit status says whether any failed.

#include <cstddef>
#include <filesystem>
#include <functional>

namespace cv::test {

enum class TSmallDiskRun {
    passed,       // the steps ran and every expectation held
    failed,       // an expectation failed (printed by the child), or the child died
    unavailable,  // this system lets no process mount a file system of its own
};

TSmallDiskRun RunOnSmallDisk(const std::filesystem::path& directory, std::size_t freeBytes,
                             const std::function<void()>& steps);

// Within the steps: makes the disk over Directory read-only, as a write-protected
// drive is (no file on it may be open for writing); false when it cannot.
bool MakeSmallDiskReadOnly(const std::filesystem::path& directory);

}  // namespace cv::test
