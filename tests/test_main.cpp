// Entry point of the display-free test programs: the tests, then the guard of
// /dev/null (tests/support/device_guard.h) decides the exit status.
#include <gtest/gtest.h>

#include "tests/support/device_guard.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    cv::test::InstallDeviceGuard();
    return cv::test::GuardedExitCode(RUN_ALL_TESTS());
}
