#pragma once
// The baseline of the file benchmarks: the time to read a file's raw bytes
// into memory, measured in the same run as the figure compared with it.

#include <string>

namespace cv::bench {

// Reads File whole into memory; returns a value that depends on every byte read.
std::size_t ReadRawBytes(const std::string& file);
// The median of many timed reads of File, in seconds: a single disturbed
// sample must not move every ratio of the run.
double RawSecondsPerRead(const std::string& file);

}  // namespace cv::bench
