#pragma once
// The baseline of the file benchmarks: reading a file's raw bytes into
// memory, timed alternately with the figure compared with it.

#include <cstddef>
#include <string>

namespace cv::bench {

// Reads File whole into memory; returns a value that depends on every byte read.
std::size_t ReadRawBytes(const std::string& file);

}  // namespace cv::bench
