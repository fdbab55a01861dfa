#pragma once
// What a directory holds, for tests that must find it byte for byte as it was.

#include <filesystem>
#include <map>
#include <string>

namespace cv::test {

// Every file and directory under Directory, hidden ones too, by its path
// relative to Directory, with a check sum of each file's bytes ("dir" for a
// directory).
std::map<std::string, std::string> DirectoryChecksums(const std::filesystem::path& directory);

}  // namespace cv::test
