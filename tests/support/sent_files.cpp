#include "tests/support/sent_files.h"

#include <algorithm>

#include "tests/support/temp_dir.h"

namespace cv::test {

namespace fs = std::filesystem;

const sample::TSampleFiles& SampleSentFiles() {
    static TempDir directory;
    static const sample::TSampleFiles files = sample::WriteSampleIndustry(directory.path());
    return files;
}

void CopySentFiles(const fs::path& directory) {
    fs::create_directories(directory);
    fs::copy_file(SampleSentFiles().archive, directory / SampleSentFiles().archive.filename());
    for (const fs::path& descriptor : SampleSentFiles().descriptors)
        fs::copy_file(descriptor, directory / descriptor.filename());
}

std::vector<std::string> FileNames(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace cv::test
