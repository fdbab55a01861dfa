#pragma once
// The id of a process that has ended, for tests of what a killed writer leaves.

#include <sys/types.h>

namespace cv::test {

// Forks a child that exits at once and reaps it: its id names no running process
// (until the system hands the id out again, which takes a full turn of the ids).
pid_t DeadProcessId();

}  // namespace cv::test
