#include "core/team/removable_drive.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <gtest/gtest.h>

#include "core/team/config_settings.h"

#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

// A stand-in for the kernel's block-device directory, holding the device of
// the temporary directory as "major:minor".
class FakeBlockDevices {
public:
    explicit FakeBlockDevices(const fs::path& onDevice) {
        struct stat info {};
        EXPECT_EQ(stat(onDevice.c_str(), &info), 0);
        device_ = root_.path() / (std::to_string(major(info.st_dev)) + ":" + std::to_string(minor(info.st_dev)));
        fs::create_directories(device_);
    }
    std::string Root() const { return root_.path().string(); }
    void SetDeviceFlag(const char* flag) const { WriteFileBytes(device_ / "removable", flag); }
    void SetDiskFlag(const char* flag) const { WriteFileBytes(device_ / ".." / "removable", flag); }

private:
    TempDir root_;
    fs::path device_;
};

TEST(RemovableDrive, TheDeviceOrItsDiskDecides) {
    TempDir privateDir;
    const FakeBlockDevices devices(privateDir.path());
    EXPECT_FALSE(IsOnRemovableDrive(privateDir.path().string(), devices.Root()));
    devices.SetDeviceFlag("0\n");
    EXPECT_FALSE(IsOnRemovableDrive(privateDir.path().string(), devices.Root()));
    devices.SetDiskFlag("1\n");
    EXPECT_TRUE(IsOnRemovableDrive(privateDir.path().string(), devices.Root()));
    devices.SetDiskFlag("0\n");
    devices.SetDeviceFlag("1\n");
    EXPECT_TRUE(IsOnRemovableDrive(privateDir.path().string(), devices.Root()));
    // A private directory not made yet counts by the directory it will be made in.
    EXPECT_TRUE(IsOnRemovableDrive((privateDir.path() / "Private" / "Later").string() + "/", devices.Root()));
}

// The configuration offers the first removable mount point for the exchange,
// and the program root's "Exchange" directory while there is none.
TEST(RemovableDrive, TheFirstRemovableMountPointIsOfferedForTheExchange) {
    TempDir stick;
    const FakeBlockDevices devices(stick.path());
    const std::vector<std::string> mountPoints{"/", "/proc", stick.path().string()};
    EXPECT_EQ(FirstRemovableMountPoint(mountPoints, devices.Root()), "");
    EXPECT_EQ(ProposedExchangeDir("/opt/cv3", mountPoints, devices.Root()), "/opt/cv3/Exchange/");
    devices.SetDeviceFlag("1\n");
    EXPECT_EQ(FirstRemovableMountPoint(mountPoints, devices.Root()), stick.path().string() + "/");
    EXPECT_EQ(ProposedExchangeDir("/opt/cv3/", mountPoints, devices.Root()), stick.path().string() + "/");
}

}  // namespace
}  // namespace cv::test
