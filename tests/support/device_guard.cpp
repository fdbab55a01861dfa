#include "tests/support/device_guard.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace cv::test {
namespace {

constexpr char kDevNull[] = "/dev/null";

bool devNullBroken = false;

void ReportBroken(const std::string& when) {
    if (devNullBroken) return;
    devNullBroken = true;
    std::fprintf(stderr, "*** %s is no longer a character device %s\n", kDevNull, when.c_str());
}

class DeviceGuard : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& test) override {
        if (!DevNullIsCharacterDevice())
            ReportBroken(std::string("after the test ") + test.test_suite_name() + "." + test.name());
    }
};

}  // namespace

bool DevNullIsCharacterDevice() {
    struct stat status {};
    return ::lstat(kDevNull, &status) == 0 && S_ISCHR(status.st_mode);
}

void InstallDeviceGuard() {
    if (!DevNullIsCharacterDevice()) ReportBroken("before the tests started");
    ::testing::UnitTest::GetInstance()->listeners().Append(new DeviceGuard);
}

int GuardedExitCode(int testsResult) {
    if (!DevNullIsCharacterDevice()) ReportBroken("at the end of the tests");
    return devNullBroken ? 1 : testsResult;
}

}  // namespace cv::test
