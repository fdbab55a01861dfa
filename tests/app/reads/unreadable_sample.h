#pragma once
// The program started on a copy of the sample that lacks what the program
// reads, opened past the whole-file check as the team's opening opens what
// the check passes.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/support/program_root.h"

namespace cv::test {

// The first line of the message of an industry that does not read.
inline constexpr char kUnreadableStart[] = "Part of your copy of the industry cannot be read:";

class UnreadableSampleTest : public StartedProgramTest {
protected:
    // The sample with every decision group taken, written as the team's copy.
    std::filesystem::path WriteSample();
    // Opens File and shows it on every page as the opening does, the check
    // left out; false when the session refuses it.
    bool OpenPastTheCheck(const std::filesystem::path& file);
    // The messages shown so far that say the industry does not read.
    std::vector<std::string> UnreadableMessages() const;
};

}  // namespace cv::test
