#include "bench/raw_read.h"

#include <fstream>
#include <vector>

namespace cv::bench {

std::size_t ReadRawBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::vector<char> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<std::size_t>(in.gcount()) + static_cast<unsigned char>(bytes.back());
}

}  // namespace cv::bench
