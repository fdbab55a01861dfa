#pragma once
// A stand-in for the kernel's block-device directory, holding the device of a
// given directory as "major:minor", whose removable flag the test sets.

#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"

namespace cv::test {

class FakeBlockDevices {
public:
    explicit FakeBlockDevices(const std::filesystem::path& onDevice);
    std::string Root() const { return root_.path().string(); }
    void SetDeviceFlag(const char* flag) const;
    // The flag of the disk one level up, where a partition keeps it.
    void SetDiskFlag(const char* flag) const;

private:
    TempDir root_;
    std::filesystem::path device_;
};

// Points the program's default block-device directory at Devices for its
// lifetime, then back at the one before.
class UsingBlockDevices {
public:
    explicit UsingBlockDevices(const FakeBlockDevices& devices);
    ~UsingBlockDevices();
    UsingBlockDevices(const UsingBlockDevices&) = delete;
    UsingBlockDevices& operator=(const UsingBlockDevices&) = delete;

private:
    std::string previous_;
};

}  // namespace cv::test
