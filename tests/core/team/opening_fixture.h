#pragma once
// A session in a program tree of its own whose exchange directory holds what
// the instructor sent for the sample industry, and whose private directory
// starts empty. Boxes are recorded; the English language file is open.

#include <gtest/gtest.h>
#include <filesystem>
#include <map>
#include <string>

#include "tests/support/recording_ui.h"
#include "tests/support/session_tree.h"

namespace cv::test {

class OpeningFixture : public ::testing::Test {
protected:
    OpeningFixture();
    ~OpeningFixture() override;

    std::filesystem::path Exchange() const { return tree_.RootPath() / "Exchange"; }
    std::filesystem::path Private() const { return tree_.RootPath() / "Private"; }
    // The sample's industry file as it was generated (for archives of tests' own).
    static std::filesystem::path SampleIndustryFile();
    // Every file and directory under the private directory, hidden ones too,
    // with a check sum of each file's bytes ("dir" for a directory).
    std::map<std::string, std::string> PrivateChecksums() const;
    // Writes the settings naming ExchangeDir, then starts the session.
    void StartSession(const std::string& exchangeDir);

    SessionTree tree_;
    RecordingUi ui;
};

}  // namespace cv::test
