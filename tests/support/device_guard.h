#pragma once
// The test programs' guard of /dev/null. Tests run as root, and a file routine
// that renames a temporary over a path it was handed would replace the device
// with a regular file, which breaks every later redirection to it on the
// machine. The guard looks at /dev/null when the program starts and after
// every test; it names the first test after which it is no longer a character
// device, and the program then exits with a failure whatever the tests said.

namespace cv::test {

// Whether /dev/null is a character device.
bool DevNullIsCharacterDevice();

// Call once after InitGoogleTest.
void InstallDeviceGuard();

// The test program's exit status: TestsResult (that of RUN_ALL_TESTS), or 1 when
// /dev/null was not a character device at the start, after a test or now.
int GuardedExitCode(int testsResult);

}  // namespace cv::test
