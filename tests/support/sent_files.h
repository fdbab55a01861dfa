#pragma once
// What the instructor sends for the sample industry, written once per test
// program, and small look-ups the exchange tests share.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/recording_ui.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

// What the instructor sent for the sample industry (archive, descriptors) and
// the industry file itself, written once per run: the model makes its history.
const sample::TSampleFiles& SampleSentFiles();
// Copies what was sent (archive and descriptors) into Directory, made first.
void CopySentFiles(const std::filesystem::path& directory);
// Keys of the message boxes Ui showed, in order.
std::vector<std::string> BoxKeys(const RecordingUi& ui);
// The names in Directory, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& directory);

}  // namespace cv::test
