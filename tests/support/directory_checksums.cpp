#include "tests/support/directory_checksums.h"

#include <cstdint>

#include "tests/support/temp_dir.h"

namespace cv::test {

namespace fs = std::filesystem;

std::map<std::string, std::string> DirectoryChecksums(const fs::path& directory) {
    std::map<std::string, std::string> sums;
    for (const auto& item : fs::recursive_directory_iterator(directory)) {
        const std::string name = item.path().lexically_relative(directory).string();
        if (item.is_directory()) {
            sums[name] = "dir";
            continue;
        }
        // FNV-1a, 64 bits.
        std::uint64_t sum = 14695981039346656037ull;
        for (const char byte : ReadFileBytes(item.path())) sum = (sum ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
        sums[name] = std::to_string(sum);
    }
    return sums;
}

}  // namespace cv::test
