#pragma once
// Writing a file of the sample so that a failure never leaves it half written:
// the content goes to Target + ".part", which then replaces Target.

#include <filesystem>
#include <system_error>
#include <utility>

namespace cv::sample {

template <class Writer>
void WriteReplacing(const std::filesystem::path& target, Writer&& write) {
    std::filesystem::path partial = target;
    partial += ".part";
    std::filesystem::remove(partial);
    try {
        std::forward<Writer>(write)(partial);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        throw;
    }
    std::filesystem::rename(partial, target);
}

}  // namespace cv::sample
