#pragma once
// A fresh directory under the system's temporary directory, removed with its contents when the object goes.

#include <filesystem>
#include <string>
#include <vector>

namespace cv::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Path of Name inside the directory, as a string.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The whole content of a file as bytes.
std::string ReadFileBytes(const std::filesystem::path& file);
// The lines of a file, each ended by a line feed (a last line without one is left out).
std::vector<std::string> ReadFileLines(const std::filesystem::path& file);
// Writes Bytes as the whole content of File.
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace cv::test
