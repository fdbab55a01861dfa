#pragma once
// What the instructor sent for the sample industry, for tests that open it:
// the archive, the team descriptors and the industry file itself.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

// Written once per run (the model makes the industry's history).
const sample::TSampleFiles& SampleSentFiles();
// Copies what was sent (archive and descriptors) into Directory, made first.
void CopySentFiles(const std::filesystem::path& directory);
// The names in Directory, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& directory);

}  // namespace cv::test
