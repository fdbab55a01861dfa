#include "tests/support/fake_block_devices.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <gtest/gtest.h>

#include "core/team/removable_drive.h"

namespace cv::test {

FakeBlockDevices::FakeBlockDevices(const std::filesystem::path& onDevice) {
    struct stat info {};
    EXPECT_EQ(stat(onDevice.c_str(), &info), 0);
    device_ = root_.path() / (std::to_string(major(info.st_dev)) + ":" + std::to_string(minor(info.st_dev)));
    std::filesystem::create_directories(device_);
}

void FakeBlockDevices::SetDeviceFlag(const char* flag) const { WriteFileBytes(device_ / "removable", flag); }

void FakeBlockDevices::SetDiskFlag(const char* flag) const { WriteFileBytes(device_ / ".." / "removable", flag); }

UsingBlockDevices::UsingBlockDevices(const FakeBlockDevices& devices) : previous_(DefaultSysBlockDir()) {
    SetSysBlockDir(devices.Root());
}

UsingBlockDevices::~UsingBlockDevices() { SetSysBlockDir(previous_); }

}  // namespace cv::test
