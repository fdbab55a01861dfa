#include "core/team/removable_drive.h"

#include <gtest/gtest.h>

#include "core/team/config_settings.h"

#include "tests/support/fake_block_devices.h"
#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

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

// Only a volume that can take files is offered for the exchange: a read-only
// stick, or one not ready, is passed over for the next removable one, and
// without any the program root's own directory is offered.
TEST(RemovableDrive, OnlyAWritableRemovableVolumeIsOfferedForTheExchange) {
    TempDir stick;
    const FakeBlockDevices devices(stick.path());
    devices.SetDeviceFlag("1\n");
    const std::string stickPath = stick.path().string();
    struct TVolumesCase {
        std::vector<TMountedVolume> volumes;
        std::string offered;
    };
    const TVolumesCase cases[] = {
        {{{"/", true, false}, {stickPath, true, false}}, stickPath + "/"},
        {{{"/", true, false}, {stickPath, true, true}}, "/opt/cv3/Exchange/"},
        {{{"/", true, false}, {stickPath, false, false}}, "/opt/cv3/Exchange/"},
        {{{stickPath, true, true}, {stickPath + "/Second", true, false}}, stickPath + "/Second/"},
    };
    for (const TVolumesCase& c : cases) {
        EXPECT_EQ(ProposedExchangeDir("/opt/cv3", WritableMountPoints(c.volumes), devices.Root()), c.offered)
            << c.offered;
    }
    EXPECT_EQ(WritableMountPoints({{"/a", true, false}, {"/b", true, true}, {"/c", false, false}, {"/d", true, false}}),
              (std::vector<std::string>{"/a", "/d"}));
}

}  // namespace
}  // namespace cv::test
